#include "ui/Repliche.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTimer>

#include <iostream>

#include "model/Gioco.h"

namespace fs = std::filesystem;

namespace {

// The first bytes of every replay file.
const QByteArray MagiaReplica = QByteArrayLiteral("SKREP\x1a");

QString Nome(const fs::path& file) {
  return QFile::decodeName(file.filename().c_str());
}

// The high-score entry 1..10 whose row holds `punto` (the playfield's logical pixels):
// from its name to its level, as tall as its labels.
int VoceSotto(const Gioco& g, QPointF punto) {
  for (size_t i = 1; i < g.lbl_namer.size(); ++i) {
    const Etichetta& nome = g.lbl_namer[i];
    const Etichetta& livello = g.lbl_livellor[i];
    if (!nome.Visible) continue;
    const QRectF riga(
        QPointF(nome.Left, nome.Top) / TwipsPerPixel,
        QPointF(livello.Left + livello.Width, nome.Top + nome.Height) / TwipsPerPixel);
    if (riga.contains(punto)) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

bool SembraReplica(const fs::path& file) {
  QFile f(QFile::decodeName(file.c_str()));
  if (!f.open(QIODevice::ReadOnly)) return false;
  return MagiaReplica.startsWith(f.read(MagiaReplica.size())) && f.pos() == MagiaReplica.size();
}

Repliche::Repliche(FinestraPrincipale& finestra, Gioco& gioco, FontiRepliche fonti)
    : m_finestra(finestra), g(gioco), m_fonti(std::move(fonti)), m_visione(finestra, gioco) {
  // The window's own items, above "Esci": the game's menus stay as they are.
  if (QMenu* file = finestra.Menu(&ModelloMain::mn_file)) {
    QAction* primo = file->actions().isEmpty() ? nullptr : file->actions().constFirst();
    m_ultima = new QAction(QStringLiteral("Rivedi l'ultima partita"), file);
    m_apri = new QAction(QStringLiteral("Apri una partita registrata…"), file);
    file->insertAction(primo, m_ultima);
    file->insertAction(primo, m_apri);
    file->insertSeparator(primo);
    connect(file, &QMenu::aboutToShow, this, &Repliche::AggiornaVoci);
    connect(m_ultima, &QAction::triggered, this, [this] {
      if (const auto ultima = m_fonti.ultima ? m_fonti.ultima() : std::nullopt)
        (void)Guarda(*ultima);
    });
    connect(m_apri, &QAction::triggered, this, [this] {
      if (!m_visione.PuoIniziare()) return;
      const auto scelto = g.dialoghi.ApriFile(
          {QStringLiteral("Partite registrate (*.skrep)|*.skrep"),
           QFile::decodeName(g.CartellaProgramma.c_str()), QStringLiteral("Apri una partita")});
      if (scelto) (void)Guarda(fs::path(QFile::encodeName(*scelto).toStdString()));
    });
    AggiornaVoci();
  }
  finestra.ImpostaClic([this](QPointF punto) { Clic(punto); });
}

void Repliche::AggiornaVoci() {
  const bool libera = m_visione.PuoIniziare();
  m_ultima->setEnabled(libera && m_fonti.ultima && m_fonti.ultima());
  m_apri->setEnabled(libera);
}

void Repliche::Clic(QPointF punto) {
  if (!m_visione.PuoIniziare() || !m_fonti.voce) return;
  const int voce = VoceSotto(g, punto);
  if (voce == 0) return;
  if (const auto replica = m_fonti.voce(voce)) (void)Guarda(*replica);
}

Esito Repliche::Guarda(const fs::path& file, bool subito) {
  if (!m_visione.PuoIniziare()) return Errore{"a replay is watched only between games"};
  auto proiezione = m_fonti.carica ? m_fonti.carica(file) : Errore{"replays cannot be watched"};
  if (proiezione) {
    m_visione.Inizia(std::move(proiezione.valore()));
    return {};
  }
  const QString testo = QStringLiteral("La partita %1 non si può rivedere: %2.")
                            .arg(Nome(file), QString::fromStdString(proiezione.errore()));
  const auto mostra = [this, testo] {
    g.dialoghi.MsgBox(testo, Pulsanti::OK, Icona::Esclamazione, Firma());
  };
  // A file handed over is answered first: its sender waits for the answer.
  if (subito) {
    mostra();
  } else {
    QTimer::singleShot(0, this, mostra);
  }
  return Errore{proiezione.errore()};
}

EsitoApertura Repliche::Apri(const fs::path& file) {
  if (m_visione.Attiva())
    return {true, "not opened: another replay is being watched; open it again after that one"};
  if (!m_visione.PuoIniziare())
    return {true, "not opened: a game is under way; open it again between games"};
  const Esito esito = Guarda(file, false);
  if (!esito) {
    std::cerr << "skarvex: " << file.string() << ": not opened: " << esito.errore() << '\n';
    return {true, "not opened: " + esito.errore()};
  }
  return {false, "watched in the game's window"};
}

QString Repliche::Avviso() const {
  return m_visione.Attiva() ? QStringLiteral("  —  Replica") : QString();
}
