#include "codec/DurataMidi.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t MicrosecondiPerBattitoIniziali = 500'000;  // 120 beats a minute

// Reads big-endian numbers and variable-length quantities within `byte`; once past
// the end it stays there and says so.
class Lettore {
 public:
  Lettore(std::string_view byte, size_t da) : m_byte(byte), m_pos(da) {}

  bool Fuori() const { return m_fuori; }
  size_t Pos() const { return m_pos; }

  uint32_t Byte() {
    if (m_pos >= m_byte.size()) {
      m_fuori = true;
      return 0;
    }
    return static_cast<unsigned char>(m_byte[m_pos++]);
  }
  uint32_t Numero(int byte) {
    uint32_t n = 0;
    for (int i = 0; i < byte; ++i) n = n << 8 | Byte();
    return n;
  }
  // At most four bytes of seven bits each.
  uint32_t Variabile() {
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i) {
      const uint32_t b = Byte();
      n = n << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return n;
    }
    m_fuori = true;
    return 0;
  }
  void Salta(size_t n) {
    if (n > m_byte.size() - std::min(m_pos, m_byte.size())) m_fuori = true;
    m_pos = std::min(m_pos + n, m_byte.size());
  }

 private:
  std::string_view m_byte;
  size_t m_pos;
  bool m_fuori = false;
};

// A note struck or released, in the order the file gives it.
struct EventoNota {
  uint64_t tick;
  uint8_t canale;
  uint8_t tasto;
  bool suona;  // a note-on at a velocity above 0
};

struct Traccia {
  uint64_t fine = 0;                                 // ticks
  std::vector<std::pair<uint64_t, uint32_t>> tempi;  // tick, microseconds a beat
};

// The events of one track, from its first byte to `fine`; nothing when they run
// past it or make no sense. Its notes go to `note`, as far as they can be read.
std::optional<Traccia> LeggiTraccia(Lettore& r, size_t fine, std::vector<EventoNota>* note) {
  Traccia traccia;
  uint64_t tick = 0;
  uint32_t stato = 0;  // running status
  while (r.Pos() < fine) {
    tick += r.Variabile();
    const uint32_t b = r.Byte();
    int datiLetti = 0;
    if (b >= 0x80) {
      stato = b;
    } else if (stato >= 0x80 && stato < 0xF0) {
      datiLetti = 1;  // running status: that was the first data byte
    } else {
      return std::nullopt;
    }
    if (stato == 0xFF) {
      const uint32_t tipo = r.Byte();
      const uint32_t lunghezza = r.Variabile();
      if (tipo == 0x51 && lunghezza == 3) {
        traccia.tempi.emplace_back(tick, r.Numero(3));
      } else {
        r.Salta(lunghezza);
      }
      stato = 0;
      if (tipo == 0x2F) fine = r.Pos();  // end of track: what follows is ignored
    } else if (stato == 0xF0 || stato == 0xF7) {
      r.Salta(r.Variabile());  // system exclusive
      stato = 0;
    } else if (const auto tipo = stato & 0xF0; note && (tipo == 0x80 || tipo == 0x90)) {
      const uint32_t tasto = datiLetti ? b : r.Byte(), velocita = r.Byte();
      if (!r.Fuori())
        note->push_back({tick, static_cast<uint8_t>(stato & 0x0F),
                         static_cast<uint8_t>(tasto & 0x7F), tipo == 0x90 && velocita != 0});
    } else {
      r.Salta((tipo == 0xC0 || tipo == 0xD0 ? 1 : 2) - datiLetti);
    }
    if (r.Fuori() || r.Pos() > fine) return std::nullopt;
    traccia.fine = tick;
  }
  return traccia;
}

// A whole file's tracks, played together whatever its format.
struct LetturaMidi {
  bool intera = false;  // every track read to its end
  uint32_t divisione = 0;
  uint64_t fine = 0;  // the last track's end, in ticks
  std::vector<std::pair<uint64_t, uint32_t>> tempi;
};

// Without `note`, the reading stops at the first track that can't be read.
LetturaMidi LeggiMidi(std::string_view byte, std::vector<EventoNota>* note) {
  LetturaMidi lettura;
  Lettore r(byte, 0);
  if (byte.substr(0, 4) != "MThd") return lettura;
  r.Salta(4);
  const uint32_t testa = r.Numero(4);
  r.Salta(2);  // format: the tracks of every format are played together
  const uint32_t tracce = r.Numero(2);
  lettura.divisione = r.Numero(2);
  r.Salta(testa - 6);
  if (r.Fuori() || testa < 6 || lettura.divisione == 0) return lettura;

  lettura.intera = true;
  for (uint32_t t = 0; t < tracce;) {
    const bool traccia = byte.substr(r.Pos(), 4) == "MTrk";
    r.Salta(4);
    const uint32_t lunghezza = r.Numero(4);
    if (r.Fuori()) {
      lettura.intera = false;
      break;
    }
    const size_t inizio = r.Pos();
    const size_t termine = inizio + std::min<size_t>(lunghezza, byte.size() - inizio);
    if (traccia) {
      const auto letta = LeggiTraccia(r, termine, note);
      if (letta) {
        lettura.fine = std::max(lettura.fine, letta->fine);
        lettura.tempi.insert(lettura.tempi.end(), letta->tempi.begin(), letta->tempi.end());
      } else {
        lettura.intera = false;
        if (!note) break;
      }
      ++t;
    }
    r = Lettore(byte, termine);  // chunks of other kinds are skipped
    if (termine >= byte.size() && t < tracce) break;
  }
  std::stable_sort(lettura.tempi.begin(), lettura.tempi.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return lettura;
}

// Ticks to seconds through a file's tempo changes, for ticks that only grow.
class Cronometro {
 public:
  explicit Cronometro(const LetturaMidi& lettura) : m_lettura(lettura) {
    if (lettura.divisione & 0x8000) {  // frames a second and ticks a frame
      const int fotogrammi = -static_cast<int8_t>(lettura.divisione >> 8);
      m_tickAlSecondo = (fotogrammi == 29 ? 29.97 : fotogrammi) * (lettura.divisione & 0xFF);
    }
  }

  double Secondi(uint64_t tick) {
    if (m_lettura.divisione & 0x8000) return m_tickAlSecondo > 0 ? tick / m_tickAlSecondo : 0;
    const auto& tempi = m_lettura.tempi;
    for (; m_prossimo < tempi.size() && tempi[m_prossimo].first <= tick; ++m_prossimo) {
      Avanza(tempi[m_prossimo].first);
      m_tempo = tempi[m_prossimo].second;
    }
    Avanza(tick);
    return m_secondi;
  }

 private:
  void Avanza(uint64_t tick) {
    m_secondi += static_cast<double>(tick - m_tick) * m_tempo / 1e6 / m_lettura.divisione;
    m_tick = tick;
  }

  const LetturaMidi& m_lettura;
  double m_tickAlSecondo = 0;
  size_t m_prossimo = 0;
  uint64_t m_tick = 0;
  uint32_t m_tempo = MicrosecondiPerBattitoIniziali;
  double m_secondi = 0;
};

}  // namespace

double DurataMidi(std::string_view byte) {
  const LetturaMidi lettura = LeggiMidi(byte, nullptr);
  if (!lettura.intera) return 0;
  return Cronometro(lettura).Secondi(lettura.fine);
}

CaricoMidi MisuraCaricoMidi(std::string_view byte) {
  std::vector<EventoNota> note;
  const LetturaMidi lettura = LeggiMidi(byte, &note);
  // The tracks are played together: their notes are taken in the order of time, and
  // within a tick in the order of the tracks.
  std::stable_sort(note.begin(), note.end(),
                   [](const EventoNota& a, const EventoNota& b) { return a.tick < b.tick; });
  CaricoMidi carico;
  std::array<std::bitset<128>, 16> tenute{};
  uint32_t totale = 0;
  Cronometro cronometro(lettura);
  std::vector<int64_t> colpi;  // when each note was struck, in microseconds
  size_t primoNellUltimoSecondo = 0;
  for (const EventoNota& e : note) {
    auto& canale = tenute[e.canale];
    if (!e.suona) {
      totale -= canale.test(e.tasto);
      canale.reset(e.tasto);
      continue;
    }
    totale += !canale.test(e.tasto);
    canale.set(e.tasto);
    carico.tenute = std::max(carico.tenute, totale);
    carico.tenuteCanale = std::max(carico.tenuteCanale, static_cast<uint32_t>(canale.count()));
    // Clamped to about 30,000 years, which the microseconds still hold.
    colpi.push_back(std::llround(std::min(cronometro.Secondi(e.tick), 1e12) * 1e6));
    while (colpi[primoNellUltimoSecondo] <= colpi.back() - 1'000'000) ++primoNellUltimoSecondo;
    carico.alSecondo =
        std::max(carico.alSecondo, static_cast<uint32_t>(colpi.size() - primoNellUltimoSecondo));
  }
  return carico;
}
