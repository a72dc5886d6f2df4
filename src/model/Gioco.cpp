#include "model/Gioco.h"

Gioco::Gioco(std::filesystem::path cartellaProgramma, Orologio& orologio_, Dialoghi& dialoghi_,
             Audio& audio_, Finestre& finestre_, Fonts& fonts_, ChiamateFile& chiamateFile_)
    : CartellaProgramma(std::move(cartellaProgramma)),
      orologio(orologio_),
      dialoghi(dialoghi_),
      audio(audio_),
      finestre(finestre_),
      fonts(fonts_),
      chiamateFile(chiamateFile_) {}

QString Firma(int spazi) {
  return QStringLiteral("SKARVEX - by Dorvanel") + QString(spazi, QLatin1Char(' ')) +
         QStringLiteral("Ver. %1.%2").arg(VersioneMaggiore).arg(VersioneMinore);
}

QString AvvisoInutilizzabili(const QString& combinazione, const QString& cosa,
                             const QString& prima) {
  QStringList frasi;
  if (!prima.isEmpty()) frasi << prima;
  if (!cosa.isEmpty())
    frasi << QStringLiteral("Della combinazione %1 non si possono usare: %2.")
                 .arg(combinazione, cosa);
  frasi << QStringLiteral("Al loro posto restano le immagini predefinite o il silenzio.");
  return frasi.join(QLatin1Char(' '));
}

QString Didascalia(const QString& combinazione, const std::optional<QString>& autore, int spazi,
                   const QString& finestra) {
  QString didascalia = finestra + Firma(spazi) + QStringLiteral(" Combinazione: ") + combinazione;
  if (autore) didascalia += QStringLiteral(" by ") + *autore;
  return didascalia;
}
