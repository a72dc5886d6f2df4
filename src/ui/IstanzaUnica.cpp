#include "ui/IstanzaUnica.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <unistd.h>

namespace {

// A file per line, the line in UTF-8; the game answers one byte once it has the list.
constexpr char Ricevuto = '+';
constexpr int AttesaMs = 3000;

}  // namespace

QString NomeIstanza(const std::filesystem::path& cartella) {
  std::error_code ec;
  std::filesystem::path canonica = std::filesystem::canonical(cartella, ec);
  if (ec) canonica = cartella;
  const QByteArray impronta = QCryptographicHash::hash(QByteArray::fromStdString(canonica.string()),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .left(16);
  // The user's runtime folder is theirs alone; the shared temporary folder needs the
  // user in the name.
  QString dove = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString nome = QStringLiteral("skarvex-") + QString::fromLatin1(impronta);
  if (dove.isEmpty()) {
    dove = QDir::tempPath();
    nome = QStringLiteral("skarvex-%1-").arg(getuid()) + QString::fromLatin1(impronta);
  }
  return QDir(dove).filePath(nome);
}

Consegna ConsegnaAlGioco(const QString& nome, const std::vector<std::filesystem::path>& file) {
  QLocalSocket socket;
  socket.connectToServer(nome);
  if (!socket.waitForConnected(AttesaMs)) {
    QLocalServer::removeServer(nome);
    return Consegna::NessunGioco;
  }
  QByteArray elenco;
  for (const auto& f : file) elenco += QByteArray::fromStdString(f.string()) + '\n';
  elenco += '\n';  // the end of the list
  socket.write(elenco);
  if (!socket.waitForBytesWritten(AttesaMs) || !socket.waitForReadyRead(AttesaMs) ||
      socket.read(1) != QByteArray(1, Ricevuto))
    return Consegna::NonRisponde;
  return Consegna::Consegnata;
}

bool IstanzaUnica::Ascolta(const QString& nome) {
  // Listening would take the name over even from a live game: a game that answers
  // keeps it. One that does not was left by a game that crashed, and is removed.
  QLocalSocket prova;
  prova.connectToServer(nome);
  if (prova.waitForConnected(AttesaMs)) return false;
  QLocalServer::removeServer(nome);
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server.listen(nome)) return false;
  connect(&m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // Only a whole list, ended by an empty line, is taken.
        if (!socket->peek(socket->bytesAvailable()).contains("\n\n") && socket->peek(1) != "\n")
          return;
        std::vector<std::filesystem::path> file;
        while (socket->canReadLine()) {
          const QByteArray riga = socket->readLine().chopped(1);
          if (riga.isEmpty()) break;
          file.emplace_back(riga.toStdString());
        }
        socket->write(QByteArray(1, Ricevuto));
        socket->flush();
        // Opened from the event loop, not inside this read: opening may ask questions.
        for (const auto& f : file) QTimer::singleShot(0, this, [this, f] { m_apri(f); });
      });
    }
  });
  return true;
}
