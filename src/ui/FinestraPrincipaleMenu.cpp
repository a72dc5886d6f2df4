// The window's menu bar: built once from the playfield's table, then kept in step
// with the model's captions, ticks and the combination items after every handler.
#include "ui/FinestraPrincipale.h"

#include <QFileSystemWatcher>
#include <QMenuBar>
#include <QTimer>

#include "combinations/GestioneDatiEsterni.h"
#include "game/Campo.h"
#include "model/Gioco.h"
#include "game/Smistatore.h"

namespace {

void Riporta(QAction* azione, const VoceMenu& voce) {
  if (azione->text() != voce.Caption) azione->setText(voce.Caption);
  if (azione->isChecked() != voce.Checked) azione->setChecked(voce.Checked);
  if (azione->isEnabled() != voce.Enabled) azione->setEnabled(voce.Enabled);
  if (azione->isVisible() != voce.Visible) azione->setVisible(voce.Visible);
}

}  // namespace

void FinestraPrincipale::CostruisciMenuBar() {
  // Captions come from the model; no accelerators, no shortcuts.
  const auto sotto = [this](VoceMenu ModelloMain::*voce) { return Menu(voce); };
  for (const Controllo& c : Campo::Controlli()) {
    const auto* voce = std::get_if<VoceMenu ModelloMain::*>(&c.membro);
    if (voce && !c.menu) {
      m_menu.emplace_back(*voce, menuBar()->addMenu((g.*(*voce)).Caption));
    } else if (voce) {
      QAction* azione = sotto(c.menu)->addAction((g.*(*voce)).Caption);
      azione->setCheckable(c.spunta);
      connect(azione, &QAction::triggered, this, [this, gestore = c.click] {
        DopoHandler([this, gestore] { m_smista.Menu(gestore); });
      });
      m_voci.push_back({&c, azione});
    } else if (c.EVoce()) {
      m_array = {&c, sotto(c.menu)};
    }
  }
  AggiornaMenu();
}

QMenu* FinestraPrincipale::Menu(VoceMenu ModelloMain::*voce) const {
  for (const auto& [m, qmenu] : m_menu) {
    if (m == voce) return qmenu;
  }
  return nullptr;
}

void FinestraPrincipale::AggiornaMenu() {
  for (const auto& [c, azione] : m_voci) Riporta(azione, *Campo::Elemento<VoceMenu>(g, *c, -1));
  // A guest has the window: the game's menus wait, but for leaving the program.
  for (const auto& [voce, menu] : m_menu)
    menu->menuAction()->setEnabled(!m_ospite || voce == &ModelloMain::mn_file);

  // The combination items grow and shrink with the model's menu array. An item that
  // goes may be the one whose click is being handled: it leaves the menu now and is
  // let go once no handler is under way.
  const auto& voci = g.*std::get<std::vector<VoceMenu> ModelloMain::*>(m_array.voce->membro);
  while (m_comb.size() > voci.size()) {
    m_array.menu->removeAction(m_comb.back());
    m_usciti.push_back(m_comb.back());
    m_comb.pop_back();
  }
  if (m_turni == 0) LasciaUsciti();
  while (m_comb.size() < voci.size()) {
    const int indice = static_cast<int>(m_comb.size());
    QAction* azione = m_array.menu->addAction(QString());
    azione->setCheckable(m_array.voce->spunta);
    connect(azione, &QAction::triggered, this, [this, indice, gestore = m_array.voce->clickIndice] {
      TurnoOccupato([this, indice, gestore] { m_smista.Menu(gestore, indice); });
    });
    m_comb.push_back(azione);
  }
  for (size_t i = 0; i < m_comb.size(); ++i) Riporta(m_comb[i], voci[i]);
}

// The combination menu follows the program folder: a combination file added, removed
// or renamed there shows in or leaves the menu within a second, by the menu's own
// listing. The folder's churn while a combination is applied or a file is saved is
// gathered into one listing a quarter of a second after it settles.
void FinestraPrincipale::OsservaCartella() {
  auto* osservatore = new QFileSystemWatcher(this);
  osservatore->addPath(QString::fromStdString(g.CartellaProgramma.string()));
  auto* attesa = new QTimer(this);
  attesa->setSingleShot(true);
  attesa->setInterval(250);
  connect(osservatore, &QFileSystemWatcher::directoryChanged, attesa, qOverload<>(&QTimer::start));
  connect(attesa, &QTimer::timeout, this, [this] {
    if (!m_chiusa) DopoHandler([this] { GestioneDatiEsterni::CostruisciMenu(g); });
  });
}

void FinestraPrincipale::LasciaUsciti() {
  // Deleted by the event loop: a click being delivered is done with its item by then.
  for (QAction* azione : std::exchange(m_usciti, {})) azione->deleteLater();
}
