// Records every game played through a dispatcher, from the input that starts it (the
// space bar or a click on the game-over banner) to the one that ends it: the state at
// that first input, then each input that reaches a handler with its real time. After
// warm-up nothing is allocated per input: the inputs go into memory kept from game to
// game.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "codec/Replica.h"
#include "game/Smistatore.h"

class Gioco;

// A game recorded to its end.
struct PartitaRegistrata {
  Replica replica;
  // The high-score entry (1..10) the game took, or 0 when it took none.
  int posizione = 0;
};

class Registratore final : public OsservatoreEventi {
 public:
  // Real milliseconds on a steady clock.
  static int64_t OraReale();

  // Records the games of `g` played through `smista` from now until destroyed. `adesso`
  // tells the time in milliseconds: the real clock in the window, the virtual one in
  // the runner.
  Registratore(Gioco& g, Smistatore& smista, std::function<int64_t()> adesso = OraReale);
  ~Registratore() override;
  Registratore(const Registratore&) = delete;
  Registratore& operator=(const Registratore&) = delete;

  // A game is under way and being recorded.
  bool InCorso() const { return m_inCorso; }
  // The last game that reached game over, once; none when none has since the last call.
  std::optional<PartitaRegistrata> PrendiFinita();
  // The game under way, ended here as if it were over (the runner's script has ended);
  // none when no game is under way.
  std::optional<PartitaRegistrata> Chiudi();
  // Forgets the game under way: it will not be kept (the program ends, say).
  void Abbandona();

  void PrimaDi(const Evento& evento) override;
  void DopoDi(const Evento& evento) override;

 private:
  bool PuoIniziare(const Evento& evento) const;
  PartitaRegistrata Concludi();
  int Posizione() const;

  Gioco& g;
  Smistatore& m_smista;
  std::function<int64_t()> m_adesso;
  bool m_inCorso = false;
  bool m_forse = false;  // the input being handled may start a game
  int64_t m_inizio = 0;
  std::string m_stato;                  // at the first input
  std::array<int64_t, 12> m_tabella{};  // the table's points at the first input
  QString m_combinazione;
  std::vector<EventoReplica> m_eventi;
  std::optional<PartitaRegistrata> m_finita;
};
