// The sound effects of slots 1..15, and the start of the background music.
#pragma once

#include <filesystem>
#include <memory>

#include "codec/Combinazione.h"

class Gioco;
class Effetto;

namespace GestioneDatiEsterni {

std::unique_ptr<Effetto> CreaBufferSuono(Gioco& g, const std::filesystem::path& percorso);
void SuonaSlot(Gioco& g, SlotSuono slot);
void AvviaMusica(Gioco& g);

}  // namespace GestioneDatiEsterni
