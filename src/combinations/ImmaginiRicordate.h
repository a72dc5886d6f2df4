// The decoded pixels of the combination the game last applied, kept in the program
// folder (codec/FileImmaginiRicordate.h) so that applying it again, as every start
// does, copies them instead of starting the decoder. A picture is taken from them
// only when the SHA-1 of the bytes being applied is the one it was decoded from, and
// it is then exactly what the decoder gave.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "codec/DecodificaEsterna.h"
#include "codec/FileAtomico.h"
#include "codec/FileImmaginiRicordate.h"
#include "model/Modello.h"

class ImmaginiRicordate {
 public:
  // The file `file`, matched against the slots of `immagini` that are not Default and
  // that `esame` passed. A file missing, unreadable or out of place remembers nothing.
  ImmaginiRicordate(std::filesystem::path file,
                    const std::array<std::string, NumeroImmagini>& immagini,
                    const Vaglio::EsameCombinazione& esame);
  ImmaginiRicordate(const ImmaginiRicordate&) = delete;
  ImmaginiRicordate& operator=(const ImmaginiRicordate&) = delete;

  bool Ricorda(int slot) const;

  // The voci whose picture is remembered get it in `immagini`; the others are returned,
  // to be decoded.
  std::vector<DecodificaEsterna::Voce> Prendi(std::vector<DecodificaEsterna::Voce> voci,
                                              std::array<Immagine, NumeroImmagini>& immagini) const;

  // Keeps the pictures `applicate` (empty where a slot has none of the combination's)
  // for the next time, when they are not what the file already holds. Past the file's
  // size limit nothing is kept.
  void Aggiorna(const std::array<Immagine, NumeroImmagini>& applicate,
                ChiamateFile& chiamate) const;

 private:
  std::optional<Immagine> Copia(int slot) const;

  std::filesystem::path m_file;
  std::string m_byte;
  std::vector<FileImmaginiRicordate::Ricordata> m_ricordate;  // viewing into m_byte
  std::array<std::optional<FileImmaginiRicordate::Sha1>, NumeroImmagini> m_sha1;
  std::array<std::optional<size_t>, NumeroImmagini> m_trovata;  // in m_ricordate
};
