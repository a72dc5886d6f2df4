// A program run to its end on some standard input, for the tests of the executables.
#pragma once

#include <QProcess>

struct Uscita {
  int stato;  // the exit code; -1 when it crashed or had not ended after a minute
  QString out, err;
};

inline Uscita Esegui(
    const QString& programma, const QStringList& argomenti, const QByteArray& ingresso = {},
    const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(ambiente);
  p.start(programma, argomenti);
  p.write(ingresso);
  p.closeWriteChannel();
  const bool finito = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit;
  return {finito ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}
