// The skarvex executable as a command-line program: help, version and its answers
// to bad arguments (one line on standard error, a non-zero exit, never a crash).
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Uscita {
  int stato;
  QString out;
  QString err;
};

Uscita Lancia(const QStringList& argomenti, const QByteArray& ingresso = {}) {
  QProcess p;
  p.start(QStringLiteral(SKARVEX_ESEGUIBILE), argomenti);
  p.write(ingresso);
  p.closeWriteChannel();
  p.waitForFinished(20000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
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
       "skarvex: program folder '" + file + "' is not a folder"},
      {{"--headless", "--program-folder", "/proc", "-"},
       "skarvex: program folder '/proc' cannot be written"},
  };
  for (const auto& [argomenti, messaggio] : casi) {
    const Uscita u = Lancia(argomenti);
    EXPECT_EQ(u.stato, 2) << argomenti.join(' ').toStdString();
    EXPECT_EQ(Errore(u), messaggio);
    EXPECT_TRUE(u.out.isEmpty());
  }
}

TEST(Programma, RunsAScriptFromStandardInputInTheFolderGiven) {
  QTemporaryDir cartella;
  const Uscita u = Lancia({"--headless", "--program-folder", cartella.path(), "-"}, "dump\nbad\n");
  EXPECT_EQ(u.stato, 1);
  EXPECT_EQ(u.out.count('\n'), 1);
  EXPECT_TRUE(u.err.contains("line 2: unknown command 'bad'"));
  EXPECT_TRUE(QFile::exists(cartella.filePath("Record")));
}

}  // namespace
