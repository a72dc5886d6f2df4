#include "ui/Demo.h"

#include <QFile>
#include <QString>

// Q_INIT_RESOURCE must be named outside any namespace; the resource lives in a static
// library, so nothing would pull it into the program without this call.
static bool InizializzaRisorseDemo() {
  Q_INIT_RESOURCE(demo);
  return true;
}

QByteArray CombinazioneDemo() {
  static const bool pronte = InizializzaRisorseDemo();
  QFile file(QStringLiteral(":/demo/") + QLatin1String(NomeFileDemo));
  if (!pronte || !file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}
