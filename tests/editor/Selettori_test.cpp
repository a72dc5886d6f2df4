// The slot pickers: pictures with their previews, sound rows with trials and volumes.
#include "editor/Anteprima.h"
#include "editor/BancoEditor.h"
#include "editor/TabelleEditor.h"

#include <QLabel>

namespace {

using namespace banco_editor;
using Selettori = BancoEditor;

TEST_F(Selettori, OnePreviewAtATimeFollowsThePointerAndOnlyTheBackgroundClearsIt) {
  Apri();
  const auto mostrato = [this] {
    QStringList visibili;
    for (const auto& slot : TabelleEditor::SlotImmagini) {
      if (Visibile(QLatin1String(slot.anteprima))) visibili << QLatin1String(slot.anteprima);
    }
    return visibili.join(' ') + ' ' + C<QLabel>(QStringLiteral("lbl_dimensioni"))->text();
  };
  Sopra(QStringLiteral("cb_proiettileN"));
  EXPECT_EQ(mostrato(), "img_proiettilenemico_0 54 x 90 pixel");
  Muovi(C(QStringLiteral("Cb_sfondo")), {4, 4});
  EXPECT_EQ(mostrato(), "img_sfondo 800 x 600 pixel");
  // Into the preview frame or over another control the preview stays.
  Muovi(editor.get(), C(QStringLiteral("Frame1"))->geometry().center());
  Muovi(editor.get(), C(QStringLiteral("txt_alieno1"))->geometry().center());
  EXPECT_EQ(mostrato(), "img_sfondo 800 x 600 pixel");
  Muovi(editor.get(), {3, 100});
  EXPECT_EQ(mostrato(), " ");
}

TEST_F(Selettori, APictureFillsItsBoxAndHiddenPreviewOnlyWhenItDecodes) {
  Apri();
  const QString rosso = File("rosso.png", Png(Qt::red));
  const QString lettera = File("lettera.jpg", "Cara Anna, ...");
  b.dialoghi.AccodaFile(rosso);
  b.dialoghi.AccodaFile(lettera);
  Clic(QStringLiteral("cb_proiettileN"));
  Clic(QStringLiteral("cb_proiettileN"));
  Clic(QStringLiteral("cb_proiettileN"));  // cancelled

  const RichiestaFile& richiesta = b.dialoghi.RichiesteFile().at(0);
  EXPECT_EQ(richiesta.filtro, "File immagine JPG GIF BMP|*.jpg;*.gif;*.bmp");
  EXPECT_EQ(richiesta.cartella.toStdString(), b.g.CartellaProgramma.string());
  EXPECT_EQ(Box(), QStringList{"Impossibile usare il file " + lettera +
                               ": non è un'immagine JPG, GIF o BMP leggibile."});
  EXPECT_EQ(Testo(QStringLiteral("txt_proiettileN")), rosso);
  auto* anteprima = C<Anteprima>(QStringLiteral("img_proiettilenemico_0"));
  EXPECT_EQ(anteprima->Picture().Dati.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_FALSE(anteprima->isVisibleTo(editor.get()));
  // The game changes only when the combination is saved.
  EXPECT_EQ(b.g.img_proiettilenemico[0].Picture, Immagine::Incorporata(6));
}

TEST_F(Selettori, ASoundFillsItsRowIsTriedSetByItsBoxAndEmptiedByADoubleClick) {
  Apri();
  const QString colpo = File("colpo.wav", Wav);
  b.dialoghi.AccodaFile(File("falso.wav", "not a wave"));
  b.dialoghi.AccodaFile(colpo);
  Clic(QStringLiteral("cb_apri_5"));
  EXPECT_EQ(Box().size(), 1);
  EXPECT_EQ(Riga(5), "|100|100|off");
  Clic(QStringLiteral("cb_apri_5"));
  EXPECT_EQ(Filtri().back(), "File Audio WAV|*.wav");
  EXPECT_EQ(Riga(5), "colpo.wav|100|100|on");
  EXPECT_EQ(b.g.VolumiEditor[5], 0);
  EXPECT_FALSE(b.g.BufferSuoni[5]);  // the game's own slot waits for a save
  spia->Prendi();

  Clic(QStringLiteral("chk_play_5"));
  Cursore(5)->setValue(30);
  Clic(QStringLiteral("chk_play_5"));
  EXPECT_EQ(spia->Prendi(),
            (QStringList{"Suona 5 colpo.wav 0 ciclo", "VolumeCanale 5 -7000", "Ferma 5"}));

  // The volume box takes a whole number on Enter and refuses what is out of range.
  Digita(5, QStringLiteral("40"));
  EXPECT_EQ(Cursore(5)->value(), 40);
  EXPECT_EQ(spia->Prendi(), QStringList{"VolumeCanale 5 -6000"});
  Digita(5, QStringLiteral("62.5"));
  EXPECT_EQ(Cursore(5)->value(), 62);

  for (const char* sbagliato : {"150", "-1", "tanto"}) {
    Digita(5, QString::fromLatin1(sbagliato));
    EXPECT_EQ(Box(), QStringList{"Valore non in range (0 - 100)"}) << sbagliato;
    EXPECT_EQ(Riga(5), "colpo.wav|100|100|on");
    EXPECT_EQ(b.g.VolumiEditor[5], 0);
  }
  // Typing alone takes nothing over; an empty row ignores Enter.
  C<QLineEdit>(QStringLiteral("txt_vol_5"))->setText(QStringLiteral("10"));
  EXPECT_EQ(Cursore(5)->value(), 100);
  editor->txt_vol_KeyPress(6, 13);
  EXPECT_TRUE(Box().isEmpty());

  Cursore(5)->setValue(30);
  DoppioClic(5);
  EXPECT_EQ(Riga(5), "|0|30|off");
  EXPECT_EQ(b.g.VolumiEditor[5], -7000);  // the player and its volume stay
}

TEST_F(Selettori, TheMusicRowHasItsOwnFilterWhichNeverStaysForTheEffects) {
  Apri();
  Clic(QStringLiteral("cb_apri_0"));  // cancelled
  Clic(QStringLiteral("cb_apri_1"));
  b.dialoghi.AccodaFile(File("nota.txt", "no tune"));
  Clic(QStringLiteral("cb_apri_0"));
  EXPECT_EQ(Box().size(), 1);
  EXPECT_EQ(Riga(0), "|100|100|off");
  b.dialoghi.AccodaFile(File("tema.mp3", Mp3));
  Clic(QStringLiteral("cb_apri_0"));
  EXPECT_EQ(spia->musica, "tema.mp3");
  EXPECT_EQ(Filtri(),
            (QStringList{"File audio MP3 WAV MID|*.mp3;*.wav;*.mid", "File audio WAV|*.wav;",
                         "File audio MP3 WAV MID|*.mp3;*.wav;*.mid",
                         "File audio MP3 WAV MID|*.mp3;*.wav;*.mid"}));
}

}  // namespace
