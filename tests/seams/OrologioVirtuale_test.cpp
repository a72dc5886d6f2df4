// The virtual clock over timers that are plain values: it is never told of a
// change, yet every setting counts from the moment it was made.
#include <gtest/gtest.h>

#include <string>

#include "seams/OrologioVirtuale.h"
#include "seams/Timer.h"

namespace {

struct TimerVirtuali : testing::Test {
  // Registers `t` so that each tick appends "name@time" to `diario`, then runs `poi`.
  Timer& Registra(Timer& t, std::function<void()> poi = {}) {
    orologio.Registra(t, [this, &t, poi] {
      diario += t.Nome().toStdString() + "@" + std::to_string(orologio.Ora()) + " ";
      if (poi) poi();
    });
    return t;
  }

  OrologioVirtuale orologio;
  std::string diario;
};

TEST_F(TimerVirtuali, EnablingAgainOrSettingTheIntervalRestartsTheCountFromNow) {
  Timer a("a", 100);
  Registra(a).SetEnabled(true);
  orologio.Avanza(150);
  a.SetEnabled(true);  // already enabled: due at 250, not 200
  orologio.Avanza(110);
  a.SetInterval(100);  // the same interval: due at 360, not 350
  orologio.Avanza(100);
  a.SetEnabled(false);
  orologio.Avanza(1000);
  a.SetInterval(0);
  a.SetEnabled(true);
  orologio.Avanza(1000);
  EXPECT_EQ(diario, "a@100 a@250 a@360 ");
}

TEST_F(TimerVirtuali, AHandlerSetsTimersAtItsDueTimeAndTiesFireInRegistrationOrder) {
  Timer a("a", 50), b("b", 50), c("c", 30);
  // a, due with b, stops it before its turn and restarts c's count at a's due time.
  Registra(a, [&] {
    b.SetEnabled(false);
    c.SetEnabled(true);
  });
  Registra(b).SetEnabled(true);  // before a, yet a registered first goes first
  Registra(c, [&] { c.SetEnabled(false); });
  a.SetEnabled(true);
  c.SetInterval(40);  // disabled: nothing to restart
  orologio.Avanza(50);
  EXPECT_EQ(diario, "a@50 ");
  orologio.Avanza(40);
  EXPECT_EQ(diario, "a@50 c@90 ");

  // A copy is a value, apart from the clock: setting it moves nothing.
  Timer copia = a;
  copia.SetEnabled(false);
  orologio.Avanza(10);
  EXPECT_EQ(diario, "a@50 c@90 a@100 ");
}

TEST_F(TimerVirtuali, ASleepRestartsEveryCountAndARemovedTimerNeverFires) {
  Timer a("a", 100), b("b", 100);
  Registra(a).SetEnabled(true);
  Registra(b).SetEnabled(true);
  orologio.Avanza(50);
  orologio.Dormi(30);  // nothing fires while asleep; both now count from 80
  orologio.Avanza(100);
  EXPECT_EQ(diario, "a@180 b@180 ");
  orologio.Rimuovi(a);
  orologio.Avanza(100);
  EXPECT_EQ(diario, "a@180 b@180 b@280 ");
}

}  // namespace
