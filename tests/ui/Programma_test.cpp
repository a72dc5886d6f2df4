// The skarvex executable as a command-line program: help, version, its answers to bad
// arguments (one line on standard error, a non-zero exit, never a crash), and the
// program folder it starts in.
#include <unistd.h>

#include <QDir>
#include <QRegularExpression>
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

namespace fs = std::filesystem;

// The environment of a game on the offscreen platform, silent; with `primoFrame`, one
// that quits on its first frame.
QProcessEnvironment Ambiente(bool primoFrame = false) {
  // The games' locks go in a runtime folder of this test's, gone when it ends.
  static const QTemporaryDir runtime;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert("QT_QPA_PLATFORM", "offscreen");
  ambiente.insert("SDL_AUDIODRIVER", "dummy");
  ambiente.insert("XDG_RUNTIME_DIR", runtime.path());
  if (primoFrame) ambiente.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");
  return ambiente;
}

// Help, version, bad arguments and a folder that can't be written (which costs the
// saves, not the game): the exit code, standard output (a pattern), and the one line
// on standard error that names the program.
TEST(Programma, AnswersHelpVersionAndBadArgumentsWithOneClearLine) {
  QTemporaryDir cartella;
  const QString file = cartella.filePath("un-file");
  QFile(file).open(QIODevice::WriteOnly);
  struct Caso {
    QStringList argomenti;
    QString errore;
    int stato = 2;
    QString out = {};
  };
  QList<Caso> casi = {
      {{"--help"}, "", 0, "Usage: skarvex(.|\n)*"},
      {{"--version"}, "", 0, "skarvex 1\\.4\n"},
      {{"--fly"}, "skarvex: unknown option '--fly' (see --help)"},
      {{"--headless"}, "skarvex: --headless needs a SCRIPT (a file, or - for standard input)"},
      {{"--headless", "--program-folder", cartella.path(), cartella.filePath("manca.txt")},
       "skarvex: cannot read the script '" + cartella.filePath("manca.txt") + "'"},
      {{"--headless", "--program-folder", cartella.filePath("manca"), "-"},
       "skarvex: program folder '" + cartella.filePath("manca") + "' does not exist"},
      {{"--headless", "--program-folder", file, "-"},
       "skarvex: program folder '" + file + "' is not a folder"}};
  QTemporaryDir sola;
  QStringList soloLettura = {"/proc"};  // not even root makes files there
  if (::geteuid() != 0) {
    QFile::setPermissions(sola.path(), QFile::ReadOwner | QFile::ExeOwner);
    soloLettura << sola.path();
  }
  for (const QString& c : soloLettura)
    casi.append({{"--headless", "--program-folder", c, "-"},
                 "skarvex: program folder '" + c +
                     "' cannot be written: high scores, settings and combinations will not be "
                     "saved",
                 0,
                 "\\{[^\n]*\n"});
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.argomenti.join(' ').toStdString());
    const Uscita u = Esegui(SKARVEX_ESEGUIBILE, c.argomenti, "dump\n");
    EXPECT_EQ(u.stato, c.stato);
    EXPECT_TRUE(
        QRegularExpression(QRegularExpression::anchoredPattern(c.out)).match(u.out).hasMatch())
        << u.out.toStdString();
    EXPECT_EQ(u.err.split('\n').filter(QRegularExpression("^skarvex: ")).join('\n').toStdString(),
              c.errore.toStdString());
  }
  QFile::setPermissions(sola.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What a player sees on the first start of an installed copy: the files in the per-user
// folder, nothing scattered beside the executable. (Every rule of the choice is the
// program folder's own test.)
TEST(Programma, FirstStartPutsTheFilesInThePerUserFolderForAnInstalledCopy) {
  QTemporaryDir radice;
  for (const char* cartella : {"bin", "casa", "share/applications"})
    QDir(radice.path()).mkpath(cartella);
  const QString programma = radice.filePath("bin/skarvex");
  ASSERT_TRUE(QFile::copy(QStringLiteral(SKARVEX_ESEGUIBILE), programma));
  QFile(radice.filePath("share/applications/" SKARVEX_ID_APPLICAZIONE ".desktop"))
      .open(QIODevice::WriteOnly);
  QProcessEnvironment ambiente = Ambiente(true);
  ambiente.insert("HOME", radice.filePath("casa"));
  ambiente.remove("XDG_DATA_HOME");
  const Uscita u = Esegui(programma, {}, {}, ambiente);
  EXPECT_EQ(u.stato, 0) << u.err.toStdString();
  const QDir cartella(radice.filePath("casa/.local/share/skarvex"));
  EXPECT_TRUE(cartella.exists("Record") && cartella.exists("Notturno.skcom"));
  EXPECT_EQ(QDir(radice.filePath("bin")).entryList(QDir::Files), QStringList{"skarvex"});
}

// Started with a combination file, the game paints its playfield before it asks anything
// about the file: the question never stands over a black window.
TEST(Programma, AFileGivenAtStartIsOpenedOnlyOnceThePlayfieldIsPainted) {
  QTemporaryDir cartella, altrove;
  TipoCombinazione c;
  c.Nome = "Blu";
  c.Immagini.fill(std::string(ImmagineDefault));
  const fs::path file = fs::path(altrove.path().toStdString()) / "Blu.skcom";
  ASSERT_TRUE(ScriviFileCombinazione(file, c).ok());
  const Uscita u = Esegui(SKARVEX_ESEGUIBILE,
                          {"--program-folder", cartella.path(), QString::fromStdString(file)}, {},
                          Ambiente(true));
  EXPECT_EQ(u.stato, 0) << u.err.toStdString();
  EXPECT_EQ(u.out, "primo fotogramma\n");
}

// A file of someone else's where the window place is kept is left as it is, and said;
// the game's own, damaged, is replaced. (Which contents are its own and sound is the
// reader's test, and a FIFO or a folder of that name is the file reader's.)
TEST(Programma, AnyFileWhereTheWindowsPlaceIsKeptIsHarmless) {
  for (const auto& [byte, suo] : std::initializer_list<std::pair<std::string, bool>>{
           {"appunti della partita", false},
           {R"({"formato": "skarvex-finestra", "x": "?"})", true}}) {
    QTemporaryDir radice;
    const fs::path file = radice.path().toStdString() + "/Finestra.json";
    ScriviTutto(file, byte);
    const Uscita u =
        Esegui(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()}, {}, Ambiente(true));
    EXPECT_EQ(u.stato, 0) << u.err.toStdString();
    EXPECT_EQ(LeggiTutto(file) == byte, !suo) << byte;
    EXPECT_EQ(u.err.contains("is not the game's own file"), !suo) << u.err.toStdString();
  }
}

// Ctrl+C, kill and a closed terminal end the game as its close box does: with success,
// and with the unpacked music removed. A record file that cannot be read opens a
// message box at start-up, before the event loop runs: the signal must close it too.
TEST(Programma, EachSignalEndsTheGameLikeTheCloseBoxEvenWithADialogOpen) {
  for (const auto& [segnale, dialogo] :
       {std::pair{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGTERM, true}}) {
    SCOPED_TRACE(::testing::Message() << "signal " << segnale << (dialogo ? ", dialog" : ""));
    QTemporaryDir radice;
    const fs::path cartella = radice.path().toStdString();
    // The demo combination, offered on the first start, unpacks its music when applied.
    ASSERT_TRUE(
        ScriviFileScelta(cartella / NomeFileScelta, cartella / "Notturno.skcom", true).ok());
    if (dialogo) {
      ASSERT_EQ(
          Esegui(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()}, {}, Ambiente(true)).stato,
          0);
      fs::remove(cartella / "Record");
      ScriviTutto(cartella / "Record", "\"Anna\"\r\n10\r\n");
    }
    QProcess gioco;
    gioco.setProcessEnvironment(Ambiente());
    gioco.start(SKARVEX_ESEGUIBILE, {"--program-folder", radice.path()});
    const fs::path musica = cartella / "aud0.sktemp";
    for (int i = 0; i < 2000 && !fs::exists(musica); ++i) QThread::msleep(10);
    ASSERT_TRUE(fs::exists(musica));
    QThread::msleep(200);  // on its way to the event loop, or in it
    // It takes about a tenth of a second; the bound only tells a hang from a slow,
    // loaded machine.
    ::kill(static_cast<pid_t>(gioco.processId()), segnale);
    ASSERT_TRUE(gioco.waitForFinished(10000));
    EXPECT_EQ(gioco.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(gioco.exitCode(), 0) << gioco.readAllStandardError().toStdString();
    EXPECT_FALSE(fs::exists(musica));
  }
}

}  // namespace
