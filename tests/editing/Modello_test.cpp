// The editor's model without its window: loading, the pickers and volumes, the
// resets and deleting, creating and saving, the font panel and the password.
#include "editing/UnitaVolume.h"
#include "support/BancoEditor.h"
#include "support/GuastoDecodifica.h"

namespace {

using namespace banco_editor;
using namespace Editor;

struct Modello : BancoEditor {
  TipoCombinazione Letta(const std::string& nome) const {
    auto c = LeggiFileCombinazione(b.File(nome + ".skcom"));
    EXPECT_TRUE(c.ok()) << nome;
    return c.ok() ? c.valore() : TipoCombinazione{};
  }
  // "Salva e applica" on a combination without a name yet.
  void SalvaCome(const QString& nome, std::optional<QString> autore = {}) {
    b.dialoghi.AccodaTesto(nome);
    if (autore) b.dialoghi.AccodaTesto(*autore);
    Salva(b.g, m);
  }
  // Verde has its own alien row, alien shots, bricks, background and two sounds.
  void ApriVerde() {
    TipoCombinazione c = CombinazioneVuota("Verde");
    c.Immagini[0] = Png(Qt::green);
    c.Immagini[6] = Png(Qt::yellow);
    c.Immagini[9] = Png(Qt::darkGreen);
    c.Immagini[13] = Png(Qt::darkGray, {80, 60});
    c.Suoni[2] = c.Suoni[11] = Wav;
    Apri(false, c);
  }
  QString Verde() const { return Q(b.File("Verde.skcom")); }
  // The game's menu lists the combination and ticks it.
  bool Spuntata(const QString& nome) const {
    return std::any_of(b.g.mn_comb.begin(), b.g.mn_comb.end(),
                       [&](const VoceMenu& v) { return v.Caption == nome && v.Checked; });
  }
};

TEST_F(Modello, AProtectedCombinationOpensWithItsSourcesAndVolumesAndLocksAllButVolumes) {
  TipoCombinazione c = Blu();
  c.FontFileNome.clear();  // no font to complain about when the save applies it
  Apri(false, c);
  EXPECT_EQ(m.titolo, "OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Blu by Anna");
  EXPECT_EQ((std::tuple{m.immagini[0], m.anteprime[13]}), (std::tuple{"Blu", b.g.Picture}));
  // -2550 shows 74.5 and puts the slider at 74; on a row with a sound the slider's
  // change handling then writes its whole position back into the box.
  EXPECT_EQ((QStringList{Riga(3), Riga(5), Riga(7)}),
            (QStringList{"Blu|74|74|on", "|74.5|74|off", "|0|0|off"}));
  EXPECT_EQ(b.g.VolumiEditor[3], -2600);
  EXPECT_TRUE(m.bloccata && m.defaultBloccato);

  // Locked: the pickers, resets and font panel do nothing...
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  ScegliImmagine(b.g, m, 1);
  ScegliSuono(b.g, m, 5);
  ScegliSuono(b.g, m, 0);
  Def(b.g, m, 0);
  TuttoADefault(b.g, m);
  ApriPannelloFont(b.g, m);
  EXPECT_EQ(
      (std::tuple{b.dialoghi.RichiesteFile().size(), m.immagini[0], m.pannelloFont, aggiornamenti}),
      (std::tuple{0u, "Blu", false, 0}));
  // ...while volumes, trials, emptying a row and deleting still work.
  ImpostaPosizione(b.g, m, 3, 40);
  Prova(b.g, m, 3, true);
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"VolumeCanale 3 -6000", "Suona 3 aud3.sktemp -6000 ciclo"}));
  SvuotaRiga(m, 3);
  EXPECT_EQ(Riga(3), "|0|40|off");
  Elimina(b.g, m);
  EXPECT_EQ(b.dialoghi.RichiesteFile().size(), 1u);

  // A wrong password is refused; the right one unlocks, and the save drops it.
  b.dialoghi.AccodaTesto("Segreto");
  InserisciPassword(b.g, m);
  Box();
  EXPECT_TRUE(!icone.empty() && icone.back() == Icona::Critica && m.bloccata);
  b.dialoghi.AccodaTesto("segreto");
  InserisciPassword(b.g, m);
  EXPECT_TRUE(!m.bloccata && m.proteggi && m.defaultBloccato);
  Box();
  Salva(b.g, m);  // no password asked: the loaded file had one
  EXPECT_TRUE(Box().isEmpty());
  EXPECT_EQ(Letta("Blu").Password, "");
}

TEST_F(Modello, APictureIsTakenOnlyWhenItDecodesAndFitsTheBudgetsAndTheGameWaitsForASave) {
  Apri();
  const QString rosso = File("rosso.png", Png(Qt::red));
  const QString lettera = File("lettera.jpg", "Cara Anna, ...");
  PrendiImmagine(6, rosso);
  PrendiImmagine(6, lettera);
  ScegliImmagine(b.g, m, 6);  // cancelled
  EXPECT_EQ(b.dialoghi.RichiesteFile().at(0).cartella, Q(b.g.CartellaProgramma));
  EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + lettera +
                               ": non è un'immagine JPG, GIF o BMP leggibile."});
  EXPECT_EQ((std::tuple{m.immagini[6], m.anteprime[6].Dati.pixelColor(0, 0)}),
            (std::tuple{rosso, QColor(Qt::red)}));
  EXPECT_EQ(b.g.img_proiettilenemico[0].Picture, Immagine::Incorporata(6));

  // The editor counts the pictures of the other slots against the combination's budget
  // (one picture's own is the gate's table): a fifth 16-million-pixel picture is refused
  // with the limit it broke, and in place of one of the four it fits.
  Def(b.g, m, 6);
  const QString grande =  // the most for one
      File("grande.jpg",
           CodificaImmagine(TintaUnita(Qt::gray, {4000, 4000}, QImage::Format_Grayscale8), "jpeg"));
  for (int n = 0; n < 5; ++n) PrendiImmagine(n, grande);
  EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + grande +
                               ": è troppo grande (con essa le immagini arrivano a 80 milioni di "
                               "pixel, oltre il limite di 64 milioni per combinazione)."});
  EXPECT_EQ((std::tuple{m.immagini[4], m.anteprime[3].Dati.size()}),
            (std::tuple{"Default", QSize(4000, 4000)}));
  PrendiImmagine(0, grande);
  EXPECT_TRUE(Box().isEmpty());
}

// A picture that crashes, stalls or blows up its decoder is refused for its slot with
// the reason, and the next slot's picture is decoded as ever.
TEST_F(Modello, APickedPictureThatBreaksItsDecoderIsRefusedWithTheReason) {
  Apri();
  const QString rosso = File("rosso.png", Png(Qt::red));
  for (const CasoGuasto& caso : CasiGuasto(6)) {
    const GuastoDecodifica guasto(caso.guasto);
    m.immagini[5] = "Default";
    PrendiImmagine(6, rosso);
    PrendiImmagine(5, rosso);
    EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + rosso + ": " +
                                 QString::fromUtf8(caso.italiano) + "."});
    EXPECT_EQ((std::tuple{m.immagini[6], m.immagini[5]}), (std::tuple{"Default", rosso}))
        << caso.guasto;
  }
}

TEST_F(Modello, ASoundFillsItsRowIsTriedSetByItsBoxAndEmptied) {
  Apri();
  // No wave for an effect, no tune for the music: refused, each with a message.
  PrendiSuono(5, File("falso.wav", "not a wave"));
  PrendiSuono(0, File("nota.txt", "no tune"));
  EXPECT_EQ(Box().size(), 2);
  EXPECT_EQ((QStringList{Riga(5), Riga(0)}), (QStringList{"|100|100|off", "|100|100|off"}));
  PrendiSuono(5, File("colpo.wav", Wav));
  EXPECT_EQ((std::tuple{Riga(5), b.g.VolumiEditor[5], bool(b.g.BufferSuoni[5])}),
            (std::tuple{"colpo.wav|100|100|on", 0, false}));  // the game's slot waits for a save
  spia->Prendi();

  Prova(b.g, m, 5, true);
  ImpostaPosizione(b.g, m, 5, 30);
  Prova(b.g, m, 5, false);
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"Suona 5 colpo.wav 0 ciclo", "VolumeCanale 5 -7000", "Ferma 5"}));

  // The volume box takes a whole number on Enter and refuses what is out of range;
  // leaving it takes the typed value too, or silently gives the slider's back.
  const std::tuple<const char*, bool, int> volumi[] = {
      {"40", true, 40},     {"62.5", true, 62}, {"150", true, 100},  {"-1", true, 100},
      {"tanto", true, 100}, {"40", false, 40},  {"62.5", false, 62}, {"150", false, 62},
      {"tanto", false, 62}, {"", false, 62}};
  for (const auto& [testo, invio, volume] : volumi) {
    ImpostaTestoVolume(b.g, m, 5, testo);
    invio ? ConfermaVolume(b.g, m, 5) : LasciaVolume(b.g, m, 5);
    SCOPED_TRACE(testo);
    EXPECT_EQ(Riga(5), QStringLiteral("colpo.wav|%1|%1|on").arg(volume));
    EXPECT_EQ(b.g.VolumiEditor[5], volume * 100 - 10000);
    EXPECT_EQ(Box(), invio && volume == 100 ? QStringList{"Valore non in range (0 - 100)"}
                                            : QStringList());
  }
  EXPECT_EQ(spia->Prendi().front(), "VolumeCanale 5 -6000");
  // Typing alone takes nothing over; an empty row ignores Enter.
  ImpostaTestoVolume(b.g, m, 5, "10");
  ConfermaVolume(b.g, m, 6);
  EXPECT_EQ(m.suoni[5].posizione, 62);
  EXPECT_TRUE(Box().isEmpty());

  ImpostaPosizione(b.g, m, 5, 30);
  SvuotaRiga(m, 5);
  EXPECT_EQ((std::tuple{Riga(5), b.g.VolumiEditor[5]}),
            (std::tuple{"|0|30|off", -7000}));  // the player and its volume stay
}

TEST_F(Modello, DefAndTuttoADefaultPutSlotsBackInTheEditorAndOnTheGameAtOnce) {
  ApriVerde();
  const Immagine gialla = b.g.img_proiettilenemico[1].Picture;
  Def(b.g, m, 6);
  EXPECT_EQ((std::tuple{m.immagini[6], m.anteprime[6].Nome,
                        b.g.img_proiettilenemico[0].Picture.Nome, aggiornamenti}),
            (std::tuple{"Default", "builtin:6", "builtin:6", 1}));
  EXPECT_EQ(b.g.img_proiettilenemico[1].Picture, gialla);
  // The background's built-in picture is none: the playfield goes black.
  Def(b.g, m, 13);
  EXPECT_TRUE(b.g.Picture.Vuota() && m.immagini[0] == "Verde");

  // "TUTTO A DEFAULT" empties every slot and row and forgets the name; the game keeps
  // its name, author and sounds.
  TuttoADefault(b.g, m);
  EXPECT_EQ((std::tuple{m.intestazione, b.g.CombinazioneInModifica}),
            (std::tuple{"Default", "Default"}));
  for (const QString& casella : m.immagini) EXPECT_EQ(casella, "Default");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Riga(i), "|0|0|off");
  EXPECT_TRUE(m.font == b.g.lbl_default.Font && m.colore == b.g.lbl_default.ForeColor);
  EXPECT_EQ((std::tuple{b.g.img_primafila[0].Picture.Nome, aggiornamenti, b.g.CombinazioneCorrente,
                        b.g.AutoreCombinazione, bool(b.g.BufferSuoni[2])}),
            (std::tuple{"builtin:0", 3, "Verde", "Anna", true}));
}

TEST_F(Modello, EliminaDeletesOnlyCombinationFilesOfTheFolderAndSaysWhenItIsTheOneInUse) {
  ApriVerde();
  // Anything but a combination file of the program folder is refused unasked.
  for (const char* cartella : {"sotto", "Cartella.skcom"}) fs::create_directory(b.File(cartella));
  for (const char* file : {"sotto/Fuori.skcom", "Record", "nota.txt"}) b.Scrivi(file, "dati");
  fs::create_symlink(b.File("sotto/Fuori.skcom"), b.File("Link.skcom"));
  const QString no = "non è un file di combinazione (.skcom)",
                fuori = "si eliminano solo le combinazioni della cartella del programma (" +
                        Q(b.g.CartellaProgramma) + ")";
  const std::pair<const char*, QString> rifiutati[] = {
      {"sotto/Fuori.skcom", fuori}, {"Record", no},
      {"CombinazioneScelta", no},   {"nota.txt", no},
      {"Cartella.skcom", no},       {"Link.skcom", "è un collegamento, non una combinazione"}};
  for (const auto& [nome, motivo] : rifiutati) {
    const QString file = Q(b.File(nome));
    b.dialoghi.AccodaFile(file);
    Elimina(b.g, m);  // nothing asked
    EXPECT_EQ(Box(), QStringList{"Impossibile eliminare " + file + ": " + motivo + "."}) << nome;
    EXPECT_TRUE(fs::exists(b.File(nome))) << nome;
  }

  // Another combination goes alone: the remembered choice (and audio switch) stays.
  const QString altra = File("Altra.skcom", "dati");
  b.dialoghi.AccodaFile(altra);
  b.dialoghi.AccodaPulsante(Risposta::OK);
  Elimina(b.g, m);
  EXPECT_EQ(Box(), QStringList{"Eliminare " + altra + " ?"});
  EXPECT_TRUE(!fs::exists(b.File("Altra.skcom")) && fs::exists(b.File("CombinazioneScelta")));

  // The one in use: the question says what follows; Cancel or no file keeps it.
  b.dialoghi.AccodaFile(Verde());
  Elimina(b.g, m);
  Elimina(b.g, m);
  EXPECT_TRUE(fs::exists(b.File("Verde.skcom")));
  b.dialoghi.AccodaFile(Verde());
  b.dialoghi.AccodaPulsante(Risposta::OK);
  Elimina(b.g, m);
  EXPECT_EQ(Box().last(), "Eliminare " + Verde() +
                              " ?\rVerde è la combinazione in uso: il gioco continua a usarla "
                              "fino alla chiusura, dal prossimo avvio userà la combinazione "
                              "Default.");
  EXPECT_FALSE(fs::exists(b.File("Verde.skcom")) || fs::exists(b.File("CombinazioneScelta")));
  EXPECT_TRUE(b.g.CombinazioneCorrente == "Verde" && m.immagini[0] == "Verde");
  b.frm.Form_Load();  // the next start
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
}

TEST_F(Modello, CreaAndSalvaRefuseANameOrAnAuthorSayingWhichRuleItBreaks) {
  ApriVerde();
  const auto carattere = [](const char* chi, const char* c) {
    return QStringLiteral("%1 contiene il carattere %2, che non si può salvare in una combinazione")
        .arg(QString::fromUtf8(chi), QString::fromUtf8(c));
  };
  // An author that can't be stored changes nothing.
  Rispondi({"Nuova", "Ωlga"});
  Crea(b.g, m);
  EXPECT_EQ(Box().last(), carattere("L'autore", "Ω"));
  EXPECT_EQ((std::tuple{m.nome, m.immagini[0], aggiornamenti}), (std::tuple{"Verde", "Verde", 0}));

  // A new one starts from the built-in state, which the game shows at once; it still
  // plays Verde.
  b.dialoghi.AccodaTesto("Nuova");  // and no author
  Crea(b.g, m);
  EXPECT_EQ(
      (QStringList{b.g.CombinazioneInModifica, m.intestazione, m.immagini[0], Riga(2),
                   b.g.img_primafila[0].Picture.Nome, b.g.CombinazioneCorrente}),
      (QStringList{"Nuova", "Nuova by Anonimo", "Default", "|0|0|off", "builtin:0", "Verde"}));
  EXPECT_EQ((std::tuple{aggiornamenti, Box().size()}), (std::tuple{1, 2}));  // name and author

  // Each name refused by "Crea", then by a save, which asks for one once the name is
  // forgotten, in its own words where they differ.
  TuttoADefault(b.g, m);
  const QString tra3e25 = "Il nome deve avere un numero di caratteri compreso tra 3 e 25";
  // The names, what "Crea" says, and what a save says when it words it otherwise.
  const std::tuple<QStringList, QString, QString> regole[] = {
      // The blanks at the ends don't count.
      {{"ab", "  ab  "}, "Il nome deve contenere almeno 3 caratteri", tra3e25},
      {{QString(26, 'x'), QString(300, 'x')}, "Il nome può avere al massimo 25 caratteri", tra3e25},
      {{"   "}, "Il nome non può essere fatto solo di spazi", {}},
      {{"Default", " dEFAULT"}, "Il nome Default è riservato alla combinazione predefinita", {}},
      {{"a/b", "a\\b", ".nascosta", "tab\tx"}, "Il nome contiene caratteri non validi", {}},
      {{"Ωmega"}, carattere("Il nome", "Ω"), {}},
      {{"Notte😀"}, carattere("Il nome", "😀"), {}},
      {{"ze\u200Bro"}, carattere("Il nome", "U+200B"), {}},  // unseen: by its code
      {{"Verde"}, "Il nome esiste già", "la combinazione Verde esiste già!"}};
  for (const auto& [nomi, crea, salva] : regole) {
    for (const QString& nome : nomi) {
      b.dialoghi.AccodaTesto(nome);
      Crea(b.g, m);
      SalvaCome(nome);
      EXPECT_EQ(Box(),
                (QStringList{"Nome Combinazione?", crea, "Inserire il nome della combinazione",
                             salva.isEmpty() ? crea : salva}))
          << nome.toStdString();
    }
  }
  const QString nome = "Città € Ž" + QString(16, 'x');  // 25 characters
  SalvaCome(nome, QString(26, 'a'));
  SalvaCome(nome, "Ωlga");
  EXPECT_EQ(Box(), (QStringList{"Inserire il nome della combinazione", "Autore?",
                                "Il numero massimo di caratteri consentiti è 25",
                                "Inserire il nome della combinazione", "Autore?",
                                carattere("L'autore", "Ω")}));
  EXPECT_TRUE(Aperto() && b.g.CombinazioneCorrente == "Verde");

  // What Windows-1252 holds is a name, without the blanks at its ends; the file is
  // called as the name stored inside.
  SalvaCome("  " + nome + "  ", "Zoë");
  ASSERT_FALSE(Aperto());
  EXPECT_EQ(Letta(nome.toStdString()).Nome, nome.toStdString());
  EXPECT_TRUE(b.g.CombinazioneCorrente == nome && Spuntata(nome));
}

// A combination is its file's name, whatever name a file made elsewhere stores: the
// game and the menu call it so, and a save writes it back there with that name
// inside. A file name that can't be stored (an earlier version let "Ωmega" through,
// stored as "?mega") is told and a new name asked; the slots keep their pictures and
// sounds under it.
TEST_F(Modello, ACombinationIsSavedUnderItsFilesNameOrANewOneWhenThatCantBeStored) {
  const std::tuple<QString, std::string, QStringList, QString> casi[] = {
      {"Blu", "../Rosso", {}, "Blu"},
      {"Ωmega",
       "?mega",
       {"Il nome contiene il carattere Ω, che non si può salvare in una combinazione: la "
        "combinazione va salvata con un altro nome.",
        "Inserire il nome della combinazione", "Autore?"},
       "Omega"}};
  for (const auto& [file, dentro, domande, nuovo] : casi) {
    SCOPED_TRACE(file.toStdString());
    TipoCombinazione comb = CombinazioneVuota(dentro);
    comb.Immagini[4] = Png(Qt::cyan);
    comb.Suoni[7] = Wav;
    comb.Volumi[7] = -3000;
    Metti(comb, file.toStdString());
    Apri();
    EXPECT_TRUE(b.g.CombinazioneCorrente == file && Spuntata(file) && m.immagini[4] == file);
    if (!domande.isEmpty()) b.dialoghi.AccodaTesto(nuovo);
    Salva(b.g, m);
    EXPECT_EQ(Box(), domande);
    ASSERT_FALSE(Aperto());
    const TipoCombinazione salvata = Letta(nuovo.toStdString());
    EXPECT_EQ((std::tuple{salvata.Nome, salvata.Immagini[4], salvata.Suoni[7], salvata.Volumi[7]}),
              (std::tuple{nuovo.toStdString(), comb.Immagini[4], Wav, -3000}));
    EXPECT_FALSE(fs::exists(b.File(dentro + ".skcom")));
    EXPECT_EQ(b.g.CombinazioneCorrente, nuovo);
  }
}

// A password is asked twice, hidden both times; a typo in either is caught before the
// combination is locked with it.
TEST_F(Modello, APasswordIsAskedAgainUntilItFitsAndIsTypedTwiceAlikeAndAnEmptyAnswerSavesNothing) {
  Apri();
  ImpostaProtezione(m, true);
  // "Ωmega" would be stored as "?mega" and never open; then two that differ; then no answer.
  Rispondi({"Blu", "Anna", "ab", "Ωmega", "segreto", "segerto", ""});
  Salva(b.g, m);
  const QString scegli = "Scegli una PassWord da 3 a 12 caratteri",
                conferma = "Scrivi di nuovo la PassWord per conferma";
  EXPECT_EQ(
      Box(),
      (QStringList{
          "Inserire il nome della combinazione", "Autore?", scegli, "Password non in range", scegli,
          "La password contiene il carattere Ω, che non si può salvare in una combinazione", scegli,
          conferma, "Le due PassWord non coincidono: scrivila due volte uguale", scegli}));
  EXPECT_EQ((std::tuple{icone.at(3), icone.at(8)}),
            (std::tuple{Icona::Informazione, Icona::Esclamazione}));
  EXPECT_TRUE(!fs::exists(b.File("Blu.skcom")) && Aperto());

  // The name was taken: the next save asks only the password, twice and hidden, and a
  // confirmation left empty saves nothing either.
  Rispondi({"tredicilette", ""});
  Salva(b.g, m);
  const auto box = b.dialoghi.PrendiBox();
  EXPECT_TRUE(box.size() == 2 && std::ranges::all_of(box, &BoxMostrato::nascosto));
  EXPECT_TRUE(!fs::exists(b.File("Blu.skcom")) && Aperto());
  Rispondi({"tredicilette", "tredicilette"});
  Salva(b.g, m);
  EXPECT_EQ((std::tuple{Letta("Blu").Password, b.g.PasswordCombinazione}),
            (std::tuple{std::string("tredicilette"), QString("tredicilette")}));
}

// Slots, volumes and the font panel's choices made here come back after a restart.
TEST_F(Modello, ACombinationMadeHereComesBackWholeAfterARestart) {
  Apri();
  Rispondi({"Viola", "Bea"});
  Crea(b.g, m);
  PrendiImmagine(9, File("viola.png", Png(Qt::magenta)));
  PrendiSuono(14, File("colpo.wav", Wav));
  // Typed and never confirmed, the shown volume is the one saved.
  ImpostaTestoVolume(b.g, m, 14, "40");

  Box();
  ApriPannelloFont(b.g, m);
  EXPECT_TRUE(m.pannelloFont);
  const Carattere serif{"DejaVu Serif", 14, true, false};
  b.dialoghi.AccodaFont(serif);
  ScegliFont(b.g, m);
  EXPECT_EQ(b.dialoghi.RichiesteFont().back(), b.g.lbl_hiscore.Font);
  ScegliColore(b.g, m);  // cancelled: nothing changes
  EXPECT_EQ(m.colore, b.g.lbl_hiscore.ForeColor);
  b.dialoghi.AccodaColore(Rgb(255, 0, 0));
  ScegliColore(b.g, m);
  // A font file already installed under its name is left alone but still carried.
  const fs::path fonts = b.File("dati") / "fonts";
  fs::create_directories(fonts);
  std::ofstream(fonts / "gia.ttf") << "installed";
  const std::string tag("\0\1\0\0", 4);  // how a TrueType file starts
  PrendiFont(File("gia.ttf", tag + "font bytes"));
  EXPECT_EQ(m.fontFileNome, "gia.ttf");
  EXPECT_EQ(Box(), QStringList{"Ricorda che se vuoi utilizzare la Font che hai appena caricato "
                               "devi selezionarla con il pulsante 'Da Font'"});
  EXPECT_EQ(b.Leggi("dati/fonts/gia.ttf"), "installed");
  PrendiFont(File("nuova.ttf", tag + "new font"));
  EXPECT_EQ(b.Leggi("dati/fonts/nuova.ttf"), tag + "new font");
  Box();
  // What is no font is refused, and nothing changes.
  PrendiFont(File("finta.ttf", "<html>"));
  EXPECT_TRUE(m.fontFileNome == "nuova.ttf" && !fs::exists(fonts / "finta.ttf"));
  EXPECT_EQ(Box().size(), 1);

  Salva(b.g, m);
  ASSERT_FALSE(Aperto());
  EXPECT_TRUE(b.g.img_muro[0].Picture.Nome.startsWith("sha1:"));
  EXPECT_EQ(b.g.lbl_hiscore.ForeColor, Rgb(255, 0, 0));  // applied at once
  const std::string salvato = b.Leggi("Viola.skcom");

  // The same folder, a new run of the program.
  Partita<LatiCopione> nuova(b.g.CartellaProgramma, CreaAudioMuto(),
                             std::make_unique<FontsCopione>(b.fonts.Cartella()));
  nuova.frm.Form_Load();
  ModelloEditor riaperto = Editor::Apri(nuova.g);
  EXPECT_EQ((QStringList{riaperto.titolo, riaperto.immagini[9], riaperto.immagini[0],
                         riaperto.suoni[14].sorgente, riaperto.suoni[14].volume,
                         QString::fromStdString(riaperto.fontFileNome)}),
            (QStringList{"OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Viola by Bea",
                         "Viola", "Default", "Viola", "40", "nuova.ttf"}));
  EXPECT_EQ((std::tuple{riaperto.font, riaperto.colore, riaperto.fontFile}),
            (std::tuple{serif, Rgb(255, 0, 0), tag + "new font"}));

  // Saved again untouched, it is the same file.
  Editor::Salva(nuova.g, riaperto);
  EXPECT_EQ(b.Leggi("Viola.skcom"), salvato);
}

TEST_F(Modello, ASaveThatCannotReadOrWriteItsFilesKeepsTheEditorAndTheGameAsTheyWere) {
  Apri();
  PrendiImmagine(0, File("sparito.png", Png(Qt::red)));
  PrendiSuono(2, File("colpo.wav", Wav));
  fs::remove(b.File("sparito.png"));
  SalvaCome("Persa");
  EXPECT_EQ(Box().last(),
            "Impossibile caricare uno o più file, controllare che il percorso inserito sia "
            "valido.");
  EXPECT_EQ(icone.at(icone.size() - 1), Icona::Critica);
  EXPECT_TRUE(Aperto() && !fs::exists(b.File("Persa.skcom")));
  EXPECT_TRUE(b.g.CombinazioneCorrente == "Default" && b.g.Volumi[2] == -1000);
  EXPECT_TRUE(m.immagini[0].endsWith("sparito.png"));

  // The combination is written but the choice can't be remembered.
  Def(b.g, m, 0);
  fs::create_directory(b.File("CombinazioneScelta"));
  Salva(b.g, m);
  EXPECT_TRUE(Box().last().startsWith("La combinazione Persa è stata salvata, ma"));
  EXPECT_TRUE(Aperto() && fs::exists(b.File("Persa.skcom")));
  EXPECT_TRUE(b.g.CombinazioneCorrente == "Default" && b.g.mn_comb[0].Checked);
  EXPECT_EQ(b.g.mn_comb.back().Caption, "Persa");
}

// The volume units: stored hundredths of a decibel against the 0..100 shown.
TEST(UnitaVolume, ShownValuesAreDecimalsAndTextsBecomeWholeNumbersWithHalvesToEven) {
  using namespace UnitaVolume;
  EXPECT_EQ(TestoVolume(-2555), "74.45");
  EXPECT_EQ(TestoVolume(-20000), "-100");  // out of range in someone else's file
  // A decimal comma, as an Italian keyboard types it, counts too.
  const std::pair<const char*, int> interi[] = {
      {"75.5", 76}, {" 40 ", 40}, {"74,5", 74}, {"1e30", 1000000000}};
  for (const auto& [testo, intero] : interi) EXPECT_EQ(Intero(testo), intero) << testo;
  for (const char* testo : {"", "tanto", "4 0", "nan", "inf"}) EXPECT_FALSE(Intero(testo)) << testo;
}

}  // namespace
