// The editor window: the loading steps, the protected state and leaving.
#include "editor/Anteprima.h"
#include "editor/BancoEditor.h"
#include "editor/TabelleEditor.h"

#include <QCloseEvent>
#include <QLabel>

namespace {

using namespace banco_editor;
using FinestraEditor = BancoEditor;

// A protected combination with pictures, music, an effect and odd volumes.
TipoCombinazione Blu() {
  TipoCombinazione c = CombinazioneVuota("Blu");
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

TEST_F(FinestraEditor, OpensOnDefaultWithBuiltInPreviewsAndEmptyRows) {
  Apri();
  EXPECT_EQ(editor->windowTitle(),
            "OPZIONI - SKARVEX - by Dorvanel Ver. 1.4 Combinazione: Default by Dorvanel");
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_combinazione"))->text(), "Default by Dorvanel");
  for (const auto& slot : TabelleEditor::SlotImmagini)
    EXPECT_EQ(Testo(QLatin1String(slot.casella)), "Default");
  EXPECT_TRUE(C<Anteprima>(QStringLiteral("img_sfondo"))->Picture().Vuota());
  // The volumes shown are the record's, all 0 before any file was read.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Riga(i), "|100|100|off");
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
  EXPECT_EQ(C<Anteprima>(QStringLiteral("img_sfondo"))->Picture(), b.g.Picture);
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

TEST_F(FinestraEditor, EsciAndTheCloseBoxAskFirstAndYesStopsTrialsWithoutSavingAnything) {
  TipoCombinazione c = Blu();
  c.Password.clear();
  Metti(c);
  Apri();
  EXPECT_EQ(spia->musica, "aud0.sktemp");
  b.dialoghi.AccodaFile(File("tema.mid", "MThd a tune"));
  Clic(QStringLiteral("cb_apri_0"));
  EXPECT_EQ(spia->musica, "tema.mid");
  b.dialoghi.AccodaFile(File("rosso.png", Png(Qt::red)));
  Clic(QStringLiteral("CB_ali3"));
  Cursore(0)->setValue(80);
  Clic(QStringLiteral("chk_play_3"));
  spia->Prendi();
  Box();

  // The music trial loops through the editor's own timer while its button is down.
  Clic(QStringLiteral("chk_play_0"));
  EXPECT_TRUE(b.g.ProvaMusica);
  b.Attendi(100);  // still playing
  spia->posizione = 10;
  b.Attendi(25);
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"RiproduciDallInizio", "RiproduciDallInizio", "VolumeMusica -2000"}));

  Clic(QStringLiteral("cb_esci"));  // No
  EXPECT_EQ(Box(), QStringList{"Uscendo non verranno salvate le eventuali modifiche, uscire "
                               "comunque?"});
  QCloseEvent chiusura;  // No again
  QApplication::sendEvent(editor.get(), &chiusura);
  EXPECT_FALSE(chiusura.isAccepted());
  EXPECT_TRUE(b.finestre.Caricata(Finestra::frm_opzioni));
  EXPECT_TRUE(spia->Prendi().isEmpty());
  EXPECT_TRUE(Testo(QStringLiteral("txt_alieno3")).endsWith("rosso.png"));

  b.dialoghi.AccodaPulsante(Risposta::Si);
  editor->close();
  EXPECT_FALSE(b.finestre.Caricata(Finestra::frm_opzioni));
  EXPECT_TRUE(spia->Prendi().contains("Ferma 3"));
  EXPECT_FALSE(b.g.ProvaMusica);
  EXPECT_EQ(spia->musica, "aud0.sktemp");  // the game has its music back
  EXPECT_EQ(b.g.img_terzafila[0].Picture, Immagine::Incorporata(2));
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

}  // namespace
