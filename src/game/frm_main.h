// frm_main: the main window's event handlers, over the playfield model. The Qt
// window and the headless runner call them; they only change the model.
#pragma once

class Gioco;

// Key codes as the window system reports them.
namespace Tasti {
constexpr int Esc = 27;
constexpr int FrecciaSinistra = 37;
constexpr int FrecciaDestra = 39;
constexpr int Spazio = 32;  // a character code (key press)
}  // namespace Tasti

class frm_main {
 public:
  // The clock drives the timer handlers through the game's Smistatore.
  explicit frm_main(Gioco& g);
  frm_main(const frm_main&) = delete;
  frm_main& operator=(const frm_main&) = delete;

  void Form_Load();  // start-up
  void Form_KeyDown(int KeyCode);
  void Form_KeyUp(int KeyCode);
  void Form_KeyPress(int KeyAscii);
  // The window lost the keyboard to another window.
  void Form_Deactivate();

  void img_gameover_Click();   // a new game
  void img_nextlevel_Click();  // the next level
  void img_pausa_Click();      // resume

  void tmr_sposta_Timer();
  void tmr_proiettile_Timer();
  void tmr_proiettilenemico_Timer();
  void tmr_rinascita_Timer();
  void tmr_spostamentonemici_Timer();
  void tmr_puntibonus_Timer();

  void mn_esci_Click();
  void mn_immagini_Click();
  void mn_attiva_Click();
  void mn_comb_Click(int Index);
  void mn_aiuto_Click();
  void mn_about_Click();

  // The window's close box: the program ends, like "Esci" without its pause.
  void Form_Unload();

 private:
  void Esci(bool attendi);

  Gioco& g;
};
