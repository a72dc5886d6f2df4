#include "ui/AudioDifferito.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/AudioSpia.h"

namespace {

// The device opens at the first call that needs one, once; until then nothing can be
// playing, so stopping and the music's questions are answered as by a device with no
// music open. Once open, every call reaches it.
TEST(AudioDifferito, OpensOnceAtTheFirstCallThatNeedsTheDevice) {
  const std::pair<const char*, std::function<void(Audio&)>> apre[] = {
      {"Disponibile", [](Audio& a) { EXPECT_TRUE(a.Disponibile()); }},
      {"CreaEffetto", [](Audio& a) { (void)a.CreaEffetto("nessuno.wav"); }},
      {"VolumeCanale", [](Audio& a) { a.VolumeCanale(3, -100); }},
      {"ApriMusica", [](Audio& a) { (void)a.ApriMusica("nessuna.mid"); }},
  };
  for (const auto& [chiamata, fai] : apre) {
    SCOPED_TRACE(chiamata);
    int aperture = 0;
    AudioSpia* spia = nullptr;
    AudioDifferito audio([&] {
      ++aperture;
      auto a = std::make_unique<AudioSpia>();
      spia = a.get();
      return a;
    });
    audio.Ferma(3);
    audio.FermaMusica();
    audio.RiproduciDallInizio();
    audio.VolumeMusica(-100);
    audio.ChiudiMusica();
    EXPECT_FALSE(audio.MusicaAperta());
    EXPECT_EQ(audio.DurataMusica(), 0);
    EXPECT_EQ(audio.PosizioneMusica(), 0);
    EXPECT_EQ(aperture, 0);
    fai(audio);
    EXPECT_EQ(aperture, 1);
    audio.Ferma(5);
    EXPECT_EQ(aperture, 1);
    EXPECT_EQ(spia->Prendi().last(), "Ferma 5");
  }
  // A device that cannot be opened leaves the game silent, not without an Audio.
  AudioDifferito muto([] { return std::unique_ptr<Audio>(); });
  EXPECT_FALSE(muto.Disponibile());
  EXPECT_EQ(muto.CreaEffetto("nessuno.wav"), nullptr);
}

}  // namespace
