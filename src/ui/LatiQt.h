// The real sides of the seams, and the game on them in its main window: what the
// program plays, and what the timing benchmark measures.
#pragma once

#include <functional>
#include <memory>

#include "editor/frm_opzioni.h"
#include "game/Partita.h"
#include "model/Gioco.h"
#include "seams/Audio.h"
#include "ui/AudioDifferito.h"
#include "ui/AudioSdl.h"
#include "ui/DialoghiQt.h"
#include "ui/FinestraPrincipale.h"
#include "ui/FinestreQt.h"
#include "ui/FontsQt.h"
#include "ui/OrologioQt.h"

// Precise Qt timers, Qt dialogs, the program's windows and the sound device (a silent
// one, with a line on stderr, when none can be opened), opened once the first frame
// is painted or sooner, when the start-up needs it for a combination's sounds.
struct LatiQt {
  LatiQt()
      : audio(std::make_unique<AudioDifferito>(CreaAudioSdl)),
        finestre(
            [this]() -> QWidget* {
              // A new editor at every opening; after its saves and resets the main window
              // catches up, and its clicks are turns of the game like the main window's;
              // what they ask opens over the editor.
              if (!gioco) return nullptr;
              auto editor = std::make_shared<QPointer<QWidget>>();
              *editor = new frm_opzioni(
                  *gioco,
                  [this] {
                    if (principale) principale->Aggiorna();
                  },
                  [this, editor](const std::function<void()>& h) {
                    dialoghi.ChiedeDa(*editor, [&] { orologio.Turno(h); });
                  },
                  principale ? &principale->Immagini() : nullptr);
              return *editor;
            },
            [this] {
              if (principale) principale->Chiudi();
            }) {}

  void Collega(Gioco& g) { gioco = &g; }

  std::unique_ptr<AudioDifferito> audio;
  std::unique_ptr<Fonts> fonts = std::make_unique<FontsQt>();
  ChiamateFile& chiamateFile = ChiamateFile::Sistema();
  OrologioQt orologio;
  DialoghiQt dialoghi;
  FinestreQt finestre;
  Gioco* gioco = nullptr;
  FinestraPrincipale* principale = nullptr;
};

// Joins the main window to the game: it catches up with the model after every timer
// handler, and runs its own events as turns of the game.
void CollegaFinestra(Partita<LatiQt>& partita, FinestraPrincipale& principale);

// The start-up once the window is joined: the demo combination on a first start,
// Form_Load, and the window shown on the game as loaded. When its first frame is
// painted `alPrimoFrame` runs, and then, unless it answers that the program ends
// there, what could wait for that frame: opening the sound device, and `differito`.
// These also run half a second after the window is shown if it has not been painted
// by then (shown minimised, say).
void MostraPartita(Partita<LatiQt>& partita, FinestraPrincipale& principale,
                   std::function<bool()> alPrimoFrame = {}, std::function<void()> differito = {});
