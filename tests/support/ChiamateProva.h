// The system calls of an atomic write, recorded and failing when a test asks: a
// failure at each step of a write, a full disk (ENOSPC at every write) or a read-only
// folder (EROFS at every create). Until asked, they are the system's own calls.
#pragma once

#include <cerrno>
#include <optional>
#include <vector>

#include "codec/FileAtomico.h"

class ChiamateProva final : public ChiamateFile {
 public:
  // The calls of one write, in the order they are made.
  enum class Passo { Crea, Scrivi, Permessi, Sincronizza, Chiudi, Rinomina, SincronizzaCartella };

  static const char* Nome(Passo passo) {
    constexpr const char* nomi[] = {"create", "write",  "fchmod",      "fsync",
                                    "close",  "rename", "fsync folder"};
    return nomi[static_cast<int>(passo)];
  }

  // Records the calls from none on, with no failure planned.
  void Registra() {
    Smetti();
    m_registra = true;
  }
  // The calls made since Registra().
  const std::vector<Passo>& Passi() const { return m_passi; }
  // The n-th call from Registra() on (1 = the first) fails with errno `codice`.
  void FallisciChiamata(int n, int codice) {
    m_chiamataFallita = n;
    m_codiceChiamata = codice;
  }
  // Every call of one kind fails with errno `codice`.
  void FallisciSempre(Passo passo, int codice) {
    m_registra = true;
    m_sempre = {passo, codice};
  }
  // Back to the system's calls only, nothing recorded.
  void Smetti() { *this = ChiamateProva(); }

  int Crea(char* modello) override {
    return Fallisce(Passo::Crea) ? -1 : ChiamateFile::Crea(modello);
  }
  ssize_t Scrivi(int fd, const void* byte, size_t quanti) override {
    return Fallisce(Passo::Scrivi) ? -1 : ChiamateFile::Scrivi(fd, byte, quanti);
  }
  int Permessi(int fd, mode_t modo) override {
    return Fallisce(Passo::Permessi) ? -1 : ChiamateFile::Permessi(fd, modo);
  }
  int Sincronizza(int fd) override {
    return Fallisce(Passo::Sincronizza) ? -1 : ChiamateFile::Sincronizza(fd);
  }
  // The descriptor is closed even when the close is made to fail.
  int Chiudi(int fd) override {
    const int esito = ChiamateFile::Chiudi(fd);
    return Fallisce(Passo::Chiudi) ? -1 : esito;
  }
  int Rinomina(const char* temporaneo, const char* percorso, bool sostituisci) override {
    return Fallisce(Passo::Rinomina) ? -1
                                     : ChiamateFile::Rinomina(temporaneo, percorso, sostituisci);
  }
  int SincronizzaCartella(int fd) override {
    return Fallisce(Passo::SincronizzaCartella) ? -1 : ChiamateFile::SincronizzaCartella(fd);
  }

 private:
  struct Sempre {
    Passo passo;
    int codice;
  };

  // True, with errno saying how, when this call is planned to fail.
  bool Fallisce(Passo passo) {
    if (!m_registra) return false;
    m_passi.push_back(passo);
    const bool questa = static_cast<int>(m_passi.size()) == m_chiamataFallita;
    if (!questa && !(m_sempre && m_sempre->passo == passo)) return false;
    errno = questa ? m_codiceChiamata : m_sempre->codice;
    return true;
  }

  bool m_registra = false;
  std::vector<Passo> m_passi;
  int m_chiamataFallita = 0;  // 1-based; 0 = none
  int m_codiceChiamata = 0;
  std::optional<Sempre> m_sempre;
};
