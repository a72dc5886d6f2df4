// Pictures decoded from bytes that passed the gate (data/Vaglio.h): with the decoder
// of the kind the bytes announce, never one picked by looking at them again, and
// never one that can open other files.
#pragma once

#include <string_view>

#include <QString>

#include "codec/Vaglio.h"
#include "model/Modello.h"

// The picture, named by the SHA-1 of its bytes; an empty one when the bytes were
// refused or do not decode.
Immagine DecodificaImmagine(std::string_view byte, const Vaglio::EsameImmagine& esame);
// The same, checking the bytes first.
Immagine DecodificaImmagine(std::string_view byte);

enum class TipoSlot { Immagine, Suono, Font };

// Why a slot of that kind was refused, in the player's words: "immagine di 400 milioni
// di pixel, oltre il limite di 16 milioni per immagine".
QString MotivoRifiuto(const Vaglio::Rifiuto& rifiuto, TipoSlot tipo);
