#include "codec/FileImmaginiRicordate.h"

#include <cstring>

namespace FileImmaginiRicordate {

namespace {

constexpr char Firma[4] = {'S', 'K', 'I', 'R'};
constexpr size_t ByteIntestazione = 4 + 4 + 4;
constexpr size_t ByteVoce = 20 + 4 + 4 + 4;

// Reads forward through the bytes, refusing any read past their end.
class Lettore {
 public:
  explicit Lettore(std::string_view byte) : m_resto(byte) {}

  std::optional<std::string_view> Byte(uint64_t quanti) {
    if (quanti > m_resto.size()) return std::nullopt;
    const std::string_view letti = m_resto.substr(0, static_cast<size_t>(quanti));
    m_resto.remove_prefix(static_cast<size_t>(quanti));
    return letti;
  }
  std::optional<uint32_t> Numero() {
    const auto letti = Byte(4);
    if (!letti) return std::nullopt;
    uint32_t n = 0;
    for (size_t i = 4; i-- > 0;) n = (n << 8) | static_cast<unsigned char>((*letti)[i]);
    return n;
  }
  bool Finito() const { return m_resto.empty(); }

 private:
  std::string_view m_resto;
};

void AggiungiNumero(std::string& file, uint32_t n) {
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
}

uint64_t BytePixel(uint32_t larghezza, uint32_t altezza) {
  return uint64_t{larghezza} * altezza * 4;
}

bool DimensioniAmmesse(uint32_t larghezza, uint32_t altezza) {
  return larghezza > 0 && altezza > 0 && uint64_t{larghezza} * altezza <= Vaglio::MaxPixelImmagine;
}

std::optional<Ricordata> LeggiVoce(Lettore& lettore) {
  Ricordata voce;
  const auto sha1 = lettore.Byte(voce.sha1.size());
  const auto larghezza = lettore.Numero();
  const auto altezza = lettore.Numero();
  const auto alfa = lettore.Numero();
  if (!sha1 || !larghezza || !altezza || !alfa || *alfa > 1 ||
      !DimensioniAmmesse(*larghezza, *altezza))
    return std::nullopt;
  const auto pixel = lettore.Byte(BytePixel(*larghezza, *altezza));
  if (!pixel) return std::nullopt;
  std::memcpy(voce.sha1.data(), sha1->data(), voce.sha1.size());
  voce.larghezza = *larghezza;
  voce.altezza = *altezza;
  voce.alfa = *alfa == 1;
  voce.pixel = *pixel;
  return voce;
}

}  // namespace

std::optional<std::vector<Ricordata>> Leggi(std::string_view byte) {
  if (byte.size() > MaxByte) return std::nullopt;
  Lettore lettore(byte);
  const auto firma = lettore.Byte(sizeof Firma);
  const auto versione = lettore.Numero();
  const auto quante = lettore.Numero();
  if (!firma || std::memcmp(firma->data(), Firma, sizeof Firma) != 0 || versione != Versione ||
      !quante || *quante > NumeroImmagini)
    return std::nullopt;
  std::vector<Ricordata> ricordate;
  for (uint32_t i = 0; i < *quante; ++i) {
    auto voce = LeggiVoce(lettore);
    if (!voce) return std::nullopt;
    ricordate.push_back(*voce);
  }
  if (!lettore.Finito()) return std::nullopt;
  return ricordate;
}

std::optional<std::string> Componi(std::span<const Ricordata> ricordate) {
  if (ricordate.size() > NumeroImmagini) return std::nullopt;
  uint64_t totale = ByteIntestazione;
  for (const Ricordata& voce : ricordate) {
    if (!DimensioniAmmesse(voce.larghezza, voce.altezza) ||
        voce.pixel.size() != BytePixel(voce.larghezza, voce.altezza))
      return std::nullopt;
    totale += ByteVoce + voce.pixel.size();
  }
  if (totale > MaxByte) return std::nullopt;
  std::string file(Firma, sizeof Firma);
  file.reserve(static_cast<size_t>(totale));
  AggiungiNumero(file, Versione);
  AggiungiNumero(file, static_cast<uint32_t>(ricordate.size()));
  for (const Ricordata& voce : ricordate) {
    file.append(reinterpret_cast<const char*>(voce.sha1.data()), voce.sha1.size());
    AggiungiNumero(file, voce.larghezza);
    AggiungiNumero(file, voce.altezza);
    AggiungiNumero(file, voce.alfa ? 1 : 0);
    file.append(voce.pixel);
  }
  return file;
}

}  // namespace FileImmaginiRicordate
