// The SDL2_mixer side of the audio seam, on SDL's dummy driver: real decoding and
// mixing in real time, no sound card.
#include "sound/AudioSdl.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "sound/SuoniDiProva.h"

using namespace std::chrono_literals;
using suoni_di_prova::ScriviFile;
using suoni_di_prova::ScriviMidi;
using suoni_di_prova::ScriviWav;
namespace fs = std::filesystem;

namespace {

// How often each channel stopped, whether by itself or cut short by a new start.
std::array<std::atomic<int>, CanaliMixer> fineCanale;
void ContaFine(int canale) {
  if (canale >= 0 && canale < CanaliMixer) ++fineCanale[static_cast<size_t>(canale)];
}

// Waits until `fatto` holds, at most `limite`; real time passes for the mixer.
bool Attendi(const std::function<bool()>& fatto, std::chrono::milliseconds limite) {
  const auto fine = std::chrono::steady_clock::now() + limite;
  while (!fatto()) {
    if (std::chrono::steady_clock::now() > fine) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

// The descriptors of this process open on `file`.
int DescrittoriAperti(const fs::path& file) {
  int n = 0;
  const fs::path cercato = fs::canonical(file);
  for (const auto& voce : fs::directory_iterator("/proc/self/fd")) {
    std::error_code errore;
    if (fs::read_symlink(voce.path(), errore) == cercato) ++n;
  }
  return n;
}

class AudioSdlTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cartella.isValid());
    audio = CreaAudioSdl();
    ASSERT_TRUE(audio->Disponibile());
    for (auto& n : fineCanale) n = 0;
    Mix_ChannelFinished(ContaFine);
  }
  void TearDown() override {
    Mix_ChannelFinished(nullptr);
    audio.reset();
  }

  fs::path File(const char* nome) const { return fs::path(cartella.path().toStdString()) / nome; }

  std::unique_ptr<Effetto> Onda(const char* nome, double secondi) {
    ScriviWav(File(nome), secondi);
    return audio->CreaEffetto(File(nome));
  }

  QTemporaryDir cartella;
  std::unique_ptr<Audio> audio;
};

TEST(VolumeMixer, CentesimiDiDecibelDiventanoIlGuadagnoLinearePortatoA128) {
  EXPECT_EQ(Guadagno(-10000), 0.0);
  EXPECT_NEAR(Guadagno(-1000), 0.316228, 1e-6);  // -10 dB
  EXPECT_EQ(Guadagno(0), 1.0);
  EXPECT_EQ(VolumeMixer(-10000), 0);
  EXPECT_EQ(VolumeMixer(-1000), 40);
  EXPECT_EQ(VolumeMixer(0), 128);
  // Stored effect volumes are passed as they are: out of range means silent or full.
  EXPECT_EQ(VolumeMixer(-32000), 0);
  EXPECT_EQ(VolumeMixer(500), 128);
}

TEST_F(AudioSdlTest, UnEffettoCheSuonaAncoraNonRiparteENonRaddoppiaFinitoRiparte) {
  auto effetto = Onda("a.wav", 0.3);
  ASSERT_NE(effetto, nullptr);
  fs::remove(File("a.wav"));  // it was decoded into memory
  audio->Suona(3, *effetto, 0, false);
  audio->Suona(3, *effetto, 0, false);
  audio->Suona(3, *effetto, 0, false);
  EXPECT_EQ(fineCanale[3], 0) << "a restart stops the sound that was playing";
  EXPECT_EQ(Mix_Playing(-1), 1);

  ASSERT_TRUE(Attendi([] { return !Mix_Playing(3); }, 5s));
  EXPECT_EQ(fineCanale[3], 1);
  audio->Suona(3, *effetto, 0, false);
  EXPECT_TRUE(Mix_Playing(3));
}

TEST_F(AudioSdlTest, UnAltroEffettoSulloStessoCanaleSostituisceQuelloCheSuona) {
  auto primo = Onda("a.wav", 1.0);
  auto secondo = Onda("b.wav", 1.0);
  ASSERT_TRUE(primo && secondo);
  audio->Suona(7, *primo, 0, false);
  audio->Suona(7, *secondo, 0, false);
  EXPECT_EQ(fineCanale[7], 1);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(AudioSdlTest, UnEffettoInCicloSuonaOltreLaSuaDurataFinoAFerma) {
  auto effetto = Onda("a.wav", 0.05);
  ASSERT_NE(effetto, nullptr);
  audio->Suona(2, *effetto, 0, true);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(Mix_Playing(2));
  audio->Ferma(2);
  EXPECT_FALSE(Mix_Playing(2));
}

TEST_F(AudioSdlTest, IlVolumeDelCanaleSegueIDecibel) {
  auto effetto = Onda("a.wav", 0.3);
  ASSERT_NE(effetto, nullptr);
  audio->Suona(6, *effetto, -1000, false);
  EXPECT_EQ(Mix_Volume(6, -1), 40);
  audio->Suona(6, *effetto, 0, false);  // still sounding: only the volume changes
  EXPECT_EQ(Mix_Volume(6, -1), 128);
  audio->VolumeCanale(6, -10000);
  EXPECT_EQ(Mix_Volume(6, -1), 0);
  EXPECT_EQ(fineCanale[6], 0);
}

TEST_F(AudioSdlTest, UnFileCheNonESuonoNonDiventaNeEffettoNeMusica) {
  ScriviFile(File("testo.wav"), "questo non e' un suono, solo testo");
  EXPECT_EQ(audio->CreaEffetto(File("testo.wav")), nullptr);
  EXPECT_EQ(audio->CreaEffetto(File("manca.wav")), nullptr);
  EXPECT_EQ(audio->CreaEffetto(cartella.path().toStdString()), nullptr);
  // A wave header over nothing.
  ScriviFile(File("tronco.wav"), std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
  EXPECT_EQ(audio->CreaEffetto(File("tronco.wav")), nullptr);
  // Effects are wave files: a MIDI file, however small, is never rendered into memory.
  ScriviMidi(File("nota.mid"));
  EXPECT_EQ(audio->CreaEffetto(File("nota.mid")), nullptr);

  EXPECT_FALSE(audio->ApriMusica(File("testo.wav")));
  EXPECT_FALSE(audio->MusicaAperta());
  audio->RiproduciDallInizio();
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(AudioSdlTest, LaMusicaWavRiportaPosizioneEDurataComeUnLettore) {
  ScriviWav(File("aud0.sktemp"), 0.2);
  ASSERT_TRUE(audio->ApriMusica(File("aud0.sktemp")));
  EXPECT_TRUE(audio->MusicaAperta());
  EXPECT_FALSE(Mix_PlayingMusic()) << "opening does not play";
  EXPECT_NEAR(audio->DurataMusica(), 0.2, 0.01);
  EXPECT_EQ(audio->PosizioneMusica(), 0);

  audio->RiproduciDallInizio();
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_LT(audio->PosizioneMusica(), audio->DurataMusica());
  ASSERT_TRUE(Attendi([] { return !Mix_PlayingMusic(); }, 5s));
  EXPECT_EQ(audio->PosizioneMusica(), audio->DurataMusica()) << "played to its end";

  // Stopped, at its end or in the middle, it stands rewound: never taken for ended.
  audio->FermaMusica();
  EXPECT_EQ(audio->PosizioneMusica(), 0);
  audio->RiproduciDallInizio();
  audio->FermaMusica();
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_EQ(audio->PosizioneMusica(), 0);
}

TEST_F(AudioSdlTest, LaMusicaMidiSenzaDurataRiportaUnoEZeroPoiUnoEUnoAllaFine) {
  ScriviMidi(File("aud0.sktemp"));
  ASSERT_TRUE(audio->ApriMusica(File("aud0.sktemp")));
  EXPECT_EQ(audio->DurataMusica(), 1.0);
  EXPECT_EQ(audio->PosizioneMusica(), 0.0);

  audio->RiproduciDallInizio();
  ASSERT_TRUE(Mix_PlayingMusic());
  EXPECT_EQ(audio->DurataMusica(), 1.0);
  EXPECT_EQ(audio->PosizioneMusica(), 0.0);
  ASSERT_TRUE(Attendi([] { return !Mix_PlayingMusic(); }, 15s));
  EXPECT_EQ(audio->PosizioneMusica(), 1.0);

  audio->RiproduciDallInizio();
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_EQ(audio->PosizioneMusica(), 0.0);
}

TEST_F(AudioSdlTest, ChiudiMusicaLasciaLiberoIlFile) {
  ScriviWav(File("aud0.sktemp"), 1.0);
  ASSERT_TRUE(audio->ApriMusica(File("aud0.sktemp")));
  audio->RiproduciDallInizio();
  EXPECT_EQ(DescrittoriAperti(File("aud0.sktemp")), 1);

  audio->ChiudiMusica();
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_FALSE(audio->MusicaAperta());
  EXPECT_EQ(DescrittoriAperti(File("aud0.sktemp")), 0);
  // With no music open, playing and the loop check's readings do nothing.
  audio->RiproduciDallInizio();
  audio->VolumeMusica(0);
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_EQ(audio->DurataMusica(), 0);
  EXPECT_EQ(audio->PosizioneMusica(), 0);
}

TEST_F(AudioSdlTest, UnEffettoPuoSopravvivereAllAudioCheLoHaCreato) {
  // At exit the game's buffers may go after the device; freeing them then is harmless.
  auto effetto = Onda("a.wav", 0.3);
  ASSERT_NE(effetto, nullptr);
  audio->Suona(4, *effetto, 0, true);
  ScriviWav(File("aud0.sktemp"), 1.0);
  ASSERT_TRUE(audio->ApriMusica(File("aud0.sktemp")));
  audio->RiproduciDallInizio();
  audio.reset();
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the device is closed";
  effetto.reset();
  audio = CreaAudioSdl();  // and it opens again afresh
  EXPECT_TRUE(audio->Disponibile());
}

TEST_F(AudioSdlTest, UnSecondoAudioNelloStessoProgrammaEMuto) {
  testing::internal::CaptureStderr();
  auto secondo = CreaAudioSdl();
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(secondo->Disponibile());
  secondo.reset();

  auto effetto = Onda("a.wav", 0.3);  // the first one still works
  ASSERT_NE(effetto, nullptr);
  audio->Suona(1, *effetto, 0, false);
  EXPECT_TRUE(Mix_Playing(1));
}

TEST(AudioSdlSenzaDispositivo, IlGiocoProsegueMutoEDiceUnaVoltaPerche) {
  const char* prima = std::getenv("SDL_AUDIODRIVER");
  const std::optional<std::string> driver =
      prima ? std::optional<std::string>(prima) : std::nullopt;
  setenv("SDL_AUDIODRIVER", "nessun_driver", 1);
  testing::internal::CaptureStderr();
  auto audio = CreaAudioSdl();
  const std::string errori = testing::internal::GetCapturedStderr();
  if (driver) {
    setenv("SDL_AUDIODRIVER", driver->c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }

  EXPECT_FALSE(audio->Disponibile());
  EXPECT_NE(errori.find("senza suono"), std::string::npos) << errori;
  EXPECT_EQ(std::count(errori.begin(), errori.end(), '\n'), 1) << errori;

  QTemporaryDir cartella;
  const fs::path onda = fs::path(cartella.path().toStdString()) / "a.wav";
  ScriviWav(onda, 0.1);
  EXPECT_EQ(audio->CreaEffetto(onda), nullptr);
  EXPECT_FALSE(audio->ApriMusica(onda));
}

}  // namespace
