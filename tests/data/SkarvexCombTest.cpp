// The skarvex-comb tool, run as a program the way a skin maker runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "data/CartellaTemporanea.h"
#include "data/Combinazione.h"
#include "data/FileAtomico.h"
#include "support/Combinazioni.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

struct Esecuzione {
  int codice = -1;
  std::string uscita;
  std::string errori;
};

class SkarvexComb : public ::testing::Test {
 protected:
  Esecuzione Esegui(const std::vector<std::string>& argomenti) {
    std::string comando = "'" SKARVEX_COMB "'";
    for (const std::string& a : argomenti) comando += " '" + a + "'";
    comando += " >'" + (cartella / "out").string() + "' 2>'" + (cartella / "err").string() + "'";
    const int stato = std::system(comando.c_str());
    Esecuzione e;
    e.codice = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    e.uscita = LeggiFile(cartella / "out").valore();
    e.errori = LeggiFile(cartella / "err").valore();
    return e;
  }

  std::string Percorso(const std::string& nome) { return (cartella / nome).string(); }

  std::string Scrivi(const std::string& nome, const std::string& byte) {
    EXPECT_TRUE(ScriviFileAtomico(cartella / nome, byte));
    return Percorso(nome);
  }

  // A combination with pictures, sounds and a font, each of a recognisable format.
  static TipoCombinazione Completa() {
    TipoCombinazione c = CombinazioneVuota("Notte più scura");
    c.Immagini[0] = "\xFF\xD8\xFF\xE0 alien"s;
    c.Immagini[13] = "BM" + std::string(70000, '\0');  // a 32-bit length
    c.Password = "segretissima";
    c.Suoni[0] = "ID3 music"s;
    c.Suoni[4] = "RIFF\x10\0\0\0WAVEfmt boom"s;
    c.Volumi[4] = -250;
    c.FontFile = "\0\x01\0\0 glyphs"s;
    c.FontFileNome = "notte.ttf";
    return c;
  }

  CartellaTemporanea cartella;
};

}  // namespace

TEST_F(SkarvexComb, PackOfWhatUnpackWroteGivesBackTheSameBytes) {
  const std::string originale = CodificaCombinazione(Completa());
  const std::string file = Scrivi("Notte.skcom", originale);
  const Esecuzione spacchetta = Esegui({"unpack", file, Percorso("nuova/cartella")});
  ASSERT_EQ(spacchetta.codice, 0) << spacchetta.errori;
  EXPECT_EQ(spacchetta.errori, "");

  // One file per non-empty slot, named by slot and format; the font under its own name.
  std::vector<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella / "nuova/cartella"))
    nomi.push_back(voce.path().filename().string());
  std::sort(nomi.begin(), nomi.end());
  EXPECT_EQ(nomi, (std::vector<std::string>{"aud0.mp3", "aud4.wav", "img0.jpg", "img13.bmp",
                                            "manifest.json", "notte.ttf"}));
  EXPECT_EQ(LeggiFile(cartella / "nuova/cartella/aud4.wav").valore(), Completa().Suoni[4]);

  const Esecuzione impacchetta =
      Esegui({"pack", Percorso("nuova/cartella/manifest.json"), Percorso("di nuovo.skcom")});
  ASSERT_EQ(impacchetta.codice, 0) << impacchetta.errori;
  EXPECT_EQ(LeggiFile(cartella / "di nuovo.skcom").valore(), originale);
}

TEST_F(SkarvexComb, UnpackKeepsAFontNameOnlyWhenItIsABareNameOfItsOwn) {
  for (const std::string& nome : {"../../fuori.ttf"s, "manifest.json"s, "IMG0.JPG"s}) {
    TipoCombinazione c = Completa();
    c.FontFileNome = nome;
    const std::string cartellaUscita = Percorso("u" + std::to_string(nome.size()));
    const Esecuzione e =
        Esegui({"unpack", Scrivi("f.skcom", CodificaCombinazione(c)), cartellaUscita});
    ASSERT_EQ(e.codice, 0) << e.errori;
    EXPECT_TRUE(fs::exists(fs::path(cartellaUscita) / "FontFile.ttf")) << nome;
    EXPECT_FALSE(fs::exists(cartella / "fuori.ttf"));
  }
}

TEST_F(SkarvexComb, InfoShowsEverySlotButNeverThePasswordAndCheckPassesTheWholeFile) {
  const std::string file = Scrivi("n.skcom", CodificaCombinazione(Completa()));
  const Esecuzione e = Esegui({"info", file});
  ASSERT_EQ(e.codice, 0) << e.errori;
  for (const char* riga :
       {"Nome: Notte più scura\n", "Autore: Anna\n", "Protected: yes, with a password\n",
        "Immagini(0) Alieno 1: 10 bytes, JPG\n", "Immagini(1) Alieno 2: Default\n",
        "Suoni(0) Motivo: 9 bytes, MP3, volume -1000\n",
        "Suoni(4) Esplosione I° fila: 20 bytes, WAV, volume -250\n",
        "Suoni(15) Arrivo alieni: empty, volume -1000\n", "FontFile: 11 bytes, TTF\n",
        "FontFileNome: notte.ttf\n"})
    EXPECT_NE(e.uscita.find(riga), std::string::npos) << riga;
  EXPECT_EQ(e.uscita.find("segretissima"), std::string::npos);
  EXPECT_EQ(Esegui({"check", file}).codice, 0);
}

TEST_F(SkarvexComb, BadArgumentsAndUnreadableInputsGiveOneLineAndANonZeroExit) {
  const std::string manca = Percorso("manca.skcom");
  const std::string giusto = Scrivi("m.skcom", CodificaCombinazione(Completa()));
  ASSERT_EQ(Esegui({"unpack", giusto, Percorso("m")}).codice, 0);
  const std::string manifesto = LeggiFile(cartella / "m/manifest.json").valore();
  int varianti = 0;
  const auto sostituisci = [&](const std::string& da, const std::string& a) {
    std::string m = manifesto;
    m.replace(m.find(da), da.size(), a);
    return Scrivi("m/variante" + std::to_string(++varianti) + ".json", m);
  };

  const std::vector<std::vector<std::string>> casi = {
      {},
      {"explode", giusto},
      {"info", manca},
      {"unpack", giusto, giusto + "/sotto"},  // a file where a folder should be
      {"pack", Scrivi("rotto.json", "{ \"Nome\": "), Percorso("o.skcom")},
      {"pack", sostituisci("\"Autore\"", "\"Autor\""), Percorso("o.skcom")},
      {"pack", sostituisci("aud4.wav", "nessuno.wav"), Percorso("o.skcom")},
      {"pack", sostituisci("\"Default\",", ""), Percorso("o.skcom")},
      {"pack", Percorso("m/manifest.json"), Percorso("manca/o.skcom")},
  };
  for (const auto& argomenti : casi) {
    const Esecuzione e = Esegui(argomenti);
    std::string comando;
    for (const auto& a : argomenti) comando += a + " ";
    EXPECT_NE(e.codice, 0) << comando;
    // One line, naming the program.
    EXPECT_EQ(e.errori.find('\n'), e.errori.size() - 1) << comando << "-> " << e.errori;
    EXPECT_EQ(e.errori.rfind("skarvex-comb: ", 0), 0u) << e.errori;
  }
  EXPECT_FALSE(fs::exists(cartella / "o.skcom"));

  // check tells why a file does not read whole, with exit code 1.
  const Esecuzione rotta =
      Esegui({"check", Scrivi("rotta.skcom", CodificaCombinazione(Completa()).substr(0, 30))});
  EXPECT_EQ(rotta.codice, 1);
  EXPECT_NE(rotta.errori.find("truncated in Immagini(1) at offset 29"), std::string::npos)
      << rotta.errori;
}
