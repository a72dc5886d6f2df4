// Reading a combination, remembering the choice, applying it at start-up and from
// the menu, and the menu's listing (saving and deleting are the editor's tests).
#include <gmock/gmock.h>

#include <algorithm>

#include "codec/DecodificaEsterna.h"
#include "codec/FileAtomico.h"
#include "combinations/GestioneDatiEsterni.h"
#include "game/Campo.h"
#include "codec/Impostazioni.h"
#include "support/MediaProva.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"
#include "support/GuastoDecodifica.h"
#include "support/Png.h"

namespace fs = std::filesystem;
using namespace GestioneDatiEsterni;
using ::testing::HasSubstr;

namespace {

TipoCombinazione Blu() {
  TipoCombinazione c = CombinazioneVuota("Blu");
  c.Immagini[0] = Png(Qt::blue);
  c.Immagini[6] = Png(Qt::yellow);
  c.Immagini[9] = Png(Qt::red);
  c.Immagini[13] = Png(Qt::darkBlue, {800, 600});
  c.Volumi[3] = -2550;
  c.Suoni[0] = WavMinimo("music");
  c.Suoni[2] = WavMinimo("shot");
  return c;
}

struct Applica : ::testing::Test {
  void Metti(const TipoCombinazione& c) {
    ASSERT_TRUE(ScriviFileCombinazione(b.File(c.Nome + ".skcom"), c));
  }
  // The combination's file, and the settings file naming it.
  void Ricorda(const TipoCombinazione& c, bool audio = false) {
    Metti(c);
    ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(c.Nome + ".skcom"), audio));
  }
  std::vector<std::string> File() const {
    std::vector<std::string> nomi;
    for (const auto& f : fs::directory_iterator(b.g.CartellaProgramma))
      nomi.push_back(f.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }
  QStringList Voci() const {
    QStringList voci;
    for (const VoceMenu& v : b.g.mn_comb) voci << v.Caption + (v.Checked ? "*" : "");
    return voci;
  }
  Banco b;
};

// The name stored inside a combination made elsewhere becomes a file name when the
// editor saves it or the game remembers it: one that isn't a plain, visible name of
// the program folder is refused, with nothing written.
TEST_F(Applica, ANameThatIsNotAPlainFileNameNeverBecomesAPath) {
  b.g.PercorsiImmagini.fill(QStringLiteral("Default"));
  const std::array<QString, NumeroSuoni> nessunSuono;
  EXPECT_EQ(FileCombinazione(b.g, "Città"), b.File("Città.skcom"));
  for (const char* nome : {"../../evil", "a/b", ".nascosta", "a\\b", "a\nb", ""}) {
    EXPECT_FALSE(FileCombinazione(b.g, nome)) << nome;
    EXPECT_FALSE(RicordaScelta(b.g, nome)) << nome;
    EXPECT_FALSE(ScriviCombinazione(b.g, nome, nessunSuono)) << nome;
    EXPECT_EQ(b.Avviso(), "Il nome contiene caratteri non validi") << nome;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(b.Percorso()), fs::directory_iterator()), 0);
}

TEST_F(Applica, ReadingReplacesCombWholeAndOnlyOnSuccess) {
  Metti(Blu());
  b.g.Comb.Suoni[9] = "leftover";
  ASSERT_TRUE(LeggiCombinazione(b.g, b.File("Blu.skcom")));
  EXPECT_EQ(b.g.Comb, Blu());

  b.Scrivi("Rotta.skcom", "\x03\x00Ro");
  const Esito esito = LeggiCombinazione(b.g, b.File("Rotta.skcom"));
  ASSERT_FALSE(esito);
  EXPECT_NE(esito.errore().find("truncated in Nome"), std::string::npos);
  EXPECT_EQ(b.g.Comb, Blu());
}

TEST_F(Applica, RememberingWritesTwoCrLfLinesAndReplacesTheReadOnlyOldFile) {
  ASSERT_TRUE(RicordaScelta(b.g, "Default"));
  const fs::path scelta = b.File("CombinazioneScelta");
  EXPECT_EQ(LeggiFile(scelta).valore(),
            "\"" + b.File("Default.skcom").string() + "\"\r\n#FALSE#\r\n");
  EXPECT_EQ(fs::status(scelta).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  b.g.AudioAttivo = true;
  ASSERT_TRUE(RicordaScelta(b.g, "Blu"));
  EXPECT_EQ(LeggiFile(scelta).valore(), "\"" + b.File("Blu.skcom").string() + "\"\r\n#TRUE#\r\n");
}

TEST_F(Applica, ARememberedCombinationDressesTheGameAndLeavesOnlyTheMusicFile) {
  Ricorda(Blu());
  b.Avvia();
  const Gioco& g = b.g;
  EXPECT_FALSE(g.UsaDefault);
  EXPECT_EQ(g.Caption, "SKARVEX - by Dorvanel  Ver. 1.4 Combinazione: Blu by Anna");
  EXPECT_TRUE(g.img_primafila[0].Picture.Nome.startsWith("sha1:"));
  EXPECT_EQ(g.img_proiettilenemico[2].Picture, g.img_proiettilenemico[0].Picture);
  EXPECT_EQ(g.Picture.Dati.size(), QSize(800, 600));
  EXPECT_EQ(g.img_secondafila[0].Picture.Nome, "builtin:1");  // its slot is "Default"
  EXPECT_EQ(g.OrigineSuoni[2], "Blu");
  EXPECT_EQ(g.Volumi[3], -2550);
  EXPECT_EQ(File(), (std::vector<std::string>{"Blu.skcom", "CombinazioneScelta", "Immagini.skcache",
                                              "Record", "aud0.sktemp"}));
  EXPECT_EQ(b.Leggi("aud0.sktemp"), WavMinimo("music") + "\r\n");
  EXPECT_EQ(g.Label1.Font, (Carattere{"Arial", 12, false, false}));
  EXPECT_EQ(g.lbl_livellor[10].ForeColor, 65280u);
  EXPECT_EQ(Voci(), (QStringList{"Default", "Blu*"}));
}

TEST_F(Applica, ASettingsFileNamingADeletedFileGivesDefaultWithItsAudioSwitch) {
  ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File("Sparita.skcom"), true));
  b.Avvia();
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_TRUE(b.g.AudioAttivo && b.g.mn_attiva.Checked);
}

TEST_F(Applica, ADamagedCombinationFallsBackToDefaultAndSaysSo) {
  std::string byte = CodificaCombinazione(Blu());
  byte.resize(byte.size() / 2);
  Ricorda(Blu());
  b.Scrivi("Blu.skcom", byte);
  b.Avvia();
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_TRUE(box[0].testo.contains("danneggiato"));
  EXPECT_EQ(box[0].icona, Icona::Esclamazione);
}

TEST_F(Applica, SlotsThatCannotBeDecodedOrAreOverABudgetKeepTheBuiltInsAndAreNamedInOneMessage) {
  TipoCombinazione c = Blu();
  c.Immagini[8] = "not a picture";
  // A BMP header claiming 20000 x 20000 pixels, and 100 seconds of sound at 10 Hz.
  c.Immagini[13] = Bmp(20000, 20000);
  c.Suoni[4] = Wav(1, 1, 10, 8, 1000);
  Ricorda(c);
  b.Avvia();
  EXPECT_EQ(b.g.img_giocatore.Picture.Nome, "builtin:8");
  EXPECT_TRUE(b.g.img_primafila[0].Picture.Nome.startsWith("sha1:"));
  EXPECT_TRUE(b.g.Picture.Vuota());
  EXPECT_FALSE(b.g.BufferSuoni[4]);
  const std::string avviso = b.Avviso();
  for (const char* nome :
       {"Navicella",
        "SFONDO (immagine di 400 milioni di pixel, oltre il limite di 16 milioni "
        "per immagine)",
        "Esplosione I° fila (decodificato occuperebbe 17 MiB, oltre il limite di 16 MiB per "
        "effetto)"})
    EXPECT_THAT(avviso, HasSubstr(nome));
  EXPECT_EQ(File(), (std::vector<std::string>{"Blu.skcom", "CombinazioneScelta", "Immagini.skcache",
                                              "Record", "aud0.sktemp"}));
}

// A picture that crashes its decoder, hangs it or makes it eat memory costs its own
// slot: it keeps its built-in picture and the message says why, while the pictures
// decoded beside it, and those left for a fresh decoder, are shown.
TEST_F(Applica, APictureThatBreaksItsDecoderCostsOnlyItsOwnSlot) {
  Ricorda(Blu());
  for (const CasoGuasto& caso : CasiGuasto(6)) {
    {
      const GuastoDecodifica guasto(caso.guasto);
      ApplicaCombinazione(b.g);
    }
    EXPECT_EQ(b.g.img_proiettilenemico[2].Picture.Nome, "builtin:6") << caso.guasto;
    for (const Immagine* altra :
         {&b.g.img_primafila[0].Picture, &b.g.img_muro[47].Picture, &b.g.Picture})
      EXPECT_TRUE(altra->Nome.startsWith("sha1:")) << caso.guasto;
    EXPECT_THAT(b.Avviso(), HasSubstr(std::string(NomiImmagini[6]) + " (" + caso.italiano + ")"));
  }
}

// Without its decoder the game shows the built-in pictures and says why.
TEST_F(Applica, WithoutItsDecoderTheGameKeepsTheBuiltInPicturesAndSaysWhy) {
  Ricorda(Blu());
  DecodificaEsterna::UsaEseguibile(b.File("skarvex-decodifica"));
  ApplicaCombinazione(b.g);
  DecodificaEsterna::UsaEseguibile(SKARVEX_DECODIFICATORE);
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_THAT(
      b.Avviso(),
      HasSubstr("Alieno 1 (manca il programma che decodifica le immagini (skarvex-decodifica))"));
}

// The game takes what skarvex-comb check takes, and no more: a PNG of 16 bits a channel
// (held at 8 bytes a pixel while decoded), but not a JPEG whose header passes the gate
// and whose decoder finds no picture in it.
TEST_F(Applica, ThePicturesDecoderDecidesWhatAPassedHeaderIsWorth) {
  TipoCombinazione c = Blu();
  c.Immagini[0] = Png16Bit(Qt::magenta, {1000, 1000});
  ASSERT_EQ(c.Immagini[0][24], 16);  // its bit depth
  c.Immagini[8] = JpegSenzaScansioni();
  Ricorda(c);
  ApplicaCombinazione(b.g);
  const std::string avviso = b.Avviso();
  EXPECT_EQ(std::ranges::count(avviso, '('), 1) << avviso;
  EXPECT_EQ(b.g.img_primafila[0].Picture.Dati.size(), QSize(1000, 1000));
  EXPECT_EQ(b.g.img_primafila[0].Picture.Dati.pixelColor(999, 999), QColor(Qt::magenta));
  EXPECT_EQ(b.g.img_giocatore.Picture.Nome, "builtin:8");
  EXPECT_THAT(avviso, HasSubstr("Navicella (immagine illeggibile)"));
}

// A run that dies while applying leaves its mark: the next start gives Default and
// says which combination it was, once, and forgets the choice.
TEST_F(Applica, AStartThatFindsTheMarkOfARunThatDiedFallsBackToDefaultOnce) {
  Ricorda(Blu(), true);
  b.Scrivi(".skarvex-applicazione", "999999999\nBlu");
  b.Avvia();
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_TRUE(b.g.AudioAttivo);
  EXPECT_THAT(b.Avviso(), HasSubstr("applicava la combinazione Blu"));
  EXPECT_FALSE(fs::exists(b.File(".skarvex-applicazione")));
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).Percorso, b.File("Default.skcom"));

  // Chosen again, it applies, and leaves no mark behind.
  b.frm.mn_comb_Click(1);
  EXPECT_EQ(b.g.CombinazioneCorrente, "Blu");
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_FALSE(fs::exists(b.File(".skarvex-applicazione")));

  // The mark of a copy that is still running is that copy's business.
  b.Scrivi(".skarvex-applicazione", "1\nBlu");
  b.frm.mn_comb_Click(1);
  EXPECT_EQ(b.g.CombinazioneCorrente, "Blu");
}

TEST_F(Applica, TheMenuListsOnlyNamesEndingExactlyInSkcomInByteOrder) {
  for (const char* nome : {"x.skcom", "Blu.skcom", "rosso.SKCOM", "Default.skcom", ".skcom",
                           "a.sko", "bskcom", "Zeta.skcom.bak"})
    b.Scrivi(nome, "");
  fs::create_directory(b.File("Cartella.skcom"));
  b.Avvia();
  EXPECT_EQ(Voci(), (QStringList{"Default*", "", "Blu", "x"}));
}

TEST_F(Applica, ChoosingFromTheMenuSwitchesRemembersAndMovesTheCheckMark) {
  TipoCombinazione rossa = Blu();
  rossa.Nome = "Rossa";
  rossa.Immagini[0] = std::string(ImmagineDefault);
  rossa.Immagini[13] = std::string(ImmagineDefault);
  Metti(rossa);
  Ricorda(Blu());
  b.Avvia();
  b.frm.mn_comb_Click(2);
  EXPECT_EQ(Voci(), (QStringList{"Default", "Blu", "Rossa*"}));
  EXPECT_EQ(b.g.Caption, "SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Rossa by Anna");
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).Percorso, b.File("Rossa.skcom"));
  // Its "Default" slots show the built-in pictures, not what Blu left there.
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_TRUE(b.g.Picture.Vuota());

  // Default has no sounds: no effect of the combination before keeps playing.
  b.g.BufferSuoni[2] = std::make_unique<Effetto>();
  b.frm.mn_comb_Click(0);
  EXPECT_FALSE(b.g.BufferSuoni[2]);
  EXPECT_EQ(Voci(), (QStringList{"Default*", "Blu", "Rossa"}));
  EXPECT_EQ(b.g.Caption, "SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Default by Dorvanel");
  // Default takes the font and colour of lbl_default.
  EXPECT_EQ(b.g.Label1.Font, (Carattere{"Terminal", 13.5, true, false}));
  EXPECT_EQ(b.g.lbl_namer[3].ForeColor, Rgb(0, 192, 0));
}

// The bench's font machinery takes as a font whatever ends in "font".
struct FontDaInstallare : Applica {
  FontDaInstallare() {
    b.fonts.accetta = [](const std::string& byte) { return byte.ends_with("font"); };
    c.FontFile = std::string("\0\1\0\0", 4) + "a made-up font";
    c.FontFileNome = "Prova.ttf";
    Ricorda(c);
  }
  fs::path Installato() const { return b.fonts.Cartella() / "Prova.ttf"; }
  TipoCombinazione c = Blu();
};

TEST_F(FontDaInstallare, YesCopiesItIntoTheUserFontFolderAtOnce) {
  b.dialoghi.AccodaPulsante(Risposta::Si);
  b.Avvia();
  EXPECT_EQ(b.Avviso(),
            "La combinazione richiede l'istallazione di una font: Prova.ttf non presente nel "
            "sistema\r"
            "Se non si installa la font verrà richiesto ogni volta che si usa questa combinazione\r"
            "L'operazione durerà circa 5 secondi.   INSTALLARE LA FONT?");
  EXPECT_TRUE(fs::exists(Installato()));
  EXPECT_FALSE(fs::exists(b.File("Prova.ttf")));
  EXPECT_EQ(b.orologio.Ora(), 0);  // no wait
  EXPECT_EQ(b.fonts.Registrati(), std::vector<fs::path>{Installato()});
  EXPECT_EQ(b.g.GenerazioneFont, 1);

  b.frm.mn_comb_Click(1);  // installed now: no question, and registered once
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_EQ(b.fonts.Registrati().size(), 1u);
}

TEST_F(FontDaInstallare, NoLeavesItInTheProgramFolderAndAsksAgainUntilTheFolderHasAFileOfItsName) {
  b.Avvia();
  EXPECT_EQ(b.dialoghi.PrendiBox().size(), 1u);
  EXPECT_TRUE(fs::exists(b.File("Prova.ttf")));
  EXPECT_FALSE(fs::exists(Installato()));
  b.frm.mn_comb_Click(1);
  EXPECT_EQ(b.dialoghi.PrendiBox().size(), 1u);

  // A file of that name already there is left alone, and nothing is asked.
  fs::create_directories(Installato().parent_path());
  std::ofstream(Installato()) << "mine";
  b.frm.mn_comb_Click(1);
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_EQ(LeggiFile(Installato()).valore(), "mine");
  EXPECT_EQ(b.fonts.Registrati(), std::vector<fs::path>{Installato()});

  // Nor is a link of that name, and one to nowhere is not registered.
  fs::remove(Installato());
  fs::create_symlink(b.File("Nessuna.ttf"), Installato());
  b.frm.mn_comb_Click(1);
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_EQ(b.fonts.Registrati().size(), 1u);
}

TEST_F(FontDaInstallare, APlayersFileOfTheFontsNameInTheProgramFolderIsNeverTouched) {
  b.Scrivi("Prova.ttf", "the player's own");
  b.dialoghi.AccodaPulsante(Risposta::Si);
  b.Avvia();
  EXPECT_EQ(b.dialoghi.PrendiBox().size(), 1u);
  EXPECT_TRUE(fs::exists(Installato()));
  EXPECT_EQ(b.Leggi("Prova.ttf"), "the player's own");
}

TEST_F(FontDaInstallare, BytesThatAreNoFontAreNeitherOfferedNorInstalled) {
  c.FontFile = std::string("\0\1\0\0", 4) + std::string(500, 'j');  // a TrueType tag, no more
  Ricorda(c);
  b.Avvia();
  EXPECT_THAT(b.Avviso(), HasSubstr("la font Prova.ttf (non è un file di font)"));
  EXPECT_FALSE(fs::exists(Installato()));
  EXPECT_FALSE(fs::exists(b.File("Prova.ttf")));

  // Without even the tag, the gate says which kinds a font may be.
  c.FontFile = "<html>";
  Ricorda(c);
  b.frm.mn_comb_Click(1);
  EXPECT_THAT(b.Avviso(), HasSubstr("(non è un file di font TTF, OTF o FON)"));
}

TEST_F(Applica, AFontNameThatIsAPathCountsAsNoFont) {
  TipoCombinazione c = Blu();
  c.FontFile = "bytes";
  c.FontFileNome = "../evil.ttf";
  Ricorda(c);
  b.Avvia();
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_EQ(b.g.CombinazioneCorrente, "Blu");
  EXPECT_FALSE(fs::exists(b.g.CartellaProgramma.parent_path() / "evil.ttf"));
}

TEST_F(Applica, TheLabelFontReachesAllButTheNoticesAndStopsAtWhatDoesNotConvert) {
  const Etichetta nome = b.g.lbl_default;
  b.g.FontNome = "Prova";
  b.g.FontColore = "255";
  b.g.FontDimensione = "abc";
  ApplicaFont(b.g);  // the size stops it after the link's colour
  EXPECT_EQ(b.g.lbl_sitelink.ForeColor, 255u);
  EXPECT_EQ(b.g.lbl_hiscore.ForeColor, VerdeEtichette);

  b.g.FontColore = "x";
  b.g.FontDimensione = "12,5";
  ApplicaFont(b.g);  // a bad colour changes nothing
  EXPECT_NE(b.g.lbl_hiscore.Font.Name, "Prova");

  b.g.FontColore = "65535";
  ApplicaFont(b.g);
  // Every label of the playfield but the two notices.
  Campo::PerOgniEtichetta(b.g, [&](const Controllo& c, int i, const Etichetta& e) {
    if (&e == &b.g.lbl_default || &e == &b.g.lbl_sitelink) return;
    EXPECT_EQ(e.Font, (Carattere{"Prova", 12.5, false, false}))
        << Campo::NomeElemento(c, i).toStdString();
    EXPECT_EQ(e.ForeColor, 65535u) << Campo::NomeElemento(c, i).toStdString();
  });
  EXPECT_EQ(b.g.lbl_default, nome);
  EXPECT_NE(b.g.lbl_sitelink.Font.Name, "Prova");
}

}  // namespace
