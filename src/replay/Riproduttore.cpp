#include "replay/Riproduttore.h"

#include <QDir>
#include <QTemporaryDir>

#include <limits>

#include "game/Regole.h"
#include "replay/StatoPartita.h"

Riproduttore::Riproduttore(Partita<LatiCopione>& partita, Replica replica)
    : m_partita(partita), m_replica(std::move(replica)) {}

Esito Riproduttore::Inizia() {
  const uint32_t versione = m_replica.intestazione.versioneRegole;
  if (versione != VersioneRegole)
    return Errore{"la partita è stata registrata con altre regole di gioco (versione " +
                  std::to_string(versione) + "; questo gioco ha la versione " +
                  std::to_string(VersioneRegole) + ") e non si può rivedere"};
  if (const Esito stato = StatoPartita::Ripristina(m_partita.g, m_replica.statoIniziale); !stato)
    return stato;
  // The name the player gave, should the game ask for it again.
  m_partita.dialoghi.AccodaTesto(QString::fromStdString(m_replica.intestazione.nome));
  m_iniziata = true;
  return {};
}

void Riproduttore::Avanza(int64_t ms) {
  if (ms <= 0) return;
  FinoA(ms > std::numeric_limits<int64_t>::max() - m_ora ? std::numeric_limits<int64_t>::max()
                                                         : m_ora + ms);
}

void Riproduttore::FinoA(int64_t ms) {
  if (!m_iniziata) return;
  const auto& eventi = m_replica.eventi;
  while (m_prossimo < eventi.size() && eventi[m_prossimo].tempo <= ms) {
    const EventoReplica& e = eventi[m_prossimo++];
    m_partita.smista.Invia({static_cast<TipoEvento>(e.tipo), e.codice});
  }
  m_ora = std::max(m_ora, std::min<int64_t>(ms, Durata()));
}

void Riproduttore::FinoAllaFine() {
  FinoA(std::numeric_limits<int64_t>::max());
}

bool Riproduttore::StatoConforme() const {
  return m_iniziata && Finita() && StatoPartita::Impronta(m_partita.g) == m_replica.improntaFinale;
}

namespace {

// A throw-away folder's files need not outlast a crash: its writes skip the waits for
// the disk, which would take a check of a second's game longer than its playing.
class ChiamateDiPassaggio final : public ChiamateFile {
 public:
  int Sincronizza(int) override { return 0; }
  int SincronizzaCartella(int) override { return 0; }
};

ChiamateFile& DiPassaggio() {
  static ChiamateDiPassaggio chiamate;
  return chiamate;
}

}  // namespace

Moviola::Moviola() = default;

Moviola::~Moviola() {
  m_riproduttore.reset();
  m_partita.reset();
  if (!m_cartella.empty()) QDir(QString::fromStdString(m_cartella.string())).removeRecursively();
}

Risultato<std::unique_ptr<Moviola>> Moviola::Apri(const std::filesystem::path& file, bool suoni) {
  auto replica = LeggiFileReplica(file);
  if (!replica) return Errore{replica.errore()};
  return Da(std::move(replica.valore()), suoni);
}

Risultato<std::unique_ptr<Moviola>> Moviola::Da(Replica replica, bool suoni) {
  QTemporaryDir cartella(QDir::tempPath() + QStringLiteral("/.skarvex-moviola-XXXXXX"));
  if (!cartella.isValid())
    return Errore{"impossibile preparare una cartella temporanea per rivedere la partita"};
  cartella.setAutoRemove(false);
  std::unique_ptr<Moviola> m(new Moviola);
  m->m_cartella = cartella.path().toStdString();
  m->m_partita = std::make_unique<Partita<LatiCopione>>(
      m->m_cartella, CreaAudioMuto(), std::make_unique<FontsCopione>(), DiPassaggio());
  if (!suoni) m->m_partita->g.registroSuoni = nullptr;
  m->m_riproduttore = std::make_unique<Riproduttore>(*m->m_partita, std::move(replica));
  if (const Esito inizio = m->m_riproduttore->Inizia(); !inizio) return Errore{inizio.errore()};
  return m;
}
