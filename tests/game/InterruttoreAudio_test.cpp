// The audio switch Attiva Audio: its check mark, the music during a game, and the
// settings file that makes it survive a restart.
#include <gtest/gtest.h>

#include "data/Impostazioni.h"
#include "support/Banco.h"

namespace {

// An audio that only notes what the game asks of the music.
class SpiaAudio final : public Audio {
 public:
  std::vector<std::string> chiamate;
  int32_t volume = 1;

  bool Disponibile() const override { return true; }
  std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path&) override {
    return std::make_unique<Effetto>();
  }
  void Suona(int canale, const Effetto&, int32_t, bool) override {
    chiamate.push_back("suona " + std::to_string(canale));
  }
  void Ferma(int) override {}
  void VolumeCanale(int, int32_t) override {}
  bool ApriMusica(const std::filesystem::path&) override { return true; }
  bool MusicaAperta() const override { return true; }
  void RiproduciDallInizio() override { chiamate.push_back("riproduci"); }
  void FermaMusica() override { chiamate.push_back("ferma"); }
  double DurataMusica() const override { return 10; }
  double PosizioneMusica() const override { return 0; }
  void VolumeMusica(int32_t v) override { volume = v; }
  void ChiudiMusica() override {}
};

struct Interruttore : ::testing::Test {
  Interruttore() : b(std::make_unique<SpiaAudio>()), spia(static_cast<SpiaAudio&>(*b.audio)) {
    b.Avvia();
    b.g.Comb.Suoni[0] = "music";
    b.g.Comb.Suoni[2] = "shot";
    b.g.BufferSuoni[2] = std::make_unique<Effetto>();
    b.g.Volumi[0] = -2500;
  }
  Banco b;
  SpiaAudio& spia;
};

TEST_F(Interruttore, AtGameOverOnlyTheSwitchAndTheSettingsFileChange) {
  b.frm.mn_attiva_Click();
  EXPECT_TRUE(b.g.AudioAttivo);
  EXPECT_TRUE(b.g.mn_attiva.Checked);
  EXPECT_TRUE(spia.chiamate.empty());
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).AudioAttivo, true);
  b.frm.mn_attiva_Click();
  EXPECT_FALSE(b.g.mn_attiva.Checked);
  EXPECT_EQ(LeggiFileScelta(b.File("CombinazioneScelta")).AudioAttivo, false);
}

TEST_F(Interruttore, DuringAGameItRestartsTheMusicAtItsVolumeOrStopsIt) {
  b.frm.img_gameover_Click();  // the switch is off: no music starts
  EXPECT_TRUE(spia.chiamate.empty());
  b.frm.mn_attiva_Click();
  EXPECT_EQ(spia.chiamate, (std::vector<std::string>{"riproduci"}));
  EXPECT_EQ(spia.volume, -2500);
  b.frm.Form_KeyPress(32);
  EXPECT_EQ(spia.chiamate.back(), "suona 2");
  spia.chiamate.clear();
  b.frm.mn_attiva_Click();
  EXPECT_EQ(spia.chiamate, (std::vector<std::string>{"ferma"}));
  b.Attendi(500);  // the shot flies on, silently
  EXPECT_EQ(spia.chiamate, (std::vector<std::string>{"ferma"}));
}

TEST_F(Interruttore, ASwitchThatCannotBeRememberedStillFlipsAndSaysSoOnce) {
  std::filesystem::create_directory(b.File("CombinazioneScelta"));
  b.frm.mn_attiva_Click();
  EXPECT_TRUE(b.g.AudioAttivo);
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].testo.toStdString(),
            "Impossibile salvare la scelta nella cartella del programma (" +
                b.g.CartellaProgramma.string() + "). La scelta vale fino all'uscita dal gioco.");
}

TEST_F(Interruttore, TheSwitchSurvivesARestart) {
  b.frm.mn_attiva_Click();
  Banco dopo;
  std::filesystem::copy_file(b.File("CombinazioneScelta"), dopo.File("CombinazioneScelta"));
  dopo.Avvia();
  EXPECT_TRUE(dopo.g.AudioAttivo);
  EXPECT_TRUE(dopo.g.mn_attiva.Checked);
}

}  // namespace
