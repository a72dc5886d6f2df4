#include "combinations/ImmaginiRicordate.h"

#include <algorithm>
#include <cstring>

#include <QCryptographicHash>
#include <QImage>

#include "combinations/Decodifica.h"

namespace fs = std::filesystem;
using FileImmaginiRicordate::Ricordata;
using FileImmaginiRicordate::Sha1;

namespace {

Sha1 Impronta(std::string_view byte) {
  const QByteArray hash = ImprontaCompleta(byte);
  Sha1 sha1{};
  std::memcpy(sha1.data(), hash.constData(), std::min(sha1.size(), size_t(hash.size())));
  return sha1;
}

QImage::Format Formato(bool alfa) {
  return alfa ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// The picture's pixels as the file keeps them; nothing for a picture the decoder does
// not give.
std::optional<Ricordata> DaRicordare(const QImage& dati, const Sha1& sha1) {
  const bool alfa = dati.format() == Formato(true);
  if ((!alfa && dati.format() != Formato(false)) ||
      dati.bytesPerLine() != qsizetype{dati.width()} * 4)
    return std::nullopt;
  return Ricordata{
      sha1,
      static_cast<uint32_t>(dati.width()),
      static_cast<uint32_t>(dati.height()),
      alfa,
      {reinterpret_cast<const char*>(dati.constBits()), static_cast<size_t>(dati.sizeInBytes())}};
}

}  // namespace

ImmaginiRicordate::ImmaginiRicordate(fs::path file,
                                     const std::array<std::string, NumeroImmagini>& immagini,
                                     const Vaglio::EsameCombinazione& esame)
    : m_file(std::move(file)) {
  for (size_t s = 0; s < NumeroImmagini; ++s)
    if (immagini[s] != ImmagineDefault && !esame.immagini[s].rifiuto)
      m_sha1[s] = Impronta(immagini[s]);
  if (std::none_of(m_sha1.begin(), m_sha1.end(), [](const auto& h) { return h.has_value(); }))
    return;
  auto byte = LeggiFile(m_file, FileImmaginiRicordate::MaxByte);
  if (!byte) return;
  m_byte = std::move(byte).valore();
  auto ricordate = FileImmaginiRicordate::Leggi(m_byte);
  if (!ricordate) return;
  m_ricordate = std::move(*ricordate);
  for (size_t s = 0; s < NumeroImmagini; ++s) {
    if (!m_sha1[s]) continue;
    const auto trovata = std::find_if(m_ricordate.begin(), m_ricordate.end(),
                                      [&](const Ricordata& r) { return r.sha1 == *m_sha1[s]; });
    if (trovata != m_ricordate.end())
      m_trovata[s] = static_cast<size_t>(trovata - m_ricordate.begin());
  }
}

bool ImmaginiRicordate::Ricorda(int slot) const {
  return m_trovata[static_cast<size_t>(slot)].has_value();
}

std::optional<Immagine> ImmaginiRicordate::Copia(int slot) const {
  const auto s = static_cast<size_t>(slot);
  if (!m_trovata[s]) return std::nullopt;
  const FileImmaginiRicordate::Ricordata& r = m_ricordate[*m_trovata[s]];
  QImage dati(static_cast<int>(r.larghezza), static_cast<int>(r.altezza), Formato(r.alfa));
  if (dati.isNull() || static_cast<size_t>(dati.sizeInBytes()) != r.pixel.size())
    return std::nullopt;
  std::memcpy(dati.bits(), r.pixel.data(), r.pixel.size());
  return Immagine{ImprontaBreve(*m_sha1[s]), std::move(dati)};
}

std::vector<DecodificaEsterna::Voce> ImmaginiRicordate::Prendi(
    std::vector<DecodificaEsterna::Voce> voci,
    std::array<Immagine, NumeroImmagini>& immagini) const {
  std::erase_if(voci, [&](const DecodificaEsterna::Voce& voce) {
    std::optional<Immagine> ricordata = Copia(voce.slot);
    if (ricordata) immagini[static_cast<size_t>(voce.slot)] = std::move(*ricordata);
    return ricordata.has_value();
  });
  return voci;
}

void ImmaginiRicordate::Aggiorna(const std::array<Immagine, NumeroImmagini>& applicate,
                                 ChiamateFile& chiamate) const {
  std::vector<Ricordata> nuove;
  for (size_t s = 0; s < NumeroImmagini; ++s) {
    if (applicate[s].Vuota() || !m_sha1[s]) continue;
    const bool doppia = std::any_of(nuove.begin(), nuove.end(),
                                    [&](const Ricordata& r) { return r.sha1 == *m_sha1[s]; });
    if (doppia) continue;
    if (auto voce = DaRicordare(applicate[s].Dati, *m_sha1[s])) nuove.push_back(*voce);
  }
  const auto stesse = [](const Ricordata& a, const Ricordata& b) { return a.sha1 == b.sha1; };
  if (std::equal(nuove.begin(), nuove.end(), m_ricordate.begin(), m_ricordate.end(), stesse))
    return;
  const std::optional<std::string> file = FileImmaginiRicordate::Componi(nuove);
  // Too big to keep, or nothing to keep: no old pictures are left behind either.
  if (!file || nuove.empty()) {
    (void)EliminaFile(m_file);
    return;
  }
  (void)ScriviFileProvvisorio(m_file, *file, chiamate);
}
