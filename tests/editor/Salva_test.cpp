// "Crea", "Salva e applica", the font panel and the password.
#include "editor/BancoEditor.h"

#include <QCheckBox>
#include <QLabel>

namespace {

using namespace banco_editor;

struct Salva : BancoEditor {
  TipoCombinazione Letta(const std::string& nome) const {
    auto c = LeggiFileCombinazione(b.File(nome + ".skcom"));
    EXPECT_TRUE(c.ok()) << nome;
    return c.ok() ? c.valore() : TipoCombinazione{};
  }
  // "Salva e applica" on a combination without a name yet.
  void SalvaCome(const QString& nome, std::optional<QString> autore = {}) {
    b.dialoghi.AccodaTesto(nome);
    if (autore) b.dialoghi.AccodaTesto(*autore);
    Clic(QStringLiteral("cb_salva"));
  }
  bool Aperto() const { return b.finestre.Caricata(Finestra::frm_opzioni); }
};

TEST_F(Salva, CreaRefusesShortTakenAndImpossibleNamesThenStartsFromTheBuiltInState) {
  TipoCombinazione verde = CombinazioneVuota("Verde");
  verde.Immagini[0] = Png(Qt::green);
  verde.Suoni[2] = Wav;
  Metti(verde);
  Apri();
  for (const char* nome : {"ab", "Verde", "a/b", ".."}) {
    b.dialoghi.AccodaTesto(QString::fromLatin1(nome));
    Clic(QStringLiteral("CB_crea"));
  }
  EXPECT_EQ(Box(), (QStringList{"Nome Combinazione?", "Il nome deve contenere almeno 3 caratteri",
                                "Nome Combinazione?", "Il nome esiste già", "Nome Combinazione?",
                                "Il nome contiene caratteri non validi", "Nome Combinazione?",
                                "Il nome deve contenere almeno 3 caratteri"}));
  EXPECT_EQ(b.g.CombinazioneInModifica, "Verde");

  b.dialoghi.AccodaTesto(QStringLiteral("Nuova"));  // and no author
  Clic(QStringLiteral("CB_crea"));
  EXPECT_EQ(b.g.CombinazioneInModifica, "Nuova");
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_combinazione"))->text(), "Nuova by Anonimo");
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno1")), "Default");
  EXPECT_EQ(Riga(2), "|0|0|off");
  // The game shows the built-in pictures at once; it still plays Verde.
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_EQ(aggiornamenti, 1);
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
}

TEST_F(Salva, SavingDefaultAsksANameOf3To25AndAnAuthorOfAtMost25) {
  Metti(CombinazioneVuota("Verde"));
  Apri();
  Clic(QStringLiteral("Cb_default"));  // back to no name of its own
  Box();
  SalvaCome(QStringLiteral("ab"));
  SalvaCome(QString(26, QLatin1Char('x')));
  SalvaCome(QStringLiteral("Verde"));
  SalvaCome(QString(25, QLatin1Char('x')), QString(26, QLatin1Char('a')));
  EXPECT_EQ(Box(),
            (QStringList{"Inserire il nome della combinazione",
                         "Il nome deve avere un numero di caratteri compreso tra 3 e 25",
                         "Inserire il nome della combinazione",
                         "Il nome deve avere un numero di caratteri compreso tra 3 e 25",
                         "Inserire il nome della combinazione", "la combinazione Verde esiste già!",
                         "Inserire il nome della combinazione", "Autore?",
                         "Il numero massimo di caratteri consentiti è 25"}));
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

TEST_F(Salva, APasswordIsAskedAgainUntilItFitsAndAnEmptyAnswerSavesNothing) {
  Apri();
  C<QCheckBox>(QStringLiteral("chk_password"))->setChecked(true);
  b.dialoghi.AccodaTesto(QStringLiteral("Blu"));
  b.dialoghi.AccodaTesto(QStringLiteral("Anna"));
  b.dialoghi.AccodaTesto(QStringLiteral("ab"));
  Clic(QStringLiteral("cb_salva"));  // then no answer
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 5u);
  EXPECT_EQ(box[2].testo, "Scegli una PassWord da 3 a 12 caratteri");
  EXPECT_EQ(box[3].testo, "Password non in range");
  EXPECT_EQ(box[3].icona, Icona::Informazione);
  EXPECT_FALSE(fs::exists(b.File("Blu.skcom")));
  EXPECT_TRUE(Aperto());

  // The name was taken: the next save asks only the password.
  b.dialoghi.AccodaTesto(QStringLiteral("tredicilette"));
  Clic(QStringLiteral("cb_salva"));
  EXPECT_EQ(Letta("Blu").Password, "tredicilette");
  EXPECT_EQ(b.g.PasswordCombinazione, "tredicilette");
}

TEST_F(Salva, ARightPasswordUnlocksAndTheSaveThenDropsIt) {
  TipoCombinazione blu = CombinazioneVuota("Blu");
  blu.Password = "segreto";
  Metti(blu);
  Apri();
  b.dialoghi.AccodaTesto(QStringLiteral("Segreto"));
  Clic(QStringLiteral("Cb_InserisciPass"));
  EXPECT_EQ(b.dialoghi.PrendiBox().back().icona, Icona::Critica);
  EXPECT_TRUE(Visibile(QStringLiteral("lbl_pass")));

  b.dialoghi.AccodaTesto(QStringLiteral("segreto"));
  Clic(QStringLiteral("Cb_InserisciPass"));
  EXPECT_EQ(Box(), QStringList{"Inserire la PassWord"});
  EXPECT_FALSE(Visibile(QStringLiteral("lbl_pass")));
  EXPECT_TRUE(C<QCheckBox>(QStringLiteral("chk_password"))->isChecked());
  Clic(QStringLiteral("cb_salva"));  // the box is not asked: the loaded file had a password
  EXPECT_TRUE(Box().isEmpty());
  EXPECT_EQ(Letta("Blu").Password, "");
}

TEST_F(Salva, TheFontPanelsChoicesReachTheSavedFile) {
  Apri();
  Clic(QStringLiteral("Cb_visualfont"));
  EXPECT_TRUE(Visibile(QStringLiteral("fra_font")));
  b.dialoghi.AccodaFont(Carattere{QStringLiteral("DejaVu Serif"), 14, true, false});
  Clic(QStringLiteral("Cb_font"));
  EXPECT_EQ(b.dialoghi.RichiesteFont().back(), b.g.lbl_hiscore.Font);
  EXPECT_EQ(editor->FontAnteprima(), (Carattere{QStringLiteral("DejaVu Serif"), 14, true, false}));
  Clic(QStringLiteral("cb_color"));  // cancelled: nothing changes
  EXPECT_EQ(editor->ColoreAnteprima(), b.g.lbl_hiscore.ForeColor);
  b.dialoghi.AccodaColore(Rgb(255, 0, 0));
  Clic(QStringLiteral("cb_color"));
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_anteprimafont"))->palette().windowText().color(),
            QColor(Qt::red));

  // A font file already installed under its name is left alone but still carried.
  const fs::path fonts = b.File("dati") / "fonts";
  fs::create_directories(fonts);
  std::ofstream(fonts / "gia.ttf") << "installed";
  const std::string tag("\0\1\0\0", 4);  // how a TrueType file starts
  b.dialoghi.AccodaFile(File("gia.ttf", tag + "font bytes"));
  Clic(QStringLiteral("Cb_fontFile"));
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_fontdacaricare"))->text(), "gia.ttf");
  EXPECT_EQ(Box(), QStringList{"Ricorda che se vuoi utilizzare la Font che hai appena caricato "
                               "devi selezionarla con il pulsante 'Da Font'"});
  EXPECT_EQ(b.Leggi("dati/fonts/gia.ttf"), "installed");
  b.dialoghi.AccodaFile(File("nuova.ttf", tag + "new font"));
  Clic(QStringLiteral("Cb_fontFile"));
  EXPECT_EQ(b.Leggi("dati/fonts/nuova.ttf"), tag + "new font");
  Box();
  // What is no font is refused, and nothing changes.
  b.dialoghi.AccodaFile(File("finta.ttf", "<html>"));
  Clic(QStringLiteral("Cb_fontFile"));
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_fontdacaricare"))->text(), "nuova.ttf");
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

TEST_F(Salva, ACombinationMadeHereComesBackWholeAfterARestart) {
  Apri();
  b.dialoghi.AccodaTesto(QStringLiteral("Viola"));
  b.dialoghi.AccodaTesto(QStringLiteral("Bea"));
  Clic(QStringLiteral("CB_crea"));
  b.dialoghi.AccodaFile(File("viola.png", Png(Qt::magenta)));
  Clic(QStringLiteral("Cb_mattoncino"));
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  Clic(QStringLiteral("cb_apri_14"));
  Digita(14, QStringLiteral("40"));
  Clic(QStringLiteral("Cb_visualfont"));
  b.dialoghi.AccodaFile(File("viola.ttf", std::string("\0\1\0\0", 4) + "font bytes"));
  Clic(QStringLiteral("Cb_fontFile"));
  Clic(QStringLiteral("cb_salva"));
  ASSERT_FALSE(Aperto());
  EXPECT_EQ(b.g.img_muro[47].Picture, b.g.img_muro[0].Picture);
  EXPECT_TRUE(b.g.img_muro[0].Picture.Nome.startsWith("sha1:"));
  const std::string salvato = b.Leggi("Viola.skcom");

  // The same folder, a new run of the program.
  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  Gioco g(b.g.CartellaProgramma, orologio, dialoghi, *spia, finestre, b.fonts);
  frm_main frm(g);
  frm.Form_Load();
  frm_opzioni riaperto(g);
  QStringList mostrati{riaperto.windowTitle()};
  for (const char* nome : {"txt_mattoncino", "txt_alieno1", "txt_audio_14", "txt_vol_14"})
    mostrati << riaperto.findChild<QLineEdit*>(QLatin1String(nome))->text();
  mostrati << riaperto.findChild<QLabel*>(QStringLiteral("lbl_fontdacaricare"))->text();
  EXPECT_EQ(mostrati, (QStringList{"OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: "
                                   "Viola by Bea",
                                   "Viola", "Default", "Viola", "40", "viola.ttf"}));
  EXPECT_EQ(riaperto.FontAnteprima(), b.g.lbl_default.Font);

  // Saved again untouched, it is the same file.
  riaperto.cb_salva_Click();
  EXPECT_EQ(b.Leggi("Viola.skcom"), salvato);
}

TEST_F(Salva, ASaveThatCannotReadOrWriteItsFilesKeepsTheEditorAndTheGameAsTheyWere) {
  Apri();
  b.dialoghi.AccodaFile(File("sparito.png", Png(Qt::red)));
  Clic(QStringLiteral("CB_ali1"));
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  Clic(QStringLiteral("cb_apri_2"));
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
  EXPECT_TRUE(Testo(QStringLiteral("txt_alieno1")).endsWith("sparito.png"));

  // The combination is written but the choice can't be remembered.
  Clic(QStringLiteral("cb_def_0"));
  fs::create_directory(b.File("CombinazioneScelta"));
  Clic(QStringLiteral("cb_salva"));
  EXPECT_TRUE(Box().last().startsWith("La combinazione Persa è stata salvata, ma"));
  EXPECT_TRUE(Aperto());
  EXPECT_TRUE(fs::exists(b.File("Persa.skcom")));
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
  EXPECT_EQ(b.g.mn_comb.back().Caption, "Persa");
  EXPECT_TRUE(b.g.mn_comb[0].Checked);
}

}  // namespace
