// The editor window as a view of its model: what it shows, where its clicks go, the
// preview on hover, the close box, the turns of the game, and the window drawn.
#include "editor/Anteprima.h"
#include "support/BancoEditor.h"
#include "editor/TabelleEditor.h"
#include "ui/Demo.h"

#include <QCheckBox>
#include <QLabel>
#include <QStyleOptionSlider>

namespace {

using namespace banco_editor;
using FinestraEditor = BancoEditor;

TEST_F(FinestraEditor, ShowsItsModelAndItsLocks) {
  Apri(true, Blu());
  const ModelloEditor& mostrato = editor->Modello();
  EXPECT_EQ(editor->windowTitle(), mostrato.titolo);
  EXPECT_EQ(C<QLabel>("lbl_combinazione")->text(), "Blu by Anna");
  for (size_t n = 0; n < NumeroImmagini; ++n) {
    const auto& slot = TabelleEditor::TabellaImmagini[n];
    EXPECT_EQ(Testo(slot.casella), mostrato.immagini[n]);
    EXPECT_EQ(C<Anteprima>(slot.anteprima)->Picture(), mostrato.anteprime[n]);
  }
  EXPECT_EQ((std::tuple{Testo("txt_vol_5"), Cursore(5)->value(), Cursore(3)->isEnabled(),
                        Cursore(5)->isEnabled(), C<QLabel>("lbl_fontdacaricare")->text()}),
            (std::tuple{"74.5", 74, true, false, "notturna.ttf"}));
  EXPECT_TRUE(Visibile("lbl_pass") && Visibile("Cb_InserisciPass") && !Visibile("chk_password"));
  EXPECT_FALSE(C("Cb_default")->isEnabled());

  // Unlocked, the window follows; the protect box is the model's. The password is
  // asked for in a box that hides it.
  b.dialoghi.AccodaTesto("segreto");
  Clic("Cb_InserisciPass");
  const std::vector<BoxMostrato> chiesti = b.dialoghi.PrendiBox();
  EXPECT_TRUE(!chiesti.empty() && chiesti.back().tipo == "input" && chiesti.back().nascosto);
  EXPECT_TRUE(!Visibile("lbl_pass") && C<QCheckBox>("chk_password")->isChecked());
  C<QCheckBox>("chk_password")->setChecked(false);
  EXPECT_FALSE(editor->Modello().proteggi);
  Clic("Cb_visualfont");
  EXPECT_TRUE(Visibile("fra_font"));
}

TEST_F(FinestraEditor, TheControlsReachTheModel) {
  Apri(true);
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  Clic("Cb_sfondo");
  EXPECT_TRUE(Testo("txt_sfondo").endsWith("rosso.png"));
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  Clic("cb_apri_5");
  EXPECT_TRUE(Cursore(5)->isEnabled());
  // The sound dialog is titled as the picture dialog.
  const auto richieste = b.dialoghi.RichiesteFile();
  ASSERT_EQ(richieste.size(), 2u);
  EXPECT_TRUE(richieste[0].titolo.startsWith("SKARVEX - by Dorvanel"));
  EXPECT_EQ(richieste[1].titolo, richieste[0].titolo);

  // The slider writes the box, the box takes over on Enter, the trial button latches.
  Cursore(5)->setValue(30);
  EXPECT_EQ(Testo("txt_vol_5"), "30");
  C<QLineEdit>("txt_vol_5")->setText("40");
  Invia(C("txt_vol_5"), QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
  EXPECT_EQ(Cursore(5)->value(), 40);
  Clic("chk_play_5");
  EXPECT_EQ(spia->Prendi().back(), "Suona 5 colpo.wav -6000 ciclo");
  Mouse(C("txt_audio_5"), QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton);
  EXPECT_FALSE(Cursore(5)->isEnabled());

  Clic("Cb_default");
  EXPECT_TRUE(Testo("txt_sfondo") == "Default" && aggiornamenti == 1);
  b.dialoghi.AccodaColore(Rgb(255, 0, 0));
  Clic("cb_color");
  EXPECT_EQ(C<QLabel>("lbl_anteprimafont")->palette().windowText().color(), QColor(Qt::red));
}

TEST_F(FinestraEditor, TheSliderMovesByPixelsAndKeysAndTheBoxTakesOverWhenLeft) {
  Apri(true, Blu());
  QSlider* cursore = Cursore(3);
  const auto tasto = [&](Qt::Key k) {
    Invia(cursore, QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier));
    return cursore->value();
  };
  EXPECT_EQ((std::vector{tasto(Qt::Key_Right), tasto(Qt::Key_PageUp), tasto(Qt::Key_PageDown),
                         tasto(Qt::Key_Left)}),
            (std::vector{75, 85, 75, 74}));
  EXPECT_EQ(Testo("txt_vol_3"), "74");

  // The handle dragged from one end to the other a pixel at a time passes every value.
  cursore->setValue(0);
  QStyleOptionSlider opzioni;
  opzioni.initFrom(cursore);
  opzioni.orientation = Qt::Horizontal;
  opzioni.maximum = 100;
  const QPoint presa =
      cursore->style()
          ->subControlRect(QStyle::CC_Slider, &opzioni, QStyle::SC_SliderHandle, cursore)
          .center();
  Mouse(cursore, QEvent::MouseButtonPress, presa, Qt::LeftButton);
  int salto = 0;
  for (int x = presa.x(); x <= cursore->width(); ++x) {
    const int prima = cursore->value();
    Mouse(cursore, QEvent::MouseMove, {x, presa.y()}, Qt::LeftButton);
    salto = std::max(salto, cursore->value() - prima);
  }
  Mouse(cursore, QEvent::MouseButtonRelease, {cursore->width(), presa.y()}, Qt::NoButton);
  EXPECT_EQ(salto, 1);
  EXPECT_EQ(Testo("txt_vol_3"), "100");

  // A typed volume is taken over when the box is left or a button clicked.
  auto* casella = C<QLineEdit>("txt_vol_3");
  const auto digita = [&](const char* testo) {
    casella->selectAll();
    casella->insert(testo);  // as typed: the box is modified
  };
  Box();
  const auto esci = [&] { Invia(casella, QFocusEvent(QEvent::FocusOut, Qt::TabFocusReason)); };
  digita("30");
  esci();
  EXPECT_EQ(Cursore(3)->value(), 30);
  esci();  // left again without typing: nothing more happens
  EXPECT_TRUE(Box().isEmpty());
  spia->Prendi();

  // A button doesn't take the focus, yet what it plays is what the box shows.
  digita("20");
  Clic("chk_play_3");
  EXPECT_TRUE(spia->Prendi().back().endsWith("-8000 ciclo") && Cursore(3)->value() == 20);

  // A wrong value left in the box is told as on Enter.
  digita("150");
  esci();
  EXPECT_EQ(Box(), QStringList{"Valore non in range (0 - 100)"});
  EXPECT_EQ(Cursore(3)->value(), 100);
}

// The background preview shows the picture at its size on a scaled down playfield.
// Every caption fits its control, and a pressed trial button stands out.
TEST_F(FinestraEditor, TheBackgroundPreviewCaptionsAndTrialButtonsAreDrawnToBeSeen) {
  TipoCombinazione c = Blu();     // an 80 x 60 background
  c.Nome = std::string(25, 'W');  // the longest name and author
  c.Autore = std::string(25, 'M');
  c.FontFileNome = "UnCarattereDalNomeMoltoLungo.ttf";
  Apri(true, c);
  auto* anteprima = C<Anteprima>("img_sfondo");
  const QSize d = anteprima->size();
  EXPECT_NEAR(d.width() * 548.0 / 794.0, d.height(), 1.0);
  const QImage disegno = anteprima->grab().toImage();
  const double scala = d.width() / 794.0;
  const auto colore = [&](double x, double y) {
    return disegno.pixelColor(static_cast<int>(x), static_cast<int>(y));
  };
  EXPECT_EQ((std::vector{colore(1, 1), colore(80 * scala - 2, 60 * scala - 2),
                         colore(80 * scala + 2, 1), colore(1, 60 * scala + 2)}),
            (std::vector<QColor>{Qt::darkBlue, Qt::darkBlue, Qt::black, Qt::black}));

  for (const QLabel* l : editor->findChildren<QLabel*>())
    EXPECT_TRUE(l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height())
        << l->objectName().toStdString();
  for (const QPushButton* p : editor->findChildren<QPushButton*>())
    EXPECT_LE(p->fontMetrics().horizontalAdvance(p->text()) + 4, p->width())
        << p->objectName().toStdString();
  const auto* protezione = C<QCheckBox>("chk_password");
  EXPECT_LE(protezione->sizeHint().width(), protezione->width());

  auto* prova = C<QPushButton>("chk_play_3");
  const QImage su = prova->grab().toImage();
  prova->setChecked(true);
  const QImage giu = prova->grab().toImage();
  int diversi = 0;
  for (int y = 0; y < su.height(); ++y)
    for (int x = 0; x < su.width(); ++x)
      diversi += std::abs(qGray(su.pixel(x, y)) - qGray(giu.pixel(x, y))) > 60;
  EXPECT_GT(diversi, su.width() * su.height() / 2);
}

TEST_F(FinestraEditor, OnePreviewAtATimeFollowsThePointerAndOnlyTheBackgroundClearsIt) {
  Apri(true);
  // The previews shown, and the size hint beside them.
  const auto mostrato = [this] {
    QStringList visibili;
    for (const auto& slot : TabelleEditor::TabellaImmagini)
      if (Visibile(slot.anteprima)) visibili << QLatin1String(slot.anteprima);
    return std::pair(visibili, C<QLabel>("lbl_dimensioni")->text());
  };
  Sopra("cb_proiettileN");
  const auto proiettile = mostrato();
  EXPECT_EQ(proiettile.first, QStringList{"img_proiettilenemico_0"});
  Mouse(C("Cb_sfondo"), QEvent::MouseMove, {4, 4}, Qt::NoButton);
  const auto sfondo = mostrato();
  EXPECT_EQ(sfondo.first, QStringList{"img_sfondo"});
  EXPECT_NE(sfondo.second, proiettile.second);
  // Into the preview frame or over another control the preview stays.
  for (const char* sopra : {"Frame1", "txt_alieno1"})
    Mouse(editor.get(), QEvent::MouseMove, C(sopra)->geometry().center(), Qt::NoButton);
  EXPECT_EQ(mostrato(), sfondo);
  Mouse(editor.get(), QEvent::MouseMove, {3, 100}, Qt::NoButton);
  EXPECT_EQ(mostrato(), std::pair(QStringList(), QString()));
}

TEST_F(FinestraEditor, TheCloseBoxAsksLikeEsciAndYesStopsTrialsAndGivesTheGameItsMusicBack) {
  TipoCombinazione c = Blu();
  c.Password.clear();
  Apri(true, c);
  b.dialoghi.AccodaFile(File("tema.mid", "MThd a tune"));
  Clic("cb_apri_0");
  EXPECT_EQ(spia->musica, "tema.mid");
  Cursore(0)->setValue(80);
  Clic("chk_play_0");
  EXPECT_TRUE(b.g.ProvaMusica);
  spia->Prendi();
  // The music trial loops through the window's own timer while its button is down.
  b.Attendi(100);  // still playing
  spia->posizione = 10;
  b.Attendi(25);
  EXPECT_EQ(spia->Prendi(), (QStringList{"RiproduciDallInizio", "VolumeMusica -2000"}));

  QCloseEvent chiusura;  // No
  QApplication::sendEvent(editor.get(), &chiusura);
  EXPECT_TRUE(!chiusura.isAccepted() && Aperto());
  EXPECT_EQ(Box().last(), "Uscendo non verranno salvate le eventuali modifiche, uscire comunque?");
  b.dialoghi.AccodaPulsante(Risposta::Si);
  editor->close();
  EXPECT_FALSE(Aperto() || b.g.ProvaMusica);
  b.Attendi(100);  // the timer is off
  EXPECT_EQ(spia->Prendi().mid(0, 2), (QStringList{"Ferma 3", "FermaMusica"}));
  EXPECT_EQ(spia->musica, "aud0.sktemp");  // the game has its music back
}

TEST_F(FinestraEditor, ClicksRunAsTurnsOfTheGameAndTheCloseBoxToo) {
  b.Avvia();
  int turni = 0;
  frm_opzioni finestra(b.g, {}, [&turni](const std::function<void()>& gestore) {
    ++turni;
    gestore();
  });
  finestra.findChild<QPushButton*>("CB_ali1")->click();
  finestra.close();
  EXPECT_EQ((std::tuple{turni, b.dialoghi.RichiesteFile().size(), b.dialoghi.PrendiBox().size()}),
            (std::tuple{2, 1u, 1u}));
}

// The editor drawn off screen on the demo combination, hovering "Alieno 1". The
// picture goes to the file named by SKARVEX_SCHERMATA_EDITOR when it is set (the
// README's docs/editor.png is made this way).
using Schermata = BancoEditor;

TEST_F(Schermata, TheEditorDrawsItselfOnTheDemoCombination) {
  const QByteArray demo = CombinazioneDemo();
  ASSERT_FALSE(demo.isEmpty());
  b.Scrivi(NomeFileDemo, demo.toStdString());
  ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(NomeFileDemo), false));
  Apri(true);
  const QImage senza = editor->grab().toImage();
  Sopra("CB_ali1");
  const QImage schermata = editor->grab().toImage();
  EXPECT_EQ(schermata.size() / schermata.devicePixelRatio(), QSize(695, 574));
  EXPECT_NE(schermata, senza);  // the hovered preview is drawn
  const QString file = qEnvironmentVariable("SKARVEX_SCHERMATA_EDITOR");
  EXPECT_TRUE(file.isEmpty() || schermata.save(file, "PNG"));
}

}  // namespace
