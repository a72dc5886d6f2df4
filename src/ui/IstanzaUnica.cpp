#include "ui/IstanzaUnica.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace fs = std::filesystem;

namespace {

constexpr char Apri = 'A';
constexpr char Alza = 'R';
// A start waits this long for the game to listen (it may be starting itself, on a busy
// machine) and then for its answer, which comes once the game has read the files.
constexpr int AttesaAscoltoMs = 15000;
constexpr int AttesaRispostaMs = 30000;
constexpr int PausaTentativiMs = 20;
constexpr uint32_t MaxByteRisposta = 1024 * 1024;

void Aggiungi(QByteArray& dati, uint32_t valore, int byte) {
  for (int i = 0; i < byte; ++i) dati.append(static_cast<char>((valore >> (8 * i)) & 0xFF));
}

uint32_t Numero(QByteArrayView dati, qsizetype pos, int byte) {
  uint32_t valore = 0;
  for (int i = 0; i < byte; ++i)
    valore |= static_cast<uint32_t>(static_cast<unsigned char>(dati[pos + i])) << (8 * i);
  return valore;
}

QByteArray Incornicia(const QByteArray& corpo) {
  QByteArray messaggio;
  Aggiungi(messaggio, static_cast<uint32_t>(corpo.size()), 4);
  return messaggio + corpo;
}

// A folder only this user can enter: theirs, not a link, no access for anyone else.
bool SoloNostra(const std::string& cartella, bool seguiLink) {
  struct stat st {};
  const int esito = seguiLink ? ::stat(cartella.c_str(), &st) : ::lstat(cartella.c_str(), &st);
  return esito == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Where the lock and the socket go: the user's runtime folder, or else one made for them
// under the temporary folder.
std::optional<std::string> CartellaRuntime(std::string& errore) {
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR");
      xdg && xdg[0] == '/' && SoloNostra(xdg, true))
    return std::string(xdg);
  const char* tmp = std::getenv("TMPDIR");
  const std::string cartella =
      std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/skarvex-" + std::to_string(::geteuid());
  if (::mkdir(cartella.c_str(), 0700) != 0 && errno != EEXIST) {
    errore = "cannot make " + cartella + ": " + std::strerror(errno);
    return std::nullopt;
  }
  if (SoloNostra(cartella, false)) return cartella;
  errore = cartella + " is not a folder of this user's alone";
  return std::nullopt;
}

// The same for every path that leads to the folder, different for another folder.
std::string Impronta(const fs::path& cartella) {
  std::error_code ec;
  fs::path canonica = fs::canonical(cartella, ec);
  if (ec) canonica = cartella;
  return QCryptographicHash::hash(QByteArray::fromStdString(canonica.string()),
                                  QCryptographicHash::Sha256)
      .toHex()
      .left(16)
      .toStdString();
}

// A path one message can carry; no file system takes a longer one.
bool Portabile(const fs::path& file) {
  const size_t byte = file.native().size();
  return byte > 0 && byte <= 0xFFFF && byte + 3 <= MaxByteConsegna;
}

// Reads one framed message from a blocking socket.
std::optional<QByteArray> LeggiMessaggio(QLocalSocket& socket, QDeadlineTimer scadenza,
                                         uint32_t massimo) {
  QByteArray dati;
  const auto leggi = [&](qsizetype quanti) {
    while (dati.size() < quanti) {
      if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(scadenza.remainingTime()))
        return false;
      dati += socket.read(quanti - dati.size());
    }
    return true;
  };
  if (!leggi(4)) return std::nullopt;
  const uint32_t lunghezza = Numero(dati, 0, 4);
  if (lunghezza > massimo) return std::nullopt;
  dati.clear();
  if (!leggi(lunghezza)) return std::nullopt;
  return dati;
}

}  // namespace

BloccoIstanza::BloccoIstanza(const fs::path& cartella) {
  const auto runtime = CartellaRuntime(m_errore);
  if (!runtime) return;
  const std::string base = *runtime + "/skarvex-" + Impronta(cartella);
  m_socket = QFile::decodeName(base.c_str());
  m_fd = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (m_fd < 0) {
    m_errore = "cannot open " + base + ".lock: " + std::strerror(errno);
    return;
  }
  m_stato = Stato::Occupato;
  Riprova();
}

BloccoIstanza::~BloccoIstanza() {
  if (m_fd >= 0) ::close(m_fd);
}

bool BloccoIstanza::Riprova() {
  if (m_stato == Stato::Occupato && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0) m_stato = Stato::Preso;
  return m_stato == Stato::Preso;
}

std::vector<QByteArray> MessaggiConsegna(const std::vector<fs::path>& file) {
  std::vector<QByteArray> messaggi;
  QByteArray corpo(1, Apri);
  size_t quanti = 0;
  for (const fs::path& f : file) {
    if (!Portabile(f)) continue;
    const std::string& byte = f.native();
    if (quanti == MaxFileConsegna || corpo.size() + 2 + byte.size() > MaxByteConsegna) {
      messaggi.push_back(Incornicia(corpo));
      corpo = QByteArray(1, Apri);
      quanti = 0;
    }
    Aggiungi(corpo, static_cast<uint32_t>(byte.size()), 2);
    corpo.append(byte.data(), static_cast<qsizetype>(byte.size()));
    ++quanti;
  }
  if (quanti > 0) messaggi.push_back(Incornicia(corpo));
  if (messaggi.empty()) messaggi.push_back(Incornicia(QByteArray(1, Alza)));
  return messaggi;
}

std::optional<std::vector<fs::path>> LeggiConsegna(QByteArrayView corpo) {
  if (corpo.size() == 1 && corpo[0] == Alza) return std::vector<fs::path>{};
  if (corpo.size() < 3 || corpo[0] != Apri) return std::nullopt;
  std::vector<fs::path> file;
  for (qsizetype pos = 1; pos < corpo.size();) {
    if (corpo.size() - pos < 2 || file.size() == MaxFileConsegna) return std::nullopt;
    const uint32_t lunghezza = Numero(corpo, pos, 2);
    pos += 2;
    if (lunghezza == 0 || lunghezza > corpo.size() - pos) return std::nullopt;
    file.emplace_back(std::string(corpo.data() + pos, lunghezza));
    pos += lunghezza;
  }
  return file;
}

QByteArray MessaggioRisposta(const std::vector<EsitoFile>& esiti) {
  QByteArray corpo;
  for (const EsitoFile& esito : esiti) {
    const std::string testo = esito.testo.substr(0, 0xFFFF);
    corpo.append(esito.rifiutato ? '\1' : '\0');
    Aggiungi(corpo, static_cast<uint32_t>(testo.size()), 2);
    corpo.append(testo.data(), static_cast<qsizetype>(testo.size()));
  }
  return Incornicia(corpo);
}

std::optional<std::vector<EsitoFile>> LeggiRisposta(QByteArrayView corpo) {
  std::vector<EsitoFile> esiti;
  for (qsizetype pos = 0; pos < corpo.size();) {
    if (corpo.size() - pos < 3) return std::nullopt;
    EsitoFile esito{corpo[pos] != '\0', {}};
    const uint32_t lunghezza = Numero(corpo, pos + 1, 2);
    pos += 3;
    if (lunghezza > corpo.size() - pos) return std::nullopt;
    esito.testo.assign(corpo.data() + pos, lunghezza);
    pos += lunghezza;
    esiti.push_back(std::move(esito));
  }
  return esiti;
}

EsitoConsegna ConsegnaAlGioco(BloccoIstanza& blocco, const std::vector<fs::path>& file) {
  EsitoConsegna esito;
  std::vector<EsitoFile> portati;
  bool primo = true;
  for (const QByteArray& messaggio : MessaggiConsegna(file)) {
    QLocalSocket socket;
    const QDeadlineTimer ascolto(AttesaAscoltoMs);
    for (;;) {
      socket.connectToServer(blocco.NomeSocket());
      if (socket.waitForConnected(ascolto.remainingTime())) break;
      // The game may be on its way out: then this start is the game.
      if (primo && blocco.Riprova()) return {StatoConsegna::NessunGioco, {}};
      if (ascolto.hasExpired()) return esito;
      QThread::msleep(PausaTentativiMs);
    }
    primo = false;
    socket.write(messaggio);
    const QDeadlineTimer risposta(AttesaRispostaMs);
    while (socket.bytesToWrite() > 0)
      if (!socket.waitForBytesWritten(risposta.remainingTime())) return esito;
    const auto corpo = LeggiMessaggio(socket, risposta, MaxByteRisposta);
    const auto esiti = corpo ? LeggiRisposta(*corpo) : std::nullopt;
    if (!esiti) return esito;
    portati.insert(portati.end(), esiti->begin(), esiti->end());
  }
  esito.stato = StatoConsegna::Consegnata;
  size_t prossimo = 0;
  for (const fs::path& f : file)
    esito.file.push_back(!Portabile(f)               ? EsitoFile{true, "not added: a path too long"}
                         : prossimo < portati.size() ? portati[prossimo++]
                                                     : EsitoFile{true, "not added: no answer"});
  return esito;
}

struct IstanzaUnica::Connessione {
  uint64_t id = 0;
  QLocalSocket* socket = nullptr;  // deleted later by itself
  QByteArray dati;
  uint32_t attesi = 0;  // the body's length, once its 4 bytes have come
  std::optional<std::vector<fs::path>> file;
  bool servita = false;
  QDeadlineTimer scadenza{AttesaMessaggioMs};
};

IstanzaUnica::IstanzaUnica() {
  m_sveglia.setInterval(AttesaMessaggioMs / 5);
  connect(&m_sveglia, &QTimer::timeout, this, [this] {
    for (auto it = m_connessioni.begin(); it != m_connessioni.end();) {
      Connessione& c = *it++;
      if (!c.file && c.scadenza.hasExpired()) Chiudi(c);
    }
  });
}

IstanzaUnica::~IstanzaUnica() {
  // The server takes its sockets with it, after the connections they would report to.
  for (Connessione& c : m_connessioni) c.socket->disconnect(this);
}

bool IstanzaUnica::Ascolta(const QString& nome) {
  QLocalServer::removeServer(nome);
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server.listen(nome)) return false;
  connect(&m_server, &QLocalServer::newConnection, this, &IstanzaUnica::Accetta);
  return true;
}

void IstanzaUnica::Servi(Apri apri, std::function<void()> alza) {
  m_apri = std::move(apri);
  m_alza = std::move(alza);
  for (auto it = m_connessioni.begin(); it != m_connessioni.end();) {
    Connessione& c = *it++;  // answering may close it
    if (c.file && !c.servita) Rispondi(c);
  }
}

IstanzaUnica::Connessione* IstanzaUnica::Trova(uint64_t id) {
  for (Connessione& c : m_connessioni)
    if (c.id == id) return &c;
  return nullptr;
}

void IstanzaUnica::Accetta() {
  while (QLocalSocket* socket = m_server.nextPendingConnection()) {
    // The socket's folder and mode keep others out; the peer's own id says so again.
    struct ucred peer {};
    socklen_t lunghezza = sizeof peer;
    const bool nostro = ::getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET,
                                     SO_PEERCRED, &peer, &lunghezza) == 0 &&
                        peer.uid == ::geteuid();
    // At the limit, the connection that has kept the game waiting longest for its
    // message makes room: idle connections cannot keep a real hand-off out.
    if (nostro && static_cast<int>(m_connessioni.size()) >= MaxConnessioniConsegna) {
      const auto incompleta = std::find_if(m_connessioni.begin(), m_connessioni.end(),
                                           [](const Connessione& c) { return !c.file; });
      if (incompleta != m_connessioni.end()) Chiudi(*incompleta);
    }
    if (!nostro || static_cast<int>(m_connessioni.size()) >= MaxConnessioniConsegna) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    Connessione& c = m_connessioni.emplace_back();
    c.id = ++m_ultimoId;
    c.socket = socket;
    connect(socket, &QLocalSocket::readyRead, this, [this, id = c.id] {
      if (Connessione* trovata = Trova(id)) Leggi(*trovata);
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, id = c.id] {
      // A whole message is still opened when its sender has stopped waiting.
      if (Connessione* trovata = Trova(id); trovata && (!trovata->file || trovata->servita))
        Chiudi(*trovata);
    });
    if (!m_sveglia.isActive()) m_sveglia.start();
    Leggi(c);
  }
}

void IstanzaUnica::Leggi(Connessione& c) {
  if (c.file) return;
  // Each byte is read once and looked at once: a sender that trickles or floods costs
  // no more than what it sent, and no message is longer than the limit.
  if (c.attesi == 0) {
    c.dati += c.socket->read(4 - c.dati.size());
    if (c.dati.size() < 4) return;
    c.attesi = Numero(c.dati, 0, 4);
    c.dati.clear();
    if (c.attesi == 0 || c.attesi > MaxByteConsegna) return Chiudi(c);
    c.dati.reserve(c.attesi);
  }
  c.dati += c.socket->read(c.attesi - c.dati.size());
  if (c.dati.size() < static_cast<qsizetype>(c.attesi)) return;
  c.file = LeggiConsegna(c.dati);
  if (!c.file) return Chiudi(c);
  c.dati.clear();
  if (m_apri) Rispondi(c);
}

void IstanzaUnica::Rispondi(Connessione& c) {
  c.servita = true;
  // Only whole paths are opened: a relative one would be looked for in the game's own
  // working folder, not where the sender meant.
  std::vector<fs::path> assoluti;
  for (const fs::path& f : *c.file)
    if (f.is_absolute()) assoluti.push_back(f);
  const std::vector<EsitoFile> aperti =
      assoluti.empty() ? std::vector<EsitoFile>() : m_apri(assoluti);
  std::vector<EsitoFile> esiti;
  size_t prossimo = 0;
  for (const fs::path& f : *c.file) {
    if (!f.is_absolute())
      esiti.push_back({true, "not added: not an absolute path"});
    else
      esiti.push_back(prossimo < aperti.size() ? aperti[prossimo++] : EsitoFile{});
  }
  if (m_alza) m_alza();
  const uint64_t id = c.id;
  Connessione* ancora = Trova(id);  // opening ran the event loop's turn of the game
  if (!ancora) return;
  if (ancora->socket->state() != QLocalSocket::ConnectedState) return Chiudi(*ancora);
  ancora->socket->write(MessaggioRisposta(esiti));
  ancora->socket->disconnectFromServer();
}

void IstanzaUnica::Chiudi(Connessione& c) {
  for (auto it = m_connessioni.begin(); it != m_connessioni.end(); ++it) {
    if (&*it != &c) continue;
    QLocalSocket* socket = it->socket;
    m_connessioni.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    break;
  }
  if (m_connessioni.empty()) m_sveglia.stop();
}
