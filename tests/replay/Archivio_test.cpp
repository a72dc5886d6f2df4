#include "replay/Archivio.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "support/CartellaTemporanea.h"
#include "support/ChiamateProva.h"

namespace {

PartitaRegistrata Giocata(const std::string& nome, int64_t punti, int64_t livello, int posizione) {
  PartitaRegistrata p;
  p.replica.intestazione = {1, nome, punti, livello, 1000, 0, "Default"};
  p.replica.statoIniziale = nome;
  p.posizione = posizione;
  return p;
}

// The table once `p` has entered it, as the game has it after writing Record.
TabellaRecord Inserisci(TabellaRecord t, const PartitaRegistrata& p) {
  const auto i = static_cast<size_t>(p.posizione - 1);
  for (size_t k = t.size() - 1; k > i; --k) t[k] = t[k - 1];
  const IntestazioneReplica& h = p.replica.intestazione;
  t[i] = {h.nome, h.punteggio, h.livello};
  return t;
}

size_t Repliche(const CartellaTemporanea& c) {
  std::error_code ec;
  const auto it = std::filesystem::directory_iterator(c / CartellaPartite, ec);
  return ec ? 0 : static_cast<size_t>(std::distance(begin(it), end(it)));
}

// Every entry has its own replay or none.
void NessunoScambio(const ArchivioPartite& a, const TabellaRecord& t, const std::string& caso) {
  for (int voce = 1; voce <= NumeroRecord; ++voce) {
    const auto file = a.PartitaDellaVoce(voce, t);
    if (!file) continue;
    const auto h = LeggiIntestazioneReplica(*file);
    ASSERT_TRUE(h) << caso;
    const VoceRecord& v = t[static_cast<size_t>(voce - 1)];
    EXPECT_EQ(VoceRecord({h.valore().nome, h.valore().punteggio, h.valore().livello}), v)
        << caso << ", entry " << voce;
  }
}

}  // namespace

TEST(Archivio, AHighScoreKeepsItsReplayUntilItsEntryDropsOff) {
  CartellaTemporanea c;
  ArchivioPartite a(c.percorso());
  TabellaRecord t = TabellaRecordIniziale();
  const PartitaRegistrata anna = Giocata("Anna", 500, 3, 1);
  t = Inserisci(t, anna);
  ASSERT_TRUE(a.Conserva(anna, t));
  ASSERT_TRUE(a.PartitaDellaVoce(1, t));
  EXPECT_EQ(LeggiFileReplica(*a.PartitaDellaVoce(1, t)).valore(), anna.replica);
  EXPECT_EQ(LeggiFileReplica(a.UltimaPartita()).valore(), anna.replica);

  // A game that enters no entry is only the last game.
  const PartitaRegistrata bassa = Giocata("", 10, 1, 0);
  ASSERT_TRUE(a.Conserva(bassa, t));
  EXPECT_EQ(LeggiFileReplica(a.UltimaPartita()).valore(), bassa.replica);
  EXPECT_EQ(Repliche(c), 1u);

  // Ten better games push Anna off the table; her replay goes with her entry.
  for (int i = 0; i < 10; ++i) {
    const PartitaRegistrata p = Giocata("G" + std::to_string(i), 1000 + i, 4, 1);
    t = Inserisci(t, p);
    ASSERT_TRUE(a.Conserva(p, t)) << i;
    // Each replay follows its entry down the table, Anna's until she drops off.
    NessunoScambio(a, t, "after game " + std::to_string(i));
  }
  EXPECT_EQ(Repliche(c), 10u);
  for (int voce = 1; voce <= 10; ++voce) EXPECT_TRUE(a.PartitaDellaVoce(voce, t)) << voce;
}

TEST(Archivio, AFailureAtAnyStepNeverShowsAnEntryAnotherGamesReplay) {
  const PartitaRegistrata anna = Giocata("Anna", 500, 3, 1);
  const PartitaRegistrata bruno = Giocata("Bruno", 900, 5, 1);
  const TabellaRecord prima = Inserisci(TabellaRecordIniziale(), anna);
  const TabellaRecord dopo = Inserisci(prima, bruno);

  // From a crash just after Record took Bruno (n = 0: nothing of the keeping done) to a
  // failure at each of its calls, and on to a keeping that makes no call n.
  int n = 0;
  for (;; ++n) {
    CartellaTemporanea c;
    ChiamateProva chiamate;
    ArchivioPartite a(c.percorso(), chiamate);
    ASSERT_TRUE(a.Conserva(anna, prima));
    chiamate.Registra();
    chiamate.FallisciChiamata(n, EIO);
    // A failed sync of the folder after a rename leaves the step done, and it goes on.
    const bool conservata = n > 0 && a.Conserva(bruno, dopo);
    const std::string caso = "failure at call " + std::to_string(n);
    const bool nessunGuasto = n > 0 && std::ssize(chiamate.Passi()) < n;
    EXPECT_TRUE(conservata || !nessunGuasto) << caso;
    NessunoScambio(a, dopo, caso);
    // Anna's replay follows her down the table whatever step failed.
    EXPECT_TRUE(a.PartitaDellaVoce(2, dopo)) << caso;
    // The next start sweeps what the failure left, and changes none of that.
    a.Spazza(dopo);
    NessunoScambio(a, dopo, caso + ", swept");
    EXPECT_TRUE(a.PartitaDellaVoce(2, dopo)) << caso;
    EXPECT_LE(Repliche(c), 2u) << caso;
    if (nessunGuasto) break;
  }
  EXPECT_GT(n, 3 * 7);  // the calls of a whole keeping
}

TEST(Archivio, OnlyOurOwnFilesAreEverRemoved) {
  CartellaTemporanea c;
  std::filesystem::create_directory(c / CartellaPartite);
  for (const char* nome : {"appunti.txt", "0123456789abcdef0123456789abcdef0123456X.skrep"})
    std::ofstream(c / CartellaPartite / nome) << "the player's";
  ArchivioPartite(c.percorso()).Spazza(TabellaRecordIniziale());
  EXPECT_EQ(Repliche(c), 2u);
}
