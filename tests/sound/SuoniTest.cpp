// The sound slots and the music player as the game uses them (SuonaSlot,
// AvviaMusica, dShow), over the SDL2_mixer audio on SDL's dummy driver.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <SDL_mixer.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "data/GestioneDatiEsterni.h"
#include "sound/AudioSdl.h"
#include "sound/SuoniDiProva.h"
#include "sound/dShow.h"

using namespace std::chrono_literals;
using GestioneDatiEsterni::AvviaMusica;
using GestioneDatiEsterni::CreaBufferSuono;
using GestioneDatiEsterni::SuonaSlot;
namespace fs = std::filesystem;

namespace {

constexpr auto Tick = 25ms;  // tmr_sposta, which polls the music for its end

class SuoniTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cartella.isValid());
    ASSERT_TRUE(audio->Disponibile());
    g.AudioAttivo = true;
  }

  // Gives effect slot n a sound of `secondi`, as applying a combination does.
  void CaricaEffetto(int n, double secondi, int32_t volume = 0) {
    const fs::path file = g.File("aud" + std::to_string(n) + ".sktemp");
    suoni_di_prova::ScriviWav(file, secondi);
    g.Comb.Suoni[static_cast<size_t>(n)] = "RIFF";
    g.BufferSuoni[static_cast<size_t>(n)] = CreaBufferSuono(g, file);
    ASSERT_NE(g.BufferSuoni[static_cast<size_t>(n)], nullptr);
    g.Volumi[static_cast<size_t>(n)] = volume;
    fs::remove(file);
  }

  // Gives slot 0 a music and opens the player on it.
  void CaricaMusica(bool midi, double secondi = 0.2) {
    const fs::path file = g.File("aud0.sktemp");
    if (midi) {
      suoni_di_prova::ScriviMidi(file);
    } else {
      suoni_di_prova::ScriviWav(file, secondi);
    }
    g.Comb.Suoni[0] = "musica";
    dShow::ApriMusica(g, file);
    ASSERT_TRUE(g.audio.MusicaAperta());
  }

  // Polls the loop check on every tick, as tmr_sposta does, until the music has been
  // restarted `volte` times or `limite` has passed. A music found ended at a tick
  // must be playing again when that tick's check returns.
  int Riavvii(int volte, std::chrono::milliseconds limite) {
    int riavvii = 0;
    const auto fine = std::chrono::steady_clock::now() + limite;
    while (riavvii < volte && std::chrono::steady_clock::now() < fine) {
      std::this_thread::sleep_for(Tick);
      const bool prima = Mix_PlayingMusic();
      dShow::ControllaCicloMusica(g);
      if (!prima) {
        EXPECT_TRUE(Mix_PlayingMusic()) << "not restarted within the tick that found it ended";
        ++riavvii;
      }
    }
    return riavvii;
  }

  QTemporaryDir cartella;
  std::unique_ptr<Audio> audio = CreaAudioSdl();
  suoni_di_prova::BancoGioco banco{cartella.path().toStdString(), *audio};
  Gioco& g = banco.gioco;
};

TEST_F(SuoniTest, SuonaSlotSuonaLEffettoSulCanaleDelloSlotAlSuoVolume) {
  CaricaEffetto(4, 0.5, -1000);
  SuonaSlot(g, 4);
  EXPECT_TRUE(Mix_Playing(4));
  EXPECT_EQ(Mix_Playing(-1), 1);
  EXPECT_EQ(Mix_Volume(4, -1), 40);
}

TEST_F(SuoniTest, ConLAudioSpentoNessunEffettoSuonaMaOgniChiamataERegistrata) {
  std::vector<int> registro;
  g.registroSuoni = &registro;
  CaricaEffetto(2, 0.5);
  g.AudioAttivo = false;
  SuonaSlot(g, 2);
  SuonaSlot(g, 14);
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(registro, (std::vector<int>{2, 14}));
}

TEST_F(SuoniTest, UnoSlotSenzaSuonoOSenzaBufferTace) {
  std::vector<int> registro;
  g.registroSuoni = &registro;
  CaricaEffetto(5, 0.5);
  CaricaEffetto(6, 0.5);
  g.Comb.Suoni[5].clear();   // the new combination has no sound there: the old buffer stays
  g.BufferSuoni[6].reset();  // its sound could not be decoded
  for (int n : {0, 5, 6, 16, -1}) SuonaSlot(g, n);
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(registro, (std::vector<int>{0, 5, 6, 16, -1}));
}

TEST_F(SuoniTest, VolumeMusicaLimitaIlValoreELoRiscriveAlChiamante) {
  CaricaMusica(false);
  int32_t v = 500;
  dShow::VolumeMusica(g, v);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(Mix_VolumeMusic(-1), 128);
  v = -10001;
  dShow::VolumeMusica(g, v);
  EXPECT_EQ(v, -10000);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  v = -1000;
  dShow::VolumeMusica(g, v);
  EXPECT_EQ(v, -1000);
  EXPECT_EQ(Mix_VolumeMusic(-1), 40);
}

TEST_F(SuoniTest, AvviaMusicaTaceConLAudioSpentoEPrendeIlVolumeDellEditorMentreLoProva) {
  CaricaMusica(false, 1.0);
  g.AudioAttivo = false;
  AvviaMusica(g);
  EXPECT_FALSE(Mix_PlayingMusic());

  g.AudioAttivo = true;
  g.Volumi[0] = -1000;
  g.VolumiEditor[0] = -2000;
  AvviaMusica(g);
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_EQ(Mix_VolumeMusic(-1), 40);
  g.ProvaMusica = true;
  AvviaMusica(g);
  EXPECT_EQ(Mix_VolumeMusic(-1), 13);  // -20 dB
}

TEST_F(SuoniTest, IlControlloDelCicloRiavviaUnaMusicaWavEntroUnTick) {
  CaricaMusica(false, 0.2);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(3, 5s), 3);
}

TEST_F(SuoniTest, IlControlloDelCicloRiavviaUnaMusicaMidiEntroUnTick) {
  CaricaMusica(true);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(1, 15s), 1);
}

TEST_F(SuoniTest, IlControlloDelCicloTaceConLAudioSpentoSenzaMusicaNelloSlotOAMusicaFermata) {
  CaricaMusica(false, 0.1);
  AvviaMusica(g);
  for (int i = 0; i < 500 && Mix_PlayingMusic(); ++i) std::this_thread::sleep_for(10ms);
  ASSERT_FALSE(Mix_PlayingMusic());

  g.AudioAttivo = false;
  dShow::ControllaCicloMusica(g);
  EXPECT_FALSE(Mix_PlayingMusic());

  g.AudioAttivo = true;
  g.Comb.Suoni[0].clear();
  dShow::ControllaCicloMusica(g);
  EXPECT_FALSE(Mix_PlayingMusic());

  g.Comb.Suoni[0] = "musica";  // the same ended music, now wanted again
  dShow::ControllaCicloMusica(g);
  EXPECT_TRUE(Mix_PlayingMusic());

  dShow::FermaMusica(g);  // as at game over: stopped is not ended
  for (int i = 0; i < 10; ++i) dShow::ControllaCicloMusica(g);
  EXPECT_FALSE(Mix_PlayingMusic());
}

}  // namespace
