// The sound slots and the music player (SuonaSlot, AvviaMusica, dShow) over the real
// mixer on SDL's dummy driver.
#include "support/BancoSuoni.h"

using Suoni::AvviaMusica;
using Suoni::SuonaSlot;
using namespace banco_suoni;

namespace {

using SuoniTest = BancoSuoni;

TEST_F(SuoniTest, SuonaSlotSuonaLEffettoAlSuoVolumeSenzaRipartireFinchESuona) {
  CaricaEffetto(4, 0.3, -1000);
  for (int i = 0; i < 3; ++i) SuonaSlot(g, SlotSuono::EsplosionePrimaFila);
  EXPECT_TRUE(Mix_Playing(4));
  EXPECT_EQ(Mix_Playing(-1), 1) << "one channel a slot, never doubled";
  EXPECT_EQ(fineCanale[4], 0) << "a restart stops the sound that was playing";

  Attendi([] { return !Mix_Playing(4); });
  ASSERT_EQ(fineCanale[4], 1);
  SuonaSlot(g, SlotSuono::EsplosionePrimaFila);  // ended: it starts again from the beginning
  EXPECT_TRUE(Mix_Playing(4));
}

TEST_F(SuoniTest, UnoSlotTaceConLAudioSpentoSenzaSuonoOSenzaBufferMaOgniChiamataERegistrata) {
  for (int n : {2, 5, 6}) CaricaEffetto(n, 0.5);
  g.Comb.Suoni[5].clear();   // the new combination has no sound there: the old buffer stays
  g.BufferSuoni[6].reset();  // its sound could not be decoded
  for (SlotSuono slot :
       {SlotSuono::Motivo, SlotSuono::EsplosioneSecondaFila, SlotSuono::EsplosioneTerzaFila})
    SuonaSlot(g, slot);
  g.AudioAttivo = false;
  SuonaSlot(g, SlotSuono::SparoAmico);
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(banco.Suoni(), (std::vector<int>{0, 5, 6, 2}));
}

TEST_F(SuoniTest, IlControlloDelCicloRiavviaUnaMusicaWavOMidiEntroUnTick) {
  CaricaMusica(false, 0.2);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(3, 5s), 3);
  // MIDI is at its end when its file says so, although the synthesizer goes on.
  CaricaMusica(true);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(2, 2s), 2);
}

TEST_F(SuoniTest, IlControlloDelCicloTaceConLAudioSpentoSenzaMusicaNelloSlotOAMusicaFermata) {
  CaricaMusica(false, 0.1);
  AvviaMusica(g);
  Attendi([] { return !Mix_PlayingMusic(); });
  ASSERT_FALSE(Mix_PlayingMusic());

  // Audio off, no music in the slot, then the same ended music wanted again.
  for (const auto& [attivo, musica] : {std::pair{false, "musica"}, {true, ""}, {true, "musica"}}) {
    g.AudioAttivo = attivo;
    g.Comb.Suoni[0] = musica;
    dShow::ControllaCicloMusica(g);
    EXPECT_EQ(Mix_PlayingMusic() != 0, attivo && *musica) << attivo << musica;
  }

  dShow::FermaMusica(g);  // as at game over: stopped is not ended
  for (int i = 0; i < 10; ++i) dShow::ControllaCicloMusica(g);
  EXPECT_FALSE(Mix_PlayingMusic());
}

}  // namespace
