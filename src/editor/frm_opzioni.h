// frm_opzioni: the combination editor window, a view of the editor's model
// (editing/Editor.h). It builds its controls from the window's tables
// (frm_opzioni_controlli.cpp), forwards each input to the model's steps and shows the
// model again (frm_opzioni.cpp). The handlers are public and named control_Event: the
// widgets call them, and so can a test or a benchmark.
#pragma once

#include "editing/Editor.h"

#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class Anteprima;
class Gioco;
class ImmaginiIncorporate;
class QCheckBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class frm_opzioni final : public QWidget {
 public:
  // How a handler of the window's own events is run (by default, simply).
  using GestoreTurno = std::function<void(const std::function<void()>&)>;

  // Builds the window and runs its loading steps. `aggiornaPrincipale` asks the main
  // window to catch up after a handler that changed the playfield model; `turno`
  // runs each click's handler as one turn of the game. The previews draw the built-in
  // pictures lent by `incorporate` (the main window's), or the editor's own.
  explicit frm_opzioni(Gioco& g, std::function<void()> aggiornaPrincipale = {},
                       GestoreTurno turno = {}, const ImmaginiIncorporate* incorporate = nullptr);
  ~frm_opzioni() override;
  frm_opzioni(const frm_opzioni&) = delete;
  frm_opzioni& operator=(const frm_opzioni&) = delete;

  // The preview area and leaving.
  void CancellaTutto();
  void cb_esci_Click();
  void tmr_ds_Timer();

  // The fourteen picture buttons share one click and one pointer-move handler, by
  // image slot (0 "Alieno 1" .. 13 "SFONDO").
  void PulsanteImmagine_Click(int n);
  void PulsanteImmagine_MouseMove(int n);

  // The sound rows, by sound slot (0 the music, 1..15 the effects).
  void cb_apri_Click(int i);
  void chk_play_Click(int i);
  void HS_regolavol_Change(int i);
  void txt_vol_Change(int i);
  void txt_vol_KeyPress(int i, int KeyAscii);
  void txt_vol_LostFocus(int i);
  void txt_audio_DblClick(int i);

  // Resetting and deleting.
  void cb_def_Click(int n);
  void Cb_default_Click();
  void Cb_elimina_Click();

  // Creating and saving, and the box that protects the save with a password.
  void CB_crea_Click();
  void cb_salva_Click();
  void chk_password_Click();

  // The font panel and the password.
  void Cb_visualfont_Click();
  void cb_chiudifont_Click();
  void Cb_font_Click();
  void cb_color_Click();
  void Cb_fontFile_Click();
  void Cb_cancellafont_Click();
  void Cb_InserisciPass_Click();

  // What the window shows. The font preview's label itself draws a substitute
  // family where the named one is missing.
  const ModelloEditor& Modello() const { return m; }

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void CostruisciControlli();
  void CostruisciRigheImmagini(const QFont& normale, const QFont& caselle);
  void CostruisciAnteprime(QWidget* cornice);
  void CostruisciRigheSuoni(const QFont& normale, const QFont& caselle, const QFont& intestazioni);
  // The controls the table made, by name.
  using ControlliFatti = std::map<std::string_view, QWidget*>;
  void TrovaControlli(const ControlliFatti& fatti);
  void CollegaControlli();
  // Shows the model: every control takes its value without running its handler.
  void Mostra();
  void Turno(const std::function<void()>& gestore);
  // A label's text in the largest size of its font that fits it.
  static void Adatta(QLabel* l);
  // The volume boxes typed in and not yet taken over, taken over.
  void ConfermaVolumiDigitati();

  Gioco& g;
  std::function<void()> m_aggiornaPrincipale;
  GestoreTurno m_turno;
  std::unique_ptr<ImmaginiIncorporate> m_proprie;
  const ImmaginiIncorporate* m_incorporate;
  Timer tmr_ds{"tmr_ds", 25};
  ModelloEditor m;
  // The font shown in the preview and on cb_color, to restyle them only on a change.
  std::optional<std::pair<Carattere, uint32_t>> m_fontMostrato;

  // Controls, named as the window names them.
  QLabel* lbl_combinazione = nullptr;
  std::array<QPushButton*, NumeroImmagini> PulsantiImmagine{};
  std::array<QPushButton*, NumeroImmagini> cb_def{};
  std::array<QLineEdit*, NumeroImmagini> CaselleImmagine{};
  std::array<Anteprima*, NumeroImmagini> Anteprime{};
  QLabel* lbl_dimensioni = nullptr;
  QPushButton* Cb_visualfont = nullptr;
  QLabel* lbl_pass = nullptr;
  std::array<QPushButton*, NumeroSuoni> cb_apri{};
  std::array<QLineEdit*, NumeroSuoni> txt_audio{};
  std::array<QPushButton*, NumeroSuoni> chk_play{};
  std::array<QSlider*, NumeroSuoni> HS_regolavol{};
  std::array<QLineEdit*, NumeroSuoni> txt_vol{};
  QPushButton* CB_crea = nullptr;
  QPushButton* cb_salva = nullptr;
  QCheckBox* chk_password = nullptr;
  QPushButton* Cb_elimina = nullptr;
  QPushButton* Cb_InserisciPass = nullptr;
  QPushButton* Cb_default = nullptr;
  QPushButton* cb_esci = nullptr;
  QGroupBox* fra_font = nullptr;
  QPushButton* Cb_font = nullptr;
  QPushButton* cb_color = nullptr;
  QLabel* lbl_anteprimafont = nullptr;
  QPushButton* Cb_fontFile = nullptr;
  QLabel* lbl_fontdacaricare = nullptr;
  QPushButton* Cb_cancellafont = nullptr;
  QPushButton* cb_chiudifont = nullptr;
};
