// The skarvex-comb tool, run as a program the way a skin maker runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/CartellaTemporanea.h"
#include "codec/Combinazione.h"
#include "codec/FileAtomico.h"
#include "support/MediaProva.h"
#include "support/Combinazioni.h"
#include "support/File.h"

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

  // A combination with pictures, sounds and a font, each of a recognisable format and
  // within the game's budgets.
  static TipoCombinazione Completa() {
    TipoCombinazione c = CombinazioneVuota("Notte più scura");
    c.Immagini[0] = Jpeg;
    c.Immagini[13] = Bmp(10, 10) + std::string(70000, '\0');  // a 32-bit length
    c.Password = "segretissima";
    c.Suoni[0] = "ID3 music"s;
    c.Suoni[4] = Wav(1, 1, 11025, 8, 16);
    c.Volumi[4] = -250;
    c.FontFile = "\0\x01\0\0 glyphs"s;
    c.FontFileNome = "notte.ttf";
    return c;
  }

  // A 16 x 16 baseline JPEG's markers, without its scan.
  static inline const std::string Jpeg =
      "\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00\xFF\xD9"s;

  // Completa unpacked into the folder m, and a copy of its manifest there with `da`
  // replaced by `a`.
  std::string Spacchetta() {
    const std::string file = Scrivi("m.skcom", CodificaCombinazione(Completa()));
    EXPECT_EQ(Esegui({"unpack", file, Percorso("m")}).codice, 0);
    manifesto = LeggiFile(cartella / "m/manifest.json").valore();
    return file;
  }
  std::string Variante(const std::string& da, const std::string& a) {
    std::string m = manifesto;
    m.replace(m.find(da), da.size(), a);
    return Scrivi("m/variante" + std::to_string(++varianti) + ".json", m);
  }

  // Exit 1 and one line on standard error that names the program.
  static void FallisceConUnaRiga(const Esecuzione& e, const std::string& caso) {
    EXPECT_EQ(e.codice, 1) << caso;
    EXPECT_EQ(e.errori.find('\n'), e.errori.size() - 1) << caso << " -> " << e.errori;
    EXPECT_EQ(e.errori.rfind("skarvex-comb: ", 0), 0u) << caso << " -> " << e.errori;
  }

  CartellaTemporanea cartella;
  std::string manifesto;
  int varianti = 0;
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
        "Immagini(0) Alieno 1: 17 bytes, JPG\n", "Immagini(1) Alieno 2: Default\n",
        "Suoni(0) Motivo: 9 bytes, MP3, volume -1000\n",
        "Suoni(4) Esplosione I° fila: 60 bytes, WAV, volume -250\n",
        "Suoni(15) Arrivo alieni: empty, volume -1000\n", "FontFile: 11 bytes, TTF\n",
        "FontFileNome: notte.ttf\n"})
    EXPECT_NE(e.uscita.find(riga), std::string::npos) << riga;
  EXPECT_EQ(e.uscita.find("segretissima"), std::string::npos);
  EXPECT_EQ(Esegui({"check", file}).codice, 0);
}

TEST_F(SkarvexComb, BadArgumentsAndUnreadableInputsGiveOneLineAndANonZeroExit) {
  const std::string giusto = Spacchetta();

  const std::vector<std::vector<std::string>> casi = {
      {},
      {"explode", giusto},
      {"info", Percorso("manca.skcom")},
      {"unpack", giusto, giusto + "/sotto"},  // a file where a folder should be
      {"pack", Scrivi("rotto.json", "{ \"Nome\": "), Percorso("o.skcom")},
      {"pack", Variante("\"Autore\"", "\"Autor\""), Percorso("o.skcom")},
      {"pack", Variante("aud4.wav", "nessuno.wav"), Percorso("o.skcom")},
      {"pack", Variante("\"Default\",", ""), Percorso("o.skcom")},
      {"pack", Percorso("m/manifest.json"), Percorso("manca/o.skcom")},
  };
  for (const auto& argomenti : casi) {
    const Esecuzione e = Esegui(argomenti);
    std::string comando;
    for (const auto& a : argomenti) comando += a + " ";
    EXPECT_NE(e.codice, 0) << comando;
    EXPECT_EQ(e.errori.find('\n'), e.errori.size() - 1) << comando << "-> " << e.errori;
    EXPECT_EQ(e.errori.rfind("skarvex-comb: ", 0), 0u) << e.errori;
  }
  EXPECT_FALSE(fs::exists(cartella / "o.skcom"));

  // check tells why a file does not read whole, with exit code 1.
  const Esecuzione rotta =
      Esegui({"check", Scrivi("rotta.skcom", CodificaCombinazione(Completa()).substr(0, 37))});
  EXPECT_EQ(rotta.codice, 1);
  EXPECT_NE(rotta.errori.find("truncated in Immagini(1) at offset 36"), std::string::npos)
      << rotta.errori;
}

TEST_F(SkarvexComb, UnpackReplacesNothingInTheFolderUnlessForced) {
  const std::string file = Scrivi("n.skcom", CodificaCombinazione(Completa()));
  // A file of the same name, and a link (dangling, so that nothing but the link's
  // own name says it is there) that would lead the write outside the folder.
  fs::create_directories(cartella / "con file");
  ScriviTutto(cartella / "con file/img13.bmp", "mine");
  fs::create_directories(cartella / "con link");
  fs::create_symlink(cartella / "fuori.json", cartella / "con link/manifest.json");

  for (const std::string& nome : {"con file"s, "con link"s}) {
    const fs::path uscita = cartella / nome;
    const auto prima = ContenutoCartella(uscita);
    const Esecuzione e = Esegui({"unpack", file, uscita.string()});
    FallisceConUnaRiga(e, nome);
    EXPECT_NE(e.errori.find("already exists"), std::string::npos) << e.errori;
    EXPECT_EQ(ContenutoCartella(uscita), prima) << nome;

    // --force, wherever it stands, replaces the names themselves, links included.
    const Esecuzione forzata = Esegui({"unpack", "--force", file, uscita.string()});
    ASSERT_EQ(forzata.codice, 0) << forzata.errori;
    EXPECT_EQ(LeggiFile(uscita / "img13.bmp").valore(), Completa().Immagini[13]);
    EXPECT_FALSE(fs::is_symlink(uscita / "manifest.json"));
  }
  EXPECT_FALSE(fs::exists(cartella / "fuori.json"));
}

TEST_F(SkarvexComb, PackReadsOnlyFilesInsideTheManifestsFolder) {
  Spacchetta();
  const std::string segreto = Scrivi("segreto.wav", Wav(1, 1, 8000, 8, 100));
  fs::create_symlink(segreto, cartella / "m/link.wav");
  fs::create_symlink(cartella.percorso(), cartella / "m/su");
  fs::create_symlink("aud4.wav", cartella / "m/dentro.wav");

  for (const std::string& percorso : {"../segreto.wav"s, segreto, "link.wav"s, "su/segreto.wav"s}) {
    const Esecuzione e = Esegui({"pack", Variante("aud4.wav", percorso), Percorso("o.skcom")});
    FallisceConUnaRiga(e, percorso);
    EXPECT_NE(e.errori.find("\"Suoni(4)\": \"" + percorso + "\""), std::string::npos) << e.errori;
    EXPECT_FALSE(fs::exists(cartella / "o.skcom")) << percorso;
  }

  // A link that stays inside is fine, and so is a folder reached through a link.
  fs::create_symlink(cartella / "m", cartella / "alias");
  const std::string dentro = Variante("aud4.wav", "dentro.wav");
  const Esecuzione e = Esegui(
      {"pack", Percorso("alias/" + fs::path(dentro).filename().string()), Percorso("o.skcom")});
  ASSERT_EQ(e.codice, 0) << e.errori;
  EXPECT_EQ(LeggiFile(cartella / "o.skcom").valore(), CodificaCombinazione(Completa()));
}

TEST_F(SkarvexComb, CheckAndInfoNameEverySlotTheGameWouldRefuse) {
  TipoCombinazione c = Completa();
  c.Immagini[13] = Bmp(20000, 20000);
  // 4000 samples at 10 Hz are 400 seconds: far past an effect's budget once converted.
  c.Suoni[4] = Wav(1, 1, 10, 8, 4000);
  const std::string file = Scrivi("pesante.skcom", CodificaCombinazione(c));

  const Esecuzione e = Esegui({"check", file});
  EXPECT_EQ(e.codice, 1);
  EXPECT_EQ(e.uscita, "");
  EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 2) << e.errori;
  for (const char* slot : {": Immagini(13) SFONDO: ", ": Suoni(4) Esplosione I° fila: "})
    EXPECT_NE(e.errori.find(file + slot), std::string::npos) << slot << " in " << e.errori;

  const Esecuzione info = Esegui({"info", file});
  ASSERT_EQ(info.codice, 0) << info.errori;
  EXPECT_NE(info.uscita.find("Immagini(13) SFONDO: 54 bytes, BMP, refused: "), std::string::npos)
      << info.uscita;
}
