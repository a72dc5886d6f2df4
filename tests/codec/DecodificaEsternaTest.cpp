// The decoding child seen from the program: shut in once it reads a picture, and held
// to what it was asked whatever it answers, or whether it is there at all.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
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

// A shell script that says `byte` on its standard output, then sleeps.
std::string Bugiardo(const CartellaTemporanea& cartella, const std::string& byte) {
  std::string printf = "printf '";
  for (const char c : byte) {
    char ottale[8];
    std::snprintf(ottale, sizeof ottale, "\\%03o", static_cast<unsigned char>(c));
    printf += ottale;
  }
  const std::string file = (cartella / "bugiardo").string();
  ScriviTutto(file, "#!/bin/sh\n" + printf + "'\nexec /bin/sleep 60\n");
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

// The pixels come back as the picture's; a decoder that is missing, is no decoder, or
// claims more pixels than the picture's header has costs the picture, with the reason,
// and is ended by this side.
TEST(DecodificaEsterna, WhatTheChildAnswersIsHeldToWhatTheGateMeasured) {
  const std::string bmp = Bmp(2, 2) + std::string(16, '\x40');
  const Voce voce{4, bmp, Vaglio::EsaminaImmagine(bmp)};
  ASSERT_FALSE(voce.esame.rifiuto);
  std::vector<EsitoSlot> esiti = Decodifica({&voce, 1});
  const Pixel* pixel = std::get_if<Pixel>(&esiti[0]);
  ASSERT_TRUE(pixel);
  EXPECT_EQ(std::tuple(pixel->larghezza, pixel->altezza, pixel->alfa), std::tuple(2u, 2u, false));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(pixel->byte.get()), 16),
            std::string(16, '\x40')
                .replace(3, 1, "\xFF")
                .replace(7, 1, "\xFF")
                .replace(11, 1, "\xFF")
                .replace(15, 1, "\xFF"));

  CartellaTemporanea cartella;
  const std::string troppi = Byte(P::Messaggio{P::Inizio, 4}) +
                             Byte(P::Messaggio{P::Pixel, 4, 65536, 65536, 0}) +
                             std::string(64, 'x');
  const std::pair<std::string, Motivo> casi[] = {
      {(cartella / "manca").string(), Motivo::Mancante},
      {"/bin/true", Motivo::Interrotto},
      {Bugiardo(cartella, troppi), Motivo::Interrotto},
  };
  for (const auto& [eseguibile, motivo] : casi) {
    UsaEseguibile(eseguibile);
    esiti = Decodifica({&voce, 1});
    ASSERT_TRUE(std::holds_alternative<Motivo>(esiti[0])) << eseguibile;
    EXPECT_EQ(std::get<Motivo>(esiti[0]), motivo) << eseguibile;
  }
  UsaEseguibile(SKARVEX_DECODIFICATORE);
}
