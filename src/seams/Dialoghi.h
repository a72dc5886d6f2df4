// The dialogs seam: modal message boxes, input boxes and the common dialogs for
// files, fonts and colours. Qt dialogs in the game, scripted answers in the tests
// and in the headless runner.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QString>

#include "codec/Combinazione.h"
#include "seams/Carattere.h"

enum class Icona { Nessuna, Esclamazione, Informazione, Critica, Domanda };
enum class Pulsanti { OK, OKAnnulla, SiNo };
enum class Risposta { OK, Annulla, Si, No };

// A file-open dialog as the game sets it up. `filtro` is written "Description|*.a;*.b".
struct RichiestaFile {
  QString filtro;
  QString cartella;
  QString titolo;
};

// A received combination has the name of a different one the player has: which to keep.
enum class SceltaConflitto { TieniMia, TieniEntrambe, Sostituisci };

// One side of that question, as the player reads it.
struct LatoConflitto {
  QString autore;
  QString data;                            // when the file last changed
  QString dimensione;                      // its size
  const TipoCombinazione* comb = nullptr;  // for a preview; none when it can't be read
};

struct DomandaConflitto {
  QString testo;
  QString nomeEntrambe;  // the name the newcomer takes beside the player's; empty: no such choice
  LatoConflitto mia, ricevuta;
};

class Dialoghi {
 public:
  virtual ~Dialoghi() = default;

  virtual Risposta MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                          const QString& titolo) = 0;
  // The typed text; "" when the box is cancelled or left empty.
  virtual QString InputBox(const QString& prompt, const QString& titolo,
                           const QString& predefinito) = 0;
  // Why a typed answer can't be taken as it is; nothing when it can.
  using Regola = std::function<std::optional<QString>(const QString&)>;
  // An input box that takes only an answer `regola` lets through: the game's box says
  // why over itself and stays open on what was typed. A scripted answer stands for
  // what the player confirmed in the end, and is returned as it is.
  virtual QString InputBoxConRegola(const QString& prompt, const QString& titolo,
                                    const QString& predefinito, const Regola& /*regola*/) {
    return InputBox(prompt, titolo, predefinito);
  }
  // An input box that hides what is typed, for passwords; "" as above.
  virtual QString PasswordBox(const QString& prompt, const QString& titolo) = 0;
  // The chosen file's full path, or nothing when cancelled.
  virtual std::optional<QString> ApriFile(const RichiestaFile& richiesta) = 0;
  // The chosen font (screen fonts), or nothing when cancelled.
  virtual std::optional<Carattere> ScegliFont(const Carattere& iniziale) = 0;
  // The chosen colour as 24-bit RGB with red in the low byte, or nothing when cancelled.
  virtual std::optional<uint32_t> ScegliColore() = 0;
  // Keep the player's combination, keep both, or replace it. Keeping the player's is
  // the default, and what closing the question answers.
  virtual SceltaConflitto ChiediConflitto(const DomandaConflitto& domanda,
                                          const QString& titolo) = 0;
};
