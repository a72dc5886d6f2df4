#include "codec/Combinazione.h"

#include <limits>

#include "codec/FileAtomico.h"
#include "codec/Testo.h"
#include "codec/Vaglio.h"

namespace {

// A string of this length or more carries its length in 32 bits after FF FF.
constexpr size_t LunghezzaLunga = 0xFFFF;

// A field's name as messages show it: "Nome", "Immagini(3)".
struct NomeCampo {
  const char* nome;
  int indice = -1;

  std::string Testo() const {
    return indice < 0 ? std::string(nome) : std::string(nome) + "(" + std::to_string(indice) + ")";
  }
};

// Walks the record's fields in file order, handing each to the visitor with its
// kind: text (Windows-1252 on disk), bytes, 32-bit integer or boolean. The writer,
// the size count and the reader all follow this one order.
template <class C, class V>
void VisitaCampi(C& c, V& v) {
  v.Testo({"Nome"}, c.Nome);
  for (int n = 0; n < NumeroImmagini; ++n) v.Byte({"Immagini", n}, c.Immagini[n]);
  v.Testo({"Autore"}, c.Autore);
  v.Testo({"Password"}, c.Password);
  for (int n = 0; n < NumeroSuoni; ++n) v.Byte({"Suoni", n}, c.Suoni[n]);
  for (int n = 0; n < NumeroSuoni; ++n) v.Intero32({"Volumi", n}, c.Volumi[n]);
  v.Testo({"FontNome"}, c.FontNome);
  v.Testo({"FontDimensione"}, c.FontDimensione);
  v.Testo({"FontColore"}, c.FontColore);
  v.Booleano({"FontGrassetto"}, c.FontGrassetto);
  v.Booleano({"FontCorsivo"}, c.FontCorsivo);
  v.Byte({"FontFile"}, c.FontFile);
  v.Testo({"FontFileNome"}, c.FontFileNome);
}

size_t LunghezzaPrefisso(size_t lunghezza) {
  return lunghezza < LunghezzaLunga ? 2 : 6;
}

// Counts the bytes of the encoded record, so the writer allocates once.
struct Misura {
  size_t totale = 0;
  bool troppoLungo = false;
  std::string campoTroppoLungo;

  void Byte(NomeCampo campo, const std::string& s) {
    totale += LunghezzaPrefisso(s.size()) + s.size();
    if (s.size() > std::numeric_limits<uint32_t>::max() && !troppoLungo) {
      troppoLungo = true;
      campoTroppoLungo = campo.Testo();
    }
  }
  void Testo(NomeCampo campo, const std::string& s) { Byte(campo, s); }
  void Intero32(NomeCampo, int32_t) { totale += 4; }
  void Booleano(NomeCampo, bool) { totale += 2; }
};

struct Scrittore {
  std::string byte;

  void Piccolo(uint32_t valore, int quanti) {
    for (int i = 0; i < quanti; ++i) byte.push_back(static_cast<char>((valore >> (8 * i)) & 0xFF));
  }
  void Byte(NomeCampo, const std::string& s) {
    if (s.size() < LunghezzaLunga) {
      Piccolo(static_cast<uint32_t>(s.size()), 2);
    } else {
      Piccolo(0xFFFF, 2);
      Piccolo(static_cast<uint32_t>(s.size()), 4);
    }
    byte.append(s);
  }
  void Testo(NomeCampo campo, const std::string& s) { Byte(campo, AWindows1252(s)); }
  void Intero32(NomeCampo, int32_t v) { Piccolo(static_cast<uint32_t>(v), 4); }
  void Booleano(NomeCampo, bool v) { Piccolo(v ? 0xFFFF : 0, 2); }
};

// Reads fields off the bytes until the first one that does not fit; after that it
// does nothing, and `errore` says which field failed, where, and why.
struct Lettore {
  std::string_view byte;
  size_t pos = 0;
  std::string errore;

  size_t Resto() const { return byte.size() - pos; }

  bool Serve(NomeCampo campo, size_t quanti, const char* cosa) {
    if (!errore.empty()) return false;
    if (quanti <= Resto()) return true;
    errore = "truncated in " + campo.Testo() + " at offset " + std::to_string(pos) + ": needs " +
             std::to_string(quanti) + " bytes" + cosa + ", " + std::to_string(Resto()) + " left";
    return false;
  }
  uint32_t Piccolo(int quanti) {
    uint32_t v = 0;
    for (int i = 0; i < quanti; ++i)
      v |= static_cast<uint32_t>(static_cast<unsigned char>(byte[pos + i])) << (8 * i);
    pos += static_cast<size_t>(quanti);
    return v;
  }
  void Byte(NomeCampo campo, std::string& s) {
    if (!Serve(campo, 2, " for the length")) return;
    size_t lunghezza = Piccolo(2);
    if (lunghezza == LunghezzaLunga) {
      if (!Serve(campo, 4, " for the 32-bit length")) return;
      lunghezza = Piccolo(4);
    }
    if (!Serve(campo, lunghezza, "")) return;
    s.assign(byte.data() + pos, lunghezza);
    pos += lunghezza;
  }
  void Testo(NomeCampo campo, std::string& s) {
    Byte(campo, s);
    if (errore.empty()) s = DaWindows1252(s);
  }
  void Intero32(NomeCampo campo, int32_t& v) {
    if (Serve(campo, 4, "")) v = static_cast<int32_t>(Piccolo(4));
  }
  void Booleano(NomeCampo campo, bool& v) {
    if (Serve(campo, 2, "")) v = Piccolo(2) != 0;
  }
};

}  // namespace

std::string CodificaCombinazione(const TipoCombinazione& comb) {
  Misura misura;
  VisitaCampi(comb, misura);
  Scrittore scrittore;
  // Text fields may shrink when converted; the count is an upper bound.
  scrittore.byte.reserve(misura.totale);
  VisitaCampi(comb, scrittore);
  return std::move(scrittore.byte);
}

Risultato<TipoCombinazione> DecodificaCombinazione(std::string_view byte) {
  TipoCombinazione comb;
  Lettore lettore{byte, 0, {}};
  VisitaCampi(comb, lettore);
  if (!lettore.errore.empty()) return Errore{std::move(lettore.errore)};
  return comb;
}

Risultato<std::string> CambiaNomeCombinazione(std::string_view byte, const std::string& nome) {
  Lettore lettore{byte, 0, {}};
  std::string vecchio;
  lettore.Testo({"Nome"}, vecchio);
  if (!lettore.errore.empty()) return Errore{std::move(lettore.errore)};
  Scrittore scrittore;
  scrittore.Testo({"Nome"}, nome);
  scrittore.byte.append(byte.substr(lettore.pos));
  return std::move(scrittore.byte);
}

Risultato<TipoCombinazione> LeggiFileCombinazione(const std::filesystem::path& percorso) {
  auto byte = LeggiFile(percorso, Vaglio::MaxByteCombinazione);
  if (!byte) return Errore{byte.errore()};
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Errore{percorso.string() + ": " + comb.errore()};
  return comb;
}

Esito ScriviFileCombinazione(const std::filesystem::path& percorso, const TipoCombinazione& comb,
                             ChiamateFile& chiamate) {
  Misura misura;
  VisitaCampi(comb, misura);
  if (misura.troppoLungo)
    return Errore{"cannot write " + percorso.string() + ": " + misura.campoTroppoLungo +
                  " holds 4 GiB or more"};
  return ScriviFileAtomico(percorso, CodificaCombinazione(comb), false, chiamate);
}
