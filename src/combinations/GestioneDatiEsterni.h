// GestioneDatiEsterni: everything the game keeps outside itself. Combination files,
// the settings file and the media files; applying a combination and the
// combination menu; the high-score file. Its sounds are played by sound/Suoni.h.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include <QString>

#include "codec/Combinazione.h"
#include "codec/Risultato.h"

class Gioco;
struct Immagine;

namespace GestioneDatiEsterni {

// Combination files and the settings file.
// <folder>/<nome>.skcom, when that is a plain file name of the program folder (see
// NomeFileSicuro); a name read from a file made elsewhere may not be.
std::optional<std::filesystem::path> FileCombinazione(const Gioco& g, const QString& nome);
// Builds Comb from the editor's choices (PercorsiImmagini, the sound rows' texts,
// Volumi, the editor font fields) and writes <nome>.skcom. False after telling the
// player when a chosen file cannot be read; nothing is written then.
[[nodiscard]] bool ScriviCombinazione(Gioco& g, const QString& nome,
                                      const std::array<QString, NumeroSuoni>& sorgentiSuoni);
[[nodiscard]] Esito LeggiCombinazione(Gioco& g, const std::filesystem::path& percorso);
[[nodiscard]] Esito RicordaScelta(Gioco& g, const QString& nome);
[[nodiscard]] Esito EliminaCombinazione(Gioco& g, const std::filesystem::path& percorso);
bool VerificaEsistenza(const std::filesystem::path& percorso);

// Applying a combination, and the combination menu.
// The author of the built-in combination, Default.
constexpr char AutoreDefault[] = "Dorvanel";
void ApplicaCombinazione(Gioco& g);
// The combination's label font (FontNome, FontDimensione, FontColore, bold, italic) on
// the labels it reaches; lbl_sitelink takes only the colour. A colour that does not
// convert changes nothing; a size that does not convert stops after the colour of
// lbl_sitelink.
void ApplicaFont(Gioco& g);
void CostruisciMenu(Gioco& g);

// Puts a picture on the sprites of image slot n: the alien rows on element 0 (the
// others copy it when a formation is built), the background as the window's.
// `tutti` also covers the three alien shots and the 48 bricks; otherwise only their
// element 0 changes, as the editor's resets do.
void ImpostaImmagineSlot(Gioco& g, int n, const Immagine& immagine, bool tutti);
// The picture image slot n shows on the main window (element 0 of a set).
Immagine ImmagineSlot(const Gioco& g, int n);
// The built-in picture of image slot n (none for the background).
Immagine ImmagineIncorporata(const Gioco& g, int n);

// The high-score file.
void CaricaRecord(Gioco& g);
void InserisciRecord(Gioco& g);
// Why a name can't go into the table as typed (a character it would not give back);
// nothing when it can.
std::optional<QString> NomeRecordNonSalvabile(const QString& nome);

// Text the files keep in Windows-1252. The first character of `testo` such a field
// can't hold (it would come back as '?'), or that `vietati` lists; nothing when
// every one can be stored.
std::optional<char32_t> PrimoNonSalvabile(const QString& testo, std::u32string_view vietati = {});
// "<campo> contiene il carattere X, che non si può salvare <dove>", X named by its code
// when it can't be seen.
QString MotivoNonSalvabile(const QString& campo, char32_t carattere, const QString& dove);

}  // namespace GestioneDatiEsterni
