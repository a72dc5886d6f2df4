// frm_opzioni's handlers: loading, showing the model, forwarding each input to the
// model's steps, the preview area and leaving.
#include "editor/frm_opzioni.h"

#include "combinations/GestioneDatiEsterni.h"
#include "drawing/Caratteri.h"
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"
#include "model/Gioco.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSignalBlocker>

#include <algorithm>

namespace {

void Testo(QLineEdit* casella, const QString& testo) {
  // Only a change: setting the same text would move the cursor of a box being typed in.
  if (casella->text() != testo) casella->setText(testo);
}

bool Cambia(QLabel* l, const QString& testo) {
  if (l->text() == testo) return false;
  l->setText(testo);
  return true;
}

}  // namespace

frm_opzioni::frm_opzioni(Gioco& gioco, std::function<void()> aggiornaPrincipale, GestoreTurno turno,
                         const ImmaginiIncorporate* incorporate)
    : QWidget(nullptr, Qt::Window),
      g(gioco),
      m_aggiornaPrincipale(std::move(aggiornaPrincipale)),
      m_turno(std::move(turno)),
      m_proprie(incorporate ? nullptr : std::make_unique<ImmaginiIncorporate>()),
      m_incorporate(incorporate ? incorporate : m_proprie.get()) {
  CostruisciControlli();
  CollegaControlli();
  g.orologio.Registra(tmr_ds, [this] { tmr_ds_Timer(); });
  m = Editor::Apri(g, {[this] {
                         if (m_aggiornaPrincipale) m_aggiornaPrincipale();
                       },
                       [this](bool acceso) { tmr_ds.SetEnabled(acceso); }});
  Mostra();
}

frm_opzioni::~frm_opzioni() {
  g.orologio.Rimuovi(tmr_ds);
  Editor::Chiudi(g, m);
}

void frm_opzioni::Mostra() {
  const QSignalBlocker bloccoCheck(chk_password);
  setWindowTitle(m.titolo);
  if (Cambia(lbl_combinazione, m.intestazione)) Adatta(lbl_combinazione);
  for (size_t n = 0; n < NumeroImmagini; ++n) {
    Testo(CaselleImmagine[n], m.immagini[n]);
    if (!(Anteprime[n]->Picture() == m.anteprime[n])) Anteprime[n]->Imposta(m.anteprime[n]);
  }
  for (size_t i = 0; i < NumeroSuoni; ++i) {
    const RigaSuono& riga = m.suoni[i];
    const QSignalBlocker bloccoTesto(txt_vol[i]);
    const QSignalBlocker bloccoCursore(HS_regolavol[i]);
    Testo(txt_audio[i], riga.sorgente);
    Testo(txt_vol[i], riga.volume);
    HS_regolavol[i]->setValue(riga.posizione);
    txt_vol[i]->setEnabled(riga.attiva);
    HS_regolavol[i]->setEnabled(riga.attiva);
    chk_play[i]->setChecked(riga.prova);
  }

  lbl_pass->setVisible(m.bloccata);
  Cb_InserisciPass->setVisible(m.bloccata);
  chk_password->setVisible(!m.bloccata);
  chk_password->setChecked(m.proteggi);
  Cb_default->setEnabled(!m.defaultBloccato);

  if (m.pannelloFont && !fra_font->isVisibleTo(this)) fra_font->raise();
  fra_font->setVisible(m.pannelloFont);
  Cb_visualfont->setVisible(!m.pannelloFont);
  if (!m_fontMostrato || m_fontMostrato->first != m.font || m_fontMostrato->second != m.colore) {
    m_fontMostrato.emplace(m.font, m.colore);
    lbl_anteprimafont->setFont(Caratteri::FontQt(m.font));
    QPalette tavolozza = lbl_anteprimafont->palette();
    tavolozza.setColor(QPalette::WindowText, Caratteri::ColoreQt(m.colore));
    lbl_anteprimafont->setPalette(tavolozza);
    const QColor sfondo = Caratteri::ColoreQt(m.colore);
    cb_color->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                                .arg(sfondo.name(), sfondo.lightness() < 128
                                                        ? QStringLiteral("white")
                                                        : QStringLiteral("black")));
  }
  if (Cambia(lbl_fontdacaricare, m.fontFileNome.empty() ? QString::fromLatin1(FontFileNessuno)
                                                        : QString::fromStdString(m.fontFileNome)))
    Adatta(lbl_fontdacaricare);
}

void frm_opzioni::Turno(const std::function<void()>& gestore) {
  if (m_turno) {
    m_turno(gestore);
  } else {
    gestore();
  }
}

void frm_opzioni::CancellaTutto() {
  lbl_dimensioni->setText(QString());
  for (Anteprima* a : Anteprime) a->hide();
}

void frm_opzioni::tmr_ds_Timer() {
  Editor::TimerProva(g, m);
}

void frm_opzioni::cb_esci_Click() {
  Editor::Esci(g, m);
  Mostra();
}

void frm_opzioni::PulsanteImmagine_Click(int n) {
  Editor::ScegliImmagine(g, m, n);
  Mostra();
}

void frm_opzioni::PulsanteImmagine_MouseMove(int n) {
  if (n < 0 || n >= NumeroImmagini) return;
  CancellaTutto();
  const auto& slot = TabelleEditor::TabellaImmagini[static_cast<size_t>(n)];
  Anteprime[static_cast<size_t>(n)]->show();
  lbl_dimensioni->setText(QStringLiteral("%1 x %2 pixel").arg(slot.larghezza).arg(slot.altezza));
}

void frm_opzioni::cb_apri_Click(int i) {
  Editor::ScegliSuono(g, m, i);
  Mostra();
}

void frm_opzioni::chk_play_Click(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  Editor::Prova(g, m, i, chk_play[static_cast<size_t>(i)]->isChecked());
  Mostra();
}

void frm_opzioni::HS_regolavol_Change(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  Editor::ImpostaPosizione(g, m, i, HS_regolavol[static_cast<size_t>(i)]->value());
  Mostra();
}

void frm_opzioni::txt_vol_Change(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  Editor::ImpostaTestoVolume(g, m, i, txt_vol[static_cast<size_t>(i)]->text());
  Mostra();
}

void frm_opzioni::txt_vol_KeyPress(int i, int KeyAscii) {
  if (KeyAscii != 13 || i < 0 || i >= NumeroSuoni) return;
  // Taken over now: the message a wrong value shows takes the focus from the box, and
  // that must not take it over a second time.
  txt_vol[static_cast<size_t>(i)]->setModified(false);
  Editor::ConfermaVolume(g, m, i);
  Mostra();
}

void frm_opzioni::txt_vol_LostFocus(int i) {
  if (i < 0 || i >= NumeroSuoni || !txt_vol[static_cast<size_t>(i)]->isModified()) return;
  txt_vol_KeyPress(i, 13);
}

void frm_opzioni::ConfermaVolumiDigitati() {
  // Each is a turn of the game, as an Enter would be.
  for (int i = 0; i < NumeroSuoni; ++i) {
    if (txt_vol[static_cast<size_t>(i)]->isModified()) Turno([this, i] { txt_vol_LostFocus(i); });
  }
}

void frm_opzioni::txt_audio_DblClick(int i) {
  Editor::SvuotaRiga(m, i);
  Mostra();
}

void frm_opzioni::cb_def_Click(int n) {
  Editor::Def(g, m, n);
  Mostra();
}

void frm_opzioni::Cb_default_Click() {
  Editor::TuttoADefault(g, m);
  Mostra();
}

void frm_opzioni::Cb_elimina_Click() {
  Editor::Elimina(g, m);
  Mostra();
}

void frm_opzioni::CB_crea_Click() {
  Editor::Crea(g, m);
  Mostra();
}

void frm_opzioni::cb_salva_Click() {
  Editor::Salva(g, m);
  Mostra();
}

void frm_opzioni::chk_password_Click() {
  Editor::ImpostaProtezione(m, chk_password->isChecked());
}

void frm_opzioni::Cb_visualfont_Click() {
  Editor::ApriPannelloFont(g, m);
  Mostra();
}

void frm_opzioni::cb_chiudifont_Click() {
  Editor::ChiudiPannelloFont(m);
  Mostra();
}

void frm_opzioni::Cb_font_Click() {
  Editor::ScegliFont(g, m);
  Mostra();
}

void frm_opzioni::cb_color_Click() {
  Editor::ScegliColore(g, m);
  Mostra();
}

void frm_opzioni::Cb_fontFile_Click() {
  Editor::ScegliFileFont(g, m);
  Mostra();
}

void frm_opzioni::Cb_cancellafont_Click() {
  Editor::CancellaFileFont(m);
  Mostra();
}

void frm_opzioni::Cb_InserisciPass_Click() {
  Editor::InserisciPassword(g, m);
  Mostra();
}

void frm_opzioni::closeEvent(QCloseEvent* evento) {
  // The close box asks like "Esci"; the window goes only through the unloading.
  evento->ignore();
  Turno([this] { cb_esci_Click(); });
}

void frm_opzioni::mouseMoveEvent(QMouseEvent* evento) {
  // Only the window's own background clears the preview; a move over another
  // control reaches the window too, when that control does not track the pointer.
  if (!childAt(evento->position().toPoint())) CancellaTutto();
  QWidget::mouseMoveEvent(evento);
}

bool frm_opzioni::eventFilter(QObject* oggetto, QEvent* evento) {
  const auto tipo = evento->type();
  if (tipo == QEvent::Enter || tipo == QEvent::MouseMove) {
    const auto p = std::find(PulsantiImmagine.begin(), PulsantiImmagine.end(), oggetto);
    if (p != PulsantiImmagine.end())
      PulsanteImmagine_MouseMove(static_cast<int>(p - PulsantiImmagine.begin()));
  } else if (tipo == QEvent::FocusOut) {
    // Leaving the box within the window; not another window coming up, a message
    // box or the window going away.
    const auto v = std::find(txt_vol.begin(), txt_vol.end(), oggetto);
    if (v != txt_vol.end() &&
        static_cast<QFocusEvent*>(evento)->reason() != Qt::ActiveWindowFocusReason)
      ConfermaVolumiDigitati();
  } else if (tipo == QEvent::MouseButtonDblClick) {
    const auto t = std::find(txt_audio.begin(), txt_audio.end(), oggetto);
    if (t != txt_audio.end()) {
      txt_audio_DblClick(static_cast<int>(t - txt_audio.begin()));
      return true;
    }
  }
  return QWidget::eventFilter(oggetto, evento);
}
