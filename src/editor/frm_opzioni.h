// frm_opzioni: the combination editor window. It shows the combination the game is
// using and lets the player replace its pictures and sounds, set volumes, choose the
// label font, protect it with a password, save it, reset slots and delete files.
// The handlers are public and named control_Event: the widgets call them, and so do
// the tests.
#pragma once

#include "codec/Combinazione.h"
#include "seams/Dialoghi.h"
#include "model/Modello.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class Anteprima;
class Effetto;
class Gioco;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class frm_opzioni final : public QWidget {
 public:
  // How a handler of the window's own events is run (by default, simply).
  using GestoreTurno = std::function<void(const std::function<void()>&)>;

  // Builds the window and runs its loading steps. `aggiornaPrincipale` asks the main
  // window to catch up after a handler that changed the playfield model; `turno`
  // runs each click's handler as one turn of the game.
  explicit frm_opzioni(Gioco& g, std::function<void()> aggiornaPrincipale = {},
                       GestoreTurno turno = {});
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
  void CB_ali1_Click() { PulsanteImmagine_Click(0); }
  void CB_ali2_Click() { PulsanteImmagine_Click(1); }
  void CB_ali3_Click() { PulsanteImmagine_Click(2); }
  void CB_ali4_Click() { PulsanteImmagine_Click(3); }
  void CB_ali5_Click() { PulsanteImmagine_Click(4); }
  void Cb_proiettileA_Click() { PulsanteImmagine_Click(5); }
  void cb_proiettileN_Click() { PulsanteImmagine_Click(6); }
  void cb_navBonus_Click() { PulsanteImmagine_Click(7); }
  void cb_naveamica_Click() { PulsanteImmagine_Click(8); }
  void Cb_mattoncino_Click() { PulsanteImmagine_Click(9); }
  void Cb_Pausa_Click() { PulsanteImmagine_Click(10); }
  void Cb_go_Click() { PulsanteImmagine_Click(11); }
  void Cb_NextLevel_Click() { PulsanteImmagine_Click(12); }
  void Cb_sfondo_Click() { PulsanteImmagine_Click(13); }
  void CB_ali1_MouseMove() { PulsanteImmagine_MouseMove(0); }
  void CB_ali2_MouseMove() { PulsanteImmagine_MouseMove(1); }
  void CB_ali3_MouseMove() { PulsanteImmagine_MouseMove(2); }
  void CB_ali4_MouseMove() { PulsanteImmagine_MouseMove(3); }
  void CB_ali5_MouseMove() { PulsanteImmagine_MouseMove(4); }
  void Cb_proiettileA_MouseMove() { PulsanteImmagine_MouseMove(5); }
  void cb_proiettileN_MouseMove() { PulsanteImmagine_MouseMove(6); }
  void cb_navBonus_MouseMove() { PulsanteImmagine_MouseMove(7); }
  void cb_naveamica_MouseMove() { PulsanteImmagine_MouseMove(8); }
  void Cb_mattoncino_MouseMove() { PulsanteImmagine_MouseMove(9); }
  void Cb_Pausa_MouseMove() { PulsanteImmagine_MouseMove(10); }
  void Cb_go_MouseMove() { PulsanteImmagine_MouseMove(11); }
  void Cb_NextLevel_MouseMove() { PulsanteImmagine_MouseMove(12); }
  void Cb_sfondo_MouseMove() { PulsanteImmagine_MouseMove(13); }

  // The sound rows, by sound slot (0 the music, 1..15 the effects).
  void cb_apri_Click(int i);
  void chk_play_Click(int i);
  void HS_regolavol_Change(int i);
  void txt_vol_Change(int i);
  void txt_vol_KeyPress(int i, int KeyAscii);
  void txt_audio_DblClick(int i);

  // Resetting and deleting.
  void cb_def_Click(int n);
  void Cb_default_Click();
  void Cb_elimina_Click();

  // Creating and saving.
  void CB_crea_Click();
  void cb_salva_Click();

  // The font panel and the password.
  void Cb_visualfont_Click();
  void cb_chiudifont_Click();
  void Cb_font_Click();
  void cb_color_Click();
  void Cb_fontFile_Click();
  void Cb_cancellafont_Click();
  void Cb_InserisciPass_Click();

  // What the font preview stands for: the label itself draws a substitute family
  // where the named one is missing.
  const Carattere& FontAnteprima() const { return m_fontAnteprima; }
  uint32_t ColoreAnteprima() const { return m_coloreAnteprima; }

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void CostruisciControlli();
  void CostruisciPannelloFont();
  void CollegaControlli();
  void Form_Load();
  void BloccaModifiche();

  void Turno(const std::function<void()>& gestore);
  bool Protetta() const;
  void AggiornaPrincipale();
  void Messaggio(const QString& testo, Icona icona);

  // Shared by "Def", "TUTTO A DEFAULT" and "Crea".
  void ReimpostaImmagine(int n);
  void FontPredefinito();
  void SvuotaSuoni();

  // The questions of "Crea" and "Salva e applica"; false when the player refused or
  // was refused (and told why).
  bool NomeAccettabile(const QString& nome);
  QString ChiediAutore();
  bool ChiediNome();
  bool ChiediPassword();

  void ImpostaAnteprimaFont(const Carattere& font, uint32_t colore);
  void ApriMusicaRiga();
  // The player a row's trial uses: the one of the file chosen here, else the game's.
  const Effetto* EffettoRiga(int i) const;
  // Stops every trial, as leaving the window does.
  void FermaProve();
  // The music player is shared with the game: when the editor opened a file of its
  // own, the game's music goes back in when the editor is left without saving.
  void RiapriMusicaGioco();

  Gioco& g;
  std::function<void()> m_aggiornaPrincipale;
  GestoreTurno m_turno;

  // The two file dialogs keep their set-up between uses, as common dialogs do.
  RichiestaFile Cd;
  RichiestaFile cd_audio;
  Timer tmr_ds{"tmr_ds", 25};

  Carattere m_fontAnteprima;
  uint32_t m_coloreAnteprima = 0;  // the preview's fore colour and cb_color's back colour

  // Players of the sound files chosen here, so the game keeps its own until a save.
  std::array<std::unique_ptr<Effetto>, NumeroSuoni> m_effetti;
  bool m_musicaSostituita = false;
  QString m_musicaEditor;  // the music file chosen here, open in the player
  // The font file to carry: held here and put into Comb by a save.
  std::string m_fontFile;
  std::string m_fontFileNome;

  // Controls, named as the window names them.
  QLabel* lbl_combinazione = nullptr;
  std::array<QPushButton*, NumeroImmagini> PulsantiImmagine{};
  std::array<QPushButton*, NumeroImmagini> cb_def{};
  std::array<QLineEdit*, NumeroImmagini> CaselleImmagine{};
  QGroupBox* Frame1 = nullptr;
  std::array<Anteprima*, NumeroImmagini> Anteprime{};
  QLabel* lbl_dimensioni = nullptr;
  QPushButton* Cb_visualfont = nullptr;
  QLabel* lbl_pass = nullptr;
  std::array<QPushButton*, NumeroSuoni> cb_apri{};
  std::array<QLineEdit*, NumeroSuoni> txt_audio{};
  std::array<QPushButton*, NumeroSuoni> chk_play{};
  std::array<QScrollBar*, NumeroSuoni> HS_regolavol{};
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
  QLineEdit* txt_font = nullptr;
  QLabel* lbl_fontdacaricare = nullptr;
  QPushButton* Cb_cancellafont = nullptr;
  QPushButton* cb_chiudifont = nullptr;
};
