// The window's replays: the File menu's items that watch the last game or a replay
// file, a click on a high-score entry that keeps its game, and the replay files opened
// from the file manager, the command line or a later start. Each is watched in the
// Visione, only between games.
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "codec/Risultato.h"
#include "ui/ApriCombinazione.h"
#include "ui/Visione.h"

class QAction;

// Where the window finds its replays and how it reads them: the core's side.
struct FontiRepliche {
  // A replay file read, checked and ready to be watched, or why not (Italian).
  std::function<Risultato<std::unique_ptr<Proiezione>>(const std::filesystem::path&)> carica;
  // The last finished game's replay, when there is one.
  std::function<std::optional<std::filesystem::path>()> ultima;
  // The replay kept with high-score entry 1..10, when it has one that agrees with it.
  std::function<std::optional<std::filesystem::path>(int)> voce;
};

// Whether `file` starts as a replay does, whatever its name.
bool SembraReplica(const std::filesystem::path& file);

class Repliche final : public QObject {
 public:
  Repliche(FinestraPrincipale& finestra, Gioco& gioco, FontiRepliche fonti);

  // A replay file opened with the game: watched at once between games; during a game
  // it is refused with a line that says so, and nothing pops up over the game.
  EsitoApertura Apri(const std::filesystem::path& file);
  // Watches a replay file, saying why not in a message (at once, or once the event loop
  // is back) when it cannot be watched.
  [[nodiscard]] Esito Guarda(const std::filesystem::path& file, bool subito = true);
  Visione& visione() { return m_visione; }
  // A few words for the caption while a replay is watched.
  QString Avviso() const;

 private:
  void AggiornaVoci();
  void Clic(QPointF punto);

  FinestraPrincipale& m_finestra;
  Gioco& g;
  FontiRepliche m_fonti;
  Visione m_visione;
  QAction* m_ultima = nullptr;
  QAction* m_apri = nullptr;
};
