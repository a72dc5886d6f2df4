// The editor's model without its window: loading, the pickers and volumes, the
// resets and deleting, creating and saving, the font panel and the password.
#include "editing/UnitaVolume.h"
#include "support/BancoEditor.h"

namespace {

using namespace banco_editor;
using namespace Editor;

// A JPEG of one grey. `annunciata` rewrites the size its header gives, which is all
// the gate reads before it refuses a picture.
std::string Jpeg(QSize dimensione, std::optional<QSize> annunciata = {}) {
  QImage immagine(dimensione, QImage::Format_Grayscale8);
  immagine.fill(128);
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  immagine.save(&buffer, "JPG");
  std::string jpeg = byte.toStdString();
  if (annunciata) {
    const size_t sof = jpeg.find("\xFF\xC0");
    const auto due = [&](size_t da, int v) {
      jpeg[da] = static_cast<char>(v >> 8);
      jpeg[da + 1] = static_cast<char>(v & 0xFF);
    };
    due(sof + 5, annunciata->height());
    due(sof + 7, annunciata->width());
  }
  return jpeg;
}

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
    Metti(c);
    Apri();
  }
  QString Verde() const { return QString::fromStdString(b.File("Verde.skcom").string()); }
};

TEST_F(Modello, AProtectedCombinationOpensWithItsSourcesAndVolumesAndLocksAllButVolumes) {
  TipoCombinazione c = Blu();
  c.FontFileNome.clear();  // no font to complain about when the save applies it
  Metti(c);
  Apri();
  EXPECT_EQ(m.titolo, "OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Blu by Anna");
  EXPECT_EQ(m.immagini[0], "Blu");
  EXPECT_EQ(m.anteprime[13], b.g.Picture);
  // -2550 shows 74.5 and puts the slider at 74; on a row with a sound the slider's
  // change handling then writes its whole position back into the box.
  EXPECT_EQ(Riga(3), "Blu|74|74|on");
  EXPECT_EQ(b.g.VolumiEditor[3], -2600);
  EXPECT_EQ(Riga(5), "|74.5|74|off");
  EXPECT_EQ(Riga(7), "|0|0|off");
  EXPECT_TRUE(m.bloccata && m.defaultBloccato);

  // Locked: the pickers, resets and font panel do nothing...
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  ScegliImmagine(b.g, m, 1);
  ScegliSuono(b.g, m, 5);
  ScegliSuono(b.g, m, 0);
  Def(b.g, m, 0);
  TuttoADefault(b.g, m);
  ApriPannelloFont(b.g, m);
  EXPECT_TRUE(b.dialoghi.RichiesteFile().empty());
  EXPECT_EQ(m.immagini[0], "Blu");
  EXPECT_FALSE(m.pannelloFont);
  EXPECT_EQ(aggiornamenti, 0);
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
  b.dialoghi.AccodaTesto(QStringLiteral("Segreto"));
  InserisciPassword(b.g, m);
  EXPECT_EQ(b.dialoghi.PrendiBox().back().icona, Icona::Critica);
  EXPECT_TRUE(m.bloccata);
  b.dialoghi.AccodaTesto(QStringLiteral("segreto"));
  InserisciPassword(b.g, m);
  EXPECT_TRUE(!m.bloccata && m.proteggi && m.defaultBloccato);
  Box();
  Salva(b.g, m);  // no password asked: the loaded file had one
  EXPECT_TRUE(Box().isEmpty());
  EXPECT_EQ(Letta("Blu").Password, "");
}

TEST_F(Modello, APictureIsTakenOnlyWhenItDecodesAndTheGameWaitsForASave) {
  Apri();
  const QString rosso = File("rosso.png", Png(Qt::red));
  const QString lettera = File("lettera.jpg", "Cara Anna, ...");
  b.dialoghi.AccodaFile(rosso);
  b.dialoghi.AccodaFile(lettera);
  for (int k = 0; k < 3; ++k) ScegliImmagine(b.g, m, 6);  // the last cancelled
  EXPECT_EQ(b.dialoghi.RichiesteFile().at(0).cartella.toStdString(),
            b.g.CartellaProgramma.string());
  EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + lettera +
                               ": non è un'immagine JPG, GIF o BMP leggibile."});
  EXPECT_EQ(m.immagini[6], rosso);
  EXPECT_EQ(m.anteprime[6].Dati.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(b.g.img_proiettilenemico[0].Picture, Immagine::Incorporata(6));
}

// The budgets a combination's pictures are held to when it is applied: a picture
// over them is refused as too large, with the limit it broke, when it is chosen.
TEST_F(Modello, APictureOverTheBudgetsIsCalledTooLargeAndABigOneWithinThemIsTaken) {
  Apri();
  const QString grande = File("grande.jpg", Jpeg({4000, 4000}));  // the most a picture may have
  for (int n = 0; n < 4; ++n) {
    b.dialoghi.AccodaFile(grande);
    ScegliImmagine(b.g, m, n);
  }
  EXPECT_TRUE(Box().isEmpty());
  EXPECT_EQ(m.anteprime[3].Dati.size(), QSize(4000, 4000));

  const QString enorme = File("enorme.jpg", Jpeg({16, 16}, QSize{12000, 12000}));
  const std::pair<QString, QString> troppo[] = {
      {enorme, "immagine di 144 milioni di pixel, oltre il limite di 16 milioni per immagine"},
      {grande,  // a fifth one
       "con essa le immagini arrivano a 80 milioni di pixel, oltre il limite di 64 milioni per "
       "combinazione"},
  };
  for (const auto& [file, motivo] : troppo) {
    b.dialoghi.AccodaFile(file);
    ScegliImmagine(b.g, m, 4);
    EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + file + ": è troppo grande (" +
                                 motivo + ")."});
    EXPECT_EQ(m.immagini[4], "Default");
  }
  // In place of one of the four it fits, and the game takes all four.
  b.dialoghi.AccodaFile(grande);
  ScegliImmagine(b.g, m, 0);
  SalvaCome(QStringLiteral("Grande"), QStringLiteral("Anna"));
  EXPECT_EQ(Box(), (QStringList{"Inserire il nome della combinazione", "Autore?"}));
  EXPECT_EQ(b.g.img_quartafila[0].Picture, m.anteprime[3]);
}

TEST_F(Modello, ASoundFillsItsRowIsTriedSetByItsBoxAndEmptied) {
  Apri();
  const QString colpo = File("colpo.wav", Wav);
  // No wave for an effect, no tune for the music: refused, each with a message.
  b.dialoghi.AccodaFile(File("falso.wav", "not a wave"));
  b.dialoghi.AccodaFile(File("nota.txt", "no tune"));
  b.dialoghi.AccodaFile(colpo);
  ScegliSuono(b.g, m, 5);
  ScegliSuono(b.g, m, 0);
  EXPECT_EQ(Box().size(), 2);
  EXPECT_EQ(Riga(5), "|100|100|off");
  EXPECT_EQ(Riga(0), "|100|100|off");
  ScegliSuono(b.g, m, 5);
  EXPECT_EQ(Riga(5), "colpo.wav|100|100|on");
  EXPECT_EQ(b.g.VolumiEditor[5], 0);
  EXPECT_FALSE(b.g.BufferSuoni[5]);  // the game's own slot waits for a save
  spia->Prendi();

  Prova(b.g, m, 5, true);
  ImpostaPosizione(b.g, m, 5, 30);
  Prova(b.g, m, 5, false);
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"Suona 5 colpo.wav 0 ciclo", "VolumeCanale 5 -7000", "Ferma 5"}));

  // The volume box takes a whole number on Enter and refuses what is out of range.
  Digita(5, QStringLiteral("40"));
  EXPECT_EQ(m.suoni[5].posizione, 40);
  EXPECT_EQ(spia->Prendi(), QStringList{"VolumeCanale 5 -6000"});
  Digita(5, QStringLiteral("62.5"));
  EXPECT_EQ(Riga(5), "colpo.wav|62|62|on");  // the box shows what the slider holds
  for (const char* sbagliato : {"150", "-1", "tanto"}) {
    Digita(5, QString::fromLatin1(sbagliato));
    EXPECT_EQ(Box(), QStringList{"Valore non in range (0 - 100)"}) << sbagliato;
    EXPECT_EQ(Riga(5), "colpo.wav|100|100|on");
    EXPECT_EQ(b.g.VolumiEditor[5], 0);
  }
  // Typing alone takes nothing over; an empty row ignores Enter.
  ImpostaTestoVolume(b.g, m, 5, QStringLiteral("10"));
  EXPECT_EQ(m.suoni[5].posizione, 100);
  ConfermaVolume(b.g, m, 6);
  EXPECT_TRUE(Box().isEmpty());
  // Leaving the box takes the typed value too, or silently gives the slider's back.
  const std::pair<const char*, int> lasciati[] = {
      {"40", 40}, {"62.5", 62}, {"150", 62}, {"tanto", 62}, {"", 62}};
  for (const auto& [testo, volume] : lasciati) {
    ImpostaTestoVolume(b.g, m, 5, QString::fromLatin1(testo));
    LasciaVolume(b.g, m, 5);
    EXPECT_EQ(Riga(5), QStringLiteral("colpo.wav|%1|%1|on").arg(volume)) << testo;
    EXPECT_EQ(b.g.VolumiEditor[5], volume * 100 - 10000) << testo;
  }
  EXPECT_TRUE(Box().isEmpty());

  ImpostaPosizione(b.g, m, 5, 30);
  SvuotaRiga(m, 5);
  EXPECT_EQ(Riga(5), "|0|30|off");
  EXPECT_EQ(b.g.VolumiEditor[5], -7000);  // the player and its volume stay
}

TEST_F(Modello, DefAndTuttoADefaultPutSlotsBackInTheEditorAndOnTheGameAtOnce) {
  ApriVerde();
  const Immagine gialla = b.g.img_proiettilenemico[1].Picture;
  Def(b.g, m, 6);
  EXPECT_EQ(m.immagini[6], "Default");
  EXPECT_EQ(m.anteprime[6].Nome, "builtin:6");
  EXPECT_EQ(b.g.img_proiettilenemico[0].Picture.Nome, "builtin:6");
  EXPECT_EQ(b.g.img_proiettilenemico[1].Picture, gialla);
  EXPECT_EQ(aggiornamenti, 1);
  // The background's built-in picture is none: the playfield goes black.
  Def(b.g, m, 13);
  EXPECT_TRUE(b.g.Picture.Vuota());
  EXPECT_EQ(m.immagini[0], "Verde");

  // "TUTTO A DEFAULT" empties every slot and row and forgets the name.
  TuttoADefault(b.g, m);
  EXPECT_EQ(m.intestazione, "Default");
  EXPECT_EQ(b.g.CombinazioneInModifica, "Default");
  for (const QString& casella : m.immagini) EXPECT_EQ(casella, "Default");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Riga(i), "|0|0|off");
  EXPECT_EQ(m.font, b.g.lbl_default.Font);
  EXPECT_EQ(m.colore, b.g.lbl_default.ForeColor);
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_EQ(aggiornamenti, 3);
  // The game's name, author and sounds stay.
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
  EXPECT_EQ(b.g.AutoreCombinazione, "Anna");
  EXPECT_TRUE(b.g.BufferSuoni[2]);
}

TEST_F(Modello, EliminaDeletesOnlyCombinationFilesOfTheFolderAndSaysWhenItIsTheOneInUse) {
  ApriVerde();
  // Anything but a combination file of the program folder is refused unasked.
  fs::create_directories(b.File("sotto"));
  fs::create_directory(b.File("Cartella.skcom"));
  b.Scrivi("sotto/Fuori.skcom", "dati");
  fs::create_symlink(b.File("sotto/Fuori.skcom"), b.File("Link.skcom"));
  b.Scrivi("Record", "\"Anna\"\r\n");
  b.Scrivi("nota.txt", "dati");
  const QString cartella = QString::fromStdString(b.g.CartellaProgramma.string());
  const std::pair<const char*, QString> rifiutati[] = {
      {"sotto/Fuori.skcom",
       "si eliminano solo le combinazioni della cartella del programma (" + cartella + ")"},
      {"Record", "non è un file di combinazione (.skcom)"},
      {"CombinazioneScelta", "non è un file di combinazione (.skcom)"},
      {"nota.txt", "non è un file di combinazione (.skcom)"},
      {"Cartella.skcom", "non è un file di combinazione (.skcom)"},
      {"Link.skcom", "è un collegamento, non una combinazione"},
  };
  for (const auto& [nome, motivo] : rifiutati) {
    const QString file = QString::fromStdString(b.File(nome).string());
    b.dialoghi.AccodaFile(file);
    Elimina(b.g, m);  // nothing asked
    EXPECT_EQ(Box(), QStringList{"Impossibile eliminare " + file + ": " + motivo + "."}) << nome;
    EXPECT_TRUE(fs::exists(b.File(nome))) << nome;
  }
  EXPECT_TRUE(fs::exists(b.File("sotto/Fuori.skcom")));

  // Another combination goes alone: the remembered choice (and audio switch) stays.
  const QString altra = File("Altra.skcom", "dati");
  b.dialoghi.AccodaFile(altra);
  b.dialoghi.AccodaPulsante(Risposta::OK);
  Elimina(b.g, m);
  EXPECT_EQ(Box(), QStringList{"Eliminare " + altra + " ?"});
  EXPECT_FALSE(fs::exists(b.File("Altra.skcom")));
  EXPECT_TRUE(fs::exists(b.File("CombinazioneScelta")));

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
  EXPECT_FALSE(fs::exists(b.File("Verde.skcom")));
  EXPECT_FALSE(fs::exists(b.File("CombinazioneScelta")));
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
  EXPECT_EQ(m.immagini[0], "Verde");

  b.frm.Form_Load();  // the next start
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
}

// The rules for a name, as "Crea" and "Salva e applica" tell each refusal.
TEST_F(Modello, CreaAndSalvaRefuseANameSayingWhichRuleItBreaks) {
  ApriVerde();
  const QString corto = QStringLiteral("Il nome deve contenere almeno 3 caratteri");
  const QString tra3e25 =
      QStringLiteral("Il nome deve avere un numero di caratteri compreso tra 3 e 25");
  const QString spazi = QStringLiteral("Il nome non può essere fatto solo di spazi");
  const QString riservato =
      QStringLiteral("Il nome Default è riservato alla combinazione predefinita");
  const QString invalido = QStringLiteral("Il nome contiene caratteri non validi");
  const auto carattere = [](const char* c) {
    return QStringLiteral(
               "Il nome contiene il carattere %1, che non si può salvare in una "
               "combinazione")
        .arg(QString::fromUtf8(c));
  };
  struct Caso {
    QString nome, crea, salva;
  };
  const Caso casi[] = {
      {"ab", corto, tra3e25},
      {"  ab  ", corto, tra3e25},  // the blanks at the ends don't count
      {QString(26, 'x'), "Il nome può avere al massimo 25 caratteri", tra3e25},
      {QString(300, 'x'), "Il nome può avere al massimo 25 caratteri", tra3e25},
      {"   ", spazi, spazi},
      {"Default", riservato, riservato},
      {" dEFAULT", riservato, riservato},
      {"Ωmega", carattere("Ω"), carattere("Ω")},
      {"Notte😀", carattere("😀"), carattere("😀")},
      {"ze\u200Bro", carattere("U+200B"), carattere("U+200B")},  // unseen: by its code
      {"a/b", invalido, invalido},
      {"a\\b", invalido, invalido},
      {".nascosta", invalido, invalido},
      {"tab\tx", invalido, invalido},
      {"Verde", "Il nome esiste già", "la combinazione Verde esiste già!"},
  };
  for (const Caso& c : casi) {
    b.dialoghi.AccodaTesto(c.nome);
    Crea(b.g, m);
    EXPECT_EQ(Box(), (QStringList{"Nome Combinazione?", c.crea})) << c.nome.toStdString();
  }
  EXPECT_EQ(m.nome, "Verde");
  EXPECT_EQ(aggiornamenti, 0);
  TuttoADefault(b.g, m);  // a save asks for a name
  for (const Caso& c : casi) {
    SalvaCome(c.nome);
    EXPECT_EQ(Box(), (QStringList{"Inserire il nome della combinazione", c.salva}))
        << c.nome.toStdString();
  }
  EXPECT_TRUE(Aperto());

  // What Windows-1252 holds is a name, without the blanks at its ends; the file is
  // called as the name stored inside.
  SalvaCome(QStringLiteral("  Città € Ž  "), QStringLiteral("Zoë"));
  ASSERT_FALSE(Aperto());
  EXPECT_EQ(Letta("Città € Ž").Nome, "Città € Ž");
  EXPECT_EQ(b.g.CombinazioneCorrente, "Città € Ž");
}

TEST_F(Modello, CreaStartsFromTheBuiltInState) {
  ApriVerde();
  // An author that can't be stored changes nothing.
  b.dialoghi.AccodaTesto(QStringLiteral("Nuova"));
  b.dialoghi.AccodaTesto(QStringLiteral("Ωlga"));
  Crea(b.g, m);
  EXPECT_EQ(Box().last(),
            "L'autore contiene il carattere Ω, che non si può salvare in una combinazione");
  EXPECT_EQ(m.nome, "Verde");
  EXPECT_EQ(m.immagini[0], "Verde");

  b.dialoghi.AccodaTesto(QStringLiteral("Nuova"));  // and no author
  Crea(b.g, m);
  EXPECT_EQ(b.g.CombinazioneInModifica, "Nuova");
  EXPECT_EQ(m.intestazione, "Nuova by Anonimo");
  EXPECT_EQ(m.immagini[0], "Default");
  EXPECT_EQ(Riga(2), "|0|0|off");
  // The game shows the built-in pictures at once; it still plays Verde.
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_EQ(aggiornamenti, 1);
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
}

TEST_F(Modello, SavingDefaultAsksANameOf3To25AndAnAuthorOfAtMost25) {
  Metti(CombinazioneVuota("Verde"));
  Apri();
  TuttoADefault(b.g, m);  // back to no name of its own
  SalvaCome(QString(25, QLatin1Char('x')), QString(26, QLatin1Char('a')));
  SalvaCome(QString(25, QLatin1Char('x')), QStringLiteral("Ωlga"));
  EXPECT_EQ(Box(), (QStringList{"Inserire il nome della combinazione", "Autore?",
                                "Il numero massimo di caratteri consentiti è 25",
                                "Inserire il nome della combinazione", "Autore?",
                                "L'autore contiene il carattere Ω, che non si può salvare in una "
                                "combinazione"}));
  EXPECT_TRUE(Aperto());
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");

  const QString nome(25, QLatin1Char('x'));
  SalvaCome(nome);
  EXPECT_FALSE(Aperto());
  EXPECT_EQ(Letta(nome.toStdString()).Autore, "Anonimo");
  EXPECT_EQ(b.g.CombinazioneCorrente, nome);
  EXPECT_TRUE(std::any_of(b.g.mn_comb.begin(), b.g.mn_comb.end(),
                          [&](const VoceMenu& v) { return v.Caption == nome && v.Checked; }));
}

// A combination is its file's name, whatever name a file made elsewhere stores: the
// game and the menu call it so, and a save writes it back there with that name
// inside. A file name that can't be stored (an earlier version let "Ωmega" through,
// stored as "?mega") is told and a new name asked; the slots keep their pictures and
// sounds under it.
TEST_F(Modello, ACombinationIsSavedUnderItsFilesNameOrANewOneWhenThatCantBeStored) {
  const struct {
    std::string file, dentro;
    QStringList domande;
    QString nuovo;
  } casi[] = {
      {"Blu", "../Rosso", {}, "Blu"},
      {"Ωmega",
       "?mega",
       {"Il nome contiene il carattere Ω, che non si può salvare in una combinazione: la "
        "combinazione va salvata con un altro nome.",
        "Inserire il nome della combinazione", "Autore?"},
       "Omega"},
  };
  for (const auto& c : casi) {
    TipoCombinazione comb = CombinazioneVuota(c.dentro);
    comb.Immagini[4] = Png(Qt::cyan);
    comb.Suoni[7] = Wav;
    comb.Volumi[7] = -3000;
    ASSERT_TRUE(ScriviFileCombinazione(b.File(c.file + ".skcom"), comb));
    ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(c.file + ".skcom"), false));
    Apri();
    const QString file = QString::fromStdString(c.file);
    EXPECT_EQ(b.g.CombinazioneCorrente, file);
    EXPECT_TRUE(std::any_of(b.g.mn_comb.begin(), b.g.mn_comb.end(),
                            [&](const VoceMenu& v) { return v.Caption == file && v.Checked; }));
    EXPECT_EQ(m.immagini[4], file);
    if (!c.domande.isEmpty()) b.dialoghi.AccodaTesto(c.nuovo);
    Salva(b.g, m);
    EXPECT_EQ(Box(), c.domande) << c.file;
    ASSERT_FALSE(Aperto()) << c.file;
    const TipoCombinazione salvata = Letta(c.nuovo.toStdString());
    EXPECT_EQ(salvata.Nome, c.nuovo.toStdString());
    EXPECT_EQ(salvata.Immagini[4], comb.Immagini[4]);
    EXPECT_EQ((std::pair{salvata.Suoni[7], salvata.Volumi[7]}), (std::pair{Wav, -3000}));
    EXPECT_FALSE(fs::exists(b.File(c.dentro + ".skcom"))) << c.dentro;
    EXPECT_EQ(b.g.CombinazioneCorrente, c.nuovo);
  }
}

TEST_F(Modello, APasswordIsAskedAgainUntilItFitsAndAnEmptyAnswerSavesNothing) {
  Apri();
  m.proteggi = true;
  b.dialoghi.AccodaTesto(QStringLiteral("Blu"));
  b.dialoghi.AccodaTesto(QStringLiteral("Anna"));
  b.dialoghi.AccodaTesto(QStringLiteral("ab"));
  b.dialoghi.AccodaTesto(QStringLiteral("Ωmega"));  // stored as "?mega", it would never open
  Salva(b.g, m);                                    // then no answer
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 7u);
  EXPECT_EQ(box[2].testo, "Scegli una PassWord da 3 a 12 caratteri");
  EXPECT_EQ(box[3].testo, "Password non in range");
  EXPECT_EQ(box[3].icona, Icona::Informazione);
  EXPECT_EQ(box[5].testo,
            "La password contiene il carattere Ω, che non si può salvare in una combinazione");
  EXPECT_EQ(box[6].testo, "Scegli una PassWord da 3 a 12 caratteri");
  EXPECT_FALSE(fs::exists(b.File("Blu.skcom")));
  EXPECT_TRUE(Aperto());

  // The name was taken: the next save asks only the password.
  b.dialoghi.AccodaTesto(QStringLiteral("tredicilette"));
  Salva(b.g, m);
  EXPECT_EQ(Letta("Blu").Password, "tredicilette");
  EXPECT_EQ(b.g.PasswordCombinazione, "tredicilette");
}

TEST_F(Modello, TheFontPanelsChoicesReachTheSavedFile) {
  Apri();
  ApriPannelloFont(b.g, m);
  EXPECT_TRUE(m.pannelloFont);
  b.dialoghi.AccodaFont(Carattere{QStringLiteral("DejaVu Serif"), 14, true, false});
  ScegliFont(b.g, m);
  EXPECT_EQ(b.dialoghi.RichiesteFont().back(), b.g.lbl_hiscore.Font);
  EXPECT_EQ(m.font, (Carattere{QStringLiteral("DejaVu Serif"), 14, true, false}));
  ScegliColore(b.g, m);  // cancelled: nothing changes
  EXPECT_EQ(m.colore, b.g.lbl_hiscore.ForeColor);
  b.dialoghi.AccodaColore(Rgb(255, 0, 0));
  ScegliColore(b.g, m);

  // A font file already installed under its name is left alone but still carried.
  const fs::path fonts = b.File("dati") / "fonts";
  fs::create_directories(fonts);
  std::ofstream(fonts / "gia.ttf") << "installed";
  const std::string tag("\0\1\0\0", 4);  // how a TrueType file starts
  b.dialoghi.AccodaFile(File("gia.ttf", tag + "font bytes"));
  ScegliFileFont(b.g, m);
  EXPECT_EQ(m.fontFileNome, "gia.ttf");
  EXPECT_EQ(Box(), QStringList{"Ricorda che se vuoi utilizzare la Font che hai appena caricato "
                               "devi selezionarla con il pulsante 'Da Font'"});
  EXPECT_EQ(b.Leggi("dati/fonts/gia.ttf"), "installed");
  b.dialoghi.AccodaFile(File("nuova.ttf", tag + "new font"));
  ScegliFileFont(b.g, m);
  EXPECT_EQ(b.Leggi("dati/fonts/nuova.ttf"), tag + "new font");
  Box();
  // What is no font is refused, and nothing changes.
  b.dialoghi.AccodaFile(File("finta.ttf", "<html>"));
  ScegliFileFont(b.g, m);
  EXPECT_EQ(m.fontFileNome, "nuova.ttf");
  EXPECT_FALSE(fs::exists(fonts / "finta.ttf"));
  EXPECT_EQ(Box().size(), 1);

  SalvaCome(QStringLiteral("Rossa"));
  const TipoCombinazione c = Letta("Rossa");
  EXPECT_EQ(c.FontNome, "DejaVu Serif");
  EXPECT_EQ(c.FontDimensione, "14");
  EXPECT_EQ(c.FontColore, "255");
  EXPECT_TRUE(c.FontGrassetto);
  EXPECT_EQ(c.FontFile, tag + "new font");
  EXPECT_EQ(c.FontFileNome, "nuova.ttf");
  EXPECT_EQ(b.g.lbl_hiscore.ForeColor, Rgb(255, 0, 0));  // applied at once
}

TEST_F(Modello, ACombinationMadeHereComesBackWholeAfterARestart) {
  Apri();
  b.dialoghi.AccodaTesto(QStringLiteral("Viola"));
  b.dialoghi.AccodaTesto(QStringLiteral("Bea"));
  Crea(b.g, m);
  b.dialoghi.AccodaFile(File("viola.png", Png(Qt::magenta)));
  ScegliImmagine(b.g, m, 9);
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  ScegliSuono(b.g, m, 14);
  // Typed and never confirmed, the shown volume is the one saved.
  ImpostaTestoVolume(b.g, m, 14, QStringLiteral("40"));
  b.dialoghi.AccodaFile(File("viola.ttf", std::string("\0\1\0\0", 4) + "font bytes"));
  ScegliFileFont(b.g, m);
  Salva(b.g, m);
  ASSERT_FALSE(Aperto());
  EXPECT_TRUE(b.g.img_muro[0].Picture.Nome.startsWith("sha1:"));
  const std::string salvato = b.Leggi("Viola.skcom");

  // The same folder, a new run of the program.
  Partita<LatiCopione> nuova(b.g.CartellaProgramma, CreaAudioMuto(),
                             std::make_unique<FontsCopione>(b.fonts.Cartella()));
  Gioco& g = nuova.g;
  nuova.frm.Form_Load();
  ModelloEditor riaperto = Editor::Apri(g);
  EXPECT_EQ((QStringList{riaperto.titolo, riaperto.immagini[9], riaperto.immagini[0],
                         riaperto.suoni[14].sorgente, riaperto.suoni[14].volume,
                         QString::fromStdString(riaperto.fontFileNome)}),
            (QStringList{"OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Viola by Bea",
                         "Viola", "Default", "Viola", "40", "viola.ttf"}));
  EXPECT_EQ(riaperto.font, b.g.lbl_default.Font);

  // Saved again untouched, it is the same file.
  Editor::Salva(g, riaperto);
  EXPECT_EQ(b.Leggi("Viola.skcom"), salvato);
}

TEST_F(Modello, ASaveThatCannotReadOrWriteItsFilesKeepsTheEditorAndTheGameAsTheyWere) {
  Apri();
  b.dialoghi.AccodaFile(File("sparito.png", Png(Qt::red)));
  ScegliImmagine(b.g, m, 0);
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  ScegliSuono(b.g, m, 2);
  fs::remove(b.File("sparito.png"));
  SalvaCome(QStringLiteral("Persa"));
  const BoxMostrato avviso = b.dialoghi.PrendiBox().back();
  EXPECT_EQ(avviso.testo,
            "Impossibile caricare uno o più file, controllare che il percorso inserito sia "
            "valido.");
  EXPECT_EQ(avviso.icona, Icona::Critica);
  EXPECT_TRUE(Aperto());
  EXPECT_FALSE(fs::exists(b.File("Persa.skcom")));
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_EQ(b.g.Volumi[2], -1000);
  EXPECT_TRUE(m.immagini[0].endsWith("sparito.png"));

  // The combination is written but the choice can't be remembered.
  Def(b.g, m, 0);
  fs::create_directory(b.File("CombinazioneScelta"));
  Salva(b.g, m);
  EXPECT_TRUE(Box().last().startsWith("La combinazione Persa è stata salvata, ma"));
  EXPECT_TRUE(Aperto());
  EXPECT_TRUE(fs::exists(b.File("Persa.skcom")));
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_EQ(b.g.mn_comb.back().Caption, "Persa");
  EXPECT_TRUE(b.g.mn_comb[0].Checked);
}

// The volume units: stored hundredths of a decibel against the 0..100 shown.
TEST(UnitaVolume, ShownValuesAreDecimalsAndTextsBecomeWholeNumbersWithHalvesToEven) {
  using namespace UnitaVolume;
  EXPECT_EQ(TestoVolume(-2555), "74.45");
  EXPECT_EQ(TestoVolume(-20000), "-100");  // out of range in someone else's file
  EXPECT_EQ(Intero("75.5"), 76);
  EXPECT_EQ(Intero(" 40 "), 40);
  EXPECT_EQ(Intero("74,5"), 74);  // a decimal comma, as an Italian keyboard types it
  EXPECT_EQ(Intero("1e30"), 1000000000);
  for (const char* testo : {"", "tanto", "4 0", "nan", "inf"})
    EXPECT_FALSE(Intero(QString::fromLatin1(testo))) << testo;
}

}  // namespace
