#include "ui/FinestraPrincipale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <iostream>
#include <utility>

#include "drawing/Inquadratura.h"
#include "game/Campo.h"
#include "model/Gioco.h"
#include "game/Smistatore.h"
#include "game/frm_main.h"
#include "ui/GeometriaFinestra.h"

// The client area: any size, with the playfield (11910 x 8220 twips at 15 twips a
// logical pixel) as large as fits, centred between black bars.
class FinestraPrincipale::Area final : public QWidget {
 public:
  explicit Area(FinestraPrincipale& finestra) : QWidget(&finestra), m_finestra(finestra) {
    setMinimumSize((Inquadratura::Naturale / 2).toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
  }

  QSize sizeHint() const override { return Inquadratura::Naturale.toSize(); }
  Inquadratura Posto() const { return Inquadratura::Di(size()); }

 protected:
  void paintEvent(QPaintEvent* evento) override {
    QPainter p(this);
    m_finestra.m_pittore.DisegnaInArea(p, m_finestra.Mostrato(), size(), evento->region());
    if (m_finestra.m_ospite) m_finestra.m_ospite->DisegnaSopra(p, Posto());
    if (m_finestra.m_dopoPrimoFrame)
      QTimer::singleShot(0, &m_finestra, std::exchange(m_finestra.m_dopoPrimoFrame, {}));
  }

  // The topmost shown sprite with a click handler under the pointer takes the click.
  void mouseReleaseEvent(QMouseEvent* evento) override {
    if (evento->button() != Qt::LeftButton || m_finestra.m_ospite) return;
    const QPointF punto = Posto().NelCampo(evento->position());
    if (!QRectF(QPointF(0, 0), Inquadratura::Naturale).contains(punto)) return;
    const Gioco& gioco = m_finestra.g;
    void (frm_main::*gestore)() = nullptr;
    Campo::PerOgniStrato(
        [&](const Controllo& c) {
          const Sprite* sprite = c.click ? Campo::Elemento<Sprite>(gioco, c, -1) : nullptr;
          if (!gestore && sprite && sprite->Visible && Pittore::Rettangolo(*sprite).contains(punto))
            gestore = c.click;
        },
        true);
    if (gestore) {
      Smistatore& smista = m_finestra.m_smista;
      m_finestra.DopoHandler([&smista, gestore] { smista.Clicca(gestore); });
    } else if (m_finestra.m_clic) {
      m_finestra.m_clic(punto);
    }
  }

 private:
  FinestraPrincipale& m_finestra;
};

namespace {

int CodiceTasto(int tasto) {
  switch (tasto) {
    case Qt::Key_Left:
      return Tasti::FrecciaSinistra;
    case Qt::Key_Right:
      return Tasti::FrecciaDestra;
    case Qt::Key_Escape:
      return Tasti::Esc;
    case Qt::Key_Space:
      return Tasti::Spazio;
    default:
      return 0;
  }
}

}  // namespace

FinestraPrincipale::FinestraPrincipale(Gioco& gioco, frm_main& frm, Smistatore& smista)
    : g(gioco), m_frm(frm), m_smista(smista) {
  m_campo = new Area(*this);
  setCentralWidget(m_campo);
  CostruisciMenuBar();
  OsservaCartella();
  setWindowTitle(g.Caption);
  setStyleSheet(QStringLiteral("QMainWindow { background: black; }"));
  m_campo->setFocus();
}

const Gioco& FinestraPrincipale::Mostrato() const {
  return m_ospite ? m_ospite->Mostrato() : g;
}

void FinestraPrincipale::Ospita(Ospite* ospite) {
  m_ospite = ospite;
  Aggiorna();
  m_campo->update();
}

void FinestraPrincipale::TurnoOccupato(const std::function<void()>& handler) {
  repaint();
  setCursor(Qt::WaitCursor);
  m_campo->setUpdatesEnabled(false);
  DopoHandler(handler);
  m_campo->setUpdatesEnabled(true);
  unsetCursor();
}

void FinestraPrincipale::DopoHandler(const std::function<void()>& handler) {
  // A handler's dialog runs the event loop, where another handler may run.
  ++m_turni;
  if (m_turno) {
    m_turno(handler);
  } else {
    handler();
  }
  --m_turni;
  if (m_turni == 0 && m_dopoInput && !m_chiusa) m_dopoInput();
  if (!m_chiusa) Aggiorna();
  if (m_turni == 0) LasciaUsciti();
}

void FinestraPrincipale::DopoEvento() {
  if (m_chiusa) return;
  if (m_turni == 0 && m_dopoInput) m_dopoInput();
  Aggiorna();
}

FinestraPrincipale::Fotografia FinestraPrincipale::Scatta() const {
  Fotografia foto;
  foto.sprite.reserve(160);
  foto.etichette.reserve(45);
  Campo::PerOgniDisegnato(
      Mostrato(),
      [&foto](const Sprite& s) {
        foto.sprite.push_back({Pittore::Rettangolo(s), s.Picture.Nome, s.Visible});
      },
      [&foto](const Etichetta& e) { foto.etichette.push_back(e); });
  foto.sfondo = Mostrato().Picture.Nome;
  return foto;
}

void FinestraPrincipale::Aggiorna() {
  const QString titolo = m_nota ? g.Caption + m_nota() : g.Caption;
  if (windowTitle() != titolo) setWindowTitle(titolo);
  AggiornaMenu();

  // Repaint only what moved: the old and new rectangles of every changed sprite;
  // a changed label or background repaints the whole playfield.
  Fotografia adesso = Scatta();
  const Fotografia& prima = m_ultimaFotografia;
  if (adesso.sprite.size() != prima.sprite.size() || adesso.etichette != prima.etichette ||
      adesso.sfondo != prima.sfondo) {
    m_campo->update();
  } else {
    QRectF sporco;
    for (size_t i = 0; i < adesso.sprite.size(); ++i) {
      const VoceDisegnata& vecchia = prima.sprite[i];
      const VoceDisegnata& nuova = adesso.sprite[i];
      if (vecchia == nuova) continue;
      if (vecchia.visibile) sporco |= vecchia.rettangolo;
      if (nuova.visibile) sporco |= nuova.rettangolo;
    }
    if (!sporco.isEmpty())
      m_campo->update(m_campo->Posto().Area(sporco).toAlignedRect().adjusted(-1, -1, 1, 1));
  }
  m_ultimaFotografia = std::move(adesso);
}

namespace {

// The game's files among what is dragged: local files whose name ends in .skcom (a
// combination) or .skrep (a replay, which its opening tells by its bytes).
std::vector<std::filesystem::path> FileCombinazioneTrascinati(const QMimeData* dati) {
  std::vector<std::filesystem::path> file;
  if (!dati || !dati->hasUrls()) return file;
  for (const QUrl& url : dati->urls()) {
    const QString nome = url.fileName();
    if (url.isLocalFile() &&
        (nome.endsWith(QLatin1String(".skcom")) || nome.endsWith(QLatin1String(".skrep"))))
      file.emplace_back(url.toLocalFile().toStdString());
  }
  return file;
}

}  // namespace

void FinestraPrincipale::dragEnterEvent(QDragEnterEvent* evento) {
  if (m_apriFile && !FileCombinazioneTrascinati(evento->mimeData()).empty())
    evento->acceptProposedAction();
}

void FinestraPrincipale::dropEvent(QDropEvent* evento) {
  const auto file = FileCombinazioneTrascinati(evento->mimeData());
  if (!m_apriFile || file.empty()) return;
  evento->acceptProposedAction();
  // Opened after the drop has ended: opening may ask questions, and the program the
  // files came from should not wait on them.
  for (const auto& f : file) QTimer::singleShot(0, this, [this, f] { m_apriFile(f); });
}

void FinestraPrincipale::keyPressEvent(QKeyEvent* evento) {
  const bool invio = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
  if (evento->key() == Qt::Key_F11 || (invio && evento->modifiers() & Qt::AltModifier)) {
    if (!evento->isAutoRepeat()) CommutaSchermoIntero();
    return;
  }
  if (m_ospite) return m_ospite->Tasto(*evento);
  const int codice = CodiceTasto(evento->key());
  DopoHandler([&] {
    if (codice && codice != Tasti::Spazio) m_smista.Invia(Evento::Giu(codice));
    const QString testo = evento->text();
    if (!testo.isEmpty()) m_smista.Invia(Evento::Carattere(testo.at(0).unicode()));
  });
}

void FinestraPrincipale::changeEvent(QEvent* evento) {
  QMainWindow::changeEvent(evento);
  // Another window took the keyboard: a notification, Alt+Tab, a click elsewhere, a box.
  if (evento->type() != QEvent::ActivationChange || isActiveWindow() || m_chiusa) return;
  if (m_ospite) m_ospite->Lasciata();
  DopoHandler([this] { m_smista.Invia(Evento::Disattiva()); });
}

void FinestraPrincipale::keyReleaseEvent(QKeyEvent* evento) {
  // X11 turns a held key into release/press pairs; only a real release counts.
  if (evento->isAutoRepeat() || m_ospite) return;
  const int codice = CodiceTasto(evento->key());
  if (codice) DopoHandler([&] { m_smista.Invia(Evento::Su(codice)); });
}

void FinestraPrincipale::Tasto(int codice, bool premuto) {
  if (m_ospite) return;
  // What keyPressEvent sends for the key: its key-down, and the key press of the
  // character it types (the space bar has only the latter, Esc both).
  DopoHandler([&] {
    if (!premuto) {
      m_smista.Invia(Evento::Su(codice));
      return;
    }
    if (codice != Tasti::Spazio) m_smista.Invia(Evento::Giu(codice));
    if (codice == Tasti::Spazio || codice == Tasti::Esc) m_smista.Invia(Evento::Carattere(codice));
  });
}

void FinestraPrincipale::Chiudi() {
  m_chiusa = true;
  close();
}

void FinestraPrincipale::Mostra() {
  m_ricorda = true;
  QList<QRect> schermi;
  if (const QScreen* primario = QGuiApplication::primaryScreen())
    schermi << primario->availableGeometry();
  for (const QScreen* schermo : QGuiApplication::screens())
    if (schermo != QGuiApplication::primaryScreen()) schermi << schermo->availableGeometry();

  const auto ricordata = LeggiGeometria(g.CartellaProgramma);
  if (!ricordata) {
    if (!schermi.isEmpty())
      resize(DimensioneIniziale(schermi.front().size(), QSize(0, menuBar()->sizeHint().height())));
    show();
    return;
  }
  setGeometry(SuGliSchermi(ricordata->normale, schermi));
  Qt::WindowStates stato;
  if (ricordata->massimizzata) stato |= Qt::WindowMaximized;
  if (ricordata->schermoIntero) stato |= Qt::WindowFullScreen;
  setWindowState(stato);
  show();
}

void FinestraPrincipale::CommutaSchermoIntero() {
  // The maximised state stays underneath, for when full screen ends.
  setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void FinestraPrincipale::RicordaGeometria() {
  if (!m_ricorda) return;
  m_ricorda = false;
  const GeometriaFinestra geometria{normalGeometry(), isMaximized(), isFullScreen()};
  const Esito esito = ScriviGeometria(g.CartellaProgramma, geometria);
  if (!esito)
    std::cerr << "skarvex: the window's place was not remembered: " << esito.errore() << '\n';
}

void FinestraPrincipale::closeEvent(QCloseEvent* evento) {
  RicordaGeometria();
  // The close box ends the program, as "Esci" does.
  if (!m_chiusa) {
    m_chiusa = true;
    m_frm.Form_Unload();
  }
  evento->accept();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void FinestraPrincipale::Termina() {
  if (m_termina) return;
  m_termina = new QTimer(this);
  m_termina->setInterval(10);
  connect(m_termina, &QTimer::timeout, this, &FinestraPrincipale::PassoTermina);
  m_termina->start();
  PassoTermina();
}

void FinestraPrincipale::PassoTermina() {
  // A cancelled dialog's handler may open another one: the window closes only once a
  // look finds none open and no dialog's event loop still running.
  bool aperti = false;
  if (QWidget* menu = QApplication::activePopupWidget()) {
    menu->close();
    aperti = true;
  }
  for (QWidget* finestra : QApplication::topLevelWidgets()) {
    auto* dialogo = qobject_cast<QDialog*>(finestra);
    if (dialogo && dialogo->isVisible()) {
      dialogo->reject();
      aperti = true;
    }
  }
  if (aperti || QThread::currentThread()->loopLevel() > 1) return;
  m_termina->stop();
  close();
}
