// Suoni: the sound slots. The effects of slots 1..15, each played on its own channel
// at its stored volume, and the start of the background music of slot 0 (played by
// dShow).
#pragma once

#include <filesystem>
#include <memory>

#include "codec/Combinazione.h"

class Gioco;
class Effetto;

namespace Suoni {

std::unique_ptr<Effetto> CreaBufferSuono(Gioco& g, const std::filesystem::path& percorso);
void SuonaSlot(Gioco& g, SlotSuono slot);
void AvviaMusica(Gioco& g);

}  // namespace Suoni
