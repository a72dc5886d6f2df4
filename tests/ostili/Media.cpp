#include "ostili/Media.h"

#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

using namespace std::string_literals;

std::string Piccolo(uint64_t valore, int quanti) {
  std::string byte;
  for (int i = 0; i < quanti; ++i) byte.push_back(static_cast<char>((valore >> (8 * i)) & 0xFF));
  return byte;
}

std::string Grande(uint64_t valore, int quanti) {
  const std::string byte = Piccolo(valore, quanti);
  return {byte.rbegin(), byte.rend()};
}

std::string Casuali(size_t quanti, uint32_t seme) {
  std::string byte(quanti, '\0');
  for (char& b : byte) {
    seme ^= seme << 13;
    seme ^= seme >> 17;
    seme ^= seme << 5;
    b = static_cast<char>(seme & 0xFF);
  }
  return byte;
}

std::string Bmp(int32_t larghezza, int32_t altezza) {
  const uint32_t riga = (static_cast<uint32_t>(larghezza) * 3 + 3) / 4 * 4;
  const uint32_t pixel = riga * static_cast<uint32_t>(altezza);
  const bool piccola = pixel <= 4096;
  std::string byte = "BM" + Piccolo(54 + pixel, 4) + Piccolo(0, 4) + Piccolo(54, 4);
  byte += Piccolo(40, 4) + Piccolo(static_cast<uint32_t>(larghezza), 4) +
          Piccolo(static_cast<uint32_t>(altezza), 4) + Piccolo(1, 2) + Piccolo(24, 2) +
          Piccolo(0, 4) + Piccolo(pixel, 4) + Piccolo(2835, 4) + Piccolo(2835, 4) + Piccolo(0, 8);
  return byte + (piccola ? Casuali(pixel, 7) : Casuali(64, 7));
}

std::string Gif(uint16_t lato) {
  return "GIF89a"s + Piccolo(lato, 2) + Piccolo(lato, 2) + "\x80\x00\x00"s +
         "\x00\x00\x00\xFF\xFF\xFF"s + "\x2C"s + Piccolo(0, 4) + Piccolo(lato, 2) +
         Piccolo(lato, 2) + "\x00\x02\x02\x44\x01\x00\x3B"s;
}

namespace {

uLong Somma(uLong (*funzione)(uLong, const Bytef*, uInt), std::string_view byte) {
  return funzione(funzione(0, nullptr, 0), reinterpret_cast<const Bytef*>(byte.data()),
                  static_cast<uInt>(byte.size()));
}

std::string ChunkPng(std::string_view tipo, std::string_view dati) {
  const std::string corpo = std::string(tipo) + std::string(dati);
  return Grande(static_cast<uint32_t>(dati.size()), 4) + corpo + Grande(Somma(crc32, corpo), 4);
}

}  // namespace

std::string Png(uint32_t lato) {
  const uint32_t righe = lato <= 16 ? lato : 1;
  std::string pixel;
  for (uint32_t r = 0; r < righe; ++r) pixel += '\0' + Casuali(3 * std::min(lato, 16u), r + 1);
  // One stored block, then the Adler-32 of the pixels closing the zlib stream.
  const std::string zlib = "\x78\x01\x01"s + Piccolo(pixel.size(), 2) +
                           Piccolo(~pixel.size() & 0xFFFF, 2) + pixel +
                           Grande(Somma(adler32, pixel), 4);
  return "\x89PNG\r\n\x1A\n"s +
         ChunkPng("IHDR", Grande(lato, 4) + Grande(lato, 4) + "\x08\x02\0\0\0"s) +
         ChunkPng("IDAT", zlib) + ChunkPng("IEND", "");
}

std::string Jpeg(uint16_t lato) {
  return "\xFF\xD8\xFF\xC0\x00\x11\x08"s + Grande(lato, 2) + Grande(lato, 2) +
         "\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01"s + Casuali(32, 11) + "\xFF\xD9"s;
}

std::string PngTinta(uint32_t lato, uint32_t rgb, bool unBit) {
  const size_t byteRiga = unBit ? (lato + 7) / 8 : size_t{3} * lato;
  // The first row is the colour (filter None for the grey bits, Sub for RGB: the
  // first pixel, then zeros); every other row repeats the one above (filter Up:
  // all zeros).
  std::string prima(1 + byteRiga, '\0');
  if (unBit) {
    std::fill(prima.begin() + 1, prima.end(), rgb != 0 ? '\xFF' : '\0');
  } else {
    prima = '\1' + Grande(rgb, 3) + std::string(byteRiga - 3, '\0');
  }
  std::string sopra;
  for (int i = 0; i < 64; ++i) sopra += '\2' + std::string(byteRiga, '\0');

  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, 15, 9, Z_RLE);
  std::string zlib;
  const auto comprimi = [&](std::string_view dati, int modo) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(dati.data()));
    z.avail_in = static_cast<uInt>(dati.size());
    char uscita[1 << 16];
    int esito = Z_OK;
    do {
      z.next_out = reinterpret_cast<Bytef*>(uscita);
      z.avail_out = sizeof uscita;
      esito = deflate(&z, modo);
      zlib.append(uscita, sizeof uscita - z.avail_out);
    } while (z.avail_out == 0 || (modo == Z_FINISH && esito != Z_STREAM_END));
  };
  comprimi(prima, Z_NO_FLUSH);
  uint32_t righe = 1;
  for (; righe + 64 <= lato; righe += 64) comprimi(sopra, Z_NO_FLUSH);
  comprimi(std::string_view(sopra).substr(0, (lato - righe) * (1 + byteRiga)), Z_FINISH);
  deflateEnd(&z);

  const std::string formato = unBit ? "\x01\x00\0\0\0"s : "\x08\x02\0\0\0"s;
  return "\x89PNG\r\n\x1A\n"s + ChunkPng("IHDR", Grande(lato, 4) + Grande(lato, 4) + formato) +
         ChunkPng("IDAT", zlib) + ChunkPng("IEND", "");
}

std::string JpegProgressivo(int lato, uint32_t scansioni) {
  QImage immagine(lato, lato, QImage::Format_Grayscale8);
  immagine.fill(Qt::gray);
  QByteArray scritti;
  QBuffer buffer(&scritti);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(true);
  if (!scrittore.write(immagine))
    throw std::runtime_error("no progressive JPEG: " + scrittore.errorString().toStdString());
  const std::string jpeg = scritti.toStdString();

  // Its scans, and the component they are of, found by walking its segments; a
  // scan's data runs to the next marker that is not a stuffed byte or a restart.
  const auto u = [&](size_t i) { return static_cast<unsigned char>(jpeg.at(i)); };
  uint32_t contate = 0;
  char componente = 1;
  size_t pos = 2;
  while (u(pos + 1) != 0xD9) {
    const unsigned char marcatore = u(pos + 1);
    if (marcatore == 0xC2) componente = jpeg.at(pos + 10);
    pos += 2 + (size_t{u(pos + 2)} << 8 | u(pos + 3));
    if (marcatore != 0xDA) continue;
    ++contate;
    while (u(pos) != 0xFF || u(pos + 1) == 0 || (u(pos + 1) >= 0xD0 && u(pos + 1) <= 0xD7)) ++pos;
  }
  if (scansioni < contate) throw std::invalid_argument("fewer scans than Qt writes");
  // One component, coefficients 1 to 63, first pass at full precision: where the
  // scans before have left every coefficient, so the decoder finds the order sound
  // and reads each empty scan over the whole picture.
  const std::string vuota = "\xFF\xDA\x00\x08\x01"s + componente + "\x00\x01\x3F\x00"s;
  std::string risultato = jpeg.substr(0, pos);
  risultato.reserve(pos + (scansioni - contate) * vuota.size() + 2);
  for (uint32_t i = contate; i < scansioni; ++i) risultato += vuota;
  return risultato + jpeg.substr(pos);
}

std::string Svg(std::string_view dentro, std::string_view prologo) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"s + std::string(prologo) +
         "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">\n"
         "<rect id=\"r\" x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"#3366CC\"/>\n" +
         std::string(dentro) + "</svg>\n";
}

std::string SvgImmagine(std::string_view indirizzo) {
  const std::string a(indirizzo);
  return Svg("<image x=\"0\" y=\"0\" width=\"16\" height=\"16\" xlink:href=\"" + a + "\" href=\"" +
             a + "\"/>\n");
}

std::string Ico() {
  // One 2 x 2 picture of 32 bits: a BMP header of twice the height (the colours,
  // then the transparency mask), four pixels, and two rows of mask padded to 32 bits.
  const std::string bmp =
      Piccolo(40, 4) + Piccolo(2, 4) + Piccolo(4, 4) + Piccolo(1, 2) + Piccolo(32, 2) +
      Piccolo(0, 4) + Piccolo(16 + 8, 4) + std::string(16, '\0') +
      "\x00\x00\xFF\xFF\x00\xFF\x00\xFF\xFF\x00\x00\xFF\xFF\xFF\xFF\xFF"s + std::string(8, '\0');
  return Piccolo(0, 2) + Piccolo(1, 2) + Piccolo(1, 2) + "\x02\x02\x00\x00"s + Piccolo(1, 2) +
         Piccolo(32, 2) + Piccolo(bmp.size(), 4) + Piccolo(22, 4) + bmp;
}

std::string Xpm() {
  return "/* XPM */\nstatic const char *ostile[] = {\n\"2 2 2 1\",\n\"a c #FF0000\",\n"
         "\"b c #0000FF\",\n\"ab\",\n\"ba\"};\n";
}

std::string Xbm() {
  return "#define ostile_width 8\n#define ostile_height 2\n"
         "static unsigned char ostile_bits[] = {0xAA, 0x55};\n";
}

std::string Ppm() {
  return "P6\n2 2\n255\n\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF"s;
}

std::string Tiff() {
  // Little-endian, one IFD of nine short or long entries, one grey pixel after it.
  const auto voce = [](uint16_t etichetta, uint16_t tipo, uint32_t valore) {
    return Piccolo(etichetta, 2) + Piccolo(tipo, 2) + Piccolo(1, 4) + Piccolo(valore, 4);
  };
  const uint32_t pixel = 8 + 2 + 9 * 12 + 4;
  return "II*\0"s + Piccolo(8, 4) + Piccolo(9, 2) + voce(256, 3, 1) + voce(257, 3, 1) +
         voce(258, 3, 8) + voce(259, 3, 1) + voce(262, 3, 1) + voce(273, 4, pixel) +
         voce(277, 3, 1) + voce(278, 3, 1) + voce(279, 4, 1) + Piccolo(0, 4) + "\x80"s;
}

std::string Wav(uint32_t campioni, uint16_t canali, uint32_t rif, uint32_t dati) {
  const uint32_t veri = campioni * 2;
  std::string byte = "RIFF" + Piccolo(rif ? rif : 36 + veri, 4) + "WAVEfmt " + Piccolo(16, 4) +
                     Piccolo(1, 2) + Piccolo(canali, 2) + Piccolo(8000, 4) +
                     Piccolo(16000u * canali, 4) + Piccolo(2u * canali, 2) + Piccolo(16, 2) +
                     "data" + Piccolo(dati ? dati : veri, 4);
  for (uint32_t i = 0; i < campioni; ++i) byte += Piccolo((i / 10) % 2 ? 0x2000 : 0xE000, 2);
  return byte;
}

std::string Wav8(uint32_t campioni, uint32_t frequenza) {
  std::string byte = "RIFF" + Piccolo(36 + campioni, 4) + "WAVEfmt " + Piccolo(16, 4) +
                     Piccolo(1, 2) + Piccolo(1, 2) + Piccolo(frequenza, 4) + Piccolo(frequenza, 4) +
                     Piccolo(1, 2) + Piccolo(8, 2) + "data" + Piccolo(campioni, 4);
  for (uint32_t i = 0; i < campioni; ++i) byte += (i / 5) % 2 ? '\x40' : '\xC0';
  return byte;
}

std::string Midi(uint32_t lunghezza) {
  const std::string traccia = "\x00\x90\x3C\x40\x60\x80\x3C\x00\x00\xFF\x2F\x00"s;
  return "MThd"s + Grande(6, 4) + "\x00\x00\x00\x01\x00\x60"s + "MTrk"s +
         Grande(lunghezza ? lunghezza : static_cast<uint32_t>(traccia.size()), 4) + traccia;
}

std::string Aiff(uint16_t canali) {
  const std::string comm =
      Grande(canali, 2) + Grande(100, 4) + Grande(16, 2) + "\x40\x0B\xFA\0\0\0\0\0\0\0"s;
  const std::string ssnd = Grande(0, 8) + Casuali(200, 13);
  const std::string corpo = "AIFFCOMM" + Grande(static_cast<uint32_t>(comm.size()), 4) + comm +
                            "SSND" + Grande(static_cast<uint32_t>(ssnd.size()), 4) + ssnd;
  return "FORM" + Grande(static_cast<uint32_t>(corpo.size()), 4) + corpo;
}
