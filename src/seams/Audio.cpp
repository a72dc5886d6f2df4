#include "seams/Audio.h"

#include <cmath>

double Guadagno(int32_t volume) {
  if (volume <= -10000) return 0.0;
  if (volume >= 0) return 1.0;
  return std::pow(10.0, volume / 2000.0);
}

namespace {

class AudioMuto final : public Audio {
 public:
  bool Disponibile() const override { return false; }
  std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path&) override { return nullptr; }
  void Suona(int, const Effetto&, int32_t, bool) override {}
  void Ferma(int) override {}
  void VolumeCanale(int, int32_t) override {}
  bool ApriMusica(const std::filesystem::path&) override { return false; }
  bool MusicaAperta() const override { return false; }
  void RiproduciDallInizio() override {}
  void FermaMusica() override {}
  double DurataMusica() const override { return 0; }
  double PosizioneMusica() const override { return 0; }
  void VolumeMusica(int32_t) override {}
  void ChiudiMusica() override {}
};

}  // namespace

std::unique_ptr<Audio> CreaAudioMuto() {
  return std::make_unique<AudioMuto>();
}
