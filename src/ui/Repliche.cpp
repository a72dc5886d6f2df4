#include "ui/Repliche.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

#include "codec/Replica.h"
#include "model/Gioco.h"
#include "replay/Riproduttore.h"

namespace fs = std::filesystem;

namespace {

// A replay played on the core's player, as the window steps it.
class ProiezioneMoviola final : public Proiezione {
 public:
  explicit ProiezioneMoviola(std::unique_ptr<Moviola> moviola)
      : m_moviola(std::move(moviola)), r(m_moviola->riproduttore()) {}

  Gioco& Replica() override { return m_moviola->g(); }
  int64_t Durata() const override { return r.Durata(); }
  int64_t Adesso() const override { return r.Ora(); }
  void AvanzaA(int64_t ms) override {
    if (ms >= r.Durata()) {
      r.FinoAllaFine();
    } else {
      r.FinoA(ms);
    }
    auto& registro = m_moviola->partita().suoni;
    suoni.insert(suoni.end(), registro.begin(), registro.end());
    registro.clear();
  }
  bool Finita() const override { return r.Finita(); }
  QString Giocatore() const override { return QString::fromStdString(r.Intestazione().nome); }

 private:
  std::unique_ptr<Moviola> m_moviola;
  Riproduttore& r;
};

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
  // Opened without waiting, and read only when it is a regular file: a FIFO handed over
  // must not hang the game.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  std::string inizio(MagiaReplica.size(), '\0');
  ssize_t letti = -1;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
    letti = ::read(fd, inizio.data(), inizio.size());
  ::close(fd);
  return letti == static_cast<ssize_t>(inizio.size()) && SembraReplica(std::string_view(inizio));
}

Risultato<std::unique_ptr<Proiezione>> ApriProiezione(const fs::path& file) {
  auto moviola = Moviola::Apri(file);
  if (!moviola) return Errore{moviola.errore()};
  return std::unique_ptr<Proiezione>(
      std::make_unique<ProiezioneMoviola>(std::move(moviola.valore())));
}

Repliche::Repliche(FinestraPrincipale& finestra, Gioco& gioco, Smistatore& smista,
                   std::function<int64_t()> adesso)
    : g(gioco),
      m_registratore(gioco, smista, std::move(adesso)),
      m_archivio(gioco.CartellaProgramma, gioco.chiamateFile),
      m_visione(finestra, gioco) {
  // The window's own items, above "Esci": the game's menus stay as they are.
  if (QMenu* file = finestra.Menu(&ModelloMain::mn_file)) {
    QAction* primo = file->actions().isEmpty() ? nullptr : file->actions().constFirst();
    m_ultima = new QAction(QStringLiteral("Rivedi l'ultima partita"), file);
    m_apri = new QAction(QStringLiteral("Apri una partita registrata…"), file);
    file->insertAction(primo, m_ultima);
    file->insertAction(primo, m_apri);
    file->insertSeparator(primo);
    connect(file, &QMenu::aboutToShow, this, &Repliche::AggiornaVoci);
    connect(m_ultima, &QAction::triggered, this,
            [this] { (void)Guarda(m_archivio.UltimaPartita()); });
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

void Repliche::DopoEvento() {
  auto finita = m_registratore.PrendiFinita();
  if (!finita) return;
  if (const Esito esito = m_archivio.Conserva(*finita, TabellaDi(g)); !esito) {
    std::cerr << "skarvex: the game's replay was not kept: " << esito.errore() << '\n';
    Avvisa(QStringLiteral("La partita non è stata conservata: %1.")
               .arg(QString::fromStdString(esito.errore())),
           false);
  }
}

void Repliche::Spazza() {
  m_archivio.Spazza(TabellaDi(g));
}

void Repliche::AggiornaVoci() {
  const bool libera = m_visione.PuoIniziare();
  std::error_code ec;
  m_ultima->setEnabled(libera && fs::is_regular_file(m_archivio.UltimaPartita(), ec));
  m_apri->setEnabled(libera);
}

void Repliche::Clic(QPointF punto) {
  if (!m_visione.PuoIniziare()) return;
  const int voce = VoceSotto(g, punto);
  if (voce == 0) return;
  if (const auto replica = m_archivio.PartitaDellaVoce(voce, TabellaDi(g))) (void)Guarda(*replica);
}

Esito Repliche::Guarda(const fs::path& file, bool subito) {
  if (!m_visione.PuoIniziare()) return Errore{"a replay is watched only between games"};
  auto proiezione = ApriProiezione(file);
  if (proiezione) {
    m_visione.Inizia(std::move(proiezione.valore()));
    return {};
  }
  // The reason, without the path the message names already.
  std::string perche = proiezione.errore();
  if (perche.starts_with(file.string() + ": ")) perche.erase(0, file.string().size() + 2);
  Avvisa(QStringLiteral("La partita %1 non si può rivedere: %2.")
             .arg(Nome(file), QString::fromStdString(perche)),
         subito);
  return Errore{proiezione.errore()};
}

void Repliche::Avvisa(const QString& testo, bool subito) {
  const auto mostra = [this, testo] {
    g.dialoghi.MsgBox(testo, Pulsanti::OK, Icona::Esclamazione, Firma());
  };
  // A file handed over is answered first: its sender waits for the answer.
  if (subito) {
    mostra();
  } else {
    QTimer::singleShot(0, this, mostra);
  }
}

EsitoApertura Repliche::Apri(const fs::path& file) {
  if (m_visione.Attiva())
    return {true, "not opened: another replay is being watched; open it again after that one"};
  if (!m_visione.PuoIniziare())
    return {true,
            "not opened: a game is under way or a dialog is open; open it again between games"};
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
