// Pictures decoded from bytes that passed the gate (codec/Vaglio.h), outside the
// program in skarvex-decodifica (codec/DecodificaEsterna.h): with the decoder of the
// kind the bytes announce, never one picked by looking at them again, and never one
// that can open other files.
#pragma once

#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QString>

#include "codec/DecodificaEsterna.h"
#include "codec/Vaglio.h"
#include "model/Modello.h"

// A picture, named by the SHA-1 of its bytes, or why it could not be had.
using ImmagineDecodificata = std::variant<Immagine, DecodificaEsterna::Motivo>;

// The SHA-1 of a picture's bytes, and the name a decoded picture takes from it:
// "sha1:" and its first 12 hex digits.
QByteArray ImprontaCompleta(std::string_view byte);
QString ImprontaBreve(std::span<const unsigned char, 20> sha1);

// The pictures of `voci`, decoded together in one child, one result per voce.
std::vector<ImmagineDecodificata> DecodificaImmagini(std::span<const DecodificaEsterna::Voce> voci);

// One picture; an empty one when the bytes were refused or do not decode.
Immagine DecodificaImmagine(std::string_view byte, const Vaglio::EsameImmagine& esame);
// The same, checking the bytes first.
Immagine DecodificaImmagine(std::string_view byte);

// Why a picture the gate passed could not be decoded, in the player's words: "il
// decodificatore si è interrotto".
QString MotivoDecodifica(DecodificaEsterna::Motivo motivo);

enum class TipoSlot { Immagine, Suono, Font };

// Why a slot of that kind was refused, in the player's words: "immagine di 400 milioni
// di pixel, oltre il limite di 16 milioni per immagine".
QString MotivoRifiuto(const Vaglio::Rifiuto& rifiuto, TipoSlot tipo);
