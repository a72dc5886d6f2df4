#include "ui/AudioDifferito.h"

Audio& AudioDifferito::Apri() const {
  if (!m_audio) m_audio = m_apri();
  if (!m_audio) m_audio = CreaAudioMuto();
  return *m_audio;
}

bool AudioDifferito::Disponibile() const {
  return Apri().Disponibile();
}

std::unique_ptr<Effetto> AudioDifferito::CreaEffetto(const std::filesystem::path& file) {
  return Apri().CreaEffetto(file);
}

void AudioDifferito::Suona(int canale, const Effetto& effetto, int32_t volume, bool ciclo) {
  Apri().Suona(canale, effetto, volume, ciclo);
}

void AudioDifferito::Ferma(int canale) {
  if (m_audio) m_audio->Ferma(canale);
}

void AudioDifferito::VolumeCanale(int canale, int32_t volume) {
  Apri().VolumeCanale(canale, volume);
}

bool AudioDifferito::ApriMusica(const std::filesystem::path& file) {
  return Apri().ApriMusica(file);
}

bool AudioDifferito::MusicaAperta() const {
  return m_audio && m_audio->MusicaAperta();
}

void AudioDifferito::RiproduciDallInizio() {
  if (m_audio) m_audio->RiproduciDallInizio();
}

void AudioDifferito::FermaMusica() {
  if (m_audio) m_audio->FermaMusica();
}

double AudioDifferito::DurataMusica() const {
  return m_audio ? m_audio->DurataMusica() : 0;
}

double AudioDifferito::PosizioneMusica() const {
  return m_audio ? m_audio->PosizioneMusica() : 0;
}

void AudioDifferito::VolumeMusica(int32_t volume) {
  if (m_audio) m_audio->VolumeMusica(volume);
}

void AudioDifferito::ChiudiMusica() {
  if (m_audio) m_audio->ChiudiMusica();
}

bool AudioDifferito::MusicaInterrotta() {
  return m_audio && m_audio->MusicaInterrotta();
}
