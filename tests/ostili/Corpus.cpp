#include "ostili/Corpus.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "codec/Combinazione.h"
#include "ostili/Media.h"
#include "support/Combinazioni.h"

namespace {

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
  size_t numero = 0;    // bytes of a number; 0 for a string
  size_t inizio = 0;    // offset of its first byte
  size_t prefisso = 0;  // bytes of a string's length before its content
  size_t lunghezza = 0;

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
  for (const auto& [nome, numero, quanti] : tracciato) {
    for (int n = 0; n < quanti; ++n)
      campi.push_back({quanti > 1 ? nome + std::to_string(n) : nome, numero});
  }
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
    c.lunghezza = c.numero;
    if (c.numero == 0) {
      c.lunghezza = leggi(2);
      if (c.lunghezza == 0xFFFF) c.lunghezza = leggi(4);
      c.prefisso = pos - c.inizio;
    }
    pos = c.Fine();
  }
  return campi;
}

std::string Prefisso(uint64_t lunghezza) {
  return lunghezza < 0xFFFF ? Piccolo(lunghezza, 2) : Piccolo(0xFFFF, 2) + Piccolo(lunghezza, 4);
}

class Generatore {
 public:
  Generatore() : m_base(CodificaCombinazione(Base())), m_campi(Campi(m_base)) {}

  std::vector<CasoOstile> Genera() {
    Troncature();
    Lunghezze();
    NomiFont();
    Immagini();
    Suoni();
    Nomi();
    ImmaginiSvg();
    ImmaginiAltriFormati();
    ScansioniJpeg();
    Budget();
    FontDelGiocatore();
    Musiche();
    // A music that claimed no channels crashed the mixer, and a font named after
    // one of the program folder's files replaced it.
    for (CasoOstile& caso : m_casi) {
      caso.sempre |= caso.nome.starts_with("suono0-") && caso.nome.ends_with("senza-canali");
      caso.sempre |= caso.nome == "font-nome-record" || caso.nome == "font-nome-combinazione" ||
                     caso.nome == "font-nome-altra-combinazione";
    }
    return std::move(m_casi);
  }

 private:
  const Campo& Di(std::string_view nome) const {
    for (const Campo& c : m_campi)
      if (c.nome == nome) return c;
    throw std::invalid_argument("no field " + std::string(nome));
  }

  // The base file with one field's content replaced, or only its length's prefix.
  std::string Con(std::string_view campo, std::string_view contenuto) {
    const Campo& c = Di(campo);
    return m_base.substr(0, c.inizio) + Prefisso(contenuto.size()) + std::string(contenuto) +
           m_base.substr(c.Fine());
  }
  std::string ConPrefisso(const Campo& c, const std::string& prefisso) {
    return m_base.substr(0, c.inizio) + prefisso + m_base.substr(c.inizio + c.prefisso);
  }

  CasoOstile& Aggiungi(std::string nome, std::string byte, std::string file = FileBase) {
    return m_casi.emplace_back(CasoOstile{std::move(nome), std::move(file), std::move(byte)});
  }

  // Cut at each field's start, inside its first bytes, after a string's length and
  // halfway through its content.
  void Troncature() {
    for (const Campo& c : m_campi) {
      Aggiungi("tronca-" + c.nome + "-inizio", m_base.substr(0, c.inizio));
      Aggiungi("tronca-" + c.nome + "-primo-byte", m_base.substr(0, c.inizio + 1));
      if (c.numero != 0 || c.lunghezza == 0) continue;
      Aggiungi("tronca-" + c.nome + "-lunghezza", m_base.substr(0, c.inizio + c.prefisso));
      Aggiungi("tronca-" + c.nome + "-meta",
               m_base.substr(0, c.inizio + c.prefisso + c.lunghezza / 2));
    }
    Aggiungi("tronca-ultimo-byte", m_base.substr(0, m_base.size() - 1));
    Aggiungi("vuoto", "");
  }

  // Each string claiming one byte more than the file has left, and some claiming
  // nearly 4 GiB in the 32-bit form.
  void Lunghezze() {
    for (const Campo& c : m_campi) {
      if (c.numero != 0) continue;
      Aggiungi("oltre-" + c.nome,
               ConPrefisso(c, Prefisso(m_base.size() - c.inizio - c.prefisso + 1)));
    }
    for (const char* campo :
         {"Nome", "Immagini0", "Immagini13", "Suoni0", "Suoni15", "FontFile", "FontFileNome"}) {
      for (const uint32_t quanti : {0xFFFFFFF0u, 0xFFFFFFFFu, 0x80000000u})
        Aggiungi("4g-" + std::string(campo) + "-" + std::to_string(quanti),
                 ConPrefisso(Di(campo), Piccolo(0xFFFF, 2) + Piccolo(quanti, 4)));
    }
    // A short length written in the long form is still a valid file.
    Aggiungi("lungo-corto-Autore", ConPrefisso(Di("Autore"), Piccolo(0xFFFF, 2) + Piccolo(4, 4)));
  }

  // Font names that lead elsewhere, and font bytes that are not a font.
  void NomiFont() {
    using namespace std::string_literals;
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
    const std::pair<const char*, std::string> immagini[] = {
        {"casuale", Casuali(3000, 5)},
        {"testo", "non sono un'immagine"},
        {"suono", Wav(50)},
        {"vuota", ""},
        {"bmp-troncata", Bmp(2, 2).substr(0, 30)},
        {"gif-30000", Gif(30000)},
        {"png-30000", Png(30000)},
        {"bmp-30000", Bmp(30000, 30000)},
        {"bmp-negativa", Bmp(30000, -30000)},
        {"jpeg-30000", Jpeg(30000)},
        {"jpeg-65500", Jpeg(65500)}};
    for (const int slot : {0, 9, 13}) {
      for (const auto& [nome, byte] : immagini)
        Aggiungi("immagine" + std::to_string(slot) + "-" + nome,
                 Con("Immagini" + std::to_string(slot), byte));
    }
    Aggiungi("immagine5-default-minuscolo", Con("Immagini5", "default"));
    // From the last picture back, so that the fields still to replace keep their offsets.
    std::string tutte = m_base;
    for (size_t n = NumeroImmagini; n > 0; --n) {
      const Campo& c = m_campi[n];  // Immagini<n - 1>
      tutte.replace(c.inizio, c.Fine() - c.inizio, Prefisso(Gif(30000).size()) + Gif(30000));
    }
    Aggiungi("immagini-tutte-gif-30000", tutte);
  }

  // Sounds that are not sounds, in the music's slot and in an effect's.
  void Suoni() {
    const std::pair<const char*, std::string> suoni[] = {
        {"casuale", Casuali(4000, 9)},
        {"wav-enorme", Wav(100, 1, 0xFFFFFFFF, 0xFFFFFFF0)},
        {"wav-senza-canali", Wav(100, 0)},
        {"wav-troncato", Wav(100).substr(0, 40)},
        {"midi", Midi()},
        {"midi-traccia-enorme", Midi(0xFFFFFFF0)},
        {"immagine", Bmp(2, 2)},
        {"un-byte", "R"},
        {"aiff-senza-canali", Aiff(0)},
        {"wav-secondo-fmt-senza-canali",
         Wav(100).insert(36, "fmt " + Piccolo(16, 4) + Piccolo(1, 2) + Piccolo(0, 2) +
                                 Piccolo(8000, 4) + Piccolo(16000, 4) + Piccolo(2, 2) +
                                 Piccolo(16, 2))},
        {"ogg-finto", "OggS" + Casuali(500, 15)},
        {"flac-finto", "fLaC" + Casuali(500, 16)},
        {"mp3-finto", std::string("ID3\x03\0\0\0\0\0\x10", 10) + Casuali(500, 17)},
        {"mod-finto", Casuali(1080, 18) + "M.K." + Casuali(2000, 19)}};
    for (const int slot : {0, 2}) {
      for (const auto& [nome, byte] : suoni)
        Aggiungi("suono" + std::to_string(slot) + "-" + nome,
                 Con("Suoni" + std::to_string(slot), byte));
    }
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

  // Drawings whose picture is another file: the slot's own unpacked file, one of the
  // system's, standard input. Qt's SVG reader follows them; a drawing that showed
  // its own file brought the game down at every start, as it recursed until the
  // stack ran out.
  void ImmaginiSvg() {
    const auto svg = [&](const std::string& nome, std::vector<std::pair<int, std::string>> slot) {
      TipoCombinazione c = Base();
      CasoOstile caso{nome, FileBase, ""};
      for (auto& [n, byte] : slot) {
        c.Immagini[static_cast<size_t>(n)] = std::move(byte);
        caso.predefinite.push_back(n);
      }
      caso.byte = CodificaCombinazione(c);
      caso.sempre = true;
      m_casi.push_back(std::move(caso));
    };
    svg("immagine0-svg-se-stessa", {{0, SvgImmagine("img0.sktemp")}});
    svg("immagine13-svg-se-stessa", {{13, SvgImmagine("img13.sktemp")}});
    // Slot 13 is unpacked after slot 0, which is still there: 13 shows 0, 0 shows 13.
    svg("immagini-svg-incrociate",
        {{0, SvgImmagine("img13.sktemp")}, {13, SvgImmagine("img0.sktemp")}});
    svg("immagine0-svg-etc-passwd", {{0, SvgImmagine("file:///etc/passwd")}});
    svg("immagine0-svg-dev-stdin", {{0, SvgImmagine("/dev/stdin")}});
    svg("immagine0-svg-entita-esterna",
        {{0, Svg("<text x=\"0\" y=\"12\">&esterna;</text>\n",
                 "<!DOCTYPE svg [<!ENTITY esterna SYSTEM \"file:///etc/passwd\">]>\n")}});
    svg("immagine0-svg-use-altro-file",
        {{0, Svg("<use xlink:href=\"Record#r\" href=\"Record#r\"/>\n")}});
  }

  // Pictures in formats that an image library recognises by their first bytes, but
  // a picture slot does not take.
  void ImmaginiAltriFormati() {
    const std::pair<const char*, std::string> formati[] = {
        {"ico", Ico()}, {"xpm", Xpm()}, {"xbm", Xbm()}, {"ppm", Ppm()}, {"tiff", Tiff()}};
    for (const int slot : {0, 9, 13}) {
      for (const auto& [nome, byte] : formati)
        Aggiungi("immagine" + std::to_string(slot) + "-" + nome,
                 Con("Immagini" + std::to_string(slot), byte))
            .predefinite = {slot};
    }
  }

  // A progressive JPEG's decoder goes over the whole picture at each scan, even an
  // empty one: 20,000 of 10 bytes each make 200 KB that keep it busy for many seconds
  // on a picture of 12 million pixels. One scan under the limit, the picture shows.
  void ScansioniJpeg() {
    constexpr int Lato = 3500;
    CasoOstile& molte =
        Aggiungi("immagine0-jpeg-20000-scansioni", Con("Immagini0", JpegProgressivo(Lato, 20000)));
    molte.sempre = true;
    molte.predefinite = {0};
    CasoOstile& poche =
        Aggiungi("immagine0-jpeg-99-scansioni", Con("Immagini0", JpegProgressivo(Lato, 99)));
    poche.proprie = {0};
  }

  // Small files that decode to much: fifteen effects of 1,000 seconds each at 10
  // samples a second, which the mixer would hold as 176 MB each; fourteen pictures
  // of 16 million pixels each, each within the limit of a picture, together far over
  // that of a combination (the first still fits, the last does not); and one picture
  // of 400 million pixels of one bit in 80 KB.
  void Budget() {
    TipoCombinazione effetti = Base();
    for (size_t n = 1; n < NumeroSuoni; ++n) effetti.Suoni[n] = Wav8(10'000, 10);
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
    using namespace std::string_literals;
    TipoCombinazione omonimo = Base();
    omonimo.FontFileNome = "Mio.ttf";
    omonimo.FontFile = "\0\1\0\0"s + Casuali(80, 31);
    Aggiungi("font-nome-file-del-giocatore", CodificaCombinazione(omonimo)).fileGiocatore = {
        {"Mio.ttf", "\0\1\0\0"s + Casuali(90, 32)}};
    TipoCombinazione spazzatura = Base();
    spazzatura.FontFileNome = "Junk.ttf";
    spazzatura.FontFile = "junk" + Casuali(3000, 33);
    Aggiungi("font-spazzatura", CodificaCombinazione(spazzatura)).nessunFont = true;
  }

  // A whole, valid AIFF, which neither the music slot nor an effect's takes (the other
  // kinds the mixer knows are the "-finto" sounds above: refused by their first bytes).
  void Musiche() {
    for (const int slot : {0, 2})
      Aggiungi("suono" + std::to_string(slot) + "-aiff",
               Con("Suoni" + std::to_string(slot), Aiff(1)));
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
