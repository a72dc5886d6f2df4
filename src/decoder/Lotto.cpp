#include "decoder/Lotto.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "codec/FileMedia.h"

using namespace ProtocolloDecodifica;

namespace {

// Set by the message handler when the decoder of this thread's picture ran out of the
// memory it was allowed.
thread_local bool t_memoriaEsaurita = false;

}  // namespace

void NotaMessaggio(QtMsgType, const QMessageLogContext&, const QString& testo) {
  if (testo.contains(QLatin1String("out of memory")) ||
      testo.contains(QLatin1String("allocation limit")))
    t_memoriaEsaurita = true;
}

namespace {

const char* Decoder(uint32_t formato) {
  switch (static_cast<FormatoMedia>(formato)) {
    case FormatoMedia::JPG:
      return "jpeg";
    case FormatoMedia::GIF:
      return "gif";
    case FormatoMedia::BMP:
      return "bmp";
    case FormatoMedia::PNG:
      return "png";
    default:
      return nullptr;
  }
}

// What decoding a picture is taken to need: its bytes, the decoder's own image, and 8
// bytes a pixel more for the decoder's working buffers (a progressive JPEG's
// coefficients) and the bands converted for sending.
uint64_t Stima(const Voce& voce) {
  return voce.byte + uint64_t{voce.larghezza} * voce.altezza * (voce.bytePerPixel + 8);
}

// The rows a conversion takes at once: few enough pixels that Qt converts them in this
// thread.
constexpr int PixelPerBanda = 65536;

}  // namespace

void Leggi(void* dove, size_t n) {
  auto* p = static_cast<char*>(dove);
  while (n > 0) {
    const ssize_t letti = read(0, p, n);
    if (letti <= 0) _exit(1);
    p += letti;
    n -= static_cast<size_t>(letti);
  }
}

void Scrivi(const void* cosa, size_t n) {
  const auto* p = static_cast<const char*>(cosa);
  while (n > 0) {
    const ssize_t scritti = write(1, p, n);
    if (scritti <= 0) _exit(1);
    p += scritti;
    n -= static_cast<size_t>(scritti);
  }
}

void Lotto::Lavora() {
  Voce voce;
  std::string byte;
  uint64_t stima = 0;
  while (Prendi(voce, byte, stima)) {
    Provoca(voce.slot);
    Decodifica(voce, byte);
    std::string().swap(byte);
    Rilascia(stima);
  }
}

void Lotto::Finisci() {
  Invia({Fine});
}

bool Lotto::Prendi(Voce& voce, std::string& byte, uint64_t& stima) {
  const std::lock_guard lettura(m_lettura);
  if (m_rimaste == 0) return false;
  --m_rimaste;
  Leggi(&voce, sizeof voce);
  stima = Stima(voce);
  {
    std::unique_lock memoria(m_memoria);
    m_liberata.wait(memoria, [&] { return m_inUso == 0 || m_inUso + stima <= MemoriaLavoro; });
    m_inUso += stima;
  }
  byte.resize(voce.byte);
  Leggi(byte.data(), byte.size());
  // Said while no other worker can take a picture: the game hears of them in the order
  // it sent them.
  Invia({Inizio, voce.slot});
  return true;
}

void Lotto::Rilascia(uint64_t stima) {
  {
    const std::lock_guard memoria(m_memoria);
    m_inUso -= stima;
  }
  m_liberata.notify_all();
}

void Lotto::Decodifica(const Voce& voce, const std::string& byte) {
  const char* decoder = Decoder(voce.formato);
  if (!decoder) return Invia({Rifiuto, voce.slot, 0, 0, NonDecodificabile});
  QBuffer sorgente;
  sorgente.setData(QByteArray::fromRawData(byte.data(), static_cast<qsizetype>(byte.size())));
  sorgente.open(QIODevice::ReadOnly);
  // Exactly the decoder of the kind the gate recognised, never one chosen by looking
  // at the bytes again.
  QImageReader lettore(&sorgente, decoder);
  lettore.setAutoDetectImageFormat(false);
  lettore.setDecideFormatFromContent(false);
  t_memoriaEsaurita = false;
  const QImage immagine = lettore.read();
  if (immagine.isNull()) {
    const Causa causa = t_memoriaEsaurita ? Memoria
                        : lettore.error() == QImageReader::UnsupportedFormatError
                            ? DecoderMancante
                            : NonDecodificabile;
    return Invia({Rifiuto, voce.slot, 0, 0, causa});
  }

  // A picture larger than its header said is not the picture the gate measured.
  if (uint64_t{static_cast<uint32_t>(immagine.width())} * static_cast<uint32_t>(immagine.height()) >
      uint64_t{voce.larghezza} * voce.altezza)
    return Invia({Rifiuto, voce.slot, 0, 0, NonDecodificabile});

  const bool alfa = immagine.hasAlphaChannel();
  const QImage::Format formato = alfa ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  const int larghezza = immagine.width(), altezza = immagine.height();
  const std::lock_guard scrittura(m_scrittura);
  const Messaggio pixel{Pixel, voce.slot, static_cast<uint32_t>(larghezza),
                        static_cast<uint32_t>(altezza), alfa ? 1u : 0u};
  Scrivi(&pixel, sizeof pixel);
  if (!m_pixel) return;
  const size_t riga = static_cast<size_t>(larghezza) * 4;
  if (immagine.format() == formato && static_cast<size_t>(immagine.bytesPerLine()) == riga)
    return Scrivi(immagine.constBits(), riga * static_cast<size_t>(altezza));
  // Converted a band at a time: never a second whole copy of a large picture. A
  // 32-bit band's rows follow each other with no padding.
  const int righe = std::max(1, PixelPerBanda / larghezza);
  for (int y = 0; y < altezza; y += righe) {
    const QImage banda =
        immagine.copy(0, y, larghezza, std::min(righe, altezza - y)).convertToFormat(formato);
    Scrivi(banda.constBits(), riga * static_cast<size_t>(banda.height()));
  }
}

void Lotto::Invia(const Messaggio& messaggio) {
  const std::lock_guard scrittura(m_scrittura);
  Scrivi(&messaggio, sizeof messaggio);
}

// The test's switch: the ways a hostile picture could end a decoder.
void Lotto::Provoca(uint32_t slot) const {
  if (m_guasto.tipo == Guasto::Tipo::Nessuno || m_guasto.slot != slot) return;
  switch (m_guasto.tipo) {
    case Guasto::Tipo::Crollo:
      std::raise(SIGSEGV);
      break;
    case Guasto::Tipo::Stallo: {
      volatile bool sempre = true;
      while (sempre) {
      }
      break;
    }
    case Guasto::Tipo::Memoria: {
      std::vector<std::unique_ptr<char[]>> presi;
      for (;;) {
        presi.push_back(std::make_unique<char[]>(16 * MiB));
        std::memset(presi.back().get(), 1, 16 * MiB);
      }
    }
    case Guasto::Tipo::Nessuno:
      break;
  }
}
