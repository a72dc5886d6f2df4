#include "ostili/Corpus.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "codec/Combinazione.h"
#include "support/Combinazioni.h"
#include "support/MediaOstili.h"

using namespace std::string_literals;

namespace {

// `quanti` bytes of a big-endian number.
std::string Grande(uint64_t valore, int quanti) {
  const std::string byte = Le(valore, quanti);
  return {byte.rbegin(), byte.rend()};
}

// Deterministic noise (xorshift), so the corpus is the same on every run.
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

// A 24-bit BMP whose header claims `larghezza` x `altezza`; the pixels are there only
// for a small picture.
std::string Bmp(int32_t larghezza, int32_t altezza) {
  const uint32_t riga = (static_cast<uint32_t>(larghezza) * 3 + 3) / 4 * 4;
  const uint32_t pixel = riga * static_cast<uint32_t>(altezza);
  std::string byte = "BM" + Le(54 + pixel, 4) + Le(0, 4) + Le(54, 4);
  byte += Le(40, 4) + Le(static_cast<uint32_t>(larghezza), 4) +
          Le(static_cast<uint32_t>(altezza), 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(pixel, 4) +
          Le(2835, 4) + Le(2835, 4) + Le(0, 8);
  return byte + Casuali(pixel <= 4096 ? pixel : 64, 7);
}

// A GIF whose screen and image claim `lato` x `lato`, carrying one pixel's data.
std::string Gif(uint16_t lato) {
  return "GIF89a"s + Le(lato, 2) + Le(lato, 2) + "\x80\x00\x00"s + "\x00\x00\x00\xFF\xFF\xFF"s +
         "\x2C"s + Le(0, 4) + Le(lato, 2) + Le(lato, 2) + "\x00\x02\x02\x44\x01\x00\x3B"s;
}

uLong Somma(uLong (*funzione)(uLong, const Bytef*, uInt), std::string_view byte) {
  return funzione(funzione(0, nullptr, 0), reinterpret_cast<const Bytef*>(byte.data()),
                  static_cast<uInt>(byte.size()));
}

std::string ChunkPng(std::string_view tipo, std::string_view dati) {
  const std::string corpo = std::string(tipo) + std::string(dati);
  return Grande(static_cast<uint32_t>(dati.size()), 4) + corpo + Grande(Somma(crc32, corpo), 4);
}

// A PNG of `lato` x `lato` pixels of the IHDR's `formato` (depth, colour type and the
// rest), whose pixels are the zlib stream `zlib`.
std::string FilePng(uint32_t lato, const std::string& formato, const std::string& zlib) {
  return "\x89PNG\r\n\x1A\n"s + ChunkPng("IHDR", Grande(lato, 4) + Grande(lato, 4) + formato) +
         ChunkPng("IDAT", zlib) + ChunkPng("IEND", "");
}

// A PNG with sound checksums whose header claims `lato` x `lato` RGB pixels; the
// pixels are there, uncompressed, only for a small picture.
std::string Png(uint32_t lato) {
  const uint32_t righe = lato <= 16 ? lato : 1;
  std::string pixel;
  for (uint32_t r = 0; r < righe; ++r) pixel += '\0' + Casuali(3 * std::min(lato, 16u), r + 1);
  // One stored block, then the Adler-32 of the pixels closing the zlib stream.
  return FilePng(lato, "\x08\x02\0\0\0"s,
                 "\x78\x01\x01"s + Le(pixel.size(), 2) + Le(~pixel.size() & 0xFFFF, 2) + pixel +
                     Grande(Somma(adler32, pixel), 4));
}

// A baseline JPEG start of frame claiming `lato` x `lato`, then the end.
std::string Jpeg(uint16_t lato) {
  return "\xFF\xD8\xFF\xC0\x00\x11\x08"s + Grande(lato, 2) + Grande(lato, 2) +
         "\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01"s + Casuali(32, 11) + "\xFF\xD9"s;
}

// A one-colour PNG of `lato` x `lato` pixels, deflated: each pixel only repeats the one
// before or the one above, so a few kilobytes hold millions of them. RGB with 8 bits a
// channel (16 with `sediciBit`), or with `unBit` one bit a pixel, grey.
std::string PngTinta(uint32_t lato, uint32_t rgb, bool unBit = false, bool sediciBit = false) {
  const std::string colore =
      sediciBit ? std::string{static_cast<char>(rgb >> 16), static_cast<char>(rgb >> 16),
                              static_cast<char>(rgb >> 8),  static_cast<char>(rgb >> 8),
                              static_cast<char>(rgb),       static_cast<char>(rgb)}
                : Grande(rgb, 3);
  const size_t byteRiga = unBit ? (lato + 7) / 8 : colore.size() * lato;
  // The first row is the colour (filter None for the grey bits, Sub for RGB); every
  // other row repeats the one above (filter Up: all zeros).
  const std::string prima = unBit ? '\0' + std::string(byteRiga, rgb != 0 ? '\xFF' : '\0')
                                  : '\1' + colore + std::string(byteRiga - colore.size(), '\0');
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
  return FilePng(lato,
                 unBit       ? "\x01\x00\0\0\0"s
                 : sediciBit ? "\x10\x02\0\0\0"s
                             : "\x08\x02\0\0\0"s,
                 zlib);
}

// A real progressive JPEG of `lato` x `lato` grey pixels, as Qt writes it, with empty
// AC scans added before its end until it has `scansioni` scans.
std::string JpegProgressivo(int lato, uint32_t scansioni) {
  const std::string jpeg =
      CodificaImmagine(TintaUnita(Qt::gray, {lato, lato}, QImage::Format_Grayscale8), "jpeg", true);
  if (jpeg.empty()) throw std::runtime_error("no progressive JPEG");

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

// An SVG drawing of 16 x 16 with a square, `dentro` before its end and `prologo`
// between the XML declaration and the drawing (a DOCTYPE).
std::string Svg(std::string_view dentro, std::string_view prologo = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"s + std::string(prologo) +
         "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">\n"
         "<rect id=\"r\" x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"#3366CC\"/>\n" +
         std::string(dentro) + "</svg>\n";
}

// An SVG drawing that shows the picture at `indirizzo`, relative or absolute.
std::string SvgImmagine(std::string_view indirizzo) {
  const std::string a(indirizzo);
  return Svg("<image x=\"0\" y=\"0\" width=\"16\" height=\"16\" xlink:href=\"" + a + "\" href=\"" +
             a + "\"/>\n");
}

// A Windows icon of one 2 x 2 picture of 32 bits: a BMP header of twice the height
// (colours, then mask), four pixels, two rows of mask padded to 32 bits.
std::string Ico() {
  const std::string bmp = Le(40, 4) + Le(2, 4) + Le(4, 4) + Le(1, 2) + Le(32, 2) + Le(0, 4) +
                          Le(16 + 8, 4) + std::string(16, '\0') +
                          "\x00\x00\xFF\xFF\x00\xFF\x00\xFF\xFF\x00\x00\xFF\xFF\xFF\xFF\xFF"s +
                          std::string(8, '\0');
  return Le(0, 2) + Le(1, 2) + Le(1, 2) + "\x02\x02\x00\x00"s + Le(1, 2) + Le(32, 2) +
         Le(bmp.size(), 4) + Le(22, 4) + bmp;
}

// An uncompressed little-endian TIFF of one grey pixel.
std::string Tiff() {
  const auto voce = [](uint16_t etichetta, uint16_t tipo, uint32_t valore) {
    return Le(etichetta, 2) + Le(tipo, 2) + Le(1, 4) + Le(valore, 4);
  };
  const uint32_t pixel = 8 + 2 + 9 * 12 + 4;
  return "II*\0"s + Le(8, 4) + Le(9, 2) + voce(256, 3, 1) + voce(257, 3, 1) + voce(258, 3, 8) +
         voce(259, 3, 1) + voce(262, 3, 1) + voce(273, 4, pixel) + voce(277, 3, 1) +
         voce(278, 3, 1) + voce(279, 4, 1) + Le(0, 4) + "\x80"s;
}

// A mono PCM wave of `campioni` at `frequenza`, as `canali` channels of `bit` bits
// claim them; the RIFF and data sizes may lie.
std::string Onda(const std::string& campioni, uint32_t frequenza, uint16_t bit, uint16_t canali = 1,
                 uint32_t rif = 0, uint32_t dati = 0) {
  const uint32_t blocco = canali * bit / 8u, quanti = static_cast<uint32_t>(campioni.size());
  return "RIFF" + Le(rif ? rif : 36 + quanti, 4) + "WAVEfmt " + Le(16, 4) + Le(1, 2) +
         Le(canali, 2) + Le(frequenza, 4) + Le(frequenza * blocco, 4) + Le(blocco, 2) + Le(bit, 2) +
         "data" + Le(dati ? dati : quanti, 4) + campioni;
}

// A 16-bit 8 kHz wave of `campioni` samples; the sizes in its header may lie.
std::string Wav(uint32_t campioni, uint16_t canali = 1, uint32_t rif = 0, uint32_t dati = 0) {
  std::string byte;
  for (uint32_t i = 0; i < campioni; ++i) byte += Le((i / 10) % 2 ? 0x2000 : 0xE000, 2);
  return Onda(byte, 8000, 16, canali, rif, dati);
}

// A one-track MIDI file, by default playing a note; the track's length may lie.
std::string Midi(uint32_t lunghezza = 0,
                 const std::string& traccia = "\x00\x90\x3C\x40\x60\x80\x3C\x00\x00\xFF\x2F\x00"s) {
  return "MThd"s + Grande(6, 4) + "\x00\x00\x00\x01\x00\x60"s + "MTrk"s +
         Grande(lunghezza ? lunghezza : static_cast<uint32_t>(traccia.size()), 4) + traccia;
}

// Notes each after the longest pause a MIDI file can write: music of many days.
std::string MidiInterminabile() {
  std::string traccia;
  for (int i = 0; i < 200; ++i) traccia += "\xFF\xFF\xFF\x7F\x90\x3C\x40"s;
  return Midi(0, traccia + "\x00\xFF\x2F\x00"s);
}

// An AIFF of 100 random 16-bit samples at 8 kHz, claiming `canali` channels.
std::string Aiff(uint16_t canali) {
  const std::string comm =
      Grande(canali, 2) + Grande(100, 4) + Grande(16, 2) + "\x40\x0B\xFA\0\0\0\0\0\0\0"s;
  const std::string ssnd = Grande(0, 8) + Casuali(200, 13);
  const std::string corpo = "AIFFCOMM" + Grande(static_cast<uint32_t>(comm.size()), 4) + comm +
                            "SSND" + Grande(static_cast<uint32_t>(ssnd.size()), 4) + ssnd;
  return "FORM" + Grande(static_cast<uint32_t>(corpo.size()), 4) + corpo;
}

// The tests' usual combination, with a few pictures and sounds of its own and a font.
TipoCombinazione Base() {
  TipoCombinazione c = CombinazioneVuota("Base");
  c.Immagini[0] = Bmp(2, 2);
  c.Immagini[5] = Gif(1);
  c.Immagini[9] = Bmp(3, 1);
  c.Immagini[13] = Png(2);
  // The music is long enough to need the 32-bit length.
  c.Suoni[0] = Wav(33000);
  c.Suoni[2] = Wav(400);
  c.Suoni[9] = Wav(300);
  c.FontFile = std::string("\0\1\0\0", 4) + Casuali(60, 3);
  c.FontFileNome = "Base.ttf";
  return c;
}

// Where one field of an encoded combination lies.
struct Campo {
  std::string nome;
  size_t numero = 0;  // bytes of a number; 0 for a string
  // Its first byte's offset, then the bytes of a string's length and of its content.
  size_t inizio = 0, prefisso = 0, lunghezza = 0;
  size_t Fine() const { return inizio + prefisso + lunghezza; }
};

// The fields in file order, found by walking a valid file.
std::vector<Campo> Campi(std::string_view byte) {
  const std::tuple<const char*, size_t, int> tracciato[] = {
      {"Nome", 0, 1},          {"Immagini", 0, NumeroImmagini}, {"Autore", 0, 1},
      {"Password", 0, 1},      {"Suoni", 0, NumeroSuoni},       {"Volumi", 4, NumeroSuoni},
      {"FontNome", 0, 1},      {"FontDimensione", 0, 1},        {"FontColore", 0, 1},
      {"FontGrassetto", 2, 1}, {"FontCorsivo", 2, 1},           {"FontFile", 0, 1},
      {"FontFileNome", 0, 1}};
  std::vector<Campo> campi;
  for (const auto& [nome, numero, quanti] : tracciato)
    for (int n = 0; n < quanti; ++n)
      campi.push_back({quanti > 1 ? nome + std::to_string(n) : nome, numero});
  size_t pos = 0;
  const auto leggi = [&](size_t quanti) {  // little-endian
    uint32_t v = 0;
    for (size_t i = 0; i < quanti; ++i)
      v |= static_cast<uint32_t>(static_cast<unsigned char>(byte[pos + i])) << (8 * i);
    pos += quanti;
    return v;
  };
  for (Campo& c : campi) {
    c.inizio = pos;
    c.lunghezza = c.numero ? c.numero : leggi(2);
    if (c.numero == 0 && c.lunghezza == 0xFFFF) c.lunghezza = leggi(4);
    c.prefisso = pos - c.inizio;
    pos = c.Fine();
  }
  return campi;
}

std::string Prefisso(uint64_t lunghezza) {
  return lunghezza < 0xFFFF ? Le(lunghezza, 2) : Le(0xFFFF, 2) + Le(lunghezza, 4);
}

class Generatore {
 public:
  Generatore() : m_base(CodificaCombinazione(Base())), m_campi(Campi(m_base)) {}

  std::vector<CasoOstile> Genera() {
    Struttura();
    NomiFont();
    Immagini();
    Suoni();
    Nomi();
    ImmaginiDaNonMostrare();
    Budget();
    FontDelGiocatore();
    // A whole, valid AIFF, which neither the music slot nor an effect's takes (the other
    // kinds the mixer knows are the "-finto" sounds: refused by their first bytes).
    NeiSlot("suono", {0, 2}, {{"aiff", Aiff(1)}});
    Decodificatori();
    // A music that claimed no channels crashed the mixer, and a font named after
    // one of the program folder's files replaced it.
    for (CasoOstile& caso : m_casi)
      caso.sempre |= (caso.nome.starts_with("suono0-") && caso.nome.ends_with("senza-canali")) ||
                     caso.nome == "font-nome-record" || caso.nome == "font-nome-combinazione" ||
                     caso.nome == "font-nome-altra-combinazione";
    return std::move(m_casi);
  }

 private:
  using Contenuti = std::vector<std::pair<const char*, std::string>>;

  const Campo& Di(std::string_view nome) const {
    for (const Campo& c : m_campi)
      if (c.nome == nome) return c;
    throw std::invalid_argument("no field " + std::string(nome));
  }

  // `byte` with one field's content replaced: the base file, or one where only fields
  // after this one have changed.
  std::string Con(std::string_view campo, std::string_view contenuto,
                  const std::string* byte = nullptr) const {
    const Campo& c = Di(campo);
    const std::string& b = byte ? *byte : m_base;
    return b.substr(0, c.inizio) + Prefisso(contenuto.size()) + std::string(contenuto) +
           b.substr(c.Fine());
  }
  // The base file with only a string field's length prefix replaced.
  std::string ConPrefisso(const Campo& c, const std::string& prefisso) const {
    return m_base.substr(0, c.inizio) + prefisso + m_base.substr(c.inizio + c.prefisso);
  }

  CasoOstile& Aggiungi(std::string nome, std::string byte, std::string file = FileBase) {
    return m_casi.emplace_back(CasoOstile{std::move(nome), std::move(file), std::move(byte)});
  }

  // Each of `contenuti` in the picture ("immagine") or sound ("suono") slots `slot`;
  // with `predefinita`, the slot must show the built-in picture.
  void NeiSlot(const std::string& tipo, std::initializer_list<int> slot, const Contenuti& contenuti,
               bool predefinita = false) {
    const std::string campo = tipo == "suono" ? "Suoni" : "Immagini";
    for (const int n : slot)
      for (const auto& [nome, byte] : contenuti)
        Aggiungi(tipo + std::to_string(n) + "-" + nome, Con(campo + std::to_string(n), byte))
            .predefinite = predefinita ? std::vector{n} : std::vector<int>{};
  }

  // Cut at each field's start, inside its first bytes, after a string's length and
  // halfway through its content; each string claiming one byte more than the file
  // has left, and some claiming nearly 4 GiB in the 32-bit form.
  void Struttura() {
    for (const Campo& c : m_campi) {
      Aggiungi("tronca-" + c.nome + "-inizio", m_base.substr(0, c.inizio));
      Aggiungi("tronca-" + c.nome + "-primo-byte", m_base.substr(0, c.inizio + 1));
      if (c.numero != 0 || c.lunghezza == 0) continue;
      Aggiungi("tronca-" + c.nome + "-lunghezza", m_base.substr(0, c.inizio + c.prefisso));
      Aggiungi("tronca-" + c.nome + "-meta",
               m_base.substr(0, c.inizio + c.prefisso + c.lunghezza / 2));
    }
    Aggiungi("tronca-ultimo-byte", m_base.substr(0, m_base.size() - 1));
    for (const Campo& c : m_campi) {
      if (c.numero != 0) continue;
      Aggiungi("oltre-" + c.nome,
               ConPrefisso(c, Prefisso(m_base.size() - c.inizio - c.prefisso + 1)));
    }
    for (const char* campo :
         {"Nome", "Immagini0", "Immagini13", "Suoni0", "Suoni15", "FontFile", "FontFileNome"})
      for (const uint32_t quanti : {0xFFFFFFF0u, 0xFFFFFFFFu, 0x80000000u})
        Aggiungi("4g-" + std::string(campo) + "-" + std::to_string(quanti),
                 ConPrefisso(Di(campo), Le(0xFFFF, 2) + Le(quanti, 4)));
    // A short length written in the long form is still a valid file.
    Aggiungi("lungo-corto-Autore", ConPrefisso(Di("Autore"), Le(0xFFFF, 2) + Le(4, 4)));
  }

  // Font names that lead elsewhere, and font bytes that are not a font.
  void NomiFont() {
    const std::pair<const char*, std::string> nomi[] = {
        {"barra", "sotto/font.ttf"},
        {"su", "../font.ttf"},
        {"su-su", "../../casa/.bashrc"},
        {"assoluto-tmp", FuoriDallaRadice[0]},
        {"assoluto-etc", FuoriDallaRadice[1]},
        {"rovescia", "..\\..\\font.ttf"},
        {"punto", "."},
        {"puntopunto", ".."},
        {"nascosto", ".font.ttf"},
        {"controllo", "fo\x01nt.ttf"},
        {"a-capo", "font\n.ttf"},
        {"tab", "\tfont.ttf"},
        {"del", "font\x7F.ttf"},
        {"nul", "font\0.ttf"s},
        {"lunghissimo", std::string(300, 'f') + ".ttf"},
        {"accenti", "Caratt\xE8re \xE0 s\xE9.ttf"},
        {"vuoto", ""},
        {"nessuno", "Nessuno"},
        {"record", "Record"},
        {"scelta", "CombinazioneScelta"},
        {"combinazione", FileBase},
        {"altra-combinazione", "!Mia.skcom"},
        {"musica", "aud0.sktemp"},
        {"immagine", "img3.sktemp"},
        {"eseguibile", "skarvex"}};
    for (const auto& [nome, testo] : nomi)
      Aggiungi("font-nome-" + std::string(nome), Con("FontFileNome", testo));
    Aggiungi("font-casuale", Con("FontFile", Casuali(5000, 21)));
    Aggiungi("font-tabelle-enormi", Con("FontFile", "\0\1\0\0\xFF\xFF"s + Casuali(200, 23)));
    Aggiungi("font-vuoto", Con("FontFile", ""));
    // The labels' font: sizes and colours that do not convert, a name no system has.
    const std::pair<const char*, const char*> campi[] = {
        {"FontDimensione", "1e308"}, {"FontDimensione", "nan"}, {"FontDimensione", "-12"},
        {"FontDimensione", "12,5"},  {"FontDimensione", ""},    {"FontColore", "-1"},
        {"FontColore", "16777216"},  {"FontColore", "0x00FF00"}};
    for (const auto& [campo, testo] : campi)
      Aggiungi(std::string(campo) + "-" + testo, Con(campo, testo));
    Aggiungi("FontNome-lunghissimo", Con("FontNome", std::string(60000, 'A')));
  }

  // Pictures that are not pictures, or claim 30000 x 30000 pixels, in slots that
  // feed one sprite, 48 bricks and the background.
  void Immagini() {
    NeiSlot("immagine", {0, 9, 13},
            {{"casuale", Casuali(3000, 5)},
             {"testo", "non sono un'immagine"},
             {"suono", Wav(50)},
             {"vuota", ""},
             {"bmp-troncata", Bmp(2, 2).substr(0, 30)},
             {"gif-30000", Gif(30000)},
             {"png-30000", Png(30000)},
             {"bmp-30000", Bmp(30000, 30000)},
             {"bmp-negativa", Bmp(30000, -30000)},
             {"jpeg-30000", Jpeg(30000)},
             {"jpeg-65500", Jpeg(65500)}});
    Aggiungi("immagine5-default-minuscolo", Con("Immagini5", "default"));
    // From the last picture back, so that the fields still to replace keep their offsets.
    std::string tutte = m_base;
    for (int n = NumeroImmagini - 1; n >= 0; --n)
      tutte = Con("Immagini" + std::to_string(n), Gif(30000), &tutte);
    Aggiungi("immagini-tutte-gif-30000", tutte);
  }

  // Sounds that are not sounds, in the music's slot and in an effect's.
  void Suoni() {
    NeiSlot("suono", {0, 2},
            {{"casuale", Casuali(4000, 9)},
             {"wav-enorme", Wav(100, 1, 0xFFFFFFFF, 0xFFFFFFF0)},
             {"wav-senza-canali", Wav(100, 0)},
             {"wav-troncato", Wav(100).substr(0, 40)},
             {"midi", Midi()},
             {"midi-traccia-enorme", Midi(0xFFFFFFF0)},
             {"midi-65535-tracce", Midi().replace(10, 2, "\xFF\xFF"s)},
             {"midi-interminabile", MidiInterminabile()},
             {"immagine", Bmp(2, 2)},
             {"un-byte", "R"},
             {"aiff-senza-canali", Aiff(0)},
             {"wav-secondo-fmt-senza-canali",
              Wav(100).insert(36, "fmt " + Le(16, 4) + Le(1, 2) + Le(0, 2) + Le(8000, 4) +
                                      Le(16000, 4) + Le(2, 2) + Le(16, 2))},
             // The music's decoder reads on past odd data without a pad byte.
             {"wav-dispari-poi-fmt-senza-canali",
              media_ostili::WavConCoda(media_ostili::FormatoWav(0), 199)},
             {"ogg-finto", "OggS" + Casuali(500, 15)},
             {"flac-finto", "fLaC" + Casuali(500, 16)},
             {"mp3-finto", "ID3\x03\0\0\0\0\0\x10"s + Casuali(500, 17)},
             {"mod-finto", Casuali(1080, 18) + "M.K." + Casuali(2000, 19)}});
  }

  // Empty and 25-character names with accents, in the file and in the file's name.
  void Nomi() {
    // Windows-1252 on disk: "Perché là più così, ecco…" is 25 characters.
    const std::string accenti = "Perch\xE9 l\xE0 pi\xF9 cos\xEC, ecco\x85";
    const std::string accentiUtf8 = "Perché là più così, ecco…";
    Aggiungi("nome-vuoto", Con("Nome", ""));
    Aggiungi("nome-accenti", Con("Nome", accenti), accentiUtf8 + ".skcom");
    Aggiungi("nome-byte-indefiniti", Con("Nome", "\x81\x8D\x8F\x90\x9D"));
    Aggiungi("nome-barre", Con("Nome", "../../casa/x"));
    Aggiungi("nome-controllo", Con("Nome", "a\r\nb\x01"));
    Aggiungi("autore-accenti", Con("Autore", accenti));
    Aggiungi("password-accenti", Con("Password", accenti));
    Aggiungi("file-vuoto", m_base, ".skcom");
    Aggiungi("file-accenti", m_base, accentiUtf8 + ".skcom");
    Aggiungi("file-latin1", m_base, accenti + ".skcom");
    Aggiungi("file-spazi", m_base, "con degli spazi.skcom");
  }

  // Pictures the slot must not take, so that it shows the built-in one. Drawings whose
  // picture is another file (its own, the system's, standard input), which Qt's SVG
  // reader follows: one showing its own file recursed until the stack ran out at every
  // start. Then formats an image library recognises, but a picture slot does not take.
  void ImmaginiDaNonMostrare() {
    const auto svg = [&](const char* nome, std::string byte, std::vector<int> slot) {
      CasoOstile& caso = Aggiungi(nome, std::move(byte));
      caso.predefinite = std::move(slot);
      caso.sempre = true;
    };
    svg("immagine0-svg-se-stessa", Con("Immagini0", SvgImmagine("img0.sktemp")), {0});
    svg("immagine13-svg-se-stessa", Con("Immagini13", SvgImmagine("img13.sktemp")), {13});
    // Slot 13 is unpacked after slot 0, which is still there: 13 shows 0, 0 shows 13.
    const std::string incrociate = Con("Immagini13", SvgImmagine("img0.sktemp"));
    svg("immagini-svg-incrociate", Con("Immagini0", SvgImmagine("img13.sktemp"), &incrociate),
        {0, 13});
    svg("immagine0-svg-etc-passwd", Con("Immagini0", SvgImmagine("file:///etc/passwd")), {0});
    svg("immagine0-svg-dev-stdin", Con("Immagini0", SvgImmagine("/dev/stdin")), {0});
    svg("immagine0-svg-entita-esterna",
        Con("Immagini0", Svg("<text x=\"0\" y=\"12\">&esterna;</text>\n",
                             "<!DOCTYPE svg [<!ENTITY esterna SYSTEM \"file:///etc/passwd\">]>\n")),
        {0});
    svg("immagine0-svg-use-altro-file",
        Con("Immagini0", Svg("<use xlink:href=\"Record#r\" href=\"Record#r\"/>\n")), {0});
    NeiSlot("immagine", {0, 9, 13},
            {{"ico", Ico()},
             {"xpm",
              "/* XPM */\nstatic const char *ostile[] = {\n\"2 2 2 1\",\n\"a c #FF0000\",\n"
              "\"b c #0000FF\",\n\"ab\",\n\"ba\"};\n"},
             {"xbm",
              "#define ostile_width 8\n#define ostile_height 2\n"
              "static unsigned char ostile_bits[] = {0xAA, 0x55};\n"},
             {"ppm", "P6\n2 2\n255\n\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF"s},
             {"tiff", Tiff()}},
            true);
  }

  // Files that cost much to decode. A progressive JPEG's decoder goes over the whole
  // picture at each scan, even an empty one: 20,000 of them keep it busy for seconds on
  // 12 million pixels; with one scan under the limit, the picture shows. Small files
  // that decode to much: fifteen effects of 1,000 s at 10 Hz (176 MB each in the mixer);
  // fourteen pictures of 16 million pixels, each within a picture's limit but together
  // far over a combination's (the first still fits, the last not); 400 million one-bit
  // pixels in 80 KB.
  void Budget() {
    CasoOstile& molte =
        Aggiungi("immagine0-jpeg-20000-scansioni", Con("Immagini0", JpegProgressivo(3500, 20000)));
    molte.sempre = true;
    molte.predefinite = {0};
    Aggiungi("immagine0-jpeg-99-scansioni", Con("Immagini0", JpegProgressivo(3500, 99))).proprie = {
        0};

    TipoCombinazione effetti = Base();
    std::string onda;
    for (uint32_t i = 0; i < 10'000; ++i) onda += (i / 5) % 2 ? '\x40' : '\xC0';
    for (size_t n = 1; n < NumeroSuoni; ++n) effetti.Suoni[n] = Onda(onda, 10, 8);
    Aggiungi("suono1-15-wav-10hz", CodificaCombinazione(effetti)).sempre = true;
    TipoCombinazione grandi = Base();
    for (size_t n = 0; n < NumeroImmagini; ++n)
      grandi.Immagini[n] = PngTinta(4000, 0x203040 + 0x0B0907 * static_cast<uint32_t>(n));
    CasoOstile& tutte = Aggiungi("immagini-tutte-png-4000", CodificaCombinazione(grandi));
    tutte.sempre = true;
    tutte.proprie = {0};
    tutte.predefinite = {13};
    Aggiungi("immagine13-png-20000-un-bit", Con("Immagini13", PngTinta(20000, 0xFFFFFF, true)))
        .predefinite = {13};
  }

  // A font named like a file the player has in the program folder, which must stay
  // as it was; and a font that is no font, which must not be installed.
  void FontDelGiocatore() {
    const std::string mio = Con("FontFileNome", "Mio.ttf"), junk = Con("FontFileNome", "Junk.ttf");
    Aggiungi("font-nome-file-del-giocatore", Con("FontFile", "\0\1\0\0"s + Casuali(80, 31), &mio))
        .fileGiocatore = {{"Mio.ttf", "\0\1\0\0"s + Casuali(90, 32)}};
    Aggiungi("font-spazzatura", Con("FontFile", "junk" + Casuali(3000, 33), &junk)).nessunFont =
        true;
  }

  // What cost a decoder or the synthesizer far more than its size, or what a decoder
  // can't take at all: JPEG segment floods (over the gate's caps: a flood of empty
  // APP1 segments froze the game for a minute, full comments broke the memory budget),
  // frames, BMPs and PNGs the decoders refuse, an ordinary 16-bit PNG (which the game
  // must show), music of notes no song holds, and a MIDI file of just the size the
  // music slot takes.
  void Decodificatori() {
    const std::string jpeg = media_ostili::Jpeg();
    const auto png = [](uint8_t bit, uint8_t tipo, bool tavolozza) {
      const std::string pixel = "\0\x10\x10"s;  // one row of two pixels, or of one
      std::string zlib = "\x78\x01\x01"s + Le(pixel.size(), 2) + Le(~pixel.size() & 0xFFFF, 2) +
                         pixel + Grande(Somma(adler32, pixel), 4);
      std::string file = FilePng(
          1, std::string{static_cast<char>(bit), static_cast<char>(tipo)} + "\0\0\0"s, zlib);
      if (tavolozza) file.insert(33, ChunkPng("PLTE", "\x10\x20\x30"s));
      return file;
    };
    const auto bmp = [](uint32_t intestazione, uint16_t bit, uint32_t compressione,
                        uint32_t colori) {
      std::string h = Le(intestazione, 4) + Le(2, 4) + Le(2, 4) + Le(1, 2) + Le(bit, 2) +
                      Le(compressione, 4) + Le(16, 4) + Le(2835, 8) + Le(colori, 4) + Le(0, 4);
      h.resize(intestazione, '\0');
      return "BM"s + Le(0, 8) + Le(14 + intestazione, 4) + h + Casuali(16, 41);
    };
    NeiSlot("immagine", {13},
            {{"jpeg-1000-app1", media_ostili::ConSegmenti(jpeg, 0xE1, 1000)},
             {"jpeg-257-commenti-pieni", media_ostili::ConSegmenti(jpeg, 0xFE, 257, 65533)},
             {"jpeg-12-bit", media_ostili::ConFrame(jpeg, 0xC1, 12)},
             {"jpeg-senza-perdita", media_ostili::ConFrame(jpeg, 0xC3, 8)},
             {"bmp-intestazione-56", bmp(56, 24, 0, 0)},
             {"bmp-rle8-24-bit", bmp(40, 24, 1, 0)},
             {"bmp-con-jpeg", bmp(40, 24, 4, 0)},
             {"bmp-257-colori", bmp(40, 8, 0, 257)},
             {"png-senza-palette", png(8, 3, false)},
             {"png-palette-16-bit", png(16, 3, true)}},
            true);
    // Shown by the game once pictures are decoded with the bytes a pixel they need.
    Aggiungi("immagine13-png-16-bit-2000", Con("Immagini13", PngTinta(2000, 0x336699, false, true)))
        .proprie = {13};
    NeiSlot("suono", {0},
            {{"midi-2000-note-tenute", media_ostili::MidiNoteTenute(2000)},
             {"midi-1001-note-insieme", media_ostili::MidiRaffica(1001, 0)},
             {"midi-4-mib", media_ostili::MidiDiByte(4 << 20)}});
    for (CasoOstile& caso : m_casi)
      caso.sempre |= caso.nome == "immagine13-jpeg-1000-app1" ||
                     caso.nome == "immagine13-jpeg-257-commenti-pieni" ||
                     caso.nome == "suono0-midi-2000-note-tenute";
  }

  std::string m_base;
  std::vector<Campo> m_campi;
  std::vector<CasoOstile> m_casi;
};

}  // namespace

std::string CombinazioneBase() {
  return CodificaCombinazione(Base());
}

std::vector<CasoOstile> CorpusOstile() {
  return Generatore().Genera();
}
