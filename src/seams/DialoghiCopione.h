// The scripted side of the dialogs seam: answers are queued beforehand, every box
// shown is recorded. With nothing queued, an input box returns "" (as if
// cancelled), a Yes/No question answers No, an OK/Cancel question Cancel, and a
// clash between combinations keeps the player's.
#pragma once

#include <deque>
#include <vector>

#include "seams/Dialoghi.h"

struct BoxMostrato {
  QString tipo;  // "message", "question" or "input"
  QString testo;
  Icona icona = Icona::Nessuna;
  QString titolo;
  bool nascosto = false;  // an input box that hides what is typed
};

class DialoghiCopione final : public Dialoghi {
 public:
  void AccodaTesto(const QString& risposta) { m_testi.push_back(risposta); }
  void AccodaPulsante(Risposta risposta) { m_pulsanti.push_back(risposta); }
  void AccodaFile(std::optional<QString> file) { m_file.push_back(std::move(file)); }
  void AccodaFont(std::optional<Carattere> font) { m_font.push_back(std::move(font)); }
  void AccodaColore(std::optional<uint32_t> colore) { m_colori.push_back(colore); }
  void AccodaScelta(SceltaConflitto scelta) { m_scelte.push_back(scelta); }

  // The boxes shown since the previous call.
  std::vector<BoxMostrato> PrendiBox();
  // Every file dialog shown so far, as it was set up.
  const std::vector<RichiestaFile>& RichiesteFile() const { return m_richiesteFile; }
  // The initial font of every font dialog shown so far.
  const std::vector<Carattere>& RichiesteFont() const { return m_richiesteFont; }
  // Every clash question asked so far (its combinations are gone once it is answered).
  const std::vector<DomandaConflitto>& Conflitti() const { return m_conflitti; }

  Risposta MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                  const QString& titolo) override;
  QString InputBox(const QString& prompt, const QString& titolo,
                   const QString& predefinito) override;
  QString PasswordBox(const QString& prompt, const QString& titolo) override;
  std::optional<QString> ApriFile(const RichiestaFile& richiesta) override;
  std::optional<Carattere> ScegliFont(const Carattere& iniziale) override;
  std::optional<uint32_t> ScegliColore() override;
  SceltaConflitto ChiediConflitto(const DomandaConflitto& domanda, const QString& titolo) override;

 private:
  std::deque<QString> m_testi;
  std::deque<Risposta> m_pulsanti;
  std::deque<std::optional<QString>> m_file;
  std::deque<std::optional<Carattere>> m_font;
  std::deque<std::optional<uint32_t>> m_colori;
  std::deque<SceltaConflitto> m_scelte;
  std::vector<BoxMostrato> m_box;
  std::vector<RichiestaFile> m_richiesteFile;
  std::vector<Carattere> m_richiesteFont;
  std::vector<DomandaConflitto> m_conflitti;
};

QString NomeIcona(Icona icona);  // "none", "exclamation", "information", "critical", "question"
