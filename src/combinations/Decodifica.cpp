#include "combinations/Decodifica.h"

#include <QCryptographicHash>
#include <QImage>

#include "codec/ProtocolloDecodifica.h"

QByteArray ImprontaCompleta(std::string_view byte) {
  return QCryptographicHash::hash(
      QByteArray::fromRawData(byte.data(), static_cast<qsizetype>(byte.size())),
      QCryptographicHash::Sha1);
}

QString ImprontaBreve(std::span<const unsigned char, 20> sha1) {
  const QByteArray hash(reinterpret_cast<const char*>(sha1.data()),
                        static_cast<qsizetype>(sha1.size()));
  return QStringLiteral("sha1:") + QString::fromLatin1(hash.toHex().left(12));
}

namespace {

QString Impronta(std::string_view byte) {
  const QByteArray hash = ImprontaCompleta(byte);
  return ImprontaBreve(std::span<const unsigned char, 20>(
      reinterpret_cast<const unsigned char*>(hash.constData()), 20));
}

// The child's rows become the picture's own, without a copy.
QImage Dati(DecodificaEsterna::Pixel pixel) {
  unsigned char* byte = pixel.byte.release();
  return QImage(
      byte, static_cast<int>(pixel.larghezza), static_cast<int>(pixel.altezza),
      static_cast<qsizetype>(pixel.larghezza) * 4,
      pixel.alfa ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32,
      [](void* dati) { delete[] static_cast<unsigned char*>(dati); }, byte);
}

}  // namespace

std::vector<ImmagineDecodificata> DecodificaImmagini(
    std::span<const DecodificaEsterna::Voce> voci) {
  std::vector<DecodificaEsterna::EsitoSlot> esiti = DecodificaEsterna::Decodifica(voci);
  std::vector<ImmagineDecodificata> immagini;
  immagini.reserve(esiti.size());
  for (size_t i = 0; i < esiti.size(); ++i) {
    if (auto* pixel = std::get_if<DecodificaEsterna::Pixel>(&esiti[i]))
      immagini.emplace_back(std::in_place_type<Immagine>,
                            Immagine{Impronta(voci[i].byte), Dati(std::move(*pixel))});
    else
      immagini.emplace_back(std::in_place_type<DecodificaEsterna::Motivo>,
                            std::get<DecodificaEsterna::Motivo>(esiti[i]));
  }
  return immagini;
}

Immagine DecodificaImmagine(std::string_view byte, const Vaglio::EsameImmagine& esame) {
  if (esame.rifiuto) return {};
  const DecodificaEsterna::Voce voce{0, byte, esame};
  ImmagineDecodificata immagine = std::move(DecodificaImmagini({&voce, 1}).front());
  if (Immagine* decodificata = std::get_if<Immagine>(&immagine)) return std::move(*decodificata);
  return {};
}

Immagine DecodificaImmagine(std::string_view byte) {
  return DecodificaImmagine(byte, Vaglio::EsaminaImmagine(byte));
}

QString MotivoDecodifica(DecodificaEsterna::Motivo motivo) {
  using DecodificaEsterna::Motivo;
  switch (motivo) {
    case Motivo::NonDecodificabile:
      return QStringLiteral("immagine illeggibile");
    case Motivo::Memoria:
      return QStringLiteral("la decodifica ha superato il limite di memoria");
    case Motivo::Interrotto:
      return QStringLiteral("il decodificatore si è interrotto");
    case Motivo::Tempo:
      return QStringLiteral("la decodifica ha superato il tempo di %1 s")
          .arg(ProtocolloDecodifica::SecondiSlot);
    case Motivo::TempoTotale:
      return QStringLiteral("la decodifica delle immagini ha superato il tempo di %1 s")
          .arg(ProtocolloDecodifica::SecondiTotali);
    case Motivo::Mancante:
      return QStringLiteral("manca il programma che decodifica le immagini (%1)")
          .arg(QLatin1String(ProtocolloDecodifica::NomeEseguibile));
  }
  return {};
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
      return QStringLiteral("JPEG a %1 bit per campione, se ne leggono solo a %2")
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
