// The remembered window place: only the program's own format is read, and a place
// from another desktop still lands on a screen.
#include <gtest/gtest.h>

#include "ui/GeometriaFinestra.h"

namespace {

TEST(GeometriaFinestra, ReadsBackWhatItWroteAndNothingElse) {
  const GeometriaFinestra g{QRect(-1280, 20, 1588, 1120), true, true};
  EXPECT_EQ(DecodificaGeometria(CodificaGeometria(g)), g);

  const std::string buono = CodificaGeometria(g);
  const auto con = [&buono](const std::string& da, const std::string& a) {
    std::string s = buono;
    s.replace(s.find(da), da.size(), a);
    return s;
  };
  for (const std::string& cattivo :
       {std::string(), std::string("[]"), std::string("{\"x\": 1}"), buono.substr(0, 40),
        con("skarvex-finestra", "altro"), con("\"versione\": 1", "\"versione\": 2"),
        con("\"larghezza\": 1588", "\"larghezza\": 0"),
        con("\"larghezza\": 1588", "\"larghezza\": 1e300"),
        con("\"larghezza\": 1588", "\"larghezza\": 15.5"), con("\"x\": -1280", "\"x\": \"-1280\""),
        con("\"massimizzata\": true", "\"massimizzata\": 1"), buono + std::string(5000, ' ')})
    EXPECT_FALSE(DecodificaGeometria(cattivo)) << cattivo;
}

TEST(GeometriaFinestra, APlaceOffEveryScreenIsCentredOnThePrimaryAndFitsIt) {
  const QList<QRect> schermi{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  const std::pair<QRect, QRect> casi[] = {
      // where it was kept, where it goes
      {{100, 100, 800, 600}, {100, 100, 800, 600}},    // where it was
      {{2000, 50, 800, 600}, {2000, 50, 800, 600}},    // on the second screen
      {{1900, 50, 800, 600}, {1900, 50, 800, 600}},    // across both
      {{5000, 5000, 800, 600}, {560, 240, 800, 600}},  // a screen gone
      {{1890, 1050, 800, 600}, {560, 240, 800, 600}},  // a corner showing
      {{5000, 0, 3000, 3000}, {0, 0, 1920, 1080}},     // larger than the screen
      {{2000, 0, 3000, 3000}, {2000, 0, 1280, 1024}},
  };
  for (const auto& [salvato, atteso] : casi)
    EXPECT_EQ(SuGliSchermi(salvato, schermi), atteso) << salvato.x();
}

TEST(GeometriaFinestra, AFirstStartTakesThreeQuartersOfTheScreenInQuarterSteps) {
  const QSize menu(0, 20);
  EXPECT_EQ(DimensioneIniziale({1024, 768}, menu), QSize(794, 568));     // 1x
  EXPECT_EQ(DimensioneIniziale({1920, 1080}, menu), QSize(993, 705));    // 1.25x
  EXPECT_EQ(DimensioneIniziale({3840, 2160}, menu), QSize(2184, 1527));  // 2.75x
  EXPECT_EQ(DimensioneIniziale({800, 480}, menu), QSize(666, 480));      // what the room holds
}

}  // namespace
