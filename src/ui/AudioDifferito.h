// The sound device opened when it is first needed, or when asked, rather than when
// the program starts: a game on the built-in combination needs none before its first
// frame. Until it is open nothing can be playing, so stopping, the music's questions
// and its volume are answered as the device would answer them with no music open.
#pragma once

#include <functional>
#include <memory>

#include "seams/Audio.h"

class AudioDifferito final : public Audio {
 public:
  explicit AudioDifferito(std::function<std::unique_ptr<Audio>()> apri) : m_apri(std::move(apri)) {}

  // Opens the device now, if it is not open yet.
  Audio& Apri() const;
  bool Aperto() const { return m_audio != nullptr; }

  bool Disponibile() const override;
  std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path& file) override;
  void Suona(int canale, const Effetto& effetto, int32_t volume, bool ciclo) override;
  void Ferma(int canale) override;
  void VolumeCanale(int canale, int32_t volume) override;
  bool ApriMusica(const std::filesystem::path& file) override;
  bool MusicaAperta() const override;
  void RiproduciDallInizio() override;
  void FermaMusica() override;
  double DurataMusica() const override;
  double PosizioneMusica() const override;
  void VolumeMusica(int32_t volume) override;
  void ChiudiMusica() override;
  bool MusicaInterrotta() override;

 private:
  std::function<std::unique_ptr<Audio>()> m_apri;
  // Opened from a const question too: whether there is a device is known only by trying.
  mutable std::unique_ptr<Audio> m_audio;
};
