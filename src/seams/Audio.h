// The audio seam: effects decoded once into memory and played on one channel per
// slot, and one streamed background music. Volumes are hundredths of a decibel
// (-10000 silent .. 0 full). Nothing here throws or fails loudly: audio is never a
// reason for the game to stop.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

// A sound decoded into memory; the file it came from may be deleted afterwards, and
// the effect may outlive the Audio that made it (it then simply never plays).
class Effetto {
 public:
  virtual ~Effetto() = default;
};

class Audio {
 public:
  virtual ~Audio() = default;

  // False when no usable device could be opened: everything then does nothing.
  virtual bool Disponibile() const = 0;

  // Decodes a wave file into memory; nullptr when the file is not a wave file the
  // mixer can decode (or there is no device).
  virtual std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path& file) = 0;

  // Plays `effetto` on channel `canale` (0..15, one per slot), once or looping.
  // A channel already sounding this effect goes on: it is neither restarted nor
  // doubled. Then sets the channel's volume.
  virtual void Suona(int canale, const Effetto& effetto, int32_t volume, bool ciclo) = 0;
  virtual void Ferma(int canale) = 0;
  virtual void VolumeCanale(int canale, int32_t volume) = 0;

  // The background music, streamed from a file (MP3, WAV, MID). Opening does not
  // play. Position and duration behave like a media player's: after the music has
  // played to its end the position equals the duration until it is restarted or
  // stopped; where neither the mixer nor the file can tell a duration (a MIDI file
  // that cannot be read to its end) the two are reported as 1.0 and 0.0 while it
  // plays and 1.0 and 1.0 once it has ended by itself.
  virtual bool ApriMusica(const std::filesystem::path& file) = 0;
  virtual bool MusicaAperta() const = 0;
  virtual void RiproduciDallInizio() = 0;
  virtual void FermaMusica() = 0;  // stop and rewind
  virtual double DurataMusica() const = 0;
  virtual double PosizioneMusica() const = 0;
  virtual void VolumeMusica(int32_t volume) = 0;
  virtual void ChiudiMusica() = 0;  // stop and release the file
  // True, once, when the device has stopped the open music because playing it took
  // more than half of real time for seconds together; the music is then closed. A
  // device that never stops a music by itself always answers false.
  virtual bool MusicaInterrotta() { return false; }
};

// The linear gain of a volume in hundredths of a decibel: 10^(v / 2000);
// -10000 and below is silence.
double Guadagno(int32_t volume);

// The audio of a program with no sound at all: every call does nothing.
std::unique_ptr<Audio> CreaAudioMuto();
