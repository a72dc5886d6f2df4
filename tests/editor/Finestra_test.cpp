// The editor window: layout, the loading steps, the protected state and leaving.
#include "editor/Anteprima.h"
#include "editor/BancoEditor.h"
#include "editor/TabelleEditor.h"
#include "ui/Caratteri.h"
#include "ui/FinestreQt.h"

#include <QCloseEvent>
#include <QLabel>

namespace {

using namespace banco_editor;
using FinestraEditor = BancoEditor;

// A protected combination with pictures, music, an effect and odd volumes.
TipoCombinazione Blu() {
  TipoCombinazione c = Vuota("Blu");
  c.Password = "segreto";
  c.Immagini[0] = Png(Qt::blue);
  c.Immagini[13] = Png(Qt::darkBlue, {80, 60});
  c.Suoni[0] = Mp3;
  c.Suoni[3] = Wav;
  c.Volumi[3] = -2550;  // 74.5
  c.Volumi[5] = -2550;  // on a row without a sound
  c.Volumi[7] = -10000;
  c.FontFileNome = "notturna.ttf";
  return c;
}

QString Anteprima_(const BancoEditor& t, const char* nome) {
  return t.C<Anteprima>(QLatin1String(nome))->Picture().Nome;
}

TEST_F(FinestraEditor, OpensOnDefaultLaidOutWithBuiltInPreviewsAndEmptyRows) {
  Apri();
  EXPECT_EQ(editor->size(), QSize(695, 574));
  EXPECT_EQ(C(QStringLiteral("cb_def_12"))->geometry(), QRect(432, 184, 33, 25));
  EXPECT_EQ(C(QStringLiteral("txt_audio_8"))->geometry(), QRect(448, 320, 137, 25));
  EXPECT_EQ(C(QStringLiteral("cb_chiudifont"))->geometry(), QRect(8, 224, 321, 25));
  EXPECT_EQ(C(QStringLiteral("txt_alieno1"))->font().family(),
            Caratteri::Famiglia(QStringLiteral("Times New Roman")));
  EXPECT_FALSE(C(QStringLiteral("Cb_font"))->font().bold());  // not the frame title's

  EXPECT_EQ(editor->windowTitle(),
            "OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Default by Dorvanel");
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_combinazione"))->text(), "Default by Dorvanel");
  EXPECT_EQ(C<QPushButton>(QStringLiteral("cb_proiettileN"))->text(), "Proiettile alieno");
  EXPECT_EQ(C<QPushButton>(QStringLiteral("Cb_go"))->text(), "GAME OVER");
  for (const auto& slot : TabelleEditor::SlotImmagini)
    EXPECT_EQ(Testo(QLatin1String(slot.casella)), "Default");
  EXPECT_EQ(Anteprima_(*this, "img_nextlevel"), "builtin:12");
  EXPECT_EQ(Anteprima_(*this, "img_sfondo"), "");
  // The volumes shown are the record's, all 0 before any file was read.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Riga(i), "|100|100|off");
  EXPECT_EQ(C<QPushButton>(QStringLiteral("cb_apri_4"))->text(), "Esplosione I° fila");
  EXPECT_FALSE(Visibile(QStringLiteral("lbl_pass")));
  EXPECT_FALSE(Visibile(QStringLiteral("Cb_InserisciPass")));
  EXPECT_TRUE(Attivo(QStringLiteral("Cb_default")));
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_fontdacaricare"))->text(), "Nessuno");
  EXPECT_EQ(editor->FontAnteprima(), b.g.lbl_hiscore.Font);
}

TEST_F(FinestraEditor, OpensAProtectedCombinationWithItsSourcesVolumesAndLocks) {
  Metti(Blu());
  Apri();
  EXPECT_EQ(editor->windowTitle(),
            "OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Blu by Anna");
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno1")), "Blu");
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno2")), "Default");
  EXPECT_EQ(Anteprima_(*this, "img_primafila_0"), b.g.img_primafila[0].Picture.Nome);
  EXPECT_EQ(Anteprima_(*this, "img_sfondo"), b.g.Picture.Nome);
  EXPECT_EQ(Anteprima_(*this, "img_secondafila_0"), "builtin:1");
  // -2550 shows 74.5 and puts the slider at 74; on a row with a sound the slider's
  // change handling then writes its whole position back into the box.
  EXPECT_EQ(Riga(3), "Blu|74|74|on");
  EXPECT_EQ(b.g.VolumiEditor[3], -2600);
  EXPECT_EQ(Riga(5), "|74.5|74|off");
  EXPECT_EQ(Riga(7), "|0|0|off");
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_fontdacaricare"))->text(), "notturna.ttf");

  EXPECT_TRUE(Visibile(QStringLiteral("lbl_pass")));
  EXPECT_TRUE(Visibile(QStringLiteral("Cb_InserisciPass")));
  EXPECT_FALSE(Visibile(QStringLiteral("chk_password")));
  EXPECT_FALSE(Attivo(QStringLiteral("Cb_default")));

  // Locked: the pickers and resets do nothing...
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  for (const char* pulsante : {"CB_ali2", "cb_apri_5", "cb_apri_0", "cb_def_0", "Cb_visualfont"})
    Clic(QLatin1String(pulsante));
  editor->Cb_default_Click();
  EXPECT_TRUE(b.dialoghi.RichiesteFile().empty());
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno1")), "Blu");
  EXPECT_FALSE(Visibile(QStringLiteral("fra_font")));
  EXPECT_EQ(aggiornamenti, 0);
  // ...while volumes, trials, emptying a row and deleting still work.
  Cursore(3)->setValue(40);
  Clic(QStringLiteral("chk_play_3"));
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"VolumeCanale 3 -6000", "Suona 3 aud3.sktemp -6000 ciclo"}));
  DoppioClic(3);
  EXPECT_EQ(Riga(3), "|0|40|off");
  Clic(QStringLiteral("Cb_elimina"));
  EXPECT_EQ(b.dialoghi.RichiesteFile().size(), 1u);
}

TEST_F(FinestraEditor, EsciAskesFirstAndYesStopsTrialsWithoutSavingAnything) {
  Apri();
  b.dialoghi.AccodaFile(File("colpo.wav", Wav));
  Clic(QStringLiteral("cb_apri_2"));
  Clic(QStringLiteral("chk_play_2"));
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  Clic(QStringLiteral("CB_ali3"));
  spia->Prendi();

  Clic(QStringLiteral("cb_esci"));  // No
  const auto domanda = b.dialoghi.PrendiBox();
  ASSERT_EQ(domanda.size(), 1u);
  EXPECT_EQ(domanda[0].testo,
            "Uscendo non verranno salvate le eventuali modifiche, uscire comunque?");
  EXPECT_TRUE(b.finestre.Caricata(Finestra::frm_opzioni));
  EXPECT_TRUE(spia->Prendi().isEmpty());
  EXPECT_TRUE(Testo(QStringLiteral("txt_alieno3")).endsWith("rosso.png"));

  b.dialoghi.AccodaPulsante(Risposta::Si);
  editor->cb_esci_Click();
  EXPECT_FALSE(b.finestre.Caricata(Finestra::frm_opzioni));
  EXPECT_EQ(spia->Prendi(), (QStringList{"Ferma 2", "FermaMusica"}));
  EXPECT_EQ(b.g.img_terzafila[0].Picture, Immagine::Incorporata(2));
  EXPECT_FALSE(b.g.BufferSuoni[2]);  // the game's slot never had the tried sound
}

TEST_F(FinestraEditor, TheMusicTrialLoopsWhileDownAndTheCloseBoxGivesTheGameItsMusicBack) {
  TipoCombinazione c = Blu();
  c.Password.clear();
  Metti(c);
  Apri();
  EXPECT_EQ(spia->musica, "aud0.sktemp");
  b.dialoghi.AccodaFile(File("tema.mid", "MThd a tune"));
  Clic(QStringLiteral("cb_apri_0"));
  EXPECT_EQ(Riga(0), "tema.mid|100|100|on");
  EXPECT_EQ(spia->musica, "tema.mid");
  Cursore(0)->setValue(80);
  spia->Prendi();

  Clic(QStringLiteral("chk_play_0"));
  EXPECT_TRUE(b.g.ProvaMusica);
  b.Attendi(100);  // still playing
  spia->posizione = 10;
  b.Attendi(25);
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"RiproduciDallInizio", "RiproduciDallInizio", "VolumeMusica -2000"}));

  QCloseEvent chiusura;  // answered No
  QApplication::sendEvent(editor.get(), &chiusura);
  EXPECT_FALSE(chiusura.isAccepted());
  EXPECT_TRUE(b.finestre.Caricata(Finestra::frm_opzioni));
  b.dialoghi.AccodaPulsante(Risposta::Si);
  editor->close();
  EXPECT_FALSE(b.finestre.Caricata(Finestra::frm_opzioni));
  EXPECT_FALSE(b.g.ProvaMusica);
  EXPECT_EQ(spia->musica, "aud0.sktemp");
}

TEST_F(FinestraEditor, ClicksRunAsTurnsOfTheGameAndTheCloseBoxToo) {
  b.Avvia();
  int turni = 0;
  frm_opzioni finestra(b.g, {}, [&turni](const std::function<void()>& gestore) {
    ++turni;
    gestore();
  });
  finestra.findChild<QPushButton*>(QStringLiteral("CB_ali1"))->click();
  finestra.close();
  EXPECT_EQ(turni, 2);
  EXPECT_EQ(b.dialoghi.RichiesteFile().size(), 1u);
  EXPECT_EQ(b.dialoghi.PrendiBox().size(), 1u);
}

// With the program's own windows seam the editor is made at every opening and
// deleted once unloaded.
TEST(FinestreQtEditor, TheFactoryMakesAFreshEditorAndTheCloseBoxUnloadsIt) {
  DialoghiCopione dialoghi;
  OrologioVirtuale orologio;
  QTemporaryDir cartella;
  auto audio = CreaAudioMuto();
  Gioco* gioco = nullptr;
  FinestreQt finestre([&gioco]() -> QWidget* { return new frm_opzioni(*gioco); }, [] {});
  Gioco g(cartella.path().toStdString(), orologio, dialoghi, *audio, finestre);
  gioco = &g;
  frm_main frm(g);
  frm.Form_Load();

  frm.mn_immagini_Click();
  QPointer<QWidget> primo = finestre.Widget(Finestra::frm_opzioni);
  ASSERT_TRUE(primo);
  dialoghi.AccodaPulsante(Risposta::Si);
  primo->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(primo);
  frm.mn_immagini_Click();
  EXPECT_TRUE(finestre.Widget(Finestra::frm_opzioni));
  frm.Form_Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
