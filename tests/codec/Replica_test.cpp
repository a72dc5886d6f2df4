#include "codec/Replica.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "support/CartellaTemporanea.h"
#include "support/File.h"
#include "support/MediaProva.h"

namespace {

Replica ReplicaDiProva() {
  Replica r;
  r.intestazione = {7, "Nicolò", 12345678901LL, 17, 3'600'000, 1'700'000'000, "Notturno"};
  r.statoIniziale = std::string("stato\0con zeri", 14);
  r.improntaFinale.fill(0xAB);
  r.eventi = {{0, 3, 32}, {25, 0, 0}, {25, 0, 0}, {50, 1, 0xFFFF}, {90, 5, 2}, {3'600'000, 4, 0}};
  return r;
}

std::string Intero(const Replica& r) {
  auto byte = CodificaReplica(r);
  EXPECT_TRUE(byte) << byte.errore();
  return byte ? byte.valore() : std::string();
}

// A file with this header's bytes and this body, packed as the game packs it; the
// unpacked size it declares is the body's unless told.
std::string Confeziona(const std::string& corpo, int64_t dichiarati = -1, uint16_t formato = 1) {
  const std::string intero = Intero(ReplicaDiProva());
  // The header of the sample replay, found again by its length field.
  const auto lunghezza = static_cast<uint8_t>(intero[10]);  // under 256 bytes
  const auto espansi =
      static_cast<uint32_t>(dichiarati < 0 ? static_cast<int64_t>(corpo.size()) : dichiarati);
  const std::string testa =
      intero.substr(0, 8) + Le(formato, 2) + intero.substr(10, 4 + lunghezza) + Le(espansi, 4);
  uLongf n = compressBound(static_cast<uLong>(corpo.size()));
  std::string compresso(n, '\0');
  compress2(reinterpret_cast<Bytef*>(compresso.data()), &n,
            reinterpret_cast<const Bytef*>(corpo.data()), static_cast<uLong>(corpo.size()), 9);
  compresso.resize(n);
  return testa + compresso;
}

// A body: a state of `stato` bytes, the fingerprint, `quanti` events declared, then `eventi`.
std::string Corpo(uint32_t quanti, const std::string& eventi, const std::string& stato = "s") {
  return Le(static_cast<uint32_t>(stato.size()), 4) + stato + std::string(20, 'x') + Le(quanti, 4) +
         eventi;
}

}  // namespace

TEST(Replica, EveryCutIsRefused) {
  const std::string byte = Intero(ReplicaDiProva());
  for (size_t n = 0; n < byte.size(); ++n) ASSERT_FALSE(DecodificaReplica(byte.substr(0, n))) << n;
}

TEST(Replica, HostileFilesAreRefusedWithTheReason) {
  const std::string giusto = Corpo(1, std::string("\x00\x03\x20", 3));
  ASSERT_TRUE(DecodificaReplica(Confeziona(giusto)));
  const struct {
    const char* caso;
    std::string byte;
    const char* motivo;
  } casi[] = {
      {"another kind of file", "PK\x03\x04 not a replay at all", "non è una partita registrata"},
      {"a later format", Confeziona(giusto, -1, 2), "formato"},
      {"unpacks to more than it says",
       Confeziona(giusto + "x", static_cast<int64_t>(giusto.size())), "danneggiato"},
      {"says it unpacks beyond the cap", Confeziona(giusto, int64_t{MaxByteEspansi} + 1),
       "danneggiato"},
      {"more events than its bytes hold", Confeziona(Corpo(4'000'000, std::string(6, '\0'))),
       "danneggiato"},
      {"more events than the cap", Confeziona(Corpo(MaxEventiReplica + 1, "")), "danneggiato"},
      {"an unknown kind of input", Confeziona(Corpo(1, std::string("\x00\x06\x00", 3))),
       "danneggiato"},
      {"a key code beyond 16 bits", Confeziona(Corpo(1, std::string("\x00\x01\x80\x80\x04", 5))),
       "danneggiato"},
      {"a time beyond the longest game",
       Confeziona(Corpo(1, std::string("\xff\xff\xff\xff\x0f\x00\x00", 7))), "danneggiato"},
      {"bytes after the last event", Confeziona(giusto + "z"), "danneggiato"},
      {"a state beyond the cap", Confeziona(Corpo(0, "", std::string(MaxByteStato + 1, 's'))),
       "danneggiato"},
  };
  for (const auto& c : casi) {
    const auto letta = DecodificaReplica(c.byte);
    ASSERT_FALSE(letta) << c.caso;
    EXPECT_NE(letta.errore().find(c.motivo), std::string::npos) << c.caso << ": " << letta.errore();
  }
}

TEST(Replica, WhatCannotBeReadBackIsNeverWritten) {
  Replica indietro = ReplicaDiProva();
  indietro.eventi = {{50, 0, 0}, {25, 0, 0}};
  Replica nonUtf8 = ReplicaDiProva();
  nonUtf8.intestazione.nome = "\xC3";
  Replica lungo = ReplicaDiProva();
  lungo.intestazione.durata = MaxDurataReplica + 1;
  for (const Replica* r : {&indietro, &nonUtf8, &lungo}) EXPECT_FALSE(CodificaReplica(*r));
}

// A replay written reads back whole, and its header alone; a file is replaced only when
// it is a replay.
TEST(ScriviFileReplica, ReadsBackWholeAndItsHeaderAloneAndReplacesAReplayButNoOtherFile) {
  const std::string byte = Intero(ReplicaDiProva());
  EXPECT_TRUE(SembraReplica(byte));
  auto intestazione = DecodificaIntestazioneReplica(byte);
  ASSERT_TRUE(intestazione) << intestazione.errore();
  EXPECT_EQ(intestazione.valore(), ReplicaDiProva().intestazione);
  CartellaTemporanea cartella;
  const auto replay = cartella.percorso() / "a.skrep";
  const auto altro = cartella.percorso() / "b.skrep";
  ScriviTutto(altro, "the player's notes");
  ASSERT_TRUE(ScriviFileReplica(replay, ReplicaDiProva()));
  ASSERT_TRUE(ScriviFileReplica(replay, ReplicaDiProva()));
  EXPECT_FALSE(ScriviFileReplica(altro, ReplicaDiProva()));
  auto letta = LeggiFileReplica(replay);
  ASSERT_TRUE(letta) << letta.errore();
  EXPECT_EQ(letta.valore(), ReplicaDiProva());
  EXPECT_EQ(LeggiTutto(altro), "the player's notes");
}
