// One game per program folder and user. A start takes the folder's lock before it does
// anything else; the start that has it is the game, and listens at once on a local
// socket beside the lock. A start that finds the lock held hands its files to that
// game over the socket (or, with none, asks it to come to the front) and ends.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLocalServer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

// The lock of a program folder for this user: a file in the user's runtime folder
// ($XDG_RUNTIME_DIR, or else a folder of theirs alone under the temporary folder),
// locked with flock while the process lives. The system lets it go however the process
// ends, so a game that crashed never leaves it held.
class BloccoIstanza {
 public:
  enum class Stato { Preso, Occupato, Impossibile };

  explicit BloccoIstanza(const std::filesystem::path& cartella);
  ~BloccoIstanza();
  BloccoIstanza(const BloccoIstanza&) = delete;
  BloccoIstanza& operator=(const BloccoIstanza&) = delete;

  Stato stato() const { return m_stato; }
  // Tries again to take a lock another game held: true once it is ours.
  bool Riprova();
  // The socket the game that holds the lock listens on.
  const QString& NomeSocket() const { return m_socket; }
  // Why there is no lock to take at all (Impossibile).
  const std::string& Errore() const { return m_errore; }

 private:
  Stato m_stato = Stato::Impossibile;
  int m_fd = -1;
  QString m_socket;
  std::string m_errore;
};

// The hand-off's messages, one each way on a connection: a 32-bit little-endian length,
// then as many bytes. A start sends 'R' alone (come to the front) or 'A' and its files,
// each a 16-bit little-endian length and the path's bytes as they are, whatever they
// hold. The game answers with one entry per file: a byte, 1 when it was refused, then a
// 16-bit length and a line of text saying what became of it.
inline constexpr uint32_t MaxByteConsegna = 64 * 1024;
inline constexpr size_t MaxFileConsegna = 256;
// Connections at once (beyond them, the oldest that has not sent its whole message
// makes room); one that has not sent it in this time is closed.
inline constexpr int MaxConnessioniConsegna = 16;
inline constexpr int AttesaMessaggioMs = 5000;

struct EsitoFile {
  bool rifiutato = false;
  std::string testo;
};

// The messages that carry `file`, each within the limits; one 'R' message for none.
std::vector<QByteArray> MessaggiConsegna(const std::vector<std::filesystem::path>& file);
// The files of a message's body ('R': none), or nothing when the body is not well formed.
std::optional<std::vector<std::filesystem::path>> LeggiConsegna(QByteArrayView corpo);
QByteArray MessaggioRisposta(const std::vector<EsitoFile>& esiti);
std::optional<std::vector<EsitoFile>> LeggiRisposta(QByteArrayView corpo);

enum class StatoConsegna {
  Consegnata,
  NessunGioco,  // the game went away meanwhile, and the lock is now this start's
  NonRisponde,
};
struct EsitoConsegna {
  StatoConsegna stato = StatoConsegna::NonRisponde;
  std::vector<EsitoFile> file;
};

// Hands `file` to the game that holds `blocco`, waiting a while for it to listen (it may
// be starting) and to answer.
EsitoConsegna ConsegnaAlGioco(BloccoIstanza& blocco,
                              const std::vector<std::filesystem::path>& file);

// The game's side. It listens as soon as it can and keeps what arrives until it is ready
// to open files; only connections of the same user are taken.
class IstanzaUnica final : public QObject {
 public:
  using Apri = std::function<std::vector<EsitoFile>(const std::vector<std::filesystem::path>&)>;

  IstanzaUnica();
  ~IstanzaUnica() override;
  // A socket file left by a game that crashed is removed first: the lock says no game
  // listens there.
  bool Ascolta(const QString& nome);
  // From now on the files handed over go to `apri`, and every hand-off brings the
  // window up with `alza`; what waited goes first.
  void Servi(Apri apri, std::function<void()> alza);

 private:
  struct Connessione;

  Connessione* Trova(uint64_t id);
  void Accetta();
  void Leggi(Connessione& c);
  void Rispondi(Connessione& c);
  void Chiudi(Connessione& c);

  QLocalServer m_server;
  std::list<Connessione> m_connessioni;
  uint64_t m_ultimoId = 0;
  QTimer m_sveglia;  // closes the connections that keep the game waiting too long
  Apri m_apri;
  std::function<void()> m_alza;
};
