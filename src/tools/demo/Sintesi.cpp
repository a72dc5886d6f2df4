#include "tools/demo/Sintesi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Sintesi {
namespace {

constexpr double DuePi = 2 * std::numbers::pi;

int Campioni(double secondi) {
  return static_cast<int>(std::lround(secondi * Frequenza));
}

double Nota(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A wave with a running phase, so that the frequency can change from one sample to
// the next without a click.
struct Oscillatore {
  double fase = 0;  // 0..1

  double Avanza(double frequenza) {
    fase += frequenza / Frequenza;
    fase -= std::floor(fase);
    return fase;
  }
  double Quadra(double frequenza, double duty = 0.5) {
    return Avanza(frequenza) < duty ? 1.0 : -1.0;
  }
  double Triangolo(double frequenza) {
    const double f = Avanza(frequenza);
    return f < 0.5 ? 4 * f - 1 : 3 - 4 * f;
  }
};

// Noise from a 15-bit shift register clocked at `clock` Hz: a lower clock sounds
// lower and rougher, as on the sound chips of old consoles.
struct Rumore {
  uint16_t registro = 1;
  double conteggio = 0;
  double valore = 1;

  double Avanza(double clock) {
    conteggio += clock / Frequenza;
    while (conteggio >= 1) {
      conteggio -= 1;
      const uint16_t bit = (registro ^ (registro >> 1)) & 1u;
      registro = static_cast<uint16_t>((registro >> 1) | (bit << 14));
      valore = (registro & 1u) ? 1.0 : -1.0;
    }
    return valore;
  }
};

// Rises over `attacco` seconds, then falls by e every `decadimento` seconds, and is
// faded to silence over the last 5 ms of `durata` so that no effect ends in a click.
double Inviluppo(double t, double durata, double attacco, double decadimento) {
  double v = attacco > 0 && t < attacco ? t / attacco : std::exp(-(t - attacco) / decadimento);
  const double coda = 0.005;
  if (t > durata - coda) v *= std::max(0.0, (durata - t) / coda);
  return v;
}

// Sweeps exponentially from `da` to `a` over `durata` seconds.
double Glissando(double t, double durata, double da, double a) {
  return da * std::pow(a / da, std::clamp(t / durata, 0.0, 1.0));
}

template <class F>
std::vector<double> Genera(double durata, F campione) {
  std::vector<double> s(Campioni(durata));
  for (size_t i = 0; i < s.size(); ++i) s[i] = campione(static_cast<double>(i) / Frequenza);
  return s;
}

std::vector<double> Tonfo() {  // the formation's step
  Oscillatore o;
  const double d = 0.09;
  return Genera(d, [&](double t) {
    return 0.9 * o.Triangolo(Glissando(t, d, 120, 55)) * Inviluppo(t, d, 0.002, 0.03);
  });
}

std::vector<double> SparoAmico() {
  Oscillatore o;
  const double d = 0.14;
  return Genera(d, [&](double t) {
    return 0.45 * o.Quadra(Glissando(t, d, 1800, 420), 0.25) * Inviluppo(t, d, 0.001, 0.06);
  });
}

std::vector<double> SparoNemico() {
  Oscillatore o;
  const double d = 0.18;
  return Genera(d, [&](double t) {
    const double vibrato = 1 + 0.12 * std::sin(DuePi * 35 * t);
    return 0.45 * o.Quadra(Glissando(t, d, 620, 150) * vibrato) * Inviluppo(t, d, 0.002, 0.08);
  });
}

// An alien of row `fila` (1 lowest .. 5 top) bursts: higher rows pop higher and shorter.
std::vector<double> EsplosioneFila(int fila) {
  Rumore r;
  Oscillatore o;
  const double d = 0.36 - 0.03 * fila;
  const double clock = 3000.0 + 2200.0 * fila;
  return Genera(d, [&](double t) {
    const double tono = 0.3 * o.Quadra(Glissando(t, d, 200.0 + 60 * fila, 60));
    return (0.6 * r.Avanza(Glissando(t, d, clock, clock / 4)) + tono) *
           Inviluppo(t, d, 0.002, d / 4);
  });
}

std::vector<double> EsplosioneGiocatore() {
  Rumore r;
  Oscillatore o;
  const double d = 0.9;
  return Genera(d, [&](double t) {
    const double boato = 0.7 * r.Avanza(Glissando(t, d, 2600, 500));
    const double caduta = 0.3 * o.Quadra(Glissando(t, d, 320, 40), 0.5);
    return (boato + caduta) * Inviluppo(t, d, 0.003, 0.28);
  });
}

std::vector<double> EsplosioneBonus() {
  Rumore r;
  Oscillatore o;
  const double d = 0.75;
  const std::array<int, 6> scintille = {84, 88, 91, 96, 91, 96};  // C6 E6 G6 C7 G6 C7
  return Genera(d, [&](double t) {
    const double botto = 0.6 * r.Avanza(5000) * Inviluppo(t, d, 0.002, 0.08);
    const size_t i = std::min(scintille.size() - 1, static_cast<size_t>(t / 0.06));
    const double scintilla = 0.3 * o.Quadra(Nota(scintille[i]), 0.25) * Inviluppo(t, d, 0.002, 0.3);
    return botto + scintilla;
  });
}

std::vector<double> MovimentoBonus() {  // the saucer's warble
  Oscillatore o;
  const double d = 0.5;
  return Genera(d, [&](double t) {
    const double frequenza = 760 + 240 * std::sin(DuePi * 12 * t);
    const double volume = std::min({1.0, t / 0.03, (d - t) / 0.05});
    return 0.32 * o.Quadra(frequenza, 0.5) * volume;
  });
}

// Notes one after the other, each `passo` seconds, the last one held to the end.
std::vector<double> Arpeggio(const std::vector<int>& note, double passo, double durata,
                             double duty) {
  Oscillatore o;
  return Genera(durata, [&](double t) {
    const size_t i = std::min(note.size() - 1, static_cast<size_t>(t / passo));
    const double inizio = static_cast<double>(i) * passo;
    const double fine = i + 1 == note.size() ? durata : inizio + passo;
    const double vibrato = i + 1 == note.size() ? 1 + 0.01 * std::sin(DuePi * 6 * t) : 1.0;
    const double v = Inviluppo(t - inizio, fine - inizio, 0.004, i + 1 == note.size() ? 0.5 : 0.2);
    return 0.42 * o.Quadra(Nota(note[i]) * vibrato, duty) * v;
  });
}

std::vector<double> MuroCrolla() {
  Rumore r;
  Rumore crepitio;
  crepitio.registro = 0x5a5a;
  const double d = 0.26;
  return Genera(d, [&](double t) {
    const double cancello = crepitio.Avanza(90) > 0 ? 1.0 : 0.35;
    return 0.65 * r.Avanza(Glissando(t, d, 7000, 1800)) * cancello * Inviluppo(t, d, 0.001, 0.09);
  });
}

std::vector<double> Allarme() {  // the aliens arrive again
  Oscillatore o;
  const double d = 1.0;
  return Genera(d, [&](double t) {
    const bool alto = static_cast<int>(t / 0.125) % 2 == 1;
    const double frequenza = (alto ? 880 : 660) * (1 + 0.04 * std::fmod(t, 0.125) / 0.125);
    return 0.35 * o.Quadra(frequenza, 0.5) * Inviluppo(t, d, 0.005, 10);
  });
}

// One note of the tune: from a sixteenth to another, a MIDI note number.
struct NotaMotivo {
  int inizio;  // sixteenths from the start of the loop
  int durata;  // sixteenths
  int midi;
};

constexpr int Sedicesimi = 64;  // four bars of 4/4 at 120 beats a minute: 8 seconds
constexpr double DurataMotivo = 8.0;

// Adds one sound, made by `voce(t)` for t from 0, into `s` from sixteenth `inizio`
// for `durata` sixteenths.
template <class F>
void Suona(std::vector<double>& s, int inizio, int durata, F voce) {
  const auto da = static_cast<size_t>(std::llround(inizio * s.size() / double(Sedicesimi)));
  const auto a =
      static_cast<size_t>(std::llround((inizio + durata) * s.size() / double(Sedicesimi)));
  for (size_t i = da; i < a && i < s.size(); ++i)
    s[i] += voce(static_cast<double>(i - da) / Frequenza);
}

}  // namespace

// A minor, F, C, E: a slow square-wave tune over a running arpeggio, a triangle bass
// and a drum machine of noise. Every note fades out before its end, so the last
// sample meets the first when the tune loops.
std::vector<double> Motivo() {
  std::vector<double> s(Campioni(DurataMotivo));
  const double sedicesimo = DurataMotivo / Sedicesimi;

  const std::vector<NotaMotivo> melodia = {
      {0, 6, 76},  {6, 2, 74},  {8, 4, 72},  {12, 4, 69},  // E5 D5 C5 A4
      {16, 6, 72}, {22, 2, 74}, {24, 8, 77},               // C5 D5 F5
      {32, 6, 79}, {38, 2, 77}, {40, 4, 76}, {44, 4, 72},  // G5 F5 E5 C5
      {48, 6, 71}, {54, 2, 74}, {56, 8, 76},               // B4 D5 E5
  };
  for (const NotaMotivo& n : melodia) {
    Oscillatore o;
    const double d = n.durata * sedicesimo;
    Suona(s, n.inizio, n.durata, [&](double t) {
      return 0.2 * o.Quadra(Nota(n.midi), 0.5) * Inviluppo(t, d, 0.005, 1.2);
    });
  }

  const std::array<std::array<int, 4>, 4> accordi = {{
      {57, 60, 64, 69},  // A minor
      {53, 57, 60, 65},  // F
      {55, 60, 64, 67},  // C over G
      {56, 59, 64, 68},  // E
  }};
  const std::array<int, 4> bassi = {45, 41, 48, 40};  // A2 F2 C3 E2
  for (int passo = 0; passo < Sedicesimi; ++passo) {
    const int battuta = passo / 16;
    const int midi = accordi[battuta][passo % 4];
    Oscillatore o;
    Suona(s, passo, 1, [&](double t) {
      return 0.08 * o.Quadra(Nota(midi), 0.125) * Inviluppo(t, sedicesimo, 0.002, 0.06);
    });
    if (passo % 2 == 0) {  // the bass walks in eighths, root and octave
      const int basso = bassi[battuta] + (passo % 4 == 2 ? 12 : 0);
      Oscillatore b;
      Suona(s, passo, 2, [&](double t) {
        return 0.35 * b.Triangolo(Nota(basso)) * Inviluppo(t, 2 * sedicesimo, 0.003, 0.2);
      });
    }
    if (passo % 8 == 0) {  // kick on one and three
      Oscillatore k;
      Suona(s, passo, 2, [&](double t) {
        return 0.45 * k.Triangolo(Glissando(t, 0.08, 150, 45)) *
               Inviluppo(t, 2 * sedicesimo, 0.001, 0.05);
      });
    } else if (passo % 8 == 4) {  // snare on two and four
      Rumore r;
      Suona(s, passo, 2, [&](double t) {
        return 0.2 * r.Avanza(6000) * Inviluppo(t, 2 * sedicesimo, 0.001, 0.04);
      });
    } else if (passo % 2 == 0) {  // closed hat on the off-beats
      Rumore r;
      r.registro = 0x3b1;
      Suona(s, passo, 1, [&](double t) {
        return 0.07 * r.Avanza(14000) * Inviluppo(t, sedicesimo, 0.0005, 0.015);
      });
    }
  }

  double picco = 0;
  for (double c : s) picco = std::max(picco, std::abs(c));
  if (picco > 0) {
    for (double& c : s) c *= 0.9 / picco;
  }
  return s;
}

std::vector<double> Effetto(int slot) {
  switch (slot) {
    case 1:
      return Tonfo();
    case 2:
      return SparoAmico();
    case 3:
      return SparoNemico();
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
      return EsplosioneFila(slot - 3);
    case 9:
      return EsplosioneGiocatore();
    case 10:
      return EsplosioneBonus();
    case 11:
      return MovimentoBonus();
    case 12:
      return Arpeggio({67, 63, 60, 55, 51, 48}, 0.16, 1.5, 0.5);  // G4 Eb4 C4 G3 Eb3 C3
    case 13:
      return Arpeggio({72, 76, 79, 84, 79, 84}, 0.09, 1.0, 0.25);  // C5 E5 G5 C6 G5 C6
    case 14:
      return MuroCrolla();
    case 15:
      return Allarme();
    default:
      return {};
  }
}

std::string Wav(const std::vector<double>& campioni) {
  std::string byte;
  auto parola32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) byte.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto parola16 = [&](uint16_t v) {
    byte.push_back(static_cast<char>(v & 0xFF));
    byte.push_back(static_cast<char>(v >> 8));
  };
  const auto dati = static_cast<uint32_t>(campioni.size() * 2);
  byte += "RIFF";
  parola32(36 + dati);
  byte += "WAVEfmt ";
  parola32(16);
  parola16(1);  // PCM
  parola16(1);  // mono
  parola32(Frequenza);
  parola32(Frequenza * 2);  // bytes a second
  parola16(2);              // bytes a sample
  parola16(16);
  byte += "data";
  parola32(dati);
  for (double c : campioni) {
    const auto v = static_cast<int16_t>(std::lround(std::clamp(c, -1.0, 1.0) * 32767));
    parola16(static_cast<uint16_t>(v));
  }
  return byte;
}

}  // namespace Sintesi
