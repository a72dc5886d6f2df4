#include <gtest/gtest.h>

#include "data/CartellaTemporanea.h"
#include "data/FileAtomico.h"
#include "data/GestioneDatiEsterni.h"
#include "data/Impostazioni.h"
#include "game/DialoghiCopione.h"
#include "game/FinestreCopione.h"
#include "game/Gioco.h"
#include "game/OrologioVirtuale.h"

namespace fs = std::filesystem;
using namespace GestioneDatiEsterni;

namespace {

QString Q(const fs::path& p) {
  return QString::fromStdString(p.string());
}

class GestioneDatiEsterniFile : public ::testing::Test {
 protected:
  GestioneDatiEsterniFile() : g(cartella.percorso(), orologio, dialoghi, *audio, finestre) {
    // The editor's choices for a combination "Blu" by Anna with built-in pictures.
    g.PercorsiImmagini.fill(QStringLiteral("Default"));
    g.AutoreCombinazione = QStringLiteral("Anna");
    g.Volumi.fill(-1000);
    g.EditorFontNome = QStringLiteral("Arial");
    g.EditorFontDimensione = QStringLiteral("12");
    g.EditorFontColore = QStringLiteral("65280");
  }

  fs::path Scrivi(const std::string& nome, const std::string& byte) {
    const fs::path file = cartella / nome;
    EXPECT_TRUE(ScriviFileAtomico(file, byte));
    return file;
  }

  CartellaTemporanea cartella;
  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  std::unique_ptr<Audio> audio = CreaAudioMuto();
  FinestreCopione finestre;
  Gioco g;
  std::array<QString, NumeroSuoni> nessunSuono;
};

}  // namespace

TEST_F(GestioneDatiEsterniFile, SavingBluByAnnaWritesThe261ByteFile) {
  ASSERT_TRUE(ScriviCombinazione(g, "Blu", nessunSuono));
  const fs::path file = cartella / "Blu.skcom";
  EXPECT_EQ(FileCombinazione(g, "Blu"), file);
  EXPECT_EQ(fs::file_size(file), 261u);
  EXPECT_EQ(g.Comb.Nome, "Blu");
  EXPECT_EQ(g.Comb.Volumi[15], -1000);
  EXPECT_TRUE(dialoghi.PrendiBox().empty());
}

TEST_F(GestioneDatiEsterniFile, SavingReadsChosenFilesAndKeepsSlotsNamedAfterItself) {
  const fs::path immagine = Scrivi("nave.png", "\x89PNG nave");
  const fs::path suono = Scrivi("sparo.wav", "RIFF sparo");
  g.Comb.Immagini[4] = "picture of the combination being edited";
  g.Comb.Suoni[2] = "sound of the combination being edited";
  g.Comb.FontFile = "font bytes";
  g.Comb.FontFileNome = "skin.ttf";
  g.PercorsiImmagini[4] = "Blu";
  g.PercorsiImmagini[8] = Q(immagine);
  std::array<QString, NumeroSuoni> suoni;
  suoni[2] = "Blu";
  suoni[3] = Q(suono);
  g.PasswordCombinazione = "segreta";
  g.EditorFontGrassetto = true;

  ASSERT_TRUE(ScriviCombinazione(g, "Blu", suoni));
  auto letta = LeggiFileCombinazione(cartella / "Blu.skcom");
  ASSERT_TRUE(letta) << letta.errore();
  const TipoCombinazione& c = letta.valore();
  EXPECT_EQ(c.Immagini[4], "picture of the combination being edited");
  EXPECT_EQ(c.Immagini[8], "\x89PNG nave");
  EXPECT_EQ(c.Immagini[0], "Default");
  EXPECT_EQ(c.Suoni[2], "sound of the combination being edited");
  EXPECT_EQ(c.Suoni[3], "RIFF sparo");
  EXPECT_EQ(c.Suoni[0], "");
  EXPECT_EQ(c.Password, "segreta");
  EXPECT_TRUE(c.FontGrassetto);
  // The font file is the editor's font picker's business: saving leaves it as it is.
  EXPECT_EQ(c.FontFile, "font bytes");
  EXPECT_EQ(c.FontFileNome, "skin.ttf");
  EXPECT_EQ(c, g.Comb);
}

TEST_F(GestioneDatiEsterniFile, AnUnreadableChosenFileWritesNothingAndLeavesCombAsItWas) {
  g.Comb.Nome = "Vecchia";
  g.Comb.Immagini[0] = "old picture";
  const TipoCombinazione prima = g.Comb;
  g.PercorsiImmagini[0] = Q(Scrivi("alieno.gif", "GIF89a alieno"));
  std::array<QString, NumeroSuoni> suoni;
  suoni[5] = Q(cartella / "non-esiste.wav");

  EXPECT_FALSE(ScriviCombinazione(g, "Blu", suoni));
  EXPECT_FALSE(fs::exists(cartella / "Blu.skcom"));
  EXPECT_EQ(g.Comb, prima);
  const auto box = dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].tipo, "message");
  EXPECT_EQ(box[0].testo,
            "Impossibile caricare uno o più file, controllare che il percorso inserito sia "
            "valido.");
  EXPECT_EQ(box[0].icona, Icona::Critica);
  EXPECT_EQ(box[0].titolo, Firma());
}

TEST_F(GestioneDatiEsterniFile, AFileThatCannotBeWrittenIsToldAndReported) {
  // A folder where the combination file should be: the rename over it fails.
  fs::create_directory(cartella / "Blu.skcom");
  EXPECT_FALSE(ScriviCombinazione(g, "Blu", nessunSuono));
  const auto box = dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_TRUE(box[0].testo.startsWith("Impossibile salvare la combinazione"));
  EXPECT_EQ(box[0].icona, Icona::Critica);
  EXPECT_TRUE(g.Comb.Nome.empty());
}

TEST_F(GestioneDatiEsterniFile, ANameFromAFileCannotLeadOutOfTheProgramFolder) {
  EXPECT_EQ(FileCombinazione(g, "../../evil"), cartella / ".._.._evil.skcom");
  EXPECT_EQ(FileCombinazione(g, "Città"), cartella / "Città.skcom");
}

TEST_F(GestioneDatiEsterniFile, ReadingReplacesCombWholeAndOnlyOnSuccess) {
  ASSERT_TRUE(ScriviCombinazione(g, "Blu", nessunSuono));
  TipoCombinazione salvata = g.Comb;
  g.Comb = TipoCombinazione{};
  g.Comb.Suoni[9] = "leftover";
  ASSERT_TRUE(LeggiCombinazione(g, cartella / "Blu.skcom"));
  EXPECT_EQ(g.Comb, salvata);

  const fs::path rotta = Scrivi("Rotta.skcom", "\x03\x00Ro");
  const Esito esito = LeggiCombinazione(g, rotta);
  ASSERT_FALSE(esito);
  EXPECT_NE(esito.errore().find("truncated in Nome"), std::string::npos);
  EXPECT_EQ(g.Comb, salvata);
}

TEST_F(GestioneDatiEsterniFile, RememberingDefaultNamesItsFileAndTheAudioSwitch) {
  g.AudioAttivo = false;
  ASSERT_TRUE(RicordaScelta(g, "Default"));
  const fs::path scelta = cartella / "CombinazioneScelta";
  EXPECT_EQ(LeggiFile(scelta).valore(),
            "\"" + (cartella / "Default.skcom").string() + "\"\r\n#FALSE#\r\n");

  // The old file is read-only; remembering again replaces it.
  g.AudioAttivo = true;
  ASSERT_TRUE(RicordaScelta(g, "Blu"));
  auto lettura = LeggiFileScelta(scelta);
  EXPECT_EQ(lettura.Percorso, cartella / "Blu.skcom");
  EXPECT_EQ(lettura.AudioAttivo, true);
}

TEST_F(GestioneDatiEsterniFile, DeletingRemovesTheFileAndTheReadOnlySettingsFile) {
  ASSERT_TRUE(ScriviCombinazione(g, "Blu", nessunSuono));
  ASSERT_TRUE(RicordaScelta(g, "Blu"));
  ASSERT_TRUE(VerificaEsistenza(cartella / "Blu.skcom"));

  ASSERT_TRUE(EliminaCombinazione(g, cartella / "Blu.skcom"));
  EXPECT_FALSE(VerificaEsistenza(cartella / "Blu.skcom"));
  EXPECT_FALSE(fs::exists(cartella / "CombinazioneScelta"));

  // A file that is not there is a failure the caller hears about.
  const Esito ancora = EliminaCombinazione(g, cartella / "Blu.skcom");
  ASSERT_FALSE(ancora);
  EXPECT_NE(ancora.errore().find("Blu.skcom"), std::string::npos);
}

TEST_F(GestioneDatiEsterniFile, ExistenceIsAFileAtThePathAndNeverAFailure) {
  EXPECT_FALSE(VerificaEsistenza(cartella / "Blu.skcom"));
  EXPECT_FALSE(VerificaEsistenza(cartella.percorso()));
  EXPECT_FALSE(VerificaEsistenza(""));
  EXPECT_FALSE(VerificaEsistenza(cartella / "manca" / "Blu.skcom"));
  EXPECT_FALSE(VerificaEsistenza(std::string(5000, 'x')));
  Scrivi("Blu.skcom", "x");
  EXPECT_TRUE(VerificaEsistenza(cartella / "Blu.skcom"));
}
