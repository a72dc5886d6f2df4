#include <gtest/gtest.h>

#include "ui/OrologioQt.h"

namespace {

using namespace std::chrono_literals;

// A precise timer is due one interval after it started, then one interval after it was
// last due, so that a late firing does not make the next ones late; a firing so late
// that its next time has passed starts the count from itself.
TEST(Scadenza, LatenessIsCountedAgainstTheTimersOwnSchedule) {
  // When it fires, since the start, and how late that is.
  const std::pair<std::chrono::milliseconds, std::chrono::milliseconds> casi[] = {
      {25ms, 0ms}, {53ms, 3ms}, {75ms, 0ms}, {140ms, 40ms}, {165ms, 0ms}};
  const Scadenza::Tempo inizio{};
  Scadenza scadenza;
  scadenza.Avvia(inizio, 25ms);
  for (const auto& [scatto, ritardo] : casi)
    EXPECT_EQ(scadenza.Scatta(inizio + scatto), ritardo) << scatto.count();
}

}  // namespace
