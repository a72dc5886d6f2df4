// The window's replays: every game played in the window recorded, the last one and
// those of the high-score table kept beside Record, and the ways to watch them: the
// File menu's items, a click on a high-score entry that keeps its game, and the replay
// files opened from the file manager, the command line or a later start. Each is
// watched in the window's Visione, only between games.
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>

#include "codec/Risultato.h"
#include "replay/Archivio.h"
#include "replay/Registratore.h"
#include "ui/ApriCombinazione.h"
#include "ui/Visione.h"

class QAction;
class Smistatore;

// Whether `file` starts as a replay does, whatever its name.
bool SembraReplica(const std::filesystem::path& file);

// A replay file read, checked and ready to be watched, or why not (in Italian).
Risultato<std::unique_ptr<Proiezione>> ApriProiezione(const std::filesystem::path& file);

class Repliche final : public QObject {
 public:
  // Records the games that reach `g` through `smista` from now on; `adesso` tells the
  // time in milliseconds (the real clock, unless a test has its own).
  Repliche(FinestraPrincipale& finestra, Gioco& gioco, Smistatore& smista,
           std::function<int64_t()> adesso = Registratore::OraReale);

  // After every input the game handled: a game just over is kept, with the table's
  // entry it took. A replay is written only there, at game over.
  void DopoEvento();
  // Replays of entries that left the table, or that a crash left behind, are removed:
  // once at start-up.
  void Spazza();

  // A replay file opened with the game: watched at once between games; during a game
  // it is refused with a line that says so, and nothing pops up over the game.
  EsitoApertura Apri(const std::filesystem::path& file);
  // Watches a replay file, saying why not in a message (at once, or once the event loop
  // is back) when it cannot be watched.
  [[nodiscard]] Esito Guarda(const std::filesystem::path& file, bool subito = true);
  Visione& visione() { return m_visione; }
  const ArchivioPartite& archivio() const { return m_archivio; }
  // A few words for the caption while a replay is watched.
  QString Avviso() const;

 private:
  void AggiornaVoci();
  void Clic(QPointF punto);
  void Avvisa(const QString& testo, bool subito);

  Gioco& g;
  Registratore m_registratore;
  ArchivioPartite m_archivio;
  Visione m_visione;
  QAction* m_ultima = nullptr;
  QAction* m_apri = nullptr;
};
