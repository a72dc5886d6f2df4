// Plays a replay back: the game's state put back as it was at the first input, then
// every input sent through the dispatcher in its order. Timers fire only as recorded,
// so the game's own clock is never advanced while it plays.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "codec/Replica.h"
#include "codec/Risultato.h"
#include "game/Partita.h"
#include "seams/LatiCopione.h"

class Riproduttore {
 public:
  // On `partita`, a game on the deterministic sides; its dialogs answer the high-score
  // box with the replay's name. Nothing happens until Inizia.
  Riproduttore(Partita<LatiCopione>& partita, Replica replica);

  // Refuses a replay of other rules or whose initial state is damaged (the game is
  // then left as it was); otherwise puts its initial state on the game.
  [[nodiscard]] Esito Inizia();

  // Plays the inputs of the next `ms` of the game's time (a negative `ms` plays none).
  void Avanza(int64_t ms);
  // Plays every input up to `ms` from the first.
  void FinoA(int64_t ms);
  void FinoAllaFine();

  bool Finita() const { return m_prossimo == m_replica.eventi.size(); }
  int64_t Ora() const { return m_ora; }  // the game's time played up to
  // The game's length as its inputs give it: the time of the last.
  int64_t Durata() const { return m_replica.eventi.empty() ? 0 : m_replica.eventi.back().tempo; }
  const IntestazioneReplica& Intestazione() const { return m_replica.intestazione; }
  // Once it is finished: whether the game ended in the very state the file says.
  bool StatoConforme() const;

 private:
  Partita<LatiCopione>& m_partita;
  Replica m_replica;
  size_t m_prossimo = 0;
  int64_t m_ora = 0;
  bool m_iniziata = false;
};

// A replay watched or checked on a game of its own, in a throw-away program folder: the
// player's Record, settings and combinations are never read or written. Sounds are not
// played: the slots the game asked for are logged in `partita.suoni`, for whoever shows
// it to play them (and none are logged when `suoni` is false).
class Moviola {
 public:
  [[nodiscard]] static Risultato<std::unique_ptr<Moviola>> Apri(const std::filesystem::path& file,
                                                                bool suoni = true);
  [[nodiscard]] static Risultato<std::unique_ptr<Moviola>> Da(Replica replica, bool suoni = true);
  ~Moviola();

  Gioco& g() { return m_partita->g; }
  Riproduttore& riproduttore() { return *m_riproduttore; }
  Partita<LatiCopione>& partita() { return *m_partita; }

 private:
  Moviola();
  std::filesystem::path m_cartella;
  std::unique_ptr<Partita<LatiCopione>> m_partita;
  std::unique_ptr<Riproduttore> m_riproduttore;
};
