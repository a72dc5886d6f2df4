// The replays kept in the program folder: the last finished game as
// UltimaPartita.skrep, and the games of the high-score table in the folder Partite,
// each named by the SHA-1 of its bytes, with a link file beside Record saying which
// entry (1..10) has which replay and what name, points and level the entry had then.
// Record itself stays exactly as it is. An entry shows a replay only when the link's
// claim, Record's entry and the replay's own header all agree, so that after a crash
// at any step an entry has its own replay or none, never another game's.
#pragma once

#include <filesystem>
#include <optional>

#include "codec/FileAtomico.h"
#include "codec/RecordFile.h"
#include "codec/Risultato.h"
#include "replay/Registratore.h"

class Gioco;

inline constexpr char NomeUltimaPartita[] = "UltimaPartita.skrep";
inline constexpr char CartellaPartite[] = "Partite";
inline constexpr char NomeLegameRecord[] = "RecordPartite.json";

// The table as the game holds it now.
TabellaRecord TabellaDi(const Gioco& g);

class ArchivioPartite {
 public:
  explicit ArchivioPartite(std::filesystem::path cartellaProgramma,
                           ChiamateFile& chiamate = ChiamateFile::Sistema());

  // At game over, once the table has taken the game (Record is written by then): the
  // game becomes the last one and, when it took entry `partita.posizione`, that entry's
  // replay. In this order: the replay files, the link, then the removal of the replays
  // no entry links any more. A step that fails stops the ones after it.
  [[nodiscard]] Esito Conserva(const PartitaRegistrata& partita, const TabellaRecord& tabella);

  // The replay of entry `voce` (1..10) of `tabella`, when there is one that agrees.
  std::optional<std::filesystem::path> PartitaDellaVoce(int voce,
                                                        const TabellaRecord& tabella) const;
  // Where the last finished game is kept (it may not exist).
  std::filesystem::path UltimaPartita() const { return m_cartella / NomeUltimaPartita; }

  // Removes from Partite the replays of our own naming that no entry of `tabella` links:
  // done by Conserva, and at start-up for what a crash left behind.
  void Spazza(const TabellaRecord& tabella) const;

 private:
  struct Legame {
    int voce = 0;
    std::string file;  // the name in Partite
    VoceRecord dichiarata;
  };
  std::vector<Legame> LeggiLegami() const;
  // The link that agrees with entry `voce` of `tabella`, among `legami` not yet used.
  const Legame* Trova(const std::vector<Legame>& legami, int voce, const TabellaRecord& tabella,
                      const std::vector<bool>* usati = nullptr) const;
  std::vector<Legame> Validi(const TabellaRecord& tabella) const;

  std::filesystem::path m_cartella;
  ChiamateFile& m_chiamate;
};
