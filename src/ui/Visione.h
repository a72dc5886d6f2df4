// Watching a recorded game in the main window. The replay runs on a Gioco of its own,
// drawn in place of the game's with the combination in use and its sounds, at one, two,
// four or eight times real speed; it can be paused and resumed, jumped to its end or
// left. The game underneath waits at its game-over screen and is shown again as it was
// when the replay is left or has been watched to its end.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/FinestraPrincipale.h"

class Gioco;

// A recorded game being replayed, step by step.
class Proiezione {
 public:
  virtual ~Proiezione() = default;
  // The game as replayed so far; its sound slots are logged in `suoni`.
  virtual Gioco& Replica() = 0;
  // How long the recorded game lasted, and how far it has been replayed, in
  // milliseconds of the game.
  virtual int64_t Durata() const = 0;
  virtual int64_t Adesso() const = 0;
  // Replays every input of the game up to `ms`; at its length or beyond, every one.
  virtual void AvanzaA(int64_t ms) = 0;
  // Every input has been replayed.
  virtual bool Finita() const = 0;
  // Whose game it is, for the line on the playfield.
  virtual QString Giocatore() const = 0;

  std::vector<int> suoni;
};

// Speeds a replay is watched at, as times real speed.
inline constexpr std::array<int, 4> VelocitaVisione = {1, 2, 4, 8};
// How often the replay is brought up to the real clock: about once a frame.
inline constexpr int PassoVisioneMs = 15;
// The most real time one step covers.
inline constexpr int PassoMassimoMs = 250;
// How long the game's last moment stays on the screen before the game-over screen
// comes back.
inline constexpr int SostaFinaleMs = 2000;

class Visione final : public QObject, public FinestraPrincipale::Ospite {
 public:
  // `gioco` is the game in the window: its pictures, font and sounds dress the replay.
  Visione(FinestraPrincipale& finestra, Gioco& gioco);
  ~Visione() override;

  // Whether a replay may start now: only between games, as the editor opens, and with
  // no dialog open.
  bool PuoIniziare() const;
  // Starts watching `proiezione` when PuoIniziare; false otherwise.
  bool Inizia(std::unique_ptr<Proiezione> proiezione);
  bool Attiva() const { return m_proiezione != nullptr; }

  void Pausa();  // pauses, or resumes
  bool InPausa() const { return m_pausa; }
  void Velocita(int volte);  // one of VelocitaVisione
  int Velocita() const { return m_velocita; }
  void SaltaAllaFine();
  void Esci();
  // Runs after the replay has been left, for the window to catch up.
  void DopoUscita(std::function<void()> dopo) { m_dopoUscita = std::move(dopo); }

  // What the window asks of its guest.
  const Gioco& Mostrato() const override;
  void DisegnaSopra(QPainter& p, const Inquadratura& posto) override;
  void Tasto(const QKeyEvent& evento) override;
  // Another window took the keyboard: the replay pauses, as a game does.
  void Lasciata() override;

  // The line over the playfield: it is a replay, whose, at what speed.
  QString Riga() const;

 private:
  void Passo();
  void Porta(int64_t ms, bool suoni);

  FinestraPrincipale& m_finestra;
  Gioco& g;
  std::unique_ptr<Proiezione> m_proiezione;
  QTimer m_timer;
  QElapsedTimer m_orologio;  // real time since the last step
  double m_tempo = 0;        // the game's time the replay is due at
  int m_velocita = 1;
  bool m_pausa = false;
  bool m_finita = false;
  QTimer m_sosta;
  std::function<void()> m_dopoUscita;
};
