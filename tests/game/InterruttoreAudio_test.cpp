// The audio switch Attiva Audio: its check mark, the music during a game, and the
// settings file that makes it survive a restart.
#include <gtest/gtest.h>

#include "codec/Impostazioni.h"
#include "support/AudioSpia.h"
#include "support/Banco.h"
#include "sound/dShow.h"

namespace {

struct Interruttore : ::testing::Test {
  Interruttore() : b(std::make_unique<AudioSpia>()), spia(static_cast<AudioSpia&>(*b.audio)) {
    b.Avvia();
    b.g.Comb.Suoni[0] = "music";
    b.g.Comb.Suoni[2] = "shot";
    b.g.BufferSuoni[2] = std::make_unique<EffettoSpia>("shot.wav");
    b.g.Volumi[0] = -2500;
    spia.aperta = true;
    spia.Prendi();
  }
  Banco b;
  AudioSpia& spia;
};

TEST_F(Interruttore, AtGameOverOnlyTheSwitchAndTheSettingsFileChange) {
  b.frm.mn_attiva_Click();
  EXPECT_TRUE(b.g.AudioAttivo && b.g.mn_attiva.Checked);
  EXPECT_TRUE(spia.Prendi().isEmpty());
  // What start-up makes of that file is the combination tests'.
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).AudioAttivo, true);

  b.frm.mn_attiva_Click();
  EXPECT_FALSE(b.g.mn_attiva.Checked);
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).AudioAttivo, false);
}

TEST_F(Interruttore, DuringAGameItRestartsTheMusicAtItsVolumeOrStopsIt) {
  b.frm.img_gameover_Click();  // the switch is off: no music starts
  EXPECT_TRUE(spia.Prendi().isEmpty());
  b.frm.mn_attiva_Click();  // the music starts over, at its own volume
  const QStringList musica = spia.Prendi();
  EXPECT_TRUE(musica.contains("RiproduciDallInizio") && musica.contains("VolumeMusica -2500"))
      << musica.join(", ").toStdString();
  b.frm.Form_KeyPress(32);
  EXPECT_EQ(spia.Prendi(), QStringList{"Suona 2 shot.wav -1000"});
  b.frm.mn_attiva_Click();
  b.Attendi(500);  // the shot flies on, silently
  EXPECT_EQ(spia.Prendi(), QStringList{"FermaMusica"});
}

// A music the device stopped as too heavy to play is closed at the next tick and named
// once, with why, as applying names a slot it can't use; the editor's trial says so
// plainly. The game goes on, silent.
TEST_F(Interruttore, AMusicTooHeavyForTheMachineIsClosedAndNamedOnce) {
  b.g.CombinazioneCorrente = "Pesante";
  b.g.AudioAttivo = true;
  b.frm.img_gameover_Click();
  spia.interrotta = true;
  b.Attendi(100);
  EXPECT_FALSE(spia.aperta);
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].testo,
            "Della combinazione Pesante non si possono usare: Motivo (suonarlo richiede più di "
            "metà del tempo del processore). Al loro posto restano le immagini predefinite o il "
            "silenzio.");
  EXPECT_TRUE(b.g.tmr_sposta.Enabled());

  spia.aperta = spia.interrotta = b.g.ProvaMusica = true;
  (void)dShow::MusicaFinita(b.g);
  EXPECT_EQ(b.dialoghi.PrendiBox().at(0).testo,
            "La musica è stata fermata: suonarla richiede più di metà del tempo del processore.");
}

}  // namespace
