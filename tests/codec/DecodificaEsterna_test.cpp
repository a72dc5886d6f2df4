// The decoding child seen from the program: shut in once it reads a picture, and held
// to what it was asked whatever it answers, or whether it is there at all.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <tuple>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "codec/DecodificaEsterna.h"
#include "codec/ProcessoFiglio.h"
#include "codec/ProtocolloDecodifica.h"
#include "support/CartellaTemporanea.h"
#include "support/File.h"
#include "support/MediaProva.h"

using namespace DecodificaEsterna;
namespace P = ProtocolloDecodifica;

namespace {

// What the child writes before it ends.
std::string Uscita(const ProcessoFiglio& figlio) {
  std::string testo;
  pollfd evento{figlio.Socket(), POLLIN, 0};
  char buffer[256];
  while (poll(&evento, 1, 10000) > 0) {
    const ssize_t letti = read(figlio.Socket(), buffer, sizeof buffer);
    if (letti <= 0) break;
    testo.append(buffer, static_cast<size_t>(letti));
  }
  return testo;
}

// A stand-in for the decoder: a shell script that says `byte` on its socket, then ends
// as `fine` says (a shell command).
std::string Finto(const CartellaTemporanea& cartella, const std::string& byte,
                  const std::string& fine) {
  std::string printf = "printf '";
  for (const char c : byte) {
    char ottale[8];
    std::snprintf(ottale, sizeof ottale, "\\%03o", static_cast<unsigned char>(c));
    printf += ottale;
  }
  static int finti = 0;
  const std::string file = (cartella / ("finto" + std::to_string(++finti))).string();
  ScriviTutto(file, "#!/bin/sh\n" + printf + "'\n" + fine + "\n");
  chmod(file.c_str(), 0700);
  return file;
}

template <class T>
std::string Byte(const T& valore) {
  return {reinterpret_cast<const char*>(&valore), sizeof valore};
}

}  // namespace

// Landlock (where the kernel has it) refuses a file by itself; seccomp refuses the file
// and both kinds of socket.
TEST(DecodificaEsterna, TheShutInChildOpensNoFileAndNoSocket) {
  ProcessoFiglio figlio;
  ASSERT_EQ(
      figlio.Avvia(*Eseguibile(), AmbienteMinimo({std::string(P::VariabileGuasto) + "=recinto"})),
      0);
  const std::string esito = Uscita(figlio);
  int landlock = -1, fileLandlock = -1, file = -1, rete = -1, locale = -1;
  ASSERT_EQ(std::sscanf(esito.c_str(), "landlock=%d file_landlock=%d file=%d socket=%d unix=%d",
                        &landlock, &fileLandlock, &file, &rete, &locale),
            5)
      << esito;
  if (landlock > 0) {
    EXPECT_EQ(fileLandlock, EACCES);
  }
  EXPECT_EQ(std::tuple(file, rete, locale), std::tuple(EPERM, EPERM, EPERM));
  EXPECT_EQ(figlio.Termina(), 0);
}

// The pixels come back as the picture's; a decoder that is missing costs the picture,
// with the reason.
TEST(DecodificaEsterna, ThePixelsComeBackAndAMissingDecoderIsAReason) {
  const std::string bmp = Bmp(2, 2).substr(0, 54) + std::string(16, '\x40');  // headers, pixels
  const Voce voce{4, bmp, Vaglio::EsaminaImmagine(bmp)};
  ASSERT_FALSE(voce.esame.rifiuto);
  std::vector<EsitoSlot> esiti = Decodifica({&voce, 1});
  const Pixel* pixel = std::get_if<Pixel>(&esiti[0]);
  ASSERT_TRUE(pixel);
  EXPECT_EQ(std::tuple(pixel->larghezza, pixel->altezza, pixel->alfa), std::tuple(2u, 2u, false));
  std::string opachi;
  for (int i = 0; i < 4; ++i) opachi += "\x40\x40\x40\xFF";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(pixel->byte.get()), 16), opachi);

  CartellaTemporanea cartella;
  UsaEseguibile(cartella / "manca");
  esiti = Decodifica({&voce, 1});
  UsaEseguibile(SKARVEX_DECODIFICATORE);
  ASSERT_TRUE(std::holds_alternative<Motivo>(esiti[0]));
  EXPECT_EQ(std::get<Motivo>(esiti[0]), Motivo::Mancante);
}

// Whatever a decoder says, it is held to what it was asked: a picture it was not
// sent, announced out of turn, more pixels than the header's, rows cut short, an end
// before the last picture or before a word, or no answer at all cost the picture, and
// the decoder is ended by its pid. How it ends says why: out of memory, unable to shut
// itself in, out of CPU time.
TEST(DecodificaEsterna, WhatTheDecoderSaysIsHeldToWhatItWasAsked) {
  const std::string bmp = Bmp(2, 2).substr(0, 54) + std::string(16, '\x40');  // headers, pixels
  const Voce voce{4, bmp, Vaglio::EsaminaImmagine(bmp)};
  const std::string inizio = Byte(P::Messaggio{P::Inizio, 4});
  const auto pixel = [](uint32_t larghezza, uint32_t altezza) {
    return Byte(P::Messaggio{P::Pixel, 4, larghezza, altezza, 0}) +
           std::string(larghezza * altezza * 4, 'p');
  };
  const std::string fine = Byte(P::Messaggio{P::Fine});
  const std::string dorme = "exec /bin/sleep 60";
  const struct {
    std::string byte, fine;
    std::optional<Motivo> motivo;  // none: pixels
  } casi[] = {
      {inizio + pixel(1, 2) + fine, "exit 0", std::nullopt},  // fewer pixels will do
      {"", "exit 0", Motivo::Interrotto},
      {inizio + pixel(65536, 65536), dorme, Motivo::Interrotto},
      {Byte(P::Messaggio{P::Inizio, 5}), dorme, Motivo::Interrotto},
      {pixel(2, 2), dorme, Motivo::Interrotto},
      {inizio + Byte(P::Messaggio{P::Rifiuto, 4, 0, 0, 99}), dorme, Motivo::Interrotto},
      {inizio + pixel(2, 2).substr(0, 30), "exit 0", Motivo::Interrotto},
      {inizio + fine, dorme, Motivo::Interrotto},
      {inizio, "exit 3", Motivo::Memoria},
      {"", "exit 4", Motivo::Mancante},
      {inizio, "kill -s XCPU $$", Motivo::Tempo},
      {"", dorme, Motivo::TempoTotale},
  };
  CartellaTemporanea cartella;
  for (const auto& caso : casi) {
    UsaEseguibile(Finto(cartella, caso.byte, caso.fine));
    const std::vector<EsitoSlot> esiti = Decodifica({&voce, 1});
    const Motivo* motivo = std::get_if<Motivo>(&esiti[0]);
    EXPECT_EQ(motivo ? std::optional(*motivo) : std::nullopt, caso.motivo)
        << caso.fine << " after " << caso.byte.size() << " bytes";
  }
  UsaEseguibile(SKARVEX_DECODIFICATORE);
}

// Two pictures under way when the decoder crashes are decoded again one at a time: the
// one that crashes it is refused, the other is decoded.
TEST(DecodificaEsterna, ACrashWithTwoPicturesUnderWayIsPinnedOnItsCulprit) {
  const std::string grande = Bmp(2000, 2000) + std::string(2000 * 6000, '\x20');
  const std::string piccola = Bmp(2, 2) + std::string(16, '\x40');
  const Voce voci[] = {{0, grande, Vaglio::EsaminaImmagine(grande)},
                       {1, piccola, Vaglio::EsaminaImmagine(piccola)}};
  setenv(P::VariabileGuasto, "crollo:1", 1);
  const std::vector<EsitoSlot> esiti = Decodifica(voci);
  unsetenv(P::VariabileGuasto);
  ASSERT_TRUE(std::holds_alternative<Pixel>(esiti[0]));
  EXPECT_EQ(std::get<Pixel>(esiti[0]).larghezza, 2000u);
  ASSERT_TRUE(std::holds_alternative<Motivo>(esiti[1]));
  EXPECT_EQ(std::get<Motivo>(esiti[1]), Motivo::Interrotto);
}
