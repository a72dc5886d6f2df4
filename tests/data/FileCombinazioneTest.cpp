// The game's procedures over the combination and settings files: saving from the
// editor's choices, reading, remembering, deleting.
#include <gtest/gtest.h>

#include "data/FileAtomico.h"
#include "data/GestioneDatiEsterni.h"
#include "data/Impostazioni.h"
#include "support/Banco.h"

namespace fs = std::filesystem;
using namespace GestioneDatiEsterni;

namespace {

QString Q(const fs::path& p) {
  return QString::fromStdString(p.string());
}

struct GestioneDatiEsterniFile : ::testing::Test {
  GestioneDatiEsterniFile() {
    // The editor's choices for a combination "Blu" by Anna with built-in pictures.
    g.PercorsiImmagini.fill(QStringLiteral("Default"));
    g.AutoreCombinazione = QStringLiteral("Anna");
    g.Volumi.fill(-1000);
  }

  fs::path Scrivi(const std::string& nome, const std::string& byte) {
    b.Scrivi(nome, byte);
    return b.File(nome);
  }

  Banco b;
  Gioco& g = b.g;
  std::array<QString, NumeroSuoni> nessunSuono;
};

TEST_F(GestioneDatiEsterniFile, SavingReadsChosenFilesAndKeepsSlotsNamedAfterItself) {
  g.Comb.Immagini[4] = "picture of the combination being edited";
  g.Comb.Suoni[2] = "sound of the combination being edited";
  g.Comb.FontFile = "font bytes";
  g.Comb.FontFileNome = "skin.ttf";
  g.PercorsiImmagini[4] = "Blu";
  g.PercorsiImmagini[8] = Q(Scrivi("nave.png", "\x89PNG nave"));
  std::array<QString, NumeroSuoni> suoni;
  suoni[2] = "Blu";
  suoni[3] = Q(Scrivi("sparo.wav", "RIFF sparo"));
  g.PasswordCombinazione = "segreta";
  g.EditorFontGrassetto = true;

  ASSERT_TRUE(ScriviCombinazione(g, "Blu", suoni));
  auto letta = LeggiFileCombinazione(b.File("Blu.skcom"));
  ASSERT_TRUE(letta) << letta.errore();
  const TipoCombinazione& c = letta.valore();
  EXPECT_EQ(c.Immagini[4], "picture of the combination being edited");
  EXPECT_EQ(c.Immagini[8], "\x89PNG nave");
  EXPECT_EQ(c.Suoni[2], "sound of the combination being edited");
  EXPECT_EQ(c.Suoni[3], "RIFF sparo");
  EXPECT_EQ(c.Password, "segreta");
  EXPECT_TRUE(c.FontGrassetto);
  // The font file is the editor's font picker's business: saving leaves it as it is.
  EXPECT_EQ(c.FontFile, "font bytes");
  EXPECT_EQ(c.FontFileNome, "skin.ttf");
  EXPECT_EQ(c, g.Comb);
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
}

TEST_F(GestioneDatiEsterniFile, AnUnreadableChosenFileWritesNothingAndLeavesCombAsItWas) {
  g.Comb.Nome = "Vecchia";
  g.Comb.Immagini[0] = "old picture";
  const TipoCombinazione prima = g.Comb;
  g.PercorsiImmagini[0] = Q(Scrivi("alieno.gif", "GIF89a alieno"));
  std::array<QString, NumeroSuoni> suoni;
  suoni[5] = Q(b.File("non-esiste.wav"));

  EXPECT_FALSE(ScriviCombinazione(g, "Blu", suoni));
  EXPECT_FALSE(fs::exists(b.File("Blu.skcom")));
  EXPECT_EQ(g.Comb, prima);
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].testo,
            "Impossibile caricare uno o più file, controllare che il percorso inserito sia "
            "valido.");
  EXPECT_EQ(box[0].icona, Icona::Critica);
  EXPECT_EQ(box[0].titolo, Firma());
}

TEST_F(GestioneDatiEsterniFile, ANameFromAFileCannotLeadOutOfTheProgramFolder) {
  EXPECT_EQ(FileCombinazione(g, "../../evil"), b.File(".._.._evil.skcom"));
  EXPECT_EQ(FileCombinazione(g, "Città"), b.File("Città.skcom"));
}

TEST_F(GestioneDatiEsterniFile, ReadingReplacesCombWholeAndOnlyOnSuccess) {
  ASSERT_TRUE(ScriviCombinazione(g, "Blu", nessunSuono));
  TipoCombinazione salvata = g.Comb;
  g.Comb = TipoCombinazione{};
  g.Comb.Suoni[9] = "leftover";
  ASSERT_TRUE(LeggiCombinazione(g, b.File("Blu.skcom")));
  EXPECT_EQ(g.Comb, salvata);

  const Esito esito = LeggiCombinazione(g, Scrivi("Rotta.skcom", "\x03\x00Ro"));
  ASSERT_FALSE(esito);
  EXPECT_NE(esito.errore().find("truncated in Nome"), std::string::npos);
  EXPECT_EQ(g.Comb, salvata);
}

TEST_F(GestioneDatiEsterniFile, RememberingWritesTwoCrLfLinesAndReplacesTheReadOnlyOldFile) {
  g.AudioAttivo = false;
  ASSERT_TRUE(RicordaScelta(g, "Default"));
  const fs::path scelta = b.File("CombinazioneScelta");
  EXPECT_EQ(LeggiFile(scelta).valore(),
            "\"" + b.File("Default.skcom").string() + "\"\r\n#FALSE#\r\n");
  EXPECT_EQ(fs::status(scelta).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  g.AudioAttivo = true;
  ASSERT_TRUE(RicordaScelta(g, "Blu"));
  EXPECT_EQ(LeggiFile(scelta).valore(), "\"" + b.File("Blu.skcom").string() + "\"\r\n#TRUE#\r\n");
}

TEST_F(GestioneDatiEsterniFile, DeletingRemovesTheFileAndTheReadOnlySettingsFile) {
  ASSERT_TRUE(ScriviCombinazione(g, "Blu", nessunSuono));
  ASSERT_TRUE(RicordaScelta(g, "Blu"));
  ASSERT_TRUE(VerificaEsistenza(b.File("Blu.skcom")));
  EXPECT_FALSE(VerificaEsistenza(g.CartellaProgramma));  // a folder is no combination

  ASSERT_TRUE(EliminaCombinazione(g, b.File("Blu.skcom")));
  EXPECT_FALSE(VerificaEsistenza(b.File("Blu.skcom")));
  EXPECT_FALSE(fs::exists(b.File("CombinazioneScelta")));

  // A file that is not there is a failure the caller hears about.
  const Esito ancora = EliminaCombinazione(g, b.File("Blu.skcom"));
  ASSERT_FALSE(ancora);
  EXPECT_NE(ancora.errore().find("Blu.skcom"), std::string::npos);
}

}  // namespace
