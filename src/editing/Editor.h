// The combination editor's model: what the editor window edits, as a plain value,
// and the editor's steps as functions over the game and that value. The window
// only shows the value and forwards its input here; every question and message
// goes through the game's dialogs.
#pragma once

#include "codec/Combinazione.h"
#include "model/Modello.h"
#include "seams/Audio.h"
#include "seams/Dialoghi.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Gioco;

// The file dialogs' filters, "Description|*.a;*.b", spelt as the editor always has.
namespace FiltriEditor {
inline constexpr char Immagini[] = "File immagine JPG GIF BMP|*.jpg;*.gif;*.bmp";
inline constexpr char ImmaginiRipristinato[] = "File Immagine JPG GIF BMP|*.jpg;*.gif;*.bmp";
inline constexpr char Combinazioni[] = "File Combinazione SKCOM|*.skcom";
inline constexpr char Font[] = "File Fonts TTF FON|*.ttf;*.fon";
inline constexpr char Audio[] = "File Audio WAV|*.wav";
inline constexpr char AudioDopoMusica[] = "File audio WAV|*.wav;";
inline constexpr char Musica[] = "File audio MP3 WAV MID|*.mp3;*.wav;*.mid";
}  // namespace FiltriEditor

// A sound row: the file, the volume box's text, the slider (0..100), whether the
// box and slider can be used, and whether the trial button is down.
struct RigaSuono {
  QString sorgente;
  QString volume = QStringLiteral("50");
  int posizione = 0;
  bool attiva = false;
  bool prova = false;
};

struct ModelloEditor {
  // What the window tells whoever shows it: the main window has to catch up with a
  // changed playfield, the music trial's timer starts or stops. Both may be empty.
  struct Avvisi {
    std::function<void()> aggiornaPrincipale;
    std::function<void(bool)> timerProva;
  } avvisi;

  QString nome;  // of the combination being edited ("Default": none yet)
  // The name the sources of the game's own slots show: what a save keeps in place.
  QString origine;
  QString autore;
  QString titolo;        // the window's caption
  QString intestazione;  // "<name> by <author>" over the slots

  std::array<QString, NumeroImmagini> immagini;  // the path boxes ("Default": built in)
  std::array<Immagine, NumeroImmagini> anteprime;
  std::array<RigaSuono, NumeroSuoni> suoni;

  // The labels' font and colour, and the font file the combination carries.
  Carattere font;
  uint32_t colore = 0;
  std::string fontFile;
  std::string fontFileNome;
  bool pannelloFont = false;  // the font panel is open

  // Protection: locked until the password is given; "TUTTO A DEFAULT" stays off for
  // a combination opened with a password; "protect" asks a password at the save.
  bool bloccata = false;
  bool defaultBloccato = false;
  bool proteggi = false;

  // The two file dialogs keep their set-up between uses, as common dialogs do.
  RichiestaFile Cd;
  RichiestaFile cd_audio;

  // Players of the sound files chosen here, so the game keeps its own until a save.
  std::array<std::shared_ptr<Effetto>, NumeroSuoni> effetti;
  // The music player is shared with the game: when the editor opened a file of its
  // own, the game's music goes back in when the editor is left without saving.
  bool musicaSostituita = false;
  QString musicaEditor;
};

namespace Editor {

// The editor opened on the combination the game is using.
ModelloEditor Apri(Gioco& g, ModelloEditor::Avvisi avvisi = {});
// Trials end with the window, whichever way it went.
void Chiudi(Gioco& g, ModelloEditor& m);
// "Esci": asks first, then stops the trials and unloads the window.
void Esci(Gioco& g, ModelloEditor& m);

// The pickers. n is an image slot 0..13, i a sound row (0 the music, 1..15 effects).
void ScegliImmagine(Gioco& g, ModelloEditor& m, int n);
void ScegliSuono(Gioco& g, ModelloEditor& m, int i);
void Prova(Gioco& g, ModelloEditor& m, int i, bool giu);
void TimerProva(Gioco& g, ModelloEditor& m);
// The slider moved, the box's text changed, Enter in the box, the box lost the
// focus, the box emptied. After Enter or leaving the box, the box and the slider
// show the same whole number: a typed value out of range gives a message on Enter
// and the slider's value back on leaving.
void ImpostaPosizione(Gioco& g, ModelloEditor& m, int i, int posizione);
void ImpostaTestoVolume(Gioco& g, ModelloEditor& m, int i, const QString& testo);
void ConfermaVolume(Gioco& g, ModelloEditor& m, int i);
void LasciaVolume(Gioco& g, ModelloEditor& m, int i);
void SvuotaRiga(ModelloEditor& m, int i);

// "Def", "TUTTO A DEFAULT", "Elimina". Only a combination file (*.skcom) of the
// program folder is deleted; deleting the one in use says that the game goes on with
// it until it is closed and starts on Default.
void Def(Gioco& g, ModelloEditor& m, int n);
void TuttoADefault(Gioco& g, ModelloEditor& m);
void Elimina(Gioco& g, ModelloEditor& m);

// "Crea" and "Salva e applica". A name given to either has 3 to 25 characters (blanks
// at its ends dropped), not only blanks, every one Windows-1252 holds, makes a file
// name and is not Default in any letter case. A combination opened from its file is
// saved back into that file, under the file's name, which goes inside too; when
// that name can't be stored, the save says why and asks for another. The author and
// the password, stored in Windows-1252 too, are refused with a character it lacks.
void Crea(Gioco& g, ModelloEditor& m);
void Salva(Gioco& g, ModelloEditor& m);

// The font panel.
void ApriPannelloFont(Gioco& g, ModelloEditor& m);
void ChiudiPannelloFont(ModelloEditor& m);
void ScegliFont(Gioco& g, ModelloEditor& m);
void ScegliColore(Gioco& g, ModelloEditor& m);
void ScegliFileFont(Gioco& g, ModelloEditor& m);
void CancellaFileFont(ModelloEditor& m);

// The protection. BloccaModifiche enters the protected state, as opening a
// combination with a password does: only volumes, trials, emptying a row, "Crea",
// "Salva e applica", "Elimina" and the password work, and "TUTTO A DEFAULT" stays
// off for the rest of this opening. The right password leaves it; "Proteggi con
// password" asks for one at the next save.
void BloccaModifiche(ModelloEditor& m);
void InserisciPassword(Gioco& g, ModelloEditor& m);
void ImpostaProtezione(ModelloEditor& m, bool proteggi);

}  // namespace Editor
