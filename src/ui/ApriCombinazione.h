// Opening a combination file with the game: the file manager's "open with", a file
// handed over by a later start, or files dropped on the main window.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <variant>

#include <QString>

#include "combinations/Installazione.h"

class Gioco;
class frm_main;

// What became of an opened file, as the start that handed it over is told: one line in
// English, and whether the file was refused.
struct EsitoApertura {
  bool rifiutata = false;
  std::string testo;
};

// The game's side of a received combination. The file is read and checked at once and,
// when that needs no question, put in the program folder at once, where the menu finds
// it. What asks the player anything (which of two combinations of one name to keep, why
// a file was refused, whether to use the new one now) waits until no game is under way:
// between games, or in a pause. A player firing with the space bar never answers it.
class Accoglienza {
 public:
  Accoglienza(Gioco& gioco, frm_main& frm) : g(gioco), m_frm(frm) {}

  EsitoApertura Apri(const std::filesystem::path& file);
  // Whether questions may be asked now: no game under way, or the game paused.
  bool PuoChiedere() const;
  bool InAttesa() const { return !m_attese.empty(); }
  // Asks what waits, in the order it arrived, for as long as questions may be asked.
  void Riprendi();
  // While a game under way keeps something waiting, a few words for the window's
  // caption that say so; empty otherwise.
  QString Avviso() const;

 private:
  struct Rifiuto {
    QString file;
    QString motivo;
  };
  struct Conflitto {
    Candidata candidata;
    QString data;  // when the received file last changed, as it was read
  };
  struct Offerta {
    QString nome;
    QString testo;  // what happened, before "Usarla adesso?"
  };
  using Attesa = std::variant<Rifiuto, Conflitto, Offerta>;

  void Chiedi(Conflitto& conflitto);
  void Offri(const Offerta& offerta);

  Gioco& g;
  frm_main& m_frm;
  std::deque<Attesa> m_attese;
  bool m_chiede = false;
};
