// The skarvex executable as a command-line program: help, version, its answers to bad
// arguments (one line on standard error, a non-zero exit, never a crash), and the
// program folder it starts in.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "codec/Combinazione.h"
#include "codec/Impostazioni.h"
#include "support/File.h"
#include "support/Processo.h"

namespace {

Uscita Lancia(const QStringList& argomenti, const QByteArray& ingresso = {}) {
  return Esegui(SKARVEX_ESEGUIBILE, argomenti, ingresso);
}

// The message of a failing run: its one line that names the program.
QString Errore(const Uscita& u) {
  for (const QString& riga : u.err.split('\n')) {
    if (riga.startsWith("skarvex: ")) return riga;
  }
  return u.err;
}

TEST(Programma, AnswersHelpAndVersion) {
  const Uscita aiuto = Lancia({"--help"});
  EXPECT_EQ(aiuto.stato, 0);
  EXPECT_TRUE(aiuto.out.startsWith("Usage: skarvex"));
  const Uscita versione = Lancia({"--version"});
  EXPECT_EQ(versione.stato, 0);
  EXPECT_EQ(versione.out, "skarvex 1.4\n");
}

TEST(Programma, RefusesBadArgumentsWithOneClearLine) {
  QTemporaryDir cartella;
  const QString file = cartella.filePath("un-file");
  QFile(file).open(QIODevice::WriteOnly);
  const std::pair<QStringList, QString> casi[] = {
      {{"--fly"}, "skarvex: unknown option '--fly' (see --help)"},
      {{"--headless"}, "skarvex: --headless needs a SCRIPT (a file, or - for standard input)"},
      {{"--headless", "--program-folder", cartella.path(), cartella.filePath("manca.txt")},
       "skarvex: cannot read the script '" + cartella.filePath("manca.txt") + "'"},
      {{"--headless", "--program-folder", cartella.filePath("manca"), "-"},
       "skarvex: program folder '" + cartella.filePath("manca") + "' does not exist"},
      {{"--headless", "--program-folder", file, "-"},
       "skarvex: program folder '" + file + "' is not a folder"}};
  for (const auto& [argomenti, messaggio] : casi) {
    const Uscita u = Lancia(argomenti);
    EXPECT_EQ(u.stato, 2) << argomenti.join(' ').toStdString();
    EXPECT_EQ(Errore(u), messaggio);
    EXPECT_TRUE(u.out.isEmpty());
  }
}

// What a player sees on the first start of an installed copy, of a portable one beside
// its own files, and with XDG_DATA_HOME set or not.
TEST(Programma, FirstStartPutsTheFilesInThePerUserFolderOnlyForAnInstalledCopy) {
  struct Caso {
    bool installata;
    const char* xdg;  // XDG_DATA_HOME below the temporary folder, or unset
    const char* cartella;
  };
  for (const Caso& c :
       {Caso{true, nullptr, "casa/.local/share/skarvex"},
        Caso{true, "dati/utente", "dati/utente/skarvex"}, Caso{false, "dati/utente", "bin"}}) {
    SCOPED_TRACE(c.cartella);
    QTemporaryDir radice;
    for (const char* cartella : {"bin", "casa", "share/applications"})
      QDir(radice.path()).mkpath(cartella);
    const QString programma = radice.filePath("bin/skarvex");
    ASSERT_TRUE(QFile::copy(QStringLiteral(SKARVEX_ESEGUIBILE), programma));
    if (c.installata)
      QFile(radice.filePath("share/applications/" SKARVEX_ID_APPLICAZIONE ".desktop"))
          .open(QIODevice::WriteOnly);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("HOME", radice.filePath("casa"));
    ambiente.remove("XDG_DATA_HOME");
    if (c.xdg) ambiente.insert("XDG_DATA_HOME", radice.filePath(c.xdg));
    ambiente.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");

    const Uscita u = Esegui(programma, {}, {}, ambiente);
    EXPECT_EQ(u.stato, 0) << u.err.toStdString();
    const QDir cartella(radice.filePath(c.cartella));
    EXPECT_TRUE(cartella.exists("Record"));
    EXPECT_TRUE(cartella.exists("Notturno.skcom"));
    if (c.installata) {  // nothing is scattered beside the executable
      EXPECT_EQ(QDir(radice.filePath("bin")).entryList(QDir::Files), QStringList{"skarvex"});
    }
  }
}

// A folder that can't be written costs the saves, not the game: one line says so.
TEST(Programma, StartsInAFolderItCannotWriteAndSaysSo) {
  QStringList cartelle = {"/proc"};  // not even root makes files there
  QTemporaryDir sola;
  if (::geteuid() != 0) {
    QFile::setPermissions(sola.path(), QFile::ReadOwner | QFile::ExeOwner);
    cartelle << sola.path();
  }
  for (const QString& cartella : cartelle) {
    const Uscita u = Lancia({"--headless", "--program-folder", cartella, "-"}, "dump\n");
    EXPECT_EQ(u.stato, 0) << u.err.toStdString();
    EXPECT_EQ(u.out.count('\n'), 1);
    EXPECT_EQ(Errore(u).toStdString(),
              "skarvex: program folder '" + cartella.toStdString() +
                  "' cannot be written: high scores, settings and combinations will not be saved");
  }
  QFile::setPermissions(sola.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Whatever lies in the folder under the name of the remembered window place, the game
// starts and ends as usual; it replaces only its own file, damaged or not.
TEST(Programma, AnyFileWhereTheWindowsPlaceIsKeptIsHarmless) {
  struct Caso {
    const char* nome;
    std::string byte;  // written as a file; "fifo" and "cartella" make those instead
    bool nostro;
  };
  const std::string nostro = R"({"formato": "skarvex-finestra", "versione": 1, )";
  for (const Caso& c : {
           Caso{"a player's notes", "appunti della partita", false},
           Caso{"too large", nostro + std::string(1 << 20, ' ') + "}", false},
           Caso{"a FIFO", "fifo", false},
           Caso{"a folder", "cartella", false},
           Caso{"absurd figures", nostro + R"("x": -2147483648, "y": 1e308, "larghezza": 0,
                "altezza": 99999999999, "massimizzata": true, "schermoIntero": false})",
                true},
           Caso{"off every screen",
                nostro + R"("x": 900000, "y": -900000, "larghezza": 200000, "altezza": 1,
                "massimizzata": false, "schermoIntero": false})",
                true},
       }) {
    SCOPED_TRACE(c.nome);
    QTemporaryDir radice;
    const std::filesystem::path file = radice.path().toStdString() + "/Finestra.json";
    if (c.byte == "fifo")
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    else if (c.byte == "cartella")
      std::filesystem::create_directory(file);
    else
      ScriviTutto(file, c.byte);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");
    const Uscita u = Esegui(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()}, {}, ambiente);
    EXPECT_EQ(u.stato, 0) << u.err.toStdString();
    if (c.nostro) {
      EXPECT_NE(LeggiTutto(file), c.byte);
    } else if (std::filesystem::is_regular_file(file)) {
      EXPECT_EQ(LeggiTutto(file), c.byte);
    }
    EXPECT_EQ(u.err.contains("is not the game's own file"), !c.nostro) << u.err.toStdString();
  }
}

// Ctrl+C, kill and a closed terminal end the game as its close box does: with success,
// and with the unpacked music removed. A record file that cannot be read
// opens a message box at start-up, before the event loop runs: the signal must close
// it too.
TEST(Programma, EachSignalEndsTheGameLikeTheCloseBoxEvenWithADialogOpen) {
  struct Caso {
    int segnale;
    bool dialogo;
  };
  for (const Caso c :
       {Caso{SIGINT, false}, Caso{SIGTERM, false}, Caso{SIGHUP, false}, Caso{SIGTERM, true}}) {
    SCOPED_TRACE(::testing::Message() << "signal " << c.segnale << (c.dialogo ? ", dialog" : ""));
    QTemporaryDir radice;
    const std::filesystem::path cartella = radice.path().toStdString();
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    ambiente.insert("SDL_AUDIODRIVER", "dummy");
    // The demo combination, offered on the first start, unpacks its music when applied.
    ASSERT_TRUE(
        ScriviFileScelta(cartella / NomeFileScelta, cartella / "Notturno.skcom", true).ok());
    if (c.dialogo) {
      QProcessEnvironment primaVolta = ambiente;
      primaVolta.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");
      ASSERT_EQ(
          Esegui(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()}, {}, primaVolta).stato, 0);
      std::filesystem::remove(cartella / "Record");
      ScriviTutto(cartella / "Record", "\"Anna\"\r\n10\r\n");
    }
    QProcess gioco;
    gioco.setProcessEnvironment(ambiente);
    gioco.start(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()});
    const std::filesystem::path musica = cartella / "aud0.sktemp";
    QElapsedTimer tempo;
    tempo.start();
    while (!std::filesystem::exists(musica) && tempo.elapsed() < 20000) QThread::msleep(10);
    ASSERT_TRUE(std::filesystem::exists(musica));
    QThread::msleep(200);  // on its way to the event loop, or in it

    // It takes about a tenth of a second; the bound only tells a hang from a slow,
    // loaded machine.
    ::kill(static_cast<pid_t>(gioco.processId()), c.segnale);
    ASSERT_TRUE(gioco.waitForFinished(10000));
    EXPECT_EQ(gioco.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(gioco.exitCode(), 0) << gioco.readAllStandardError().toStdString();
    EXPECT_FALSE(std::filesystem::exists(musica));
  }
}

// One game per program folder: a second start with a combination file hands it to the
// game already running there and exits at once.
TEST(Programma, ASecondStartWithAFileHandsItToTheRunningGame) {
  QTemporaryDir radice, altrove, runtime;
  const std::filesystem::path cartella = radice.path().toStdString();
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert("QT_QPA_PLATFORM", "offscreen");
  ambiente.insert("SDL_AUDIODRIVER", "dummy");
  ambiente.insert("XDG_RUNTIME_DIR", runtime.path());
  // Whether a game answers on the folder's socket, within 20 seconds.
  const auto risponde = [&runtime] {
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < 20000) {
      for (const QString& nome : QDir(runtime.path()).entryList({"skarvex-*"}, QDir::System)) {
        QLocalSocket prova;
        prova.connectToServer(runtime.filePath(nome));
        if (prova.waitForConnected(100)) return true;
      }
      QThread::msleep(20);
    }
    return false;
  };
  // A game that crashed leaves its socket behind; the next one still listens.
  QProcess gioco;
  gioco.setProcessEnvironment(ambiente);
  gioco.start(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()});
  ASSERT_TRUE(risponde());
  gioco.kill();
  ASSERT_TRUE(gioco.waitForFinished(10000));
  ASSERT_FALSE(QDir(runtime.path()).entryList({"skarvex-*"}, QDir::System).isEmpty());
  gioco.start(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()});
  ASSERT_TRUE(risponde());

  TipoCombinazione c;
  c.Nome = "Blu";
  c.Immagini.fill(std::string(ImmagineDefault));
  const std::filesystem::path file =
      std::filesystem::path(altrove.path().toStdString()) / "x.skcom";
  ASSERT_TRUE(ScriviFileCombinazione(file, c).ok());
  QProcess secondo;
  secondo.setProcessEnvironment(ambiente);
  QElapsedTimer tempo;
  tempo.start();
  secondo.start(SKARVEX_ESEGUIBILE,
                {"--program-folder", radice.path(), QString::fromStdString(file.string())});
  ASSERT_TRUE(secondo.waitForFinished(10000));
  EXPECT_EQ(secondo.exitCode(), 0) << secondo.readAllStandardError().toStdString();
  // The running game copies it (and then asks, between games, whether to use it).
  while (!std::filesystem::exists(cartella / "Blu.skcom") && tempo.elapsed() < 10000)
    QThread::msleep(10);
  EXPECT_EQ(LeggiTutto(cartella / "Blu.skcom"), LeggiTutto(file));

  ::kill(static_cast<pid_t>(gioco.processId()), SIGTERM);
  ASSERT_TRUE(gioco.waitForFinished(10000));
  EXPECT_EQ(gioco.exitCode(), 0) << gioco.readAllStandardError().toStdString();
}

}  // namespace
