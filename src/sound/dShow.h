// dShow: the background-music player of sound slot 0, played from its media file.
#pragma once

#include <cstdint>
#include <filesystem>

class Gioco;

namespace dShow {

void ApriMusica(Gioco& g, const std::filesystem::path& percorso);  // closes first; does not play
void RiproduciDallInizio(Gioco& g);
void FermaMusica(Gioco& g);           // stop and rewind
void ControllaCicloMusica(Gioco& g);  // restarts the music once it has reached its end
// An open music that has played to its end (not one stopped and rewound).
bool MusicaFinita(Gioco& g);
double DurataMusica(Gioco& g);
double PosizioneMusica(Gioco& g);
void VolumeMusica(Gioco& g, int32_t& volume);  // clamps to -10000..0 and writes it back
void ChiudiMusica(Gioco& g);

}  // namespace dShow
