#include "ui/AudioSdl.h"

#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"
#include "codec/DurataMidi.h"
#include "ui/GuardianoMixer.h"
#include "ui/RegistroSintetizzatore.h"

#include <QLoggingCategory>
#include <QString>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

Q_LOGGING_CATEGORY(lcSuono, "skarvex.suono")

namespace {

constexpr int FrequenzaUscita = 44100;
constexpr int CanaliUscita = 2;
// About 23 ms at 44.1 kHz: a sound starts within one 25 ms tick of the game.
constexpr int CampioniPerBlocco = 1024;

// What a music reports when neither the mixer nor its file can tell its length (a
// MIDI file that cannot be read to its end): a length of one second, at 0 while it
// plays and at 1 once it has ended.
constexpr double DurataSconosciuta = 1.0;

struct LiberaChunk {
  void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
struct LiberaMusica {
  void operator()(Mix_Music* musica) const { Mix_FreeMusic(musica); }
};
struct ChiudiRw {
  void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
using PtrChunk = std::unique_ptr<Mix_Chunk, LiberaChunk>;
using PtrMusica = std::unique_ptr<Mix_Music, LiberaMusica>;
using PtrRw = std::unique_ptr<SDL_RWops, ChiudiRw>;

QString Riga(const char* testo) {
  return QString::fromUtf8(testo).simplified();  // SDL's reasons may span lines
}

// SDL's audio subsystem, initialised for as long as this object lives.
class SottosistemaAudio {
 public:
  SottosistemaAudio() : m_attivo(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {}
  ~SottosistemaAudio() {
    if (m_attivo) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  SottosistemaAudio(const SottosistemaAudio&) = delete;
  SottosistemaAudio& operator=(const SottosistemaAudio&) = delete;

  bool Attivo() const { return m_attivo; }

 private:
  bool m_attivo;
};

// The mixer's decoders and its open output device.
class DispositivoMixer {
 public:
  DispositivoMixer() {
    // A decoder that fails to load costs only its format (MP3 or MIDI music);
    // wave files need none.
    const int richiesti = MIX_INIT_MP3 | MIX_INIT_MID;
    if ((Mix_Init(richiesti) & richiesti) != richiesti) {
      qCWarning(lcSuono).noquote()
          << "decodificatori MP3/MIDI non tutti disponibili:" << Riga(Mix_GetError());
    }
    // The rate and the channel count may change to suit the device; the format
    // never does (SDL converts it for the device).
    m_aperto =
        Mix_OpenAudio(FrequenzaUscita, MIX_DEFAULT_FORMAT, CanaliUscita, CampioniPerBlocco) == 0;
  }
  ~DispositivoMixer() {
    if (m_aperto) Mix_CloseAudio();
    Mix_Quit();
  }
  DispositivoMixer(const DispositivoMixer&) = delete;
  DispositivoMixer& operator=(const DispositivoMixer&) = delete;

  bool Aperto() const { return m_aperto; }

 private:
  bool m_aperto = false;
};

// The mixer's own volumes have 128 steps, and every stored volume of -4900 or
// lower is below the first. So effects and music are mixed at full volume and
// brought to their exact gain here, on the mixer's thread, in the 16-bit samples
// the device is always opened with. Each effect channel hands its
// samples, at its gain, to `effetti` instead of the mix (one block at a time);
// at the end of the block the mix holds the music alone, which is scaled to its
// gain and gets the effects added.
struct Guadagni {
  std::array<std::atomic<float>, CanaliMixer> canale{};
  std::atomic<float> musica{1};
  std::atomic<int64_t> fotogrammi{0};  // mixed since the device opened
  int canaliUscita = CanaliUscita;

  // The block being mixed: the effects so far, and how far each channel has got.
  std::vector<float> effetti = std::vector<float>(size_t{CampioniPerBlocco} * 8);
  std::array<size_t, CanaliMixer> scritti{};

  // The watchdog, on the mixer's thread; it sets `musicaFermata` when it has stopped
  // a music too heavy to play, and the game clears it as it closes that music.
  GuardianoMixer guardiano;
  std::atomic<bool> musicaFermata{false};
};

// After each mixed block, on the mixer's thread: a music whose mixing has taken more
// than half of real time for seconds is stopped there and then (the mixer's lock is
// taken again by the same thread, which it allows); the game learns of it on its own
// thread.
void Sorveglia(Guadagni& g) {
  if (g.guardiano.FineBlocco() && Mix_PlayingMusic()) {
    Mix_HaltMusic();
    g.musicaFermata = true;
  }
}

void SDLCALL RaccogliEffetto(int canale, void* dati, int byte, void* udata) {
  auto& g = *static_cast<Guadagni*>(udata);
  if (canale < 0 || canale >= CanaliMixer || byte <= 0) return;
  auto* campioni = static_cast<int16_t*>(dati);
  const auto n = static_cast<size_t>(byte) / sizeof(int16_t);
  size_t& da = g.scritti[static_cast<size_t>(canale)];
  if (g.effetti.size() < da + n) g.effetti.resize(da + n);  // a larger block than asked for
  const float guadagno = g.canale[static_cast<size_t>(canale)].load(std::memory_order_relaxed);
  for (size_t i = 0; i < n; ++i) g.effetti[da + i] += guadagno * campioni[i];
  da += n;
  std::memset(dati, 0, static_cast<size_t>(byte));  // heard through the effects, not the mix
}

void SDLCALL Mescola(void* udata, Uint8* flusso, int byte) {
  auto& g = *static_cast<Guadagni*>(udata);
  auto* campioni = reinterpret_cast<int16_t*>(flusso);
  const auto n = static_cast<size_t>(std::max(byte, 0)) / sizeof(int16_t);
  const size_t scritti = std::min(*std::max_element(g.scritti.begin(), g.scritti.end()), n);
  const float musica = g.musica.load(std::memory_order_relaxed);
  for (size_t i = 0; i < n; ++i) {
    const float v = campioni[i] * musica + (i < scritti ? g.effetti[i] : 0.0f);
    campioni[i] = static_cast<int16_t>(std::lrint(std::clamp(v, -32768.0f, 32767.0f)));
  }
  std::fill_n(g.effetti.begin(), scritti, 0.0f);
  g.scritti.fill(0);
  g.fotogrammi += static_cast<int64_t>(n) / g.canaliUscita;
  Sorveglia(g);
}

class EffettoSdl final : public Effetto {
 public:
  explicit EffettoSdl(PtrChunk chunk) : m_chunk(std::move(chunk)) {}
  Mix_Chunk* Chunk() const { return m_chunk.get(); }

 private:
  PtrChunk m_chunk;
};

// The mixer's decoder for a kind of music the gate took; none for another kind.
Mix_MusicType TipoMusica(FormatoMedia formato) {
  switch (formato) {
    case FormatoMedia::WAV:
      return MUS_WAV;
    case FormatoMedia::MP3:
      return MUS_MP3;
    case FormatoMedia::MIDI:
      return MUS_MID;
    default:
      return MUS_NONE;
  }
}

class AudioSdl final : public Audio {
 public:
  AudioSdl(std::unique_ptr<SottosistemaAudio> sottosistema, std::unique_ptr<DispositivoMixer> mixer)
      : m_sottosistema(std::move(sottosistema)), m_mixer(std::move(mixer)) {
    Uint16 formato = 0;
    Mix_QuerySpec(&m_frequenza, &formato, &m_guadagni.canaliUscita);
    m_guadagni.canaliUscita = std::max(m_guadagni.canaliUscita, 1);
    for (auto& g : m_guadagni.canale) g = 1;
    // Channels and music at the mixer's full volume; the gains do the rest.
    Mix_Volume(-1, VolumeMixerPieno);
    Mix_VolumeMusic(VolumeMixerPieno);
    Mix_SetPostMix(Mescola, &m_guadagni);
  }
  ~AudioSdl() override {
    ChiudiMusica();
    Mix_HaltChannel(-1);
    for (int canale = 0; canale < CanaliMixer; ++canale) Mix_UnregisterAllEffects(canale);
    Mix_SetPostMix(nullptr, nullptr);
  }

  bool Disponibile() const override { return true; }

  // Effects are wave files only, held against the effect budget from their header
  // before the mixer converts them: the mixer would also render MP3 or MIDI into
  // memory, and a few samples at a very low rate would become gigabytes at its own.
  std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path& file) override {
    auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione);
    if (!byte) {
      Avvisa("effetto non leggibile:", file, byte.errore().c_str());
      return nullptr;
    }
    if (const auto esame = Vaglio::EsaminaEffetto(byte.valore()); esame.rifiuto) {
      Avvisa("effetto non usabile:", file, Vaglio::Descrivi(*esame.rifiuto).c_str());
      return nullptr;
    }
    PtrRw rw(SDL_RWFromConstMem(byte.valore().data(), static_cast<int>(byte.valore().size())));
    PtrChunk chunk(rw ? Mix_LoadWAV_RW(rw.get(), 0) : nullptr);
    if (!chunk) {
      Avvisa("effetto non decodificabile:", file, Mix_GetError());
      return nullptr;
    }
    return std::make_unique<EffettoSdl>(std::move(chunk));
  }

  void Suona(int canale, const Effetto& effetto, int32_t volume, bool ciclo) override {
    if (!CanaleValido(canale)) return;
    const auto* sdl = dynamic_cast<const EffettoSdl*>(&effetto);
    if (sdl == nullptr) return;
    // The volume goes on first, so a fresh start is never heard at the channel's
    // previous volume.
    VolumeCanale(canale, volume);
    if (Mix_Playing(canale)) {
      if (Mix_GetChunk(canale) == sdl->Chunk()) return;  // goes on
      Mix_HaltChannel(canale);
    }
    // A channel loses its gain whenever its sound ends or is halted. The gain goes
    // on before the sound, so no block is ever mixed without it; an earlier start
    // that failed may have left it on.
    Mix_UnregisterEffect(canale, RaccogliEffetto);
    if (Mix_RegisterEffect(canale, RaccogliEffetto, nullptr, &m_guadagni) == 0) return;
    Mix_PlayChannel(canale, sdl->Chunk(), ciclo ? -1 : 0);
  }

  void Ferma(int canale) override {
    if (CanaleValido(canale)) Mix_HaltChannel(canale);
  }

  void VolumeCanale(int canale, int32_t volume) override {
    if (CanaleValido(canale))
      m_guadagni.canale[static_cast<size_t>(canale)] = static_cast<float>(Guadagno(volume));
  }

  // The music's file is read once, whole, and what the mixer streams is those very
  // bytes, held to the music slot's budgets by the gate: a file that changes meanwhile
  // changes nothing. The gate holds the slot's own bytes (a media file ends in a CR LF
  // the slot does not hold), and they are decoded by the decoder of the kind their first
  // bytes announce, never one the mixer guesses among all it knows.
  bool ApriMusica(const std::filesystem::path& file) override {
    ChiudiMusica();
    auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione + FineMedia.size());
    if (!byte) {
      Avvisa("musica non leggibile:", file, byte.errore().c_str());
      return false;
    }
    m_byteMusica = std::move(byte.valore());
    const std::string_view slot = SlotDiFileMedia(m_byteMusica);
    const Vaglio::EsameMusica esame = Vaglio::EsaminaMusica(slot);
    if (esame.rifiuto) {
      Avvisa("musica non usabile:", file, Vaglio::Descrivi(*esame.rifiuto).c_str());
      m_byteMusica = {};
      return false;
    }
    // The music reads from these bytes as long as it is open, and closes its view of
    // them when it goes.
    const Mix_MusicType tipo = TipoMusica(esame.formato);
    PtrMusica musica(Mix_LoadMUSType_RW(
        SDL_RWFromConstMem(slot.data(), static_cast<int>(slot.size())), tipo, SDL_TRUE));
    if (!musica) {
      Avvisa("musica non decodificabile:", file, Mix_GetError());
      m_byteMusica = {};
      return false;
    }
    m_durata = std::max(Mix_MusicDuration(musica.get()), 0.0);
    if (tipo == MUS_MID && m_durata <= 0) {
      // The synthesizer says it plays for seconds after the last note has died away:
      // the file itself tells where it ends.
      m_midi = true;
      m_durata = DurataMidi(slot);
    }
    m_musica = std::move(musica);
    return true;
  }

  bool MusicaAperta() const override { return m_musica != nullptr; }

  void RiproduciDallInizio() override {
    if (!m_musica || m_guadagni.musicaFermata) return;
    // Played once: the game's loop check restarts it at its end.
    m_avviata = Mix_PlayMusic(m_musica.get(), 0) == 0;
    // Counted from the first block that can hold the music: late by a block at most.
    m_avvio = m_guadagni.fotogrammi;
  }

  void FermaMusica() override {
    if (!m_musica) return;
    Mix_HaltMusic();
    m_avviata = false;
  }

  double DurataMusica() const override {
    if (!m_musica) return 0;
    return m_durata > 0 ? m_durata : DurataSconosciuta;
  }

  double PosizioneMusica() const override {
    if (!m_musica || !m_avviata) return 0;           // stopped and rewound, or never started
    if (!Mix_PlayingMusic()) return DurataMusica();  // it played to its end by itself
    if (m_durata <= 0) return 0;
    const double posizione =
        m_midi ? static_cast<double>(m_guadagni.fotogrammi - m_avvio) / m_frequenza
               : Mix_GetMusicPosition(m_musica.get());
    return std::clamp(posizione, 0.0, m_durata);
  }

  void VolumeMusica(int32_t volume) override {
    if (m_musica) m_guadagni.musica = static_cast<float>(Guadagno(volume));
  }

  void ChiudiMusica() override {
    m_guadagni.musicaFermata = false;
    if (!m_musica) return;
    Mix_HaltMusic();
    m_musica.reset();
    m_byteMusica = {};
    m_avviata = false;
    m_durata = 0;
    m_midi = false;
  }

  bool MusicaInterrotta() override {
    if (!m_musica || !m_guadagni.musicaFermata) return false;
    ChiudiMusica();
    return true;
  }

 private:
  static bool CanaleValido(int canale) { return canale >= 0 && canale < CanaliMixer; }

  static void Avvisa(const char* cosa, const std::filesystem::path& file, const char* motivo) {
    const QString perche = Riga(motivo);
    qCWarning(lcSuono).noquote() << cosa << QString::fromStdString(file.string())
                                 << (perche.isEmpty() ? QString() : "(" + perche + ")");
  }

  // Declared in the order they are made; released the other way round, the
  // music before the device it plays on.
  std::unique_ptr<SottosistemaAudio> m_sottosistema;
  std::unique_ptr<DispositivoMixer> m_mixer;
  Guadagni m_guadagni;
  int m_frequenza = FrequenzaUscita;
  std::string m_byteMusica;  // the file the music plays from, freed after it
  PtrMusica m_musica;
  double m_durata = 0;     // seconds; 0 when it cannot be told
  bool m_midi = false;     // its position is counted in mixed frames
  int64_t m_avvio = 0;     // the mixed frame it was last started at
  bool m_avviata = false;  // started, and not stopped since: at its end it ended by itself
};

std::unique_ptr<Audio> Silenzio(const QString& motivo) {
  qCWarning(lcSuono).noquote() << "audio non disponibile (" + motivo +
                                      "): il gioco prosegue senza suono";
  return CreaAudioMuto();
}

void ImpostaSoundfont() {
  if (std::getenv("SDL_SOUNDFONTS") != nullptr) return;
  std::error_code errore;
  if (std::filesystem::exists(SoundfontPredefinito, errore))
    Mix_SetSoundFonts(SoundfontPredefinito);
}

}  // namespace

std::unique_ptr<Audio> CreaAudioSdl() {
  // The mixer is one device per process; a second owner would share its channels.
  if (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
    return Silenzio(QStringLiteral("il mixer è già in uso"));
  }
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "SKARVEX");
  InstallaRegistroSintetizzatore();
  auto sottosistema = std::make_unique<SottosistemaAudio>();
  if (!sottosistema->Attivo()) return Silenzio(Riga(SDL_GetError()));
  ImpostaSoundfont();
  auto mixer = std::make_unique<DispositivoMixer>();
  if (!mixer->Aperto()) return Silenzio(Riga(Mix_GetError()));
  if (Mix_AllocateChannels(CanaliMixer) < CanaliMixer) {
    return Silenzio(QStringLiteral("canali del mixer non disponibili"));
  }
  return std::make_unique<AudioSdl>(std::move(sottosistema), std::move(mixer));
}
