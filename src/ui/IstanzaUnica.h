// One game per program folder and user: a second start with files hands them to the
// game already running on that folder, through a local socket, and exits.
#pragma once

#include <QLocalServer>
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

// The socket's name for a program folder: the same for every path that leads to the
// folder, different for another folder or another user.
QString NomeIstanza(const std::filesystem::path& cartella);

enum class Consegna { NessunGioco, Consegnata, NonRisponde };
// Hands the files to the game listening on `nome`. NessunGioco when none is: a socket
// left behind by a game that crashed is removed then, so that this start can listen.
Consegna ConsegnaAlGioco(const QString& nome, const std::vector<std::filesystem::path>& file);

// The running game's side: each file handed over is passed to `apri` from the event
// loop, after the sender has been told it arrived.
class IstanzaUnica final : public QObject {
 public:
  explicit IstanzaUnica(std::function<void(const std::filesystem::path&)> apri)
      : m_apri(std::move(apri)) {}
  bool Ascolta(const QString& nome);

 private:
  QLocalServer m_server;
  std::function<void(const std::filesystem::path&)> m_apri;
};
