// Checking a replay: it is played to its end at full speed on a game of its own, and
// what the game reached (score, level, time, the whole final state) is held against
// what the file claims.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "codec/Replica.h"

struct EsitoVerifica {
  std::string errore;  // the replay could not be played at all (Italian, for the player)
  IntestazioneReplica dichiarata;
  int64_t punteggio = 0;
  int64_t livello = 0;
  int64_t durata = 0;
  bool statoConforme = false;

  bool Conforme() const {
    return errore.empty() && statoConforme && punteggio == dichiarata.punteggio &&
           livello == dichiarata.livello && durata == dichiarata.durata;
  }
};

EsitoVerifica VerificaReplica(Replica replica);
EsitoVerifica VerificaFileReplica(const std::filesystem::path& file);
// One line for the player: the file, what the game reached and whether it agrees.
std::string RigaVerifica(const std::filesystem::path& file, const EsitoVerifica& esito);

// `skarvex --verifica FILE...`: a line per file on `uscita`; 0 when every file agrees
// with its claims, 1 otherwise.
int VerificaFile(const std::vector<std::filesystem::path>& file, std::ostream& uscita);
