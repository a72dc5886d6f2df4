// The game over SDL2_mixer on its dummy driver, as the sound slots and the music
// player run in play: real decoding and mixing in real time, no sound card.
#pragma once

#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "support/Banco.h"
#include "support/SuoniDiProva.h"
#include "sound/dShow.h"
#include "sound/Suoni.h"
#include "ui/AudioSdl.h"

namespace banco_suoni {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
inline constexpr auto Tick = 25ms;  // tmr_sposta, which polls the music for its end

// How often each channel stopped, whether by itself or cut short by a new start.
inline std::array<std::atomic<int>, CanaliMixer> fineCanale;
inline void ContaFine(int canale) {
  if (canale >= 0 && canale < CanaliMixer) ++fineCanale[static_cast<size_t>(canale)];
}

// The real audio opened on another of SDL's drivers.
inline std::unique_ptr<Audio> AudioSu(const char* driver) {
  const char* prima = std::getenv("SDL_AUDIODRIVER");
  const std::string precedente = prima ? prima : "dummy";
  setenv("SDL_AUDIODRIVER", driver, 1);
  auto audio = CreaAudioSdl();
  setenv("SDL_AUDIODRIVER", precedente.c_str(), 1);
  return audio;
}

// Lets real time pass for the mixer until `fatto` holds, at most five seconds.
template <typename F>
void Attendi(F fatto) {
  for (int i = 0; i < 500 && !fatto(); ++i) std::this_thread::sleep_for(10ms);
}

class BancoSuoni : public testing::Test {
 protected:
  BancoSuoni() : BancoSuoni(CreaAudioSdl()) {}
  explicit BancoSuoni(std::unique_ptr<Audio> audio_) : banco(std::move(audio_)) {}

  void SetUp() override {
    ASSERT_TRUE(audio->Disponibile());
    g.AudioAttivo = true;
    for (auto& n : fineCanale) n = 0;
    Mix_ChannelFinished(ContaFine);
  }
  void TearDown() override { Mix_ChannelFinished(nullptr); }

  // Gives effect slot n a sound of `secondi`, as applying a combination does; the
  // wave file goes, the effect stays in memory.
  void CaricaEffetto(int n, double secondi, int32_t volume = 0, double hz = 440) {
    const fs::path file = g.File("aud" + std::to_string(n) + ".sktemp");
    suoni_di_prova::ScriviWav(file, secondi, 44100, hz);
    g.Comb.Suoni[static_cast<size_t>(n)] = "RIFF";
    g.BufferSuoni[static_cast<size_t>(n)] = Suoni::CreaBufferSuono(g, file);
    ASSERT_NE(g.BufferSuoni[static_cast<size_t>(n)], nullptr);
    g.Volumi[static_cast<size_t>(n)] = volume;
    fs::remove(file);
  }

  // Gives slot 0 a music and opens the player on it.
  void CaricaMusica(bool midi, double secondi = 0.2, double hz = 440, char pausaMidi = 0) {
    const fs::path file = g.File("aud0.sktemp");
    midi ? suoni_di_prova::ScriviMidi(file, pausaMidi)
         : suoni_di_prova::ScriviWav(file, secondi, 44100, hz);
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
      const bool finita = dShow::MusicaFinita(g);
      dShow::ControllaCicloMusica(g);
      if (finita) {
        EXPECT_TRUE(Mix_PlayingMusic()) << "not restarted within the tick that found it ended";
        ++riavvii;
      }
    }
    return riavvii;
  }

  // The game over the real mixer, built as the runner builds it.
  Banco banco;
  std::unique_ptr<Audio>& audio = banco.audio;
  Gioco& g = banco.g;
};

}  // namespace banco_suoni
