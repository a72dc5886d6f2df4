#include "codec/Impostazioni.h"

#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "codec/Testo.h"

Risultato<std::string> CodificaScelta(const std::filesystem::path& percorso, bool audioAttivo) {
  const std::string& testo = percorso.native();
  if (testo.find_first_of("\"\r\n") != std::string::npos)
    return Errore{"the path " + testo +
                  " holds a double quote or a line break, which the settings file cannot keep"};
  return "\"" + testo + "\"\r\n" + (audioAttivo ? "#TRUE#" : "#FALSE#") + "\r\n";
}

LetturaScelta DecodificaScelta(std::string_view byte) {
  LetturaScelta lettura;
  LettoreCampi campi(byte);
  auto percorso = campi.Stringa();
  if (!percorso) {
    lettura.esito = Errore{"the combination's path: " + percorso.errore()};
    return lettura;
  }
  lettura.Percorso = std::filesystem::path(std::move(percorso.valore()));
  auto audio = campi.Booleano();
  if (!audio) {
    lettura.esito = Errore{"the audio switch: " + audio.errore()};
    return lettura;
  }
  lettura.AudioAttivo = audio.valore();
  return lettura;
}

LetturaScelta LeggiFileScelta(const std::filesystem::path& file) {
  auto byte = LeggiFile(file, Vaglio::MaxByteImpostazioni);
  if (!byte) {
    LetturaScelta lettura;
    lettura.esito = Errore{byte.errore()};
    return lettura;
  }
  LetturaScelta lettura = DecodificaScelta(byte.valore());
  if (!lettura.esito) lettura.esito = Errore{file.string() + ": " + lettura.esito.errore()};
  return lettura;
}

Esito ScriviFileScelta(const std::filesystem::path& file, const std::filesystem::path& percorso,
                       bool audioAttivo, ChiamateFile& chiamate) {
  auto byte = CodificaScelta(percorso, audioAttivo);
  if (!byte) return Errore{"cannot write " + file.string() + ": " + byte.errore()};
  return ScriviFileAtomico(file, byte.valore(), true, chiamate);
}
