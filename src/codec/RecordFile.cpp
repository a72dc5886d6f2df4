#include "codec/RecordFile.h"

#include <algorithm>

#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "codec/Testo.h"

namespace {

constexpr const char* NomiCampi[] = {"name", "points", "level"};

std::string NomeSalvabile(std::string nome) {
  std::replace(nome.begin(), nome.end(), '"', '\'');
  std::replace(nome.begin(), nome.end(), '\r', ' ');
  std::replace(nome.begin(), nome.end(), '\n', ' ');
  return nome;
}

}  // namespace

TabellaRecord TabellaRecordIniziale() {
  TabellaRecord tabella;
  for (VoceRecord& voce : tabella) voce = VoceRecord{"no name", 0, 0};
  return tabella;
}

std::string CodificaRecord(const TabellaRecord& tabella) {
  std::string byte;
  for (const VoceRecord& voce : tabella) {
    byte += '"';
    byte += AWindows1252(NomeSalvabile(voce.Nome));
    byte += "\"\r\n";
    byte += std::to_string(voce.Punti) + "\r\n";
    byte += std::to_string(voce.Livello) + "\r\n";
  }
  return byte;
}

LetturaRecord DecodificaRecord(std::string_view byte) {
  LetturaRecord lettura;
  LettoreCampi campi(byte);
  for (int campo = 0; campo < CampiRecord; ++campo) {
    VoceRecord& voce = lettura.tabella[static_cast<size_t>(campo / 3)];
    std::string errore;
    switch (campo % 3) {
      case 0:
        if (auto nome = campi.Stringa())
          voce.Nome = DaWindows1252(nome.valore());
        else
          errore = nome.errore();
        break;
      case 1:
        if (auto punti = campi.Intero())
          voce.Punti = punti.valore();
        else
          errore = punti.errore();
        break;
      default:
        if (auto livello = campi.Intero())
          voce.Livello = livello.valore();
        else
          errore = livello.errore();
        break;
    }
    if (!errore.empty()) {
      lettura.esito = Errore{"field " + std::to_string(campo + 1) + " of " +
                             std::to_string(CampiRecord) + " (" + NomiCampi[campo % 3] +
                             " of entry " + std::to_string(campo / 3 + 1) + "): " + errore};
      return lettura;
    }
    lettura.campiLetti = campo + 1;
  }
  return lettura;
}

LetturaRecord LeggiFileRecord(const std::filesystem::path& file) {
  auto byte = LeggiFile(file, Vaglio::MaxByteRecord);
  if (!byte) {
    LetturaRecord lettura;
    lettura.esito = Errore{byte.errore()};
    return lettura;
  }
  LetturaRecord lettura = DecodificaRecord(byte.valore());
  if (!lettura.esito) lettura.esito = Errore{file.string() + ": " + lettura.esito.errore()};
  return lettura;
}

Esito ScriviFileRecord(const std::filesystem::path& file, const TabellaRecord& tabella,
                       ChiamateFile& chiamate) {
  return ScriviFileAtomico(file, CodificaRecord(tabella), true, chiamate);
}
