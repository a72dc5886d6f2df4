// The skarvex-comb tool, run as a program the way a skin maker runs it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/CartellaTemporanea.h"
#include "codec/Combinazione.h"
#include "codec/FileAtomico.h"
#include "support/MediaProva.h"
#include "support/Combinazioni.h"
#include "support/File.h"
#include "support/GuastoDecodifica.h"
#include "support/Png.h"

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::HasSubstr;

namespace {

struct Esecuzione {
  int codice = -1;
  std::string uscita, errori;
};

class SkarvexComb : public ::testing::Test {
 protected:
  // `prima`: what the shell line starts with, such as variables for the environment.
  Esecuzione Esegui(const std::vector<std::string>& argomenti, const std::string& prima = "",
                    const std::string& eseguibile = SKARVEX_COMB) {
    std::string comando = prima + "'" + eseguibile + "'";
    for (const std::string& a : argomenti) comando += " '" + a + "'";
    comando += " >'" + (cartella / "out").string() + "' 2>'" + (cartella / "err").string() + "'";
    const int stato = std::system(comando.c_str());
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, LeggiFile(cartella / "out").valore(),
            LeggiFile(cartella / "err").valore()};
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
    c.Immagini[0] = CodificaImmagine(TintaUnita(Qt::gray, {16, 16}), "jpeg");
    c.Immagini[13] = Bmp(10, 10) + std::string(70000, '\0');  // a 32-bit length
    c.Password = "segretissima";
    c.Suoni[0] = "ID3 music"s;
    c.Suoni[4] = Wav(1, 1, 11025, 8, 16);
    c.Volumi[4] = -250;
    c.FontFile = "\0\x01\0\0 glyphs"s;
    c.FontFileNome = "notte.ttf";
    return c;
  }

  // Completa unpacked into the folder m, and a copy of its manifest there with `da`
  // replaced by `a`.
  std::string Spacchetta() {
    const std::string file = Scrivi("m.skcom", CodificaCombinazione(Completa()));
    const Esecuzione e = Esegui({"unpack", file, Percorso("m")});
    EXPECT_EQ(std::pair(e.codice, e.errori), std::pair(0, ""s));
    manifesto = LeggiFile(cartella / "m/manifest.json").valore();
    return file;
  }
  std::string Variante(const std::string& da, const std::string& a) {
    std::string m = manifesto;
    m.replace(m.find(da), da.size(), a);
    return Scrivi("m/variante" + std::to_string(++varianti) + ".json", m);
  }

  // Exit `codice` (1: a file it cannot use, 2: a mistake in the arguments) and one
  // line on standard error that names the program.
  static void FallisceConUnaRiga(const Esecuzione& e, const std::string& caso, int codice = 1) {
    EXPECT_EQ(e.codice, codice) << caso;
    EXPECT_EQ(e.errori.find('\n'), e.errori.size() - 1) << caso << " -> " << e.errori;
    EXPECT_EQ(e.errori.rfind("skarvex-comb: ", 0), 0u) << caso << " -> " << e.errori;
  }

  // install into the folder prog, from a home of its own whose trash takes what --force
  // replaces.
  Esecuzione Installa(std::vector<std::string> argomenti, const std::string& prima = "") {
    fs::create_directories(prog);
    argomenti.insert(argomenti.begin(), {"install", "--program-folder", prog.string()});
    return Esegui(argomenti, prima + "HOME='" + Percorso("casa") + "' XDG_DATA_HOME='" +
                                 Percorso("dati") + "' ");
  }

  CartellaTemporanea cartella;
  const fs::path prog = cartella / "prog";
  std::string manifesto;
  int varianti = 0;
};

}  // namespace

TEST_F(SkarvexComb, PackOfWhatUnpackWroteGivesBackTheSameBytes) {
  Spacchetta();
  // One file per non-empty slot, named by slot and format; the font under its own name.
  std::vector<std::string> nomi;
  for (const auto& [nome, byte] : ContenutoCartella(cartella / "m")) nomi.push_back(nome);
  EXPECT_EQ(nomi, (std::vector<std::string>{"aud0.mp3", "aud4.wav", "img0.jpg", "img13.bmp",
                                            "manifest.json", "notte.ttf"}));
  EXPECT_EQ(LeggiFile(cartella / "m/aud4.wav").valore(), Completa().Suoni[4]);

  const Esecuzione e = Esegui({"pack", Percorso("m/manifest.json"), Percorso("di nuovo.skcom")});
  ASSERT_EQ(e.codice, 0) << e.errori;
  EXPECT_EQ(LeggiFile(cartella / "di nuovo.skcom").valore(), CodificaCombinazione(Completa()));
}

TEST_F(SkarvexComb, UnpackKeepsAFontNameOnlyWhenItIsABareNameOfItsOwn) {
  for (const std::string& nome : {"../../fuori.ttf"s, "manifest.json"s, "IMG0.JPG"s}) {
    TipoCombinazione c = Completa();
    c.FontFileNome = nome;
    // Into a folder that is made with its parent.
    const std::string cartellaUscita = Percorso("u/" + std::to_string(nome.size()));
    const Esecuzione e =
        Esegui({"unpack", Scrivi("f.skcom", CodificaCombinazione(c)), cartellaUscita});
    ASSERT_EQ(e.codice, 0) << e.errori;
    EXPECT_TRUE(fs::exists(fs::path(cartellaUscita) / "FontFile.ttf")) << nome;
    EXPECT_FALSE(fs::exists(cartella / "fuori.ttf"));
  }
}

TEST_F(SkarvexComb, BadArgumentsAndUnreadableInputsGiveOneLineAndANonZeroExit) {
  const std::string giusto = Spacchetta();

  // Inputs it cannot use, then arguments a command does not take: a mistake (exit 2),
  // never ignored.
  const std::vector<std::pair<int, std::vector<std::string>>> casi = {
      {1, {"info", Percorso("manca.skcom")}},
      {1, {"unpack", giusto, giusto + "/sotto"}},  // a file where a folder should be
      {1, {"pack", Scrivi("rotto.json", "{ \"Nome\": "), Percorso("o.skcom")}},
      {1, {"pack", Variante("\"Autore\"", "\"Autor\""), Percorso("o.skcom")}},
      {1, {"pack", Variante("aud4.wav", "nessuno.wav"), Percorso("o.skcom")}},
      {1, {"pack", Variante("\"Default\",", ""), Percorso("o.skcom")}},
      {1, {"pack", Percorso("m/manifest.json"), Percorso("manca/o.skcom")}},
      {2, {}},
      {2, {"explode", giusto}},
      {2, {"install"}},
      {2, {"install", "--program-folder", Percorso("manca"), giusto}},
      {2, {"install", giusto, "--program-folder"}},
      {2, {"install", "--json", "--program-folder", cartella.percorso().string(), giusto}},
      {2, {"install", "--forse", "--program-folder", cartella.percorso().string(), giusto}},
      {2, {"info", "--force", giusto}},
      {2, {"check", "--program-folder=" + cartella.percorso().string(), giusto}},
  };
  for (const auto& [codice, argomenti] : casi)
    FallisceConUnaRiga(Esegui(argomenti), testing::PrintToString(argomenti), codice);
  EXPECT_FALSE(fs::exists(cartella / "o.skcom"));
  EXPECT_FALSE(fs::exists(cartella / "Notte più scura.skcom"));

  // info --json says why as JSON too, for a script that reads only the output.
  const Esecuzione json = Esegui({"info", "--json", Scrivi("corta.skcom", "\x03\x00ab")});
  FallisceConUnaRiga(json, "info --json");
  const QJsonObject errore =
      QJsonDocument::fromJson(QByteArray::fromStdString(json.uscita)).object();
  EXPECT_EQ(errore.keys(), QStringList{"error"}) << json.uscita;
  EXPECT_THAT(json.errori, HasSubstr(errore["error"].toString().toStdString()));

  // check tells why a file does not read whole, with exit code 1.
  const Esecuzione rotta =
      Esegui({"check", Scrivi("rotta.skcom", CodificaCombinazione(Completa()).substr(0, 37))});
  EXPECT_EQ(rotta.codice, 1);
  EXPECT_THAT(rotta.errori, HasSubstr("truncated in Immagini(0) at offset 19"));
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
    EXPECT_THAT(e.errori, HasSubstr("already exists"));
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
    EXPECT_THAT(e.errori, HasSubstr("\"Suoni(4)\": \"" + percorso + "\""));
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

TEST_F(SkarvexComb, InstallCopiesWhatTheGameTakesUnderItsStoredNameAndReplacesOnlyWhenForced) {
  const std::string blu = CodificaCombinazione(CombinazioneVuota("Blu"));
  // A file renamed on the way goes in under the name stored in it.
  const std::string notte = CodificaCombinazione(Completa()) + "surplus";
  const Esecuzione e = Installa({Scrivi("Blu.skcom", blu), Scrivi("ricevuta.skcom", notte)});
  ASSERT_EQ(e.codice, 0) << e.errori;
  EXPECT_EQ(e.uscita, Percorso("Blu.skcom") + ": installed as " + (prog / "Blu.skcom").string() +
                          "\n" + Percorso("ricevuta.skcom") + ": installed as " +
                          (prog / "Notte più scura.skcom").string() + ", the name stored in it\n");
  EXPECT_EQ(ContenutoCartella(prog), (std::map<std::string, std::string>{
                                         {"Blu.skcom", blu}, {"Notte più scura.skcom", notte}}));

  // The same bytes again are already installed.
  const Esecuzione ancora = Installa({Percorso("Blu.skcom")});
  EXPECT_EQ(ancora.codice, 0) << ancora.errori;
  EXPECT_THAT(ancora.uscita, HasSubstr("already installed"));

  // Each refusal is one line saying why, and nothing of it reaches the folder; the files
  // beside a refused one are still installed. (What is refused, and why, is the
  // installation's own test; check shows the game's verdicts on slots and cut files.)
  TipoCombinazione altraBlu = CombinazioneVuota("Blu");
  altraBlu.Autore = "Bruno";
  ScriviTutto(cartella / "fuori.skcom", "di qualcun altro");
  fs::create_symlink(cartella / "fuori.skcom", prog / "Link.skcom");
  fs::create_directories(cartella / "casa");
  const std::vector<std::pair<std::string, std::string>> rifiutati = {
      {Scrivi("Blu2.skcom", CodificaCombinazione(altraBlu)), "use --force"},
      {Scrivi("Link.skcom", CodificaCombinazione(CombinazioneVuota("Link"))), "use --force"},
      {Scrivi("h.skcom", CodificaCombinazione(CombinazioneVuota(".nascosta"))), "file name"},
  };
  const auto prima = ContenutoCartella(prog);
  std::vector<std::string> file = {
      Scrivi("Verde.skcom", CodificaCombinazione(CombinazioneVuota("Verde")))};
  for (const auto& [f, perche] : rifiutati) file.push_back(f);
  const Esecuzione r = Installa(file);
  EXPECT_EQ(r.codice, 1);
  EXPECT_EQ(std::count(r.errori.begin(), r.errori.end(), '\n'), static_cast<long>(rifiutati.size()))
      << r.errori;
  for (const auto& [f, perche] : rifiutati) {
    EXPECT_THAT(r.errori, HasSubstr("skarvex-comb: " + f + ": not installed"));
    EXPECT_THAT(r.errori, HasSubstr(perche));
  }
  auto dopo = ContenutoCartella(prog);
  EXPECT_EQ(dopo.erase("Verde.skcom"), 1u);
  EXPECT_EQ(dopo, prima);
  EXPECT_EQ(LeggiTutto(cartella / "fuori.skcom"), "di qualcun altro");

  // --force replaces the file, and a link by a file, never what it points to; what they
  // replace goes to the trash.
  const Esecuzione forzata = Installa({"--force", Percorso("Blu2.skcom"), Percorso("Link.skcom")});
  ASSERT_EQ(forzata.codice, 0) << forzata.errori;
  EXPECT_THAT(forzata.uscita, HasSubstr("installed, replacing " + (prog / "Blu.skcom").string()));
  EXPECT_EQ(LeggiFile(prog / "Blu.skcom").valore(), CodificaCombinazione(altraBlu));
  EXPECT_FALSE(fs::is_symlink(prog / "Link.skcom"));
  EXPECT_EQ(LeggiTutto(cartella / "fuori.skcom"), "di qualcun altro");
  EXPECT_EQ(LeggiTutto(cartella / "dati/Trash/files/Blu.skcom"), blu);
  EXPECT_TRUE(fs::is_symlink(cartella / "dati/Trash/files/Link.skcom"));
}

// The tool finds the picture decoder beside itself or, installed, in libexec/skarvex
// beside its bin folder; without it each picture is refused, saying so, and a preview
// is still drawn with the built-in pictures. Installed, and without --program-folder, it
// installs into the game's per-user folder. (Every rule of that choice is the program
// folder's own test.)
TEST_F(SkarvexComb, AnInstalledToolFindsTheDecoderInLibexecAndInstallsIntoTheGamesFolder) {
  TipoCombinazione c = CombinazioneVuota("Cercata");
  c.Immagini[8] = Png(Qt::green);
  const std::string file = Scrivi("c.skcom", CodificaCombinazione(c));
  const struct {
    std::string bin, decoder;  // the folders of the tool and of its decoder
  } casi[] = {{"portatile", "portatile"}, {"usr/bin", "usr/libexec/skarvex"}, {"solo/bin", ""}};
  for (const auto& caso : casi) {
    fs::create_directories(cartella / caso.bin);
    const std::string tool = (cartella / caso.bin / "skarvex-comb").string();
    fs::copy_file(SKARVEX_COMB, tool);
    if (!caso.decoder.empty()) {
      fs::create_directories(cartella / caso.decoder);
      fs::copy_file(SKARVEX_DECODIFICATORE, cartella / caso.decoder / "skarvex-decodifica");
    }
    const Esecuzione e = Esegui({"check", file}, "", tool);
    EXPECT_EQ(e.codice, caso.decoder.empty() ? 1 : 0) << caso.bin << ": " << e.errori;
    if (caso.decoder.empty()) {
      EXPECT_EQ(e.errori, "skarvex-comb: " + file +
                              ": Immagini(8) Navicella: the picture decoder, skarvex-decodifica, "
                              "is missing or cannot run\n");
      EXPECT_EQ(Esegui({"thumbnail", file, Percorso("c.png"), "64"}, "", tool).codice, 0);
    }
  }
  fs::create_directories(cartella / "usr/share/applications");
  ScriviTutto(cartella / "usr/share/applications" / SKARVEX_ID_APPLICAZIONE ".desktop", "");
  const Esecuzione e = Esegui({"install", file}, "XDG_DATA_HOME='" + Percorso("dati") + "' ",
                              Percorso("usr/bin/skarvex-comb"));
  ASSERT_EQ(e.codice, 0) << e.errori;
  EXPECT_TRUE(fs::exists(cartella / "dati/skarvex/Cercata.skcom")) << e.uscita;
}

TEST_F(SkarvexComb, InfoShowsEverySlotButNeverThePasswordAndCheckNamesEachRefusedSlot) {
  TipoCombinazione c = Completa();
  c.Autore = "\"Anna\" \\ à\x01";
  c.Immagini[13] = Bmp(20000, 20000);
  // 4000 samples at 10 Hz are 400 seconds: far past an effect's budget once converted.
  c.Suoni[5] = Wav(1, 1, 10, 8, 4000);
  const std::string file = Scrivi("n.skcom", CodificaCombinazione(c));
  const Esecuzione e = Esegui({"info", file});
  ASSERT_EQ(e.codice, 0) << e.errori;
  for (const std::string& riga : std::vector<std::string>{
           "Nome: Notte più scura\n", "Autore: \"Anna\" \\ à", "Protected: yes, with a password\n",
           "Immagini(0) Alieno 1: " + std::to_string(c.Immagini[0].size()) + " bytes, JPG\n",
           "Immagini(1) Alieno 2: Default\n", "Immagini(13) SFONDO: 55 bytes, BMP, refused: ",
           "Suoni(0) Motivo: 9 bytes, MP3, volume -1000\n",
           "Suoni(4) Esplosione I° fila: 60 bytes, WAV, volume -250\n",
           "Suoni(15) Arrivo alieni: empty, volume -1000\n", "FontFile: 11 bytes, TTF\n",
           "FontFileNome: notte.ttf\n"})
    EXPECT_THAT(e.uscita, HasSubstr(riga));

  // --json says the same as one object: a slot's fields are shown on one sound, the
  // escaping on the author, the rest by the slots that read differently.
  const Esecuzione json = Esegui({"info", "--json", file});
  ASSERT_EQ(json.codice, 0) << json.errori;
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json.uscita)).object();
  EXPECT_EQ(o["Autore"].toString().toStdString(), c.Autore) << json.uscita;
  EXPECT_EQ(o["Protected"], QJsonValue(true));
  EXPECT_EQ(o["Immagini"][1]["content"], QJsonValue("Default"));
  EXPECT_TRUE(o["Immagini"][13]["refused"].isString());
  EXPECT_EQ(o["Suoni"][4].toObject(), (QJsonObject{{"slot", 4},
                                                   {"name", "Esplosione I° fila"},
                                                   {"content", "data"},
                                                   {"bytes", 60},
                                                   {"format", "WAV"},
                                                   {"volume", -250}}));
  EXPECT_EQ(o["Suoni"][15]["content"], QJsonValue("empty"));
  EXPECT_THAT(e.uscita + json.uscita, testing::Not(HasSubstr("segretissima")));

  // check reads the whole file and names, one a line, each slot the game would refuse.
  const Esecuzione verifica = Esegui({"check", file});
  EXPECT_EQ(verifica.codice, 1);
  EXPECT_EQ(verifica.uscita, "");
  EXPECT_EQ(std::count(verifica.errori.begin(), verifica.errori.end(), '\n'), 2) << verifica.errori;
  for (const char* slot : {": Immagini(13) SFONDO: ", ": Suoni(5) Esplosione II° fila: "})
    EXPECT_THAT(verifica.errori, HasSubstr(file + slot));
  EXPECT_EQ(Esegui({"check", Scrivi("c.skcom", CodificaCombinazione(Completa()))}).codice, 0);
}

TEST_F(SkarvexComb, ThumbnailDrawsTheFieldWithTheCombinationsOwnAndBuiltInPictures) {
  TipoCombinazione c = CombinazioneVuota("Anteprima");
  const QColor sfondo(200, 30, 60), cannone(0, 220, 40);
  c.Immagini[13] = Png(sfondo, {794, 548});
  c.Immagini[8] = Png(cannone);
  c.Immagini[0] = Bmp(20000, 20000);  // refused: the built-in alien stands in for it
  const std::string file = Scrivi("a.skcom", CodificaCombinazione(c));

  // SIZE is the width, held to 16..1024; the height keeps the field's 794 x 548. The
  // last one's picture is looked at closely.
  const std::vector<std::pair<std::string, int>> larghezze = {
      {"3", 16}, {"5000", 1024}, {"99999999999999", 1024}, {"256", 256}};
  QImage anteprima;
  for (const auto& [chiesta, larghezza] : larghezze) {
    const Esecuzione e = Esegui({"thumbnail", file, Percorso("a.png"), chiesta});
    ASSERT_EQ(e.codice, 0) << chiesta << " -> " << e.errori;
    ASSERT_TRUE(anteprima.load(QString::fromStdString(Percorso("a.png")), "PNG")) << chiesta;
    EXPECT_EQ(anteprima.width(), larghezza) << chiesta;
    EXPECT_EQ(anteprima.height(), std::lround(548.0 * larghezza / 794)) << chiesta;
  }
  EXPECT_EQ(anteprima.pixelColor(0, 0), sfondo);
  // The cannon's own picture where the cannon starts, at the bottom in the middle.
  EXPECT_EQ(anteprima.pixelColor(128, 165), cannone);
  // The built-in aliens and bricks over the background.
  std::set<QRgb> colori;
  for (int y = 0; y < anteprima.height(); ++y)
    for (int x = 0; x < anteprima.width(); ++x) colori.insert(anteprima.pixel(x, y));
  EXPECT_GT(colori.size(), 10u);
}

TEST_F(SkarvexComb, ThumbnailWritesNothingForAnUnreadableFileAndNeverThroughALink) {
  const std::string file = Scrivi("a.skcom", CodificaCombinazione(CombinazioneVuota("A")));
  const std::string png = Percorso("a.png");
  for (const std::string& rotta : {Scrivi("nulla.skcom", ""), Percorso("manca.skcom")})
    FallisceConUnaRiga(Esegui({"thumbnail", rotta, png, "128"}), rotta);
  for (const char* dimensione : {"0", "-4", "abc", "12px", "", "+8"})
    FallisceConUnaRiga(Esegui({"thumbnail", file, png, dimensione}), dimensione, 2);
  FallisceConUnaRiga(Esegui({"thumbnail", file, png}), "no SIZE", 2);
  EXPECT_FALSE(fs::exists(png));

  // A link is refused as it is, and what it points to stays.
  const std::string bersaglio = Scrivi("bersaglio", "di qualcun altro");
  fs::create_symlink(bersaglio, png);
  FallisceConUnaRiga(Esegui({"thumbnail", file, png, "64"}), "link");
  EXPECT_EQ(LeggiFile(bersaglio).valore(), "di qualcun altro");
  EXPECT_TRUE(fs::is_symlink(png));
}

// The two ways file managers call a thumbnailer. Xfce's makes the output file and reads
// the picture back through the handle it keeps open; GNOME's runs it in a sandbox with no
// runtime folder and a home it cannot write, and names an output file that does not
// exist yet, which may be long. Neither finds anything left in the temporary folder.
TEST_F(SkarvexComb, ThumbnailWritesIntoTheOutputAsEitherFileManagerLeavesIt) {
  const std::string file = Scrivi("a.skcom", CodificaCombinazione(CombinazioneVuota("A")));
  const fs::path temporanea = cartella / "tmp", runtime = cartella / "run";
  fs::create_directories(temporanea);
  fs::create_directories(runtime);
  fs::permissions(runtime, fs::perms::owner_all);
  const std::string propria = "TMPDIR='" + temporanea.string() + "' ";

  const std::string tumbler = Scrivi("tumbler-XXXXXX.png", "");
  std::ifstream maniglia(tumbler, std::ios::binary);
  const Esecuzione xfce = Esegui({"thumbnail", file, tumbler, "128"},
                                 propria + "XDG_RUNTIME_DIR='" + runtime.string() + "' ");
  ASSERT_EQ(xfce.codice, 0) << xfce.errori;
  const std::string letta{std::istreambuf_iterator<char>(maniglia), {}};
  EXPECT_EQ(letta.substr(0, 8), "\x89PNG\r\n\x1A\n");

  const fs::path uscita = cartella / "gnome" / (std::string(246, 'g') + ".png");
  fs::create_directories(uscita.parent_path());
  const Esecuzione gnome = Esegui(
      {"thumbnail", file, uscita.string(), "128"},
      propria + "env -u XDG_RUNTIME_DIR HOME=/dev/null/casa XDG_CACHE_HOME=/dev/null/cache ");
  ASSERT_EQ(gnome.codice, 0) << gnome.errori;
  EXPECT_EQ(QImage(QString::fromStdString(uscita.string()), "PNG").width(), 128);
  EXPECT_TRUE(fs::is_empty(temporanea));
  EXPECT_TRUE(fs::is_empty(runtime));
}

// check, install and thumbnail decode through the game's own decoder: a picture that
// crashes it, hangs it or makes it eat memory is refused, or drawn built in, for its
// slot alone. (What the decoder takes past the gate is the game's test.)
TEST_F(SkarvexComb, CheckInstallAndThumbnailDecodeEachPictureAsTheGameDoes) {
  TipoCombinazione c = CombinazioneVuota("Guasta");
  const QColor sfondo(200, 30, 60), cannone(0, 220, 40);
  c.Immagini[13] = Png(sfondo, {794, 548});
  c.Immagini[8] = Png(cannone);
  const std::string file = Scrivi("Guasta.skcom", CodificaCombinazione(c));
  for (const CasoGuasto& caso : CasiGuasto(8)) {
    const std::string prima =
        std::string(ProtocolloDecodifica::VariabileGuasto) + "=" + caso.guasto + " ";
    const Esecuzione verifica = Esegui({"check", file}, prima);
    EXPECT_EQ(verifica.codice, 1);
    EXPECT_EQ(verifica.errori,
              "skarvex-comb: " + file + ": Immagini(8) Navicella: " + caso.inglese + "\n");
    const Esecuzione installa = Installa({file}, prima);
    EXPECT_EQ(installa.codice, 1);
    EXPECT_THAT(installa.errori, HasSubstr(caso.inglese));
    EXPECT_FALSE(fs::exists(prog / "Guasta.skcom"));

    const Esecuzione miniatura = Esegui({"thumbnail", file, Percorso("g.png"), "256"}, prima);
    ASSERT_EQ(miniatura.codice, 0) << miniatura.errori;
    const QImage anteprima(QString::fromStdString(Percorso("g.png")), "PNG");
    EXPECT_EQ(anteprima.pixelColor(0, 0), sfondo) << caso.guasto;
    EXPECT_NE(anteprima.pixelColor(128, 165), cannone) << caso.guasto;  // the built-in one
  }
  EXPECT_EQ(Esegui({"check", file}).codice, 0);
}
