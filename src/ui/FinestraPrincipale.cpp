#include "ui/FinestraPrincipale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

#include "model/Gioco.h"
#include "game/frm_main.h"

// The client area: 11910 x 8220 twips at 15 twips a logical pixel.
class FinestraPrincipale::Campo final : public QWidget {
 public:
  explicit Campo(FinestraPrincipale& finestra) : QWidget(&finestra), m_finestra(finestra) {
    setFixedSize(static_cast<int>(LarghezzaCampo) / TwipsPerPixel,
                 static_cast<int>(AltezzaCampo) / TwipsPerPixel);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    m_finestra.m_pittore.Disegna(p, m_finestra.g);
    if (m_finestra.m_esciDopoPrimoFrame) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  }

  // The banners take clicks, the topmost shown banner first.
  void mouseReleaseEvent(QMouseEvent* evento) override {
    if (evento->button() != Qt::LeftButton) return;
    Gioco& gioco = m_finestra.g;
    frm_main& frm = m_finestra.m_frm;
    const std::pair<const Sprite*, void (frm_main::*)()> banner[] = {
        {&gioco.img_pausa, &frm_main::img_pausa_Click},
        {&gioco.img_nextlevel, &frm_main::img_nextlevel_Click},
        {&gioco.img_gameover, &frm_main::img_gameover_Click}};
    for (const auto& [sprite, gestore] : banner) {
      if (sprite->Visible && Pittore::Rettangolo(*sprite).contains(evento->position())) {
        m_finestra.DopoHandler([&frm, gestore = gestore] { (frm.*gestore)(); });
        return;
      }
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

void Riporta(QAction* azione, const VoceMenu& voce) {
  if (azione->text() != voce.Caption) azione->setText(voce.Caption);
  if (azione->isChecked() != voce.Checked) azione->setChecked(voce.Checked);
  if (azione->isEnabled() != voce.Enabled) azione->setEnabled(voce.Enabled);
  if (azione->isVisible() != voce.Visible) azione->setVisible(voce.Visible);
}

}  // namespace

FinestraPrincipale::FinestraPrincipale(Gioco& gioco, frm_main& frm) : g(gioco), m_frm(frm) {
  m_campo = new Campo(*this);
  setCentralWidget(m_campo);
  CostruisciMenuBar();
  setWindowTitle(g.Caption);
  setStyleSheet(QStringLiteral("QMainWindow { background: black; }"));
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  m_campo->setFocus();
}

void FinestraPrincipale::CostruisciMenuBar() {
  // Captions come from the model; no accelerators, no shortcuts.
  auto* file = menuBar()->addMenu(g.mn_file.Caption);
  m_esci = file->addAction(g.mn_esci.Caption);
  auto* opzioni = menuBar()->addMenu(g.mn_opzioni.Caption);
  m_immagini = opzioni->addAction(g.mn_immagini.Caption);
  m_attiva = opzioni->addAction(g.mn_attiva.Caption);
  m_attiva->setCheckable(true);
  m_menuCombinazioni = menuBar()->addMenu(g.mn_combinazioni.Caption);
  auto* aiuto = menuBar()->addMenu(g.mn_help.Caption);
  m_aiuto = aiuto->addAction(g.mn_aiuto.Caption);
  m_about = aiuto->addAction(g.mn_about.Caption);

  const std::pair<QAction*, void (frm_main::*)()> voci[] = {
      {m_esci, &frm_main::mn_esci_Click},
      {m_immagini, &frm_main::mn_immagini_Click},
      {m_attiva, &frm_main::mn_attiva_Click},
      {m_aiuto, &frm_main::mn_aiuto_Click},
      {m_about, &frm_main::mn_about_Click}};
  for (const auto& [azione, gestore] : voci) {
    connect(azione, &QAction::triggered, this,
            [this, gestore = gestore] { DopoHandler([this, gestore] { (m_frm.*gestore)(); }); });
  }
  AggiornaMenu();
}

void FinestraPrincipale::AggiornaMenu() {
  Riporta(m_esci, g.mn_esci);
  Riporta(m_immagini, g.mn_immagini);
  Riporta(m_attiva, g.mn_attiva);
  Riporta(m_aiuto, g.mn_aiuto);
  Riporta(m_about, g.mn_about);

  // The combination items grow and shrink with the model's menu array.
  while (m_comb.size() > g.mn_comb.size()) {
    delete m_comb.back();
    m_comb.pop_back();
  }
  while (m_comb.size() < g.mn_comb.size()) {
    const int indice = static_cast<int>(m_comb.size());
    QAction* azione = m_menuCombinazioni->addAction(QString());
    azione->setCheckable(true);
    connect(azione, &QAction::triggered, this,
            [this, indice] { DopoHandler([this, indice] { m_frm.mn_comb_Click(indice); }); });
    m_comb.push_back(azione);
  }
  for (size_t i = 0; i < m_comb.size(); ++i) Riporta(m_comb[i], g.mn_comb[i]);
}

void FinestraPrincipale::DopoHandler(const std::function<void()>& handler) {
  if (m_turno) {
    m_turno(handler);
  } else {
    handler();
  }
  if (!m_chiusa) Aggiorna();
}

FinestraPrincipale::Fotografia FinestraPrincipale::Scatta() const {
  Fotografia foto;
  foto.sprite.reserve(160);
  const auto sprite = [&foto](const Sprite& s) {
    foto.sprite.push_back({Pittore::Rettangolo(s), s.Picture.Nome, s.Visible});
  };
  for (int j = 0; j < g.img_muro.Limite(); ++j) sprite(g.img_muro[j]);
  for (const ArraySprite* riga : g.RigheDalBasso()) {
    for (int i = 1; i < riga->Limite(); ++i) {
      if (riga->Esiste(i)) sprite((*riga)[i]);
    }
  }
  for (const Sprite* s : {&g.img_navicellabonus, &g.img_proiettilegiocatore, &g.img_giocatore,
                          &g.img_gameover, &g.img_nextlevel, &g.img_pausa})
    sprite(*s);
  for (int k = 0; k < g.img_proiettilenemico.Limite(); ++k) sprite(g.img_proiettilenemico[k]);
  for (int k = 0; k < g.img_viterimaste.Limite(); ++k) sprite(g.img_viterimaste[k]);
  foto.etichette.reserve(45);
  g.PerOgniEtichetta([&foto](const Etichetta& e) { foto.etichette.push_back(e); });
  foto.sfondo = g.Picture.Nome;
  return foto;
}

void FinestraPrincipale::Aggiorna() {
  if (windowTitle() != g.Caption) setWindowTitle(g.Caption);
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
    if (!sporco.isEmpty()) m_campo->update(sporco.toAlignedRect().adjusted(-1, -1, 1, 1));
  }
  m_ultimaFotografia = std::move(adesso);
}

void FinestraPrincipale::keyPressEvent(QKeyEvent* evento) {
  const int codice = CodiceTasto(evento->key());
  DopoHandler([&] {
    if (codice && codice != Tasti::Spazio) m_frm.Form_KeyDown(codice);
    const QString testo = evento->text();
    if (!testo.isEmpty()) m_frm.Form_KeyPress(testo.at(0).unicode());
  });
}

void FinestraPrincipale::keyReleaseEvent(QKeyEvent* evento) {
  // X11 turns a held key into release/press pairs; only a real release counts.
  if (evento->isAutoRepeat()) return;
  const int codice = CodiceTasto(evento->key());
  if (codice) DopoHandler([&] { m_frm.Form_KeyUp(codice); });
}

void FinestraPrincipale::Chiudi() {
  m_chiusa = true;
  close();
}

void FinestraPrincipale::closeEvent(QCloseEvent* evento) {
  // The close box ends the program, as "Esci" does.
  if (!m_chiusa) {
    m_chiusa = true;
    m_frm.Form_Unload();
  }
  evento->accept();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}
