// The decoding child's test switch, and the three ways a picture can end its decoder
// with what the game and skarvex-comb say of each.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "codec/ProtocolloDecodifica.h"

// Set in this process's environment, which the children it starts inherit, while it
// lives.
class GuastoDecodifica {
 public:
  explicit GuastoDecodifica(const std::string& guasto) {
    setenv(ProtocolloDecodifica::VariabileGuasto, guasto.c_str(), 1);
  }
  ~GuastoDecodifica() { unsetenv(ProtocolloDecodifica::VariabileGuasto); }
  GuastoDecodifica(const GuastoDecodifica&) = delete;
  GuastoDecodifica& operator=(const GuastoDecodifica&) = delete;
};

struct CasoGuasto {
  std::string guasto;    // the switch's value, for one slot
  const char* italiano;  // the reason the game gives
  const char* inglese;   // and skarvex-comb
};

inline std::vector<CasoGuasto> CasiGuasto(int slot) {
  const std::string n = std::to_string(slot);
  return {{"crollo:" + n, "il decodificatore si è interrotto", "the decoder crashed on it"},
          {"stallo:" + n, "la decodifica ha superato il tempo di 2 s", "decoding it took over 2 s"},
          {"memoria:" + n, "la decodifica ha superato il limite di memoria",
           "decoding it went over the decoder's memory limit"}};
}
