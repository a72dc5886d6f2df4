#include "game/Gioco.h"

Gioco::Gioco(std::filesystem::path cartellaProgramma, Orologio& orologio_, Dialoghi& dialoghi_,
             Audio& audio_, Finestre& finestre_)
    : CartellaProgramma(std::move(cartellaProgramma)),
      orologio(orologio_),
      dialoghi(dialoghi_),
      audio(audio_),
      finestre(finestre_) {}

QString Firma() {
  return QStringLiteral("SKARVEX - by Dorvanel  Ver. %1.%2")
      .arg(VersioneMaggiore)
      .arg(VersioneMinore);
}
