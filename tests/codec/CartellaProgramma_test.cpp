// Where the program keeps a player's files: beside a portable copy, in the per-user data
// folder for an installed one, or where --program-folder says.
#include "codec/CartellaProgramma.h"

#include <gtest/gtest.h>

#include "codec/Progetto.h"
#include "support/CartellaTemporanea.h"
#include "support/File.h"

namespace {

namespace fs = std::filesystem;

struct Caso {
  const char* nome;
  std::optional<fs::path> opzione;  // --program-folder
  bool installata;                  // a desktop entry in ../share/applications
  bool scrivibile;                  // the executable's folder takes new files
  Ambiente ambiente;
  // The folder ("bin": the executable's), or how the error starts ('@': the executable's
  // folder). The per-user folders are the ones named skarvex.
  std::string atteso;
};

// Every rule of the choice, on an executable's folder that is or isn't an installed copy.
TEST(ScegliCartellaProgramma, FollowsTheOptionThenAPortableCopyThenThePerUserFolder) {
  const std::string senzaCasa =
      "no program folder: '@' cannot be written and neither "
      "XDG_DATA_HOME nor HOME names a folder (use --program-folder DIR)";
  const std::string diInstallata = "no program folder: '@' is an installed copy's folder";
  const Caso casi[] = {
      {"a portable copy", {}, false, true, {"/h", ""}, "bin"},
      {"an installed copy writable by root", {}, true, true, {"/h", ""}, "/h/.local/share/skarvex"},
      {"unwritable, with XDG_DATA_HOME", {}, false, false, {"/h", "/x"}, "/x/skarvex"},
      {"a relative XDG_DATA_HOME", {}, false, false, {"/h", "x"}, "/h/.local/share/skarvex"},
      {"the option wins over all", "/scelta", true, false, {"", ""}, "/scelta"},
      {"unwritable, with no HOME", {}, false, false, {"", ""}, senzaCasa},
      {"a relative HOME is no HOME", {}, true, true, {"h", ""}, diInstallata}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const CartellaTemporanea radice;
    const fs::path bin = radice / "bin";
    // The folder alone, as beside ~/.local/bin, makes no installed copy.
    fs::create_directories(bin / "../share/applications");
    if (c.installata)
      ScriviTutto(bin / "../share/applications" / (std::string(IdApplicazione) + ".desktop"), "");
    int prove = 0;
    const auto scelta = ScegliCartellaProgramma(c.opzione, bin, c.ambiente, [&](const fs::path& p) {
      EXPECT_EQ(p, bin);
      ++prove;
      return c.scrivibile;
    });
    // Root may write to /usr/bin: an installed copy never even tries it.
    EXPECT_TRUE(!c.installata || prove == 0) << prove << " trials";
    std::string atteso = c.atteso == "bin" ? bin.string() : c.atteso;
    if (const auto at = atteso.find('@'); at != std::string::npos)
      atteso.replace(at, 1, bin.string());
    if (!scelta) {
      EXPECT_TRUE(scelta.errore().starts_with(atteso)) << scelta.errore();
    } else {
      EXPECT_EQ(std::pair(scelta.valore().percorso, scelta.valore().perUtente),
                std::pair(fs::path(atteso), atteso.ends_with("/skarvex")));
    }
  }
}

}  // namespace
