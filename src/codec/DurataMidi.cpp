#include "codec/DurataMidi.h"

#include <algorithm>
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

struct Traccia {
  uint64_t fine = 0;                                 // ticks
  std::vector<std::pair<uint64_t, uint32_t>> tempi;  // tick, microseconds a beat
};

// The events of one track, from its first byte to `fine`; nothing when they run
// past it or make no sense.
std::optional<Traccia> LeggiTraccia(Lettore& r, size_t fine) {
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
    } else {
      const auto tipo = stato & 0xF0;
      r.Salta((tipo == 0xC0 || tipo == 0xD0 ? 1 : 2) - datiLetti);
    }
    if (r.Fuori() || r.Pos() > fine) return std::nullopt;
    traccia.fine = tick;
  }
  return traccia;
}

}  // namespace

double DurataMidi(std::string_view byte) {
  Lettore r(byte, 0);
  if (byte.substr(0, 4) != "MThd") return 0;
  r.Salta(4);
  const uint32_t testa = r.Numero(4);
  r.Salta(2);  // format: the tracks of every format are played together
  const uint32_t tracce = r.Numero(2);
  const uint32_t divisione = r.Numero(2);
  r.Salta(testa - 6);
  if (r.Fuori() || testa < 6 || divisione == 0) return 0;

  uint64_t fine = 0;
  std::vector<std::pair<uint64_t, uint32_t>> tempi;
  for (uint32_t t = 0; t < tracce;) {
    const bool traccia = byte.substr(r.Pos(), 4) == "MTrk";
    r.Salta(4);
    const uint32_t lunghezza = r.Numero(4);
    if (r.Fuori()) return 0;
    const size_t inizio = r.Pos();
    const size_t termine = inizio + std::min<size_t>(lunghezza, byte.size() - inizio);
    if (traccia) {
      const auto letta = LeggiTraccia(r, termine);
      if (!letta) return 0;
      fine = std::max(fine, letta->fine);
      tempi.insert(tempi.end(), letta->tempi.begin(), letta->tempi.end());
      ++t;
    }
    r = Lettore(byte, termine);  // chunks of other kinds are skipped
    if (termine >= byte.size() && t < tracce) break;
  }

  if (divisione & 0x8000) {  // frames a second and ticks a frame
    const int fotogrammi = -static_cast<int8_t>(divisione >> 8);
    const double alSecondo = (fotogrammi == 29 ? 29.97 : fotogrammi) * (divisione & 0xFF);
    return alSecondo > 0 ? fine / alSecondo : 0;
  }
  std::stable_sort(tempi.begin(), tempi.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  double secondi = 0;
  uint64_t tick = 0;
  uint32_t tempo = MicrosecondiPerBattitoIniziali;
  for (const auto& [da, nuovo] : tempi) {
    if (da >= fine) break;
    secondi += static_cast<double>(da - tick) * tempo / 1e6 / divisione;
    tick = da;
    tempo = nuovo;
  }
  return secondi + static_cast<double>(fine - tick) * tempo / 1e6 / divisione;
}
