// Gioco: the whole state of one run of the program (the main window's model, the
// variables, the sound buffers) and the seams that join it to the platform. A test
// makes a fresh Gioco in a temporary program folder and throws it away.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "seams/Dialoghi.h"
#include "codec/FileAtomico.h"
#include "seams/Finestre.h"
#include "seams/Fonts.h"
#include "model/ModelloMain.h"
#include "seams/Orologio.h"
#include "model/Variabili.h"
#include "seams/Audio.h"

constexpr int VersioneMaggiore = 1;
constexpr int VersioneMinore = 4;

// "SKARVEX - by Dorvanel " + " Ver. " + major + "." + minor: the program's signature,
// the start of every caption and the title of its message and input boxes. A few
// captions put one blank before "Ver." instead of two.
QString Firma(int spazi = 2);

// The caption of a window that names a combination: `finestra` ("OPZIONI - ", say),
// the signature, " Combinazione: " and the name, then " by " and the author when
// there is one. Start-up, applying and the editor's save put two blanks before
// "Ver.", a choice from the menu and the editor's opening one.
QString Didascalia(const QString& combinazione, const std::optional<QString>& autore = {},
                   int spazi = 2, const QString& finestra = {});

// "Della combinazione <name> non si possono usare: <what>. Al loro posto restano ...":
// what a combination brings that the game can't use, and what stands in for it.
// `prima` goes before it, as one more sentence of the same message.
QString AvvisoInutilizzabili(const QString& combinazione, const QString& cosa,
                             const QString& prima = {});

class Gioco : public ModelloMain, public Variabili {
 public:
  Gioco(std::filesystem::path cartellaProgramma, Orologio& orologio, Dialoghi& dialoghi,
        Audio& audio, Finestre& finestre, Fonts& fonts,
        ChiamateFile& chiamateFile = ChiamateFile::Sistema());
  Gioco(const Gioco&) = delete;
  Gioco& operator=(const Gioco&) = delete;

  const std::filesystem::path CartellaProgramma;
  Orologio& orologio;
  Dialoghi& dialoghi;
  Audio& audio;
  Finestre& finestre;
  Fonts& fonts;
  // The system calls behind every file the game saves.
  ChiamateFile& chiamateFile;

  // The effect of sound slot n in element n, for n 1..15 (Part of the sound module).
  std::array<std::unique_ptr<Effetto>, 17> BufferSuoni;

  // When set, every SuonaSlot call appends its slot here (the runner's "sounds").
  std::vector<int>* registroSuoni = nullptr;

  // Font files registered with the window system in this run; the count of
  // registrations tells the window to look its fonts up again.
  std::set<std::string> FontCaricati;
  int GenerazioneFont = 0;

  // A file of the program folder.
  std::filesystem::path File(std::string_view nome) const { return CartellaProgramma / nome; }
};
