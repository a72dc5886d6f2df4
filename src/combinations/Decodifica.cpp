#include "combinations/Decodifica.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>

Immagine DecodificaImmagine(std::string_view byte, const Vaglio::EsameImmagine& esame) {
  const char* decoder = nullptr;
  switch (esame.formato) {
    case FormatoMedia::JPG:
      decoder = "jpeg";
      break;
    case FormatoMedia::GIF:
      decoder = "gif";
      break;
    case FormatoMedia::BMP:
      decoder = "bmp";
      break;
    case FormatoMedia::PNG:
      decoder = "png";
      break;
    default:
      return {};
  }
  if (esame.rifiuto) return {};
  const QByteArray dati = QByteArray::fromRawData(byte.data(), static_cast<qsizetype>(byte.size()));
  QBuffer sorgente;
  sorgente.setData(dati);
  sorgente.open(QIODevice::ReadOnly);
  QImageReader lettore(&sorgente, decoder);
  lettore.setAutoDetectImageFormat(false);
  lettore.setDecideFormatFromContent(false);
  // A second guard behind the gate's: the decoder's own allocation, in MiB, for the
  // pixels the header announced at four bytes each.
  lettore.setAllocationLimit(static_cast<int>(esame.Pixel() * 4 / Vaglio::MiB + 1));
  QImage immagine = lettore.read();
  if (immagine.isNull()) return {};
  const QByteArray impronta = QCryptographicHash::hash(dati, QCryptographicHash::Sha1);
  return {QStringLiteral("sha1:") + QString::fromLatin1(impronta.toHex().left(12)),
          std::move(immagine)};
}

Immagine DecodificaImmagine(std::string_view byte) {
  return DecodificaImmagine(byte, Vaglio::EsaminaImmagine(byte));
}

QString MotivoRifiuto(const Vaglio::Rifiuto& r, TipoSlot tipo) {
  using Vaglio::Motivo;
  const auto milioni = [](uint64_t n) {
    return QString::number(static_cast<double>(n) / 1e6, 'g', 3);
  };
  const auto mib = [](uint64_t n) {
    return QString::number(static_cast<double>(n) / Vaglio::MiB, 'f',
                           n < 10 * Vaglio::MiB ? 1 : 0) +
           QStringLiteral(" MiB");
  };
  const QString oltre = QStringLiteral(", oltre il limite di ");
  switch (r.motivo) {
    case Motivo::Formato:
      switch (tipo) {
        case TipoSlot::Immagine:
          return QStringLiteral("non è un'immagine JPG, GIF o BMP");
        case TipoSlot::Suono:
          return QStringLiteral("non è un file audio WAV (la musica anche MP3 o MID)");
        case TipoSlot::Font:
          return QStringLiteral("non è un file di font TTF, OTF o FON");
      }
      return {};
    case Motivo::Danneggiato:
      return QStringLiteral("file danneggiato");
    case Motivo::Pixel:
      return QStringLiteral("immagine di %1 milioni di pixel").arg(milioni(r.valore)) + oltre +
             QStringLiteral("%1 milioni per immagine").arg(milioni(r.limite));
    case Motivo::PixelCombinazione:
      return QStringLiteral("con essa le immagini arrivano a %1 milioni di pixel")
                 .arg(milioni(r.valore)) +
             oltre + QStringLiteral("%1 milioni per combinazione").arg(milioni(r.limite));
    case Motivo::Scansioni:
      return QStringLiteral("JPEG progressivo di oltre %1 passate").arg(r.limite);
    case Motivo::Effetto:
      return QStringLiteral("decodificato occuperebbe ") + mib(r.valore) + oltre + mib(r.limite) +
             QStringLiteral(" per effetto");
    case Motivo::Effetti:
      return QStringLiteral("con esso gli effetti occuperebbero ") + mib(r.valore) + oltre +
             mib(r.limite) + QStringLiteral(" per combinazione");
    case Motivo::Midi:
    case Motivo::Font:
      return (r.motivo == Motivo::Midi ? QStringLiteral("file MIDI di ")
                                       : QStringLiteral("file di ")) +
             mib(r.valore) + oltre + mib(r.limite);
    case Motivo::SegmentiJpeg:
      return QStringLiteral("JPEG di oltre %1 segmenti di metadati o commenti").arg(r.limite);
    case Motivo::ByteSegmentiJpeg:
      return QStringLiteral("JPEG con oltre ") + mib(r.limite) +
             QStringLiteral(" di metadati o commenti");
    case Motivo::PrecisioneJpeg:
      return QStringLiteral("JPEG a %1 bit per campione (si leggono solo a %2)")
          .arg(r.valore)
          .arg(r.limite);
    case Motivo::ProcessoJpeg:
      return QStringLiteral("JPEG senza perdita o gerarchico, che non si può leggere");
    case Motivo::IntestazioneBmp:
    case Motivo::CompressioneBmp:
      return QStringLiteral("variante di BMP che non si può leggere");
    case Motivo::PaletteMancante:
      return QStringLiteral("PNG a colori indicizzati senza tavolozza");
    case Motivo::NoteTenute:
    case Motivo::NoteTenuteCanale:
      return QStringLiteral("MIDI che tiene %1 note insieme%2")
                 .arg(r.valore)
                 .arg(r.motivo == Motivo::NoteTenuteCanale ? QStringLiteral(" su un canale")
                                                           : QString()) +
             oltre + QString::number(r.limite);
    case Motivo::NoteAlSecondo:
      return QStringLiteral("MIDI che suona %1 note in un secondo").arg(r.valore) + oltre +
             QString::number(r.limite);
  }
  return {};
}
