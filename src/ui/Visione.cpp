#include "ui/Visione.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "drawing/Inquadratura.h"
#include "model/Gioco.h"
#include "replay/Aspetto.h"
#include "sound/Suoni.h"
#include "sound/dShow.h"

namespace {

// The line's band, in the playfield's logical pixels: between the score line and the
// bonus ship's path, so that both stay in sight.
constexpr qreal CimaRiga = 27;
constexpr qreal AltezzaRiga = 13;
constexpr qreal MargineRiga = 8;
constexpr qreal CorpoRiga = 10;

}  // namespace

Visione::Visione(FinestraPrincipale& finestra, Gioco& gioco) : m_finestra(finestra), g(gioco) {
  m_timer.setTimerType(Qt::PreciseTimer);
  m_timer.setInterval(PassoVisioneMs);
  connect(&m_timer, &QTimer::timeout, this, &Visione::Passo);
  m_sosta.setSingleShot(true);
  m_sosta.setInterval(SostaFinaleMs);
  connect(&m_sosta, &QTimer::timeout, this, &Visione::Esci);
}

Visione::~Visione() {
  if (Attiva()) m_finestra.Ospita(nullptr);
}

bool Visione::PuoIniziare() const {
  // Not under a dialog either: the high-score name box, say, still belongs to a game.
  return !Attiva() && g.img_gameover.Visible && !QApplication::activeModalWidget();
}

bool Visione::Inizia(std::unique_ptr<Proiezione> proiezione) {
  if (!proiezione || !PuoIniziare()) return false;
  m_proiezione = std::move(proiezione);
  // Drawn in the combination in use: a replay carries no pictures or fonts.
  CopiaAspetto(g, m_proiezione->Replica());
  m_proiezione->Replica().GenerazioneFont = g.GenerazioneFont;
  m_tempo = static_cast<double>(m_proiezione->Adesso());
  m_velocita = 1;
  m_pausa = false;
  m_finita = false;
  // The music of a game, as a game under way would have it.
  Suoni::AvviaMusica(g);
  m_finestra.Ospita(this);
  m_orologio.start();
  m_timer.start();
  return true;
}

void Visione::Passo() {
  if (!Attiva() || m_pausa || m_finita) return;
  // A step covers at most a moment of real time: after the machine slept, or the window
  // was held up, the replay goes on from where it was.
  const qint64 trascorsi = std::min<qint64>(m_orologio.restart(), PassoMassimoMs);
  Porta(static_cast<int64_t>(m_tempo + static_cast<double>(trascorsi) * m_velocita), true);
}

// Brings the replay to `ms` of the game: its sounds, when `suoni`, are played in the
// combination in use as the player's sound switch has it, and the window catches up.
void Visione::Porta(int64_t ms, bool suoni) {
  Proiezione& p = *m_proiezione;
  m_tempo = static_cast<double>(std::min(ms, p.Durata()));
  p.AvanzaA(static_cast<int64_t>(m_tempo));
  if (suoni)
    for (const int slot : p.suoni) Suoni::SuonaSlot(g, static_cast<SlotSuono>(slot));
  p.suoni.clear();
  dShow::ControllaCicloMusica(g);
  if (p.Finita() && !m_finita) {
    m_finita = true;
    m_timer.stop();
    m_sosta.start();
  }
  m_finestra.Aggiorna();
}

void Visione::Pausa() {
  if (!Attiva() || m_finita) return;
  m_pausa = !m_pausa;
  m_orologio.restart();  // a pause's time is not played afterwards
  m_finestra.Aggiorna();
  m_finestra.update();
}

void Visione::Lasciata() {
  if (!m_pausa) Pausa();
}

void Visione::Velocita(int volte) {
  if (std::find(VelocitaVisione.begin(), VelocitaVisione.end(), volte) == VelocitaVisione.end())
    return;
  m_velocita = volte;
  m_finestra.update();
}

void Visione::SaltaAllaFine() {
  if (!Attiva() || m_finita) return;
  // Its sounds at once would be noise: the end is reached in silence.
  Porta(m_proiezione->Durata(), false);
  m_finestra.update();
}

void Visione::Esci() {
  if (!Attiva()) return;
  m_timer.stop();
  m_sosta.stop();
  dShow::FermaMusica(g);
  m_finestra.Ospita(nullptr);
  m_proiezione.reset();
  if (m_dopoUscita) m_dopoUscita();
}

const Gioco& Visione::Mostrato() const {
  return m_proiezione ? m_proiezione->Replica() : g;
}

QString Visione::Riga() const {
  if (!m_proiezione) return {};
  const QString chi = m_proiezione->Giocatore();
  QString riga =
      chi.isEmpty() ? QStringLiteral("REPLICA") : QStringLiteral("REPLICA di %1").arg(chi);
  riga += QStringLiteral("  ×%1").arg(m_velocita);
  if (m_finita) return riga + QStringLiteral("  —  FINE");
  if (m_pausa) riga += QStringLiteral("  —  IN PAUSA");
  return riga + QStringLiteral("  —  P pausa · 1 2 4 8 velocità · Fine salta alla fine · Esc esci");
}

void Visione::DisegnaSopra(QPainter& p, const Inquadratura& posto) {
  const QRectF campo = posto.Campo();
  const QRectF banda(campo.left(), campo.top() + CimaRiga * posto.fattore, campo.width(),
                     AltezzaRiga * posto.fattore);
  p.save();
  p.fillRect(banda, QColor(0, 0, 0, 170));
  QFont font = p.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(CorpoRiga * posto.fattore))));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(255, 216, 74));
  const QRectF testo =
      banda.adjusted(MargineRiga * posto.fattore, 0, -MargineRiga * posto.fattore, 0);
  p.drawText(testo, Qt::AlignVCenter | Qt::AlignLeft,
             QFontMetricsF(font).elidedText(Riga(), Qt::ElideRight, testo.width()));
  p.restore();
}

void Visione::Tasto(const QKeyEvent& evento) {
  // The game's own keys (the arrows, the space bar) do nothing to a replay.
  switch (evento.key()) {
    case Qt::Key_P:
    case Qt::Key_Pause:
      if (!evento.isAutoRepeat()) Pausa();
      break;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_4:
    case Qt::Key_8:
      Velocita(evento.key() - Qt::Key_0);
      break;
    case Qt::Key_End:
      SaltaAllaFine();
      break;
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
      Esci();
      break;
    default:
      break;
  }
}
