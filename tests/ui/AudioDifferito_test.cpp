#include "ui/AudioDifferito.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/AudioSpia.h"

namespace {

// The device opens at the first call that needs one, once; until then nothing can be
// playing, so stopping and the music's questions are answered as by a device with no
// music open. Once open, every call reaches it.
TEST(AudioDifferito, OpensOnceAtTheFirstCallThatNeedsTheDevice) {
  struct Caso {
    const char* chiamata;
    std::function<void(Audio&)> fai;
    bool apre;
  };
  const Caso casi[] = {
      {"Ferma", [](Audio& a) { a.Ferma(3); }, false},
      {"FermaMusica", [](Audio& a) { a.FermaMusica(); }, false},
      {"RiproduciDallInizio", [](Audio& a) { a.RiproduciDallInizio(); }, false},
      {"VolumeMusica", [](Audio& a) { a.VolumeMusica(-100); }, false},
      {"ChiudiMusica", [](Audio& a) { a.ChiudiMusica(); }, false},
      {"MusicaAperta", [](Audio& a) { EXPECT_FALSE(a.MusicaAperta()); }, false},
      {"DurataMusica", [](Audio& a) { EXPECT_EQ(a.DurataMusica(), 0); }, false},
      {"PosizioneMusica", [](Audio& a) { EXPECT_EQ(a.PosizioneMusica(), 0); }, false},
      {"Disponibile", [](Audio& a) { EXPECT_TRUE(a.Disponibile()); }, true},
      {"CreaEffetto", [](Audio& a) { (void)a.CreaEffetto("nessuno.wav"); }, true},
      {"VolumeCanale", [](Audio& a) { a.VolumeCanale(3, -100); }, true},
      {"ApriMusica", [](Audio& a) { (void)a.ApriMusica("nessuna.mid"); }, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.chiamata);
    int aperture = 0;
    AudioSpia* spia = nullptr;
    AudioDifferito audio([&] {
      ++aperture;
      auto a = std::make_unique<AudioSpia>();
      spia = a.get();
      return a;
    });
    c.fai(audio);
    EXPECT_EQ(aperture, c.apre ? 1 : 0);
    EXPECT_EQ(audio.Aperto(), c.apre);
    audio.Apri();
    audio.Ferma(5);
    EXPECT_EQ(aperture, 1);
    EXPECT_EQ(spia->Prendi().last(), "Ferma 5");
  }
}

// A device that cannot be opened leaves the game silent, not without an Audio.
TEST(AudioDifferito, WithoutADeviceTheGameIsSilent) {
  AudioDifferito audio([] { return std::unique_ptr<Audio>(); });
  EXPECT_FALSE(audio.Disponibile());
  EXPECT_EQ(audio.CreaEffetto("nessuno.wav"), nullptr);
}

}  // namespace
