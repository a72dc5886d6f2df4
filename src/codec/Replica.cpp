#include "codec/Replica.h"

#include <zlib.h>

#include <fstream>
#include <limits>

namespace {

const std::string Danneggiato = "il file è danneggiato";

Errore Guasto(const std::string& dove) {
  return Errore{Danneggiato + " (" + dove + ")"};
}

// Little-endian numbers and varints into a string.
class Scrittore {
 public:
  template <class T>
  void Numero(T valore) {
    auto u = static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(valore));
    for (size_t i = 0; i < sizeof(T); ++i, u >>= 8) m_byte.push_back(static_cast<char>(u & 0xFF));
  }
  void Varint(uint32_t u) {
    while (u >= 0x80) {
      m_byte.push_back(static_cast<char>((u & 0x7F) | 0x80));
      u >>= 7;
    }
    m_byte.push_back(static_cast<char>(u));
  }
  void Testo(std::string_view testo) {
    Numero(static_cast<uint32_t>(testo.size()));
    m_byte.append(testo);
  }
  void Byte(std::string_view byte) { m_byte.append(byte); }
  std::string& Risultato() { return m_byte; }

 private:
  std::string m_byte;
};

// The same back, never past the end: a short read sets `rotto` and yields zeros.
class Lettore {
 public:
  explicit Lettore(std::string_view byte) : m_byte(byte) {}

  template <class T>
  T Numero() {
    std::make_unsigned_t<T> u = 0;
    if (!Basta(sizeof(T))) return 0;
    for (size_t i = 0; i < sizeof(T); ++i)
      u |= static_cast<std::make_unsigned_t<T>>(static_cast<uint8_t>(m_byte[m_pos + i])) << (8 * i);
    m_pos += sizeof(T);
    return static_cast<T>(u);
  }
  uint32_t Varint() {
    uint32_t u = 0;
    for (int spostamento = 0; spostamento < 35; spostamento += 7) {
      if (!Basta(1)) return 0;
      const auto b = static_cast<uint8_t>(m_byte[m_pos++]);
      if (spostamento == 28 && b > 0x0F) break;  // more than 32 bits
      u |= static_cast<uint32_t>(b & 0x7F) << spostamento;
      if (!(b & 0x80)) return u;
    }
    m_rotto = true;
    return 0;
  }
  std::string_view Byte(size_t quanti) {
    if (!Basta(quanti)) return {};
    const std::string_view parte = m_byte.substr(m_pos, quanti);
    m_pos += quanti;
    return parte;
  }
  std::string_view Testo(size_t massimo) {
    const auto lunghezza = Numero<uint32_t>();
    if (lunghezza > massimo) m_rotto = true;
    return m_rotto ? std::string_view() : Byte(lunghezza);
  }
  std::string_view Resto() { return Byte(m_byte.size() - m_pos); }
  bool Finito() const { return m_pos == m_byte.size(); }
  bool Rotto() const { return m_rotto; }

 private:
  bool Basta(size_t quanti) {
    if (m_rotto || m_byte.size() - m_pos < quanti) m_rotto = true;
    return !m_rotto;
  }
  std::string_view m_byte;
  size_t m_pos = 0;
  bool m_rotto = false;
};

// Valid UTF-8 without overlong forms, surrogates or code points past U+10FFFF.
bool Utf8Valido(std::string_view testo) {
  for (size_t i = 0; i < testo.size();) {
    const auto c = static_cast<uint8_t>(testo[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (c < 0x80)
      n = 0, cp = c;
    else if ((c & 0xE0) == 0xC0)
      n = 1, cp = c & 0x1F;
    else if ((c & 0xF0) == 0xE0)
      n = 2, cp = c & 0x0F;
    else if ((c & 0xF8) == 0xF0)
      n = 3, cp = c & 0x07;
    else
      return false;
    if (testo.size() - i <= n) return n == 0 && i < testo.size();
    for (size_t k = 1; k <= n; ++k) {
      const auto d = static_cast<uint8_t>(testo[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = cp << 6 | (d & 0x3F);
    }
    constexpr uint32_t Minimi[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Minimi[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

Risultato<std::string> CodificaIntestazione(const IntestazioneReplica& i) {
  if (i.nome.size() > MaxByteNomeReplica || i.combinazione.size() > MaxByteNomeReplica)
    return Errore{"un nome è troppo lungo per una partita registrata"};
  if (!Utf8Valido(i.nome) || !Utf8Valido(i.combinazione))
    return Errore{"un nome non è testo UTF-8"};
  if (i.durata > MaxDurataReplica) return Errore{"la partita è troppo lunga per essere registrata"};
  Scrittore s;
  s.Numero(i.versioneRegole);
  s.Testo(i.nome);
  s.Numero(i.punteggio);
  s.Numero(i.livello);
  s.Numero(i.durata);
  s.Numero(i.data);
  s.Testo(i.combinazione);
  return std::move(s.Risultato());
}

Risultato<IntestazioneReplica> LeggiIntestazione(std::string_view byte) {
  Lettore l(byte);
  IntestazioneReplica i;
  i.versioneRegole = l.Numero<uint32_t>();
  i.nome = l.Testo(MaxByteNomeReplica);
  i.punteggio = l.Numero<int64_t>();
  i.livello = l.Numero<int64_t>();
  i.durata = l.Numero<uint32_t>();
  i.data = l.Numero<int64_t>();
  i.combinazione = l.Testo(MaxByteNomeReplica);
  if (l.Rotto() || !l.Finito()) return Guasto("intestazione");
  if (!Utf8Valido(i.nome) || !Utf8Valido(i.combinazione)) return Guasto("un nome non è UTF-8");
  if (i.durata > MaxDurataReplica) return Guasto("durata oltre il limite");
  return i;
}

Risultato<std::string> CodificaCorpo(const Replica& r) {
  if (r.statoIniziale.size() > MaxByteStato) return Errore{"lo stato del gioco è troppo grande"};
  if (r.eventi.size() > MaxEventiReplica) return Errore{"la partita ha troppi eventi"};
  Scrittore s;
  s.Testo(r.statoIniziale);
  s.Byte({reinterpret_cast<const char*>(r.improntaFinale.data()), r.improntaFinale.size()});
  s.Numero(static_cast<uint32_t>(r.eventi.size()));
  uint32_t prima = 0;
  for (const EventoReplica& e : r.eventi) {
    if (e.tempo < prima || e.tempo > MaxDurataReplica || e.tipo >= NumeroTipiEventoReplica)
      return Errore{"un evento non si può registrare"};
    s.Varint(e.tempo - prima);
    prima = e.tempo;
    s.Numero(e.tipo);
    s.Varint(e.codice);
  }
  return std::move(s.Risultato());
}

Esito LeggiCorpo(std::string_view byte, Replica& r) {
  Lettore l(byte);
  r.statoIniziale = l.Testo(MaxByteStato);
  const std::string_view impronta = l.Byte(r.improntaFinale.size());
  if (!l.Rotto()) std::copy(impronta.begin(), impronta.end(), r.improntaFinale.begin());
  const auto quanti = l.Numero<uint32_t>();
  if (l.Rotto()) return Guasto("stato iniziale");
  if (quanti > MaxEventiReplica) return Guasto("troppi eventi");
  // Each input takes at least three bytes: a count beyond what the body holds is a lie.
  if (quanti > byte.size() / 3) return Guasto("eventi mancanti");
  r.eventi.resize(quanti);
  uint64_t tempo = 0;
  for (EventoReplica& e : r.eventi) {
    tempo += l.Varint();
    e.tempo = static_cast<uint32_t>(tempo > MaxDurataReplica ? MaxDurataReplica + 1 : tempo);
    e.tipo = l.Numero<uint8_t>();
    const uint32_t codice = l.Varint();
    e.codice = static_cast<uint16_t>(codice);
    if (l.Rotto()) return Guasto("eventi");
    if (tempo > MaxDurataReplica) return Guasto("un evento oltre la durata massima");
    if (e.tipo >= NumeroTipiEventoReplica || codice > std::numeric_limits<uint16_t>::max())
      return Guasto("un evento sconosciuto");
  }
  if (!l.Finito()) return Guasto("byte in più dopo gli eventi");
  return {};
}

// The parts of a file: its header and its packed body, with the body's unpacked size.
struct Parti {
  std::string_view intestazione;
  uint32_t espansi = 0;
  std::string_view compresso;
};

Risultato<Parti> Dividi(std::string_view byte) {
  if (!SembraReplica(byte)) return Errore{"il file non è una partita registrata"};
  if (byte.size() > MaxByteReplica)
    return Errore{"il file è troppo grande per una partita registrata"};
  Lettore l(byte.substr(MagiaReplica.size()));
  const auto formato = l.Numero<uint16_t>();
  if (!l.Rotto() && formato != FormatoReplica)
    return Errore{
        "la partita è registrata in un formato che questa versione del gioco non conosce (" +
        std::to_string(formato) + ")"};
  Parti p;
  p.intestazione = l.Testo(MaxByteIntestazione);
  p.espansi = l.Numero<uint32_t>();
  p.compresso = l.Resto();
  if (l.Rotto()) return Guasto("file troncato");
  if (p.espansi > MaxByteEspansi) return Guasto("contenuto oltre il limite");
  return p;
}

// Why a file could not be read, in the player's language.
Errore NonLeggibile(const std::filesystem::path& file) {
  std::error_code ec;
  const auto stato = std::filesystem::status(file, ec);
  std::string motivo = "il file non si può leggere";
  if (!std::filesystem::exists(stato))
    motivo = "il file non esiste";
  else if (!std::filesystem::is_regular_file(stato))
    motivo = "non è un file ma una cartella o un dispositivo";
  else if (std::filesystem::file_size(file, ec) > MaxByteReplica)
    motivo = "il file è troppo grande per una partita registrata";
  return Errore{file.string() + ": " + motivo};
}

}  // namespace

bool SembraReplica(std::string_view inizio) {
  return inizio.substr(0, MagiaReplica.size()) == MagiaReplica;
}

Risultato<std::string> CodificaReplica(const Replica& replica) {
  auto intestazione = CodificaIntestazione(replica.intestazione);
  if (!intestazione) return Errore{intestazione.errore()};
  auto corpo = CodificaCorpo(replica);
  if (!corpo) return Errore{corpo.errore()};
  const std::string& chiaro = corpo.valore();
  if (chiaro.size() > MaxByteEspansi)
    return Errore{"la partita è troppo lunga per essere registrata"};
  uLongf compressi = compressBound(static_cast<uLong>(chiaro.size()));
  std::string compresso(compressi, '\0');
  if (compress2(reinterpret_cast<Bytef*>(compresso.data()), &compressi,
                reinterpret_cast<const Bytef*>(chiaro.data()), static_cast<uLong>(chiaro.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    return Errore{"la partita non si può comprimere"};
  compresso.resize(compressi);
  Scrittore s;
  s.Byte(MagiaReplica);
  s.Numero(FormatoReplica);
  s.Testo(intestazione.valore());
  s.Numero(static_cast<uint32_t>(chiaro.size()));
  s.Byte(compresso);
  if (s.Risultato().size() > MaxByteReplica)
    return Errore{"la partita è troppo lunga per essere registrata"};
  return std::move(s.Risultato());
}

Risultato<IntestazioneReplica> DecodificaIntestazioneReplica(std::string_view byte) {
  auto parti = Dividi(byte);
  if (!parti) return Errore{parti.errore()};
  return LeggiIntestazione(parti.valore().intestazione);
}

Risultato<Replica> DecodificaReplica(std::string_view byte) {
  auto parti = Dividi(byte);
  if (!parti) return Errore{parti.errore()};
  auto intestazione = LeggiIntestazione(parti.valore().intestazione);
  if (!intestazione) return Errore{intestazione.errore()};
  std::string chiaro(parti.valore().espansi, '\0');
  uLongf espansi = static_cast<uLongf>(chiaro.size());
  uLong letti = static_cast<uLong>(parti.valore().compresso.size());
  // uncompress2 stops at the declared size: a body that unpacks to more is refused
  // without ever being held whole.
  const int esito =
      uncompress2(reinterpret_cast<Bytef*>(chiaro.data()), &espansi,
                  reinterpret_cast<const Bytef*>(parti.valore().compresso.data()), &letti);
  if (esito != Z_OK || espansi != chiaro.size() || letti != parti.valore().compresso.size())
    return Guasto("compressione");
  Replica r;
  r.intestazione = std::move(intestazione.valore());
  if (const Esito corpo = LeggiCorpo(chiaro, r); !corpo) return Errore{corpo.errore()};
  return r;
}

Risultato<Replica> LeggiFileReplica(const std::filesystem::path& file) {
  auto byte = LeggiFile(file, MaxByteReplica + 1);
  if (!byte) return NonLeggibile(file);
  auto replica = DecodificaReplica(byte.valore());
  if (!replica) return Errore{file.string() + ": " + replica.errore()};
  return replica;
}

Risultato<IntestazioneReplica> LeggiIntestazioneReplica(const std::filesystem::path& file) {
  auto byte = LeggiFile(file, MaxByteReplica + 1);
  if (!byte) return NonLeggibile(file);
  auto intestazione = DecodificaIntestazioneReplica(byte.valore());
  if (!intestazione) return Errore{file.string() + ": " + intestazione.errore()};
  return intestazione;
}

Esito ScriviFileReplica(const std::filesystem::path& file, const Replica& replica,
                        ChiamateFile& chiamate) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
    std::ifstream vecchio(file, std::ios::binary);
    std::string inizio(MagiaReplica.size(), '\0');
    vecchio.read(inizio.data(), static_cast<std::streamsize>(inizio.size()));
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)) ||
        !SembraReplica(inizio))
      return Errore{file.string() + ": c'è già un file che non è una partita registrata"};
  }
  auto byte = CodificaReplica(replica);
  if (!byte) return Errore{file.string() + ": " + byte.errore()};
  return ScriviFileAtomico(file, byte.valore(), false, chiamate);
}
