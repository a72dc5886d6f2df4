// For tests only: makes the system calls behind ScriviFileAtomico fail on demand, so
// that a failure at each step of a write, a full disk or a read-only folder can be
// shown to leave the old file whole. Nothing here acts until a test asks.
#pragma once

#include <vector>

namespace FileAtomicoProva {

// The system calls of one write, in the order they are made.
enum class Passo { Crea, Scrivi, Permessi, Sincronizza, Chiudi, Rinomina, SincronizzaCartella };
const char* NomePasso(Passo passo);

// Starts recording the calls from none, with no failure planned; after it, the n-th
// call counted fails.
void Registra();
// The calls made since Registra().
const std::vector<Passo>& Passi();
// The n-th call from Registra() on (1 = the first) fails with errno `codice`.
void FallisciChiamata(int n, int codice);
// Every call of one kind fails with errno `codice`: a full disk is ENOSPC at Scrivi,
// a read-only folder EROFS at Crea.
void FallisciSempre(Passo passo, int codice);
// Back to real calls only, nothing recorded.
void Smetti();

}  // namespace FileAtomicoProva
