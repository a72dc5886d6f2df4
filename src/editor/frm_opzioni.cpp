// The editor window itself: loading, the protected state, the preview area, the
// trial-music timer and leaving.
#include "editor/frm_opzioni.h"

#include "codec/FileMedia.h"
#include "combinations/GestioneDatiEsterni.h"
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"
#include "editor/UnitaVolume.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "drawing/Caratteri.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

frm_opzioni::frm_opzioni(Gioco& gioco, std::function<void()> aggiornaPrincipale, GestoreTurno turno)
    : QWidget(nullptr, Qt::Window),
      g(gioco),
      m_aggiornaPrincipale(std::move(aggiornaPrincipale)),
      m_turno(std::move(turno)) {
  Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroImmagini);
  CostruisciControlli();
  for (int n = 0; n < NumeroImmagini; ++n)
    Anteprime[static_cast<size_t>(n)]->Imposta(GestioneDatiEsterni::ImmagineIncorporata(g, n));
  CollegaControlli();
  g.orologio.Registra(tmr_ds, [this] { tmr_ds_Timer(); });
  Form_Load();
}

frm_opzioni::~frm_opzioni() {
  g.orologio.Rimuovi(tmr_ds);
  // Trials end with the window, whichever way it went.
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (m_effetti[static_cast<size_t>(i)]) g.audio.Ferma(i);
  }
  g.ProvaMusica = false;
}

void frm_opzioni::Form_Load() {
  const QString cartella = QString::fromStdString(g.CartellaProgramma.string());
  if (Protetta()) lbl_pass->show();
  cd_audio.filtro = QString::fromLatin1(TabelleEditor::FiltroAudio);
  cd_audio.cartella = cartella;
  g.CombinazioneInModifica = g.CombinazioneCorrente;
  ImpostaAnteprimaFont(g.lbl_hiscore.Font, g.lbl_hiscore.ForeColor);
  Cd.cartella = cartella;
  Cd.titolo = Firma();
  setWindowTitle(
      Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione, 1, QStringLiteral("OPZIONI - ")));

  for (size_t n = 0; n < NumeroImmagini; ++n) CaselleImmagine[n]->setText(g.OrigineImmagini[n]);
  for (int n = 0; n < NumeroImmagini; ++n) {
    if (g.OrigineImmagini[static_cast<size_t>(n)] != QLatin1String("Default"))
      Anteprime[static_cast<size_t>(n)]->Imposta(GestioneDatiEsterni::ImmagineSlot(g, n));
  }
  lbl_combinazione->setText(g.CombinazioneCorrente + QStringLiteral(" by ") + g.AutoreCombinazione);
  if (Protetta()) BloccaModifiche();

  for (size_t i = 0; i < NumeroSuoni; ++i) {
    txt_audio[i]->setText(g.OrigineSuoni[i]);
    txt_vol[i]->setText(UnitaVolume::TestoVolume(g.Comb.Volumi[i]));
    // A volume out of range in someone else's file puts the slider at its end.
    const int posizione = UnitaVolume::Intero(txt_vol[i]->text()).value_or(0);
    HS_regolavol[i]->setValue(std::clamp(posizione, 0, 100));
    if (!txt_audio[i]->text().isEmpty()) {
      txt_vol[i]->setEnabled(true);
      HS_regolavol[i]->setEnabled(true);
    }
  }

  m_fontFile = g.Comb.FontFile;
  m_fontFileNome = g.Comb.FontFileNome;
  lbl_fontdacaricare->setText(m_fontFileNome.empty() ? QStringLiteral("Nessuno")
                                                     : QString::fromStdString(m_fontFileNome));
}

void frm_opzioni::BloccaModifiche() {
  Cb_InserisciPass->show();
  chk_password->hide();
  Cb_default->setEnabled(false);
}

void frm_opzioni::Turno(const std::function<void()>& gestore) {
  if (m_turno) {
    m_turno(gestore);
  } else {
    gestore();
  }
}

bool frm_opzioni::Protetta() const {
  return !g.PasswordCombinazione.isEmpty();
}

void frm_opzioni::AggiornaPrincipale() {
  if (m_aggiornaPrincipale) m_aggiornaPrincipale();
}

void frm_opzioni::Messaggio(const QString& testo, Icona icona) {
  g.dialoghi.MsgBox(testo, Pulsanti::OK, icona, Firma());
}

void frm_opzioni::ImpostaAnteprimaFont(const Carattere& font, uint32_t colore) {
  m_fontAnteprima = font;
  m_coloreAnteprima = colore;
  lbl_anteprimafont->setFont(Caratteri::FontQt(font));
  QPalette tavolozza = lbl_anteprimafont->palette();
  tavolozza.setColor(QPalette::WindowText, Caratteri::ColoreQt(colore));
  lbl_anteprimafont->setPalette(tavolozza);
  const QColor sfondo = Caratteri::ColoreQt(colore);
  cb_color->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                              .arg(sfondo.name(), sfondo.lightness() < 128
                                                      ? QStringLiteral("white")
                                                      : QStringLiteral("black")));
}

void frm_opzioni::CancellaTutto() {
  lbl_dimensioni->setText(QString());
  for (Anteprima* a : Anteprime) a->hide();
}

void frm_opzioni::tmr_ds_Timer() {
  if (!chk_play[0]->isChecked()) return;
  // The trial loops whatever the game's own combination and audio switch: it was
  // started regardless of them.
  if (!dShow::MusicaFinita(g)) return;
  dShow::RiproduciDallInizio(g);
  int32_t volume = g.VolumiEditor[0];
  dShow::VolumeMusica(g, volume);
}

const Effetto* frm_opzioni::EffettoRiga(int i) const {
  const auto s = static_cast<size_t>(i);
  return m_effetti[s] ? m_effetti[s].get() : g.BufferSuoni[s].get();
}

void frm_opzioni::FermaProve() {
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (EffettoRiga(i)) g.audio.Ferma(i);
  }
  dShow::FermaMusica(g);
  tmr_ds.SetEnabled(false);
  chk_play[0]->setChecked(false);
  g.ProvaMusica = false;
}

void frm_opzioni::RiapriMusicaGioco() {
  const std::filesystem::path musica = g.File(NomeFileSuono(0));
  if (!g.OrigineSuoni[0].isEmpty() && GestioneDatiEsterni::VerificaEsistenza(musica)) {
    dShow::ApriMusica(g, musica);
  } else {
    dShow::ChiudiMusica(g);
  }
  m_musicaSostituita = false;
  m_musicaEditor.clear();
}

void frm_opzioni::cb_esci_Click() {
  const Risposta risposta = g.dialoghi.MsgBox(
      QStringLiteral("Uscendo non verranno salvate le eventuali modifiche, uscire comunque?"),
      Pulsanti::SiNo, Icona::Domanda, Firma());
  if (risposta != Risposta::Si) return;
  FermaProve();
  if (m_musicaSostituita) RiapriMusicaGioco();
  g.finestre.Scarica(Finestra::frm_opzioni);
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
  } else if (tipo == QEvent::MouseButtonDblClick) {
    const auto t = std::find(txt_audio.begin(), txt_audio.end(), oggetto);
    if (t != txt_audio.end()) {
      txt_audio_DblClick(static_cast<int>(t - txt_audio.begin()));
      return true;
    }
  }
  return QWidget::eventFilter(oggetto, evento);
}
