// The SDL2_mixer side of the audio seam, and the sound slots and music player the
// game builds on it (SuonaSlot, AvviaMusica, dShow), on SDL's dummy driver: real
// decoding and mixing in real time, no sound card.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "combinations/GestioneDatiEsterni.h"
#include "support/SuoniDiProva.h"
#include "support/Banco.h"
#include "ui/AudioSdl.h"
#include "sound/dShow.h"
#include "sound/Effetti.h"

using namespace std::chrono_literals;
using GestioneDatiEsterni::AvviaMusica;
using GestioneDatiEsterni::CreaBufferSuono;
using GestioneDatiEsterni::SuonaSlot;
namespace fs = std::filesystem;

namespace {

constexpr auto Tick = 25ms;  // tmr_sposta, which polls the music for its end

// How often each channel stopped, whether by itself or cut short by a new start.
std::array<std::atomic<int>, CanaliMixer> fineCanale;
void ContaFine(int canale) {
  if (canale >= 0 && canale < CanaliMixer) ++fineCanale[static_cast<size_t>(canale)];
}

// Lets real time pass for the mixer until `fatto` holds, at most five seconds.
template <typename F>
void Attendi(F fatto) {
  for (int i = 0; i < 500 && !fatto(); ++i) std::this_thread::sleep_for(10ms);
}

class SuoniTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(audio->Disponibile());
    g.AudioAttivo = true;
    for (auto& n : fineCanale) n = 0;
    Mix_ChannelFinished(ContaFine);
  }
  void TearDown() override { Mix_ChannelFinished(nullptr); }

  // Gives effect slot n a sound of `secondi`, as applying a combination does; the
  // wave file goes, the effect stays in memory.
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

  // The game over the real mixer, built as the runner builds it.
  Banco banco{CreaAudioSdl()};
  std::unique_ptr<Audio>& audio = banco.audio;
  Gioco& g = banco.g;
};

// The seam itself, under the same bench.
using AudioSdl = SuoniTest;

// -10 dB, a gain of 0.316, is 40 (the slots' tests); stored effect volumes are
// passed as they are, and out of range means silent or full.
TEST(VolumeMixer, AgliEstremiEOltreEMutoOPieno) {
  EXPECT_EQ(VolumeMixer(-10000), 0);
  EXPECT_EQ(VolumeMixer(-32000), 0);
  EXPECT_EQ(VolumeMixer(0), 128);
  EXPECT_EQ(VolumeMixer(500), 128);
}

TEST_F(AudioSdl, UnFileCheNonESuonoNonDiventaNeEffettoNeMusica) {
  banco.Scrivi("testo.wav", "questo non e' un suono, solo testo");
  banco.Scrivi("tronco.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
  // Effects are wave files: a MIDI file, however small, is never rendered into memory.
  suoni_di_prova::ScriviMidi(g.File("nota.mid"));
  for (const char* nome : {"testo.wav", "tronco.wav", "nota.mid", "manca.wav", "."}) {
    EXPECT_EQ(CreaBufferSuono(g, g.File(nome)), nullptr) << nome;
  }

  EXPECT_FALSE(audio->ApriMusica(g.File("testo.wav")));
  EXPECT_FALSE(audio->MusicaAperta());
}

TEST_F(AudioSdl, ChiudiMusicaLaFermaEPoiNonSuonaNulla) {
  CaricaMusica(false, 1.0);
  audio->RiproduciDallInizio();
  audio->ChiudiMusica();
  EXPECT_FALSE(audio->MusicaAperta());
  audio->RiproduciDallInizio();
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_EQ(audio->DurataMusica(), 0);
}

TEST_F(AudioSdl, GliEffettiPossonoSopravvivereAllAudioCheLiHaCreati) {
  // At exit the game's buffers may go after the device; freeing them then is harmless.
  CaricaEffetto(4, 0.3);
  audio->Suona(4, *g.BufferSuoni[4], 0, true);
  CaricaMusica(false, 1.0);
  audio->RiproduciDallInizio();
  audio.reset();
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the device is closed";
  g.BufferSuoni[4].reset();
  audio = CreaAudioSdl();  // and it opens again afresh
  EXPECT_TRUE(audio->Disponibile());
}

TEST(AudioSdlSenzaDispositivo, IlGiocoProsegueMutoEDiceUnaVoltaPerche) {
  const char* prima = std::getenv("SDL_AUDIODRIVER");
  const std::string driver = prima ? prima : "dummy";
  setenv("SDL_AUDIODRIVER", "nessun_driver", 1);
  testing::internal::CaptureStderr();
  auto audio = CreaAudioSdl();
  const std::string errori = testing::internal::GetCapturedStderr();
  setenv("SDL_AUDIODRIVER", driver.c_str(), 1);

  EXPECT_FALSE(audio->Disponibile());
  EXPECT_NE(errori.find("senza suono"), std::string::npos) << errori;
  EXPECT_EQ(std::count(errori.begin(), errori.end(), '\n'), 1) << errori;
}

TEST_F(SuoniTest, SuonaSlotSuonaLEffettoAlSuoVolumeSenzaRipartireFinchESuona) {
  CaricaEffetto(4, 0.3, -1000);
  for (int i = 0; i < 3; ++i) SuonaSlot(g, SlotSuono::EsplosionePrimaFila);
  EXPECT_TRUE(Mix_Playing(4));
  EXPECT_EQ(Mix_Playing(-1), 1) << "one channel a slot, never doubled";
  EXPECT_EQ(Mix_Volume(4, -1), 40);
  EXPECT_EQ(fineCanale[4], 0) << "a restart stops the sound that was playing";

  Attendi([] { return !Mix_Playing(4); });
  ASSERT_EQ(fineCanale[4], 1);
  SuonaSlot(g, SlotSuono::EsplosionePrimaFila);  // ended: it starts again from the beginning
  EXPECT_TRUE(Mix_Playing(4));
}

TEST_F(SuoniTest, UnoSlotTaceConLAudioSpentoSenzaSuonoOSenzaBufferMaOgniChiamataERegistrata) {
  CaricaEffetto(2, 0.5);
  CaricaEffetto(5, 0.5);
  CaricaEffetto(6, 0.5);
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

TEST_F(SuoniTest, LaMusicaSuonaAlVolumeDelloSlot) {
  CaricaMusica(false, 1.0);
  g.Volumi[0] = -1000;
  AvviaMusica(g);
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_EQ(Mix_VolumeMusic(-1), 40);
}

TEST_F(SuoniTest, IlControlloDelCicloRiavviaUnaMusicaWavOMidiEntroUnTick) {
  CaricaMusica(false, 0.2);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(3, 5s), 3);
  // MIDI reports no duration or position: its end is the mixer's having stopped.
  CaricaMusica(true);
  AvviaMusica(g);
  EXPECT_EQ(Riavvii(1, 15s), 1);
}

TEST_F(SuoniTest, IlControlloDelCicloTaceConLAudioSpentoSenzaMusicaNelloSlotOAMusicaFermata) {
  CaricaMusica(false, 0.1);
  AvviaMusica(g);
  Attendi([] { return !Mix_PlayingMusic(); });
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
