// Opening a combination file with the game: the file manager's "open with", a file
// handed over by a second start, or files dropped on the main window.
#pragma once

#include <filesystem>

class Gioco;
class frm_main;

// Checks the file with the game's own gate and copies it into the program folder under
// the name stored in it, asking before it replaces a different file of that name. The
// menu then lists it; between games the player is asked whether to use it now, during
// a game it is only added. A file the game would refuse is refused with one message,
// and nothing is copied.
void ApriCombinazione(Gioco& g, frm_main& frm, const std::filesystem::path& file);
