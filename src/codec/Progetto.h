// What a release fills in (CMakeLists.txt): the names the game goes by outside itself.
// Until a release has a domain of its own they are example.org placeholders.
#pragma once

// The name the desktop knows the game by: its desktop entry, icon and metadata.
extern const char* const IdApplicazione;
// The site a player reads on the playfield and in Informazioni, and the address that
// Informazioni and Aiuto give.
extern const char* const SitoProgetto;
extern const char* const ContattoProgetto;
