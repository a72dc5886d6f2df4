// The game's procedures over the combination and settings files (saving and deleting
// are the editor's tests).
#include <gtest/gtest.h>

#include "codec/FileAtomico.h"
#include "combinations/GestioneDatiEsterni.h"
#include "codec/Impostazioni.h"
#include "support/Banco.h"

namespace fs = std::filesystem;
using namespace GestioneDatiEsterni;

namespace {

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

// The name stored inside a combination made elsewhere becomes a file name when the
// editor saves it or the game remembers it: one that isn't a plain, visible name of
// the program folder is refused, with nothing written.
TEST_F(GestioneDatiEsterniFile, ANameThatIsNotAPlainFileNameNeverBecomesAPath) {
  EXPECT_EQ(FileCombinazione(g, "Città"), b.File("Città.skcom"));
  for (const char* nome : {"../../evil", "a/b", ".nascosta", "a\\b", "a\nb", ""}) {
    EXPECT_FALSE(FileCombinazione(g, nome)) << nome;
    EXPECT_FALSE(RicordaScelta(g, nome)) << nome;
    EXPECT_FALSE(ScriviCombinazione(g, nome, nessunSuono)) << nome;
    const auto box = b.dialoghi.PrendiBox();
    ASSERT_EQ(box.size(), 1u) << nome;
    EXPECT_EQ(box[0].testo, "Il nome contiene caratteri non validi");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(b.Percorso()), fs::directory_iterator()), 0);
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

}  // namespace
