#include "codec/Testo.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace {

constexpr char Sostituto = '?';

bool SoloAscii(std::string_view byte) {
  return std::all_of(byte.begin(), byte.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length of the well-formed UTF-8 sequence that starts `testo`, or 0 when it
// does not start with one (overlong forms and surrogates are not well formed).
size_t SequenzaUtf8(std::string_view testo) {
  auto b = [&](size_t i) { return static_cast<unsigned char>(testo[i]); };
  auto tra = [&](size_t i, unsigned char da, unsigned char a) {
    return i < testo.size() && b(i) >= da && b(i) <= a;
  };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return tra(1, 0x80, 0xBF) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned char da = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned char a = c == 0xED ? 0x9F : 0xBF;
    return tra(1, da, a) && tra(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned char da = c == 0xF0 ? 0x90 : 0x80;
    const unsigned char a = c == 0xF4 ? 0x8F : 0xBF;
    return tra(1, da, a) && tra(2, 0x80, 0xBF) && tra(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

// One iconv conversion descriptor, closed when it goes.
class Convertitore {
 public:
  Convertitore(const char* verso, const char* da) : m_cd(::iconv_open(verso, da)) {}
  ~Convertitore() {
    if (Valido()) ::iconv_close(m_cd);
  }
  Convertitore(const Convertitore&) = delete;
  Convertitore& operator=(const Convertitore&) = delete;

  bool Valido() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd() const { return m_cd; }

 private:
  iconv_t m_cd;
};

enum class Verso { DaWindows1252, AWindows1252 };

// Converts with iconv, putting '?' where the input has something the other side
// cannot hold, and going on after it.
std::string Converti(std::string_view ingresso, Verso verso) {
  if (SoloAscii(ingresso)) return std::string(ingresso);
  const bool decodifica = verso == Verso::DaWindows1252;
  Convertitore conv(decodifica ? "UTF-8" : "WINDOWS-1252", decodifica ? "WINDOWS-1252" : "UTF-8");
  if (!conv.Valido()) {
    // No converter installed: keep what is plain ASCII on both sides.
    std::string uscita(ingresso);
    for (char& c : uscita)
      if (static_cast<unsigned char>(c) >= 0x80) c = Sostituto;
    return uscita;
  }

  // A Windows-1252 byte becomes at most 3 bytes of UTF-8; the other way never grows.
  std::string uscita(decodifica ? ingresso.size() * 3 : ingresso.size(), '\0');
  char* in = const_cast<char*>(ingresso.data());
  size_t inResto = ingresso.size();
  char* out = uscita.data();
  size_t outResto = uscita.size();
  while (inResto > 0) {
    if (::iconv(conv.cd(), &in, &inResto, &out, &outResto) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      const size_t fatto = static_cast<size_t>(out - uscita.data());
      uscita.resize(uscita.size() * 2 + 4);
      out = uscita.data() + fatto;
      outResto = uscita.size() - fatto;
      continue;
    }
    if (outResto == 0) {
      const size_t fatto = static_cast<size_t>(out - uscita.data());
      uscita.resize(uscita.size() + 4);
      out = uscita.data() + fatto;
      outResto = uscita.size() - fatto;
    }
    *out++ = Sostituto;
    --outResto;
    if (errno == EINVAL) break;  // an incomplete sequence at the very end
    // A valid UTF-8 character with no Windows-1252 byte goes whole; anything else
    // one byte at a time.
    size_t salto = 1;
    if (!decodifica) salto = std::max<size_t>(1, SequenzaUtf8(std::string_view(in, inResto)));
    in += salto;
    inResto -= salto;
  }
  uscita.resize(static_cast<size_t>(out - uscita.data()));
  return uscita;
}

bool FineRiga(char c) {
  return c == '\r' || c == '\n';
}
bool Spazio(char c) {
  return c == ' ' || c == '\t';
}

// A field's text as quoted in a message: short, and with no line breaks.
std::string Citato(std::string_view t) {
  constexpr size_t Massimo = 40;
  std::string c = "\"";
  for (char ch : t.substr(0, Massimo)) c += static_cast<unsigned char>(ch) < 0x20 ? '?' : ch;
  if (t.size() > Massimo) c += "...";
  return c + "\"";
}

std::string_view SenzaSpazi(std::string_view s) {
  while (!s.empty() && Spazio(s.front())) s.remove_prefix(1);
  while (!s.empty() && Spazio(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string DaWindows1252(std::string_view byte) {
  return Converti(byte, Verso::DaWindows1252);
}

std::string AWindows1252(std::string_view testo) {
  return Converti(testo, Verso::AWindows1252);
}

std::string PrimoFuoriWindows1252(std::string_view testo) {
  for (size_t i = 0; i < testo.size();) {
    const size_t n = SequenzaUtf8(testo.substr(i));
    if (n == 0) return std::string(testo.substr(i, 1));
    // A character fits when it comes back from its byte unchanged: one without a
    // byte comes back as '?', and so does one that iconv would map to an undefined
    // byte.
    const std::string_view carattere = testo.substr(i, n);
    if (n > 1 && DaWindows1252(AWindows1252(carattere)) != carattere) return std::string(carattere);
    i += n;
  }
  return {};
}

Risultato<std::string> LettoreCampi::Stringa() {
  const size_t n = m_testo.size();
  while (m_pos < n && Spazio(m_testo[m_pos])) ++m_pos;
  if (m_pos >= n)
    return Errore{"the text ends before this field, at offset " + std::to_string(m_pos)};

  std::string campo;
  if (m_testo[m_pos] == '"') {
    const size_t inizio = ++m_pos;
    while (m_pos < n && m_testo[m_pos] != '"' && !FineRiga(m_testo[m_pos])) ++m_pos;
    campo = std::string(m_testo.substr(inizio, m_pos - inizio));
    if (m_pos < n && m_testo[m_pos] == '"') ++m_pos;
    while (m_pos < n && m_testo[m_pos] != ',' && !FineRiga(m_testo[m_pos])) ++m_pos;
  } else {
    const size_t inizio = m_pos;
    while (m_pos < n && m_testo[m_pos] != ',' && !FineRiga(m_testo[m_pos])) ++m_pos;
    campo = std::string(SenzaSpazi(m_testo.substr(inizio, m_pos - inizio)));
  }

  // The delimiter: a comma, or one line end (CR LF counts as one).
  if (m_pos < n && m_testo[m_pos] == ',') {
    ++m_pos;
  } else if (m_pos < n && m_testo[m_pos] == '\r') {
    ++m_pos;
    if (m_pos < n && m_testo[m_pos] == '\n') ++m_pos;
  } else if (m_pos < n && m_testo[m_pos] == '\n') {
    ++m_pos;
  }
  return campo;
}

Risultato<int64_t> LettoreCampi::Intero() {
  const size_t inizio = m_pos;
  auto campo = Stringa();
  if (!campo) return Errore{campo.errore()};
  const std::string& t = campo.valore();
  int64_t valore = 0;
  const auto [fine, ec] = std::from_chars(t.data(), t.data() + t.size(), valore);
  if (t.empty() || ec != std::errc{} || fine != t.data() + t.size())
    return Errore{Citato(t) + " at offset " + std::to_string(inizio) +
                  " is not a whole number of 64 bits"};
  return valore;
}

Risultato<bool> LettoreCampi::Booleano() {
  const size_t inizio = m_pos;
  auto campo = Stringa();
  if (!campo) return Errore{campo.errore()};
  std::string t = campo.valore();
  std::transform(t.begin(), t.end(), t.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  if (t == "#TRUE#") return true;
  if (t == "#FALSE#") return false;
  return Errore{Citato(campo.valore()) + " at offset " + std::to_string(inizio) +
                " is neither #TRUE# nor #FALSE#"};
}
