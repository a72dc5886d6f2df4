// The SDL2_mixer side of the audio seam on SDL's dummy driver, and what the player
// hears of the effects and the music through SDL's disk driver.
#include <QTemporaryDir>

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numeric>
#include <numbers>
#include <vector>

#include "codec/FileMedia.h"
#include "codec/Vaglio.h"
#include "support/BancoSuoni.h"
#include "support/MediaOstili.h"

using Suoni::AvviaMusica;
using Suoni::CreaBufferSuono;
using Suoni::SuonaSlot;
using namespace banco_suoni;

namespace {

// The seam itself, under the same bench.
using AudioSdl = BancoSuoni;

TEST_F(AudioSdl, UnFileCheNonESuonoNonDiventaNeEffettoNeMusica) {
  banco.Scrivi("testo.wav", "questo non e' un suono, solo testo");
  banco.Scrivi("tronco.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
  // Effects are wave files: a MIDI file, however small, is never rendered into memory.
  suoni_di_prova::ScriviMidi(g.File("nota.mid"));
  for (const char* nome : {"testo.wav", "tronco.wav", "nota.mid", "manca.wav", "."})
    EXPECT_EQ(CreaBufferSuono(g, g.File(nome)), nullptr) << nome;

  EXPECT_FALSE(audio->ApriMusica(g.File("testo.wav")));
  EXPECT_FALSE(audio->MusicaAperta());
}

// The music's budgets hold the slot's own bytes: an unpacked media file ends in a CR LF
// the slot does not hold, and a MIDI file the gate took plays. A file made elsewhere,
// as the editor picks it, is held to them too; and a wave that would show the mixer a
// format of no channels, which takes it down, never reaches it.
TEST_F(AudioSdl, LaMusicaETenutaAiLimitiDelloSlotSuiSuoiByte) {
  namespace mo = media_ostili;
  const struct {
    const char* cosa;
    std::string slot;
    bool aperta;
  } casi[] = {
      {"4 MiB", mo::MidiDiByte(Vaglio::MaxByteMidi), true},
      {"4 MiB and a byte", mo::MidiDiByte(Vaglio::MaxByteMidi + 1), false},
      {"a wave", mo::WavConCoda(""), true},
      {"no channels after the data", mo::WavConCoda(mo::FormatoWav(0)), false},
  };
  for (const auto& caso : casi) {
    ASSERT_TRUE(ScriviFileMedia(g.File("aud0.sktemp"), caso.slot));
    EXPECT_EQ(audio->ApriMusica(g.File("aud0.sktemp")), caso.aperta) << caso.cosa;
    banco.Scrivi("scelta.mid", caso.slot);
    EXPECT_EQ(audio->ApriMusica(g.File("scelta.mid")), caso.aperta) << caso.cosa;
    audio->ChiudiMusica();
  }
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
  testing::internal::CaptureStderr();
  auto audio = AudioSu("nessun_driver");
  const std::string errori = testing::internal::GetCapturedStderr();

  EXPECT_FALSE(audio->Disponibile());
  EXPECT_NE(errori.find("senza suono"), std::string::npos) << errori;
  EXPECT_EQ(std::count(errori.begin(), errori.end(), '\n'), 1) << errori;
}
// What the player hears, through SDL's disk driver: it writes the final mix in real
// time into a file, as raw samples of the opened format. A counter on the mix tells
// from which sample on a change made at a given moment is heard.
class Ascolto : public BancoSuoni {
 protected:
  Ascolto() : BancoSuoni(SuDisco()) {}

  static fs::path FileDisco() {
    static const QTemporaryDir cartella;
    return fs::path(cartella.path().toStdString()) / "uscita.raw";
  }
  static std::unique_ptr<Audio> SuDisco() {
    setenv("SDL_DISKAUDIOFILE", FileDisco().c_str(), 1);
    return AudioSu("disk");
  }
  static void ContaByte(int, void*, int byte, void*) { byteMixati += byte; }

  void SetUp() override {
    BancoSuoni::SetUp();
    Uint16 formato = 0;
    Mix_QuerySpec(&frequenza, &formato, &canali);
    ASSERT_EQ(formato, AUDIO_S16SYS);
    byteMixati = 0;
    Mix_RegisterEffect(MIX_CHANNEL_POST, ContaByte, nullptr, nullptr);
  }

  // Now, as a count of mixed frames: what is set now is heard within a block or two.
  int64_t Ora() const { return byteMixati / (2 * canali); }

  // The first output channel of what was heard up to frame `fine`. The driver may
  // write a few blocks of silence before the mixer starts: a window taken from a
  // counted frame must begin a few blocks later.
  std::vector<double> Sentito(int64_t fine) const {
    const auto byte = static_cast<size_t>(fine + 4 * Blocco) * 2 * canali;
    std::string dati;
    Attendi([&] { return (dati = LeggiTutto(FileDisco())).size() >= byte; });
    std::vector<double> x(dati.size() / (2 * canali));
    for (size_t i = 0; i < x.size(); ++i)
      x[i] = std::bit_cast<int16_t>(std::array{dati[i * 2 * canali], dati[i * 2 * canali + 1]});
    return x;
  }

  // The amplitude of the tone of `hz` heard in frames [da, a) (a Hann window keeps the
  // other tone of the mix out).
  double Ampiezza(const std::vector<double>& x, std::pair<size_t, size_t> da_a, double hz) const {
    const auto [da, a] = da_a;
    std::complex<double> somma;
    double pesi = 0;
    for (size_t n = da; n < a; ++n) {
      const double peso = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (n - da) / (a - da - 1));
      somma += peso * x[n] * std::polar(1.0, -2 * std::numbers::pi * hz * n / frequenza);
      pesi += peso;
    }
    return 2 * std::abs(somma) / pesi;
  }

  static constexpr int64_t Blocco = 1024;  // frames the mixer makes at a time
  static inline std::atomic<int64_t> byteMixati;
  int frequenza = 0;
  int canali = 0;
};

// Every stored volume is heard at its own level, for the effects and the music alike,
// also far below the mixer's 128 steps, and changed while they play. The effect
// (440 Hz) and the music (1000 Hz) sound together, each at the volume under test.
TEST_F(Ascolto, EffettiEMusicaSiSentonoAlVolumeMemorizzato) {
  constexpr std::array<int32_t, 5> volumi{0, -1000, -3000, -4000, -5000};
  CaricaEffetto(1, 2.0, 0, 440);
  CaricaMusica(false, 2.0, 1000);
  SuonaSlot(g, SlotSuono::MovimentoAlieni);
  AvviaMusica(g);
  std::vector<std::pair<size_t, size_t>> finestre;  // the frames heard at each volume
  for (int32_t volume : volumi) {
    audio->VolumeCanale(1, volume);
    dShow::VolumeMusica(g, volume);
    const int64_t da = Ora() + 4 * Blocco;
    Attendi([&] { return Ora() >= da + 4 * Blocco; });
    finestre.emplace_back(da, Ora());
  }
  const auto x = Sentito(finestre.back().second);

  for (size_t i = 0; i < volumi.size(); ++i) {
    ASSERT_GT(finestre[i].second, finestre[i].first + Blocco) << "too little time to listen";
    for (const double hz : {440.0, 1000.0})
      EXPECT_NEAR(20 * std::log10(Ampiezza(x, finestre[i], hz) / Ampiezza(x, finestre[0], hz)),
                  volumi[i] / 100.0, 1.0)
          << (hz == 440 ? "effect" : "music") << " at " << volumi[i];
  }
}

// A MIDI loop starts again right after its end: the music is a note of 1/8 s and a
// rest of 3/8 s, and the restarts are found in what was heard, as the notes' onsets.
TEST_F(Ascolto, UnCicloMidiRiparteAllaSuaFine) {
  CaricaMusica(true, 0, 0, 72);
  const int64_t inizio = Ora();
  AvviaMusica(g);
  const auto limite = std::chrono::steady_clock::now() + 5s;
  while (Ora() - inizio < frequenza * 6 / 5 && std::chrono::steady_clock::now() < limite) {
    std::this_thread::sleep_for(Tick);
    dShow::ControllaCicloMusica(g);
  }
  const auto x = Sentito(Ora());

  // Loudness in windows of 5 ms; an onset is a loud window at least 10 dB above the
  // three before it.
  const auto finestra = static_cast<size_t>(frequenza / 200);
  std::vector<double> energia(3, 0.0);
  for (size_t da = static_cast<size_t>(inizio); da + finestra <= x.size(); da += finestra)
    energia.push_back(
        std::inner_product(x.data() + da, x.data() + da + finestra, x.data() + da, 0.0) / finestra);
  const double picco = std::ranges::max(energia);
  std::vector<double> attacchi;  // seconds
  for (size_t k = 3; k < energia.size(); ++k)
    if (energia[k] > picco / 100 &&
        energia[k] > 10 * std::max({energia[k - 1], energia[k - 2], energia[k - 3]}))
      attacchi.push_back(k / 200.0);
  for (size_t k = 1; k < attacchi.size(); ++k)
    EXPECT_LE(attacchi[k] - attacchi[k - 1] - 0.5, 0.2) << "restart " << k;
  EXPECT_GE(attacchi.size(), 3u) << "the loop did not come round twice";
}

}  // namespace
