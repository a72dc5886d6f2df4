// What keeps a music from taking the machine once it plays: the synthesizer's
// messages through a limit, and the watchdog of the mixer's thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/GuardianoMixer.h"
#include "ui/RegistroSintetizzatore.h"

using namespace std::chrono_literals;

namespace {

// A burst writes its first lines, then one summary an interval; a pause of an
// interval with nothing held back ends it.
TEST(LimiteRighe, AFloodWritesItsFirstLinesThenOneSummaryAnInterval) {
  LimiteRighe limite(3, 10s);
  std::vector<std::string> scritte;
  const auto manda = [&](int quante, std::chrono::nanoseconds da, std::chrono::nanoseconds passo) {
    for (int i = 0; i < quante; ++i)
      for (std::string& riga : limite.Accetta("nota " + std::to_string(i), da + i * passo))
        scritte.push_back(std::move(riga));
  };
  manda(100'000, 0s, 100us);  // ten seconds of a flood
  EXPECT_EQ(scritte, (std::vector<std::string>{"nota 0", "nota 1", "nota 2"}));
  manda(200'000, 10s, 100us);  // twenty more
  EXPECT_EQ(scritte.size(), 5u);
  EXPECT_EQ(scritte[3], "99997 more messages held back, the last: nota 99999");
  EXPECT_EQ(scritte[4], "100000 more messages held back, the last: nota 99999");

  scritte.clear();
  manda(1, 40s, 0s);  // ten seconds after the flood: its last summary, and a new burst
  manda(1, 45s, 0s);
  EXPECT_EQ(scritte,
            (std::vector<std::string>{"100000 more messages held back, the last: nota 199999",
                                      "nota 0", "nota 0"}));
}

// The mixer's thread over half of real time for three seconds in a row, and only
// then: a lighter half-second slice starts the count again.
TEST(GuardianoMixer, StopsAfterThreeSecondsOverHalfOfRealTime) {
  const auto blocchi = [](GuardianoMixer& g, double quota, double secondi) {
    const auto reale = 23ms;  // a block of 1,024 frames at 44.1 kHz
    int scatti = 0;
    for (int i = 0; i < secondi / 0.023; ++i)
      scatti +=
          g.Blocco(std::chrono::duration_cast<std::chrono::nanoseconds>(reale * quota), reale);
    return scatti;
  };
  GuardianoMixer guardiano;
  EXPECT_EQ(blocchi(guardiano, 0.45, 60), 0);
  EXPECT_EQ(blocchi(guardiano, 0.6, 2.3), 0);
  EXPECT_EQ(blocchi(guardiano, 0.1, 1), 0);  // light slices
  EXPECT_EQ(blocchi(guardiano, 0.6, 2.3), 0);
  EXPECT_EQ(blocchi(guardiano, 0.6, 1), 1);
  EXPECT_EQ(blocchi(guardiano, 0.9, 3.5), 1) << "once more after three seconds more";
  // A thread that the system lets run only now and then counts in real time, not blocks.
  GuardianoMixer lento;
  EXPECT_EQ(lento.Blocco(2s, 3s) + lento.Blocco(1s, 2s), 1);
}

}  // namespace
