// Where the program keeps a player's files: beside a portable copy, in the per-user data
// folder for an installed one, or where --program-folder says.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include "ui/Avvio.h"

namespace {

namespace fs = std::filesystem;

struct Caso {
  const char* nome;
  bool opzione;     // --program-folder /scelta
  bool installata;  // a desktop entry in ../share/applications
  bool scrivibile;  // the executable's folder takes new files
  Ambiente ambiente;
  const char* atteso;  // the folder, "bin" for the executable's, or the start of the error
  bool perUtente;
};

// Every rule of the choice, on an executable's folder that is or isn't an installed copy.
TEST(ScegliCartellaProgramma, FollowsTheOptionThenAPortableCopyThenThePerUserFolder) {
  const Caso casi[] = {
      {"a portable copy keeps its files beside it", false, false, true, {"/h", ""}, "bin", false},
      {"an installed copy writable by root",
       false,
       true,
       true,
       {"/h", ""},
       "/h/.local/share/skarvex",
       true},
      {"an unwritable folder with XDG_DATA_HOME",
       false,
       false,
       false,
       {"/h", "/x"},
       "/x/skarvex",
       true},
      {"a relative XDG_DATA_HOME is ignored",
       false,
       false,
       false,
       {"/h", "x"},
       "/h/.local/share/skarvex",
       true},
      {"the option wins over everything", true, true, false, {"", ""}, "/scelta", false},
      {"no HOME for an unwritable folder",
       false,
       false,
       false,
       {"", ""},
       "no program folder: '@' cannot be written and neither XDG_DATA_HOME nor HOME names a folder "
       "(use --program-folder DIR)",
       false},
      {"a relative HOME is no HOME",
       false,
       true,
       true,
       {"h", ""},
       "no program folder: '@' is an installed copy's folder",
       false},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    QTemporaryDir radice;
    const fs::path bin = fs::path(radice.path().toStdString()) / "bin";
    fs::create_directories(bin);
    if (c.installata) {
      fs::create_directories(bin / "../share/applications");
      std::ofstream(bin / "../share/applications" / (std::string(IdApplicazione) + ".desktop"));
    }
    int prove = 0;
    const auto scelta =
        ScegliCartellaProgramma(c.opzione ? std::optional<fs::path>("/scelta") : std::nullopt, bin,
                                c.ambiente, [&](const fs::path& cartella) {
                                  EXPECT_EQ(cartella, bin);
                                  ++prove;
                                  return c.scrivibile;
                                });
    // Root may write to /usr/bin: an installed copy never even tries it.
    if (c.installata) {
      EXPECT_EQ(prove, 0);
    }
    std::string atteso = c.atteso;
    if (atteso == "bin") atteso = bin.string();
    if (const auto at = atteso.find('@'); at != std::string::npos)
      atteso.replace(at, 1, bin.string());
    if (atteso.starts_with("no program folder")) {
      ASSERT_FALSE(scelta);
      EXPECT_TRUE(scelta.errore().starts_with(atteso)) << scelta.errore();
    } else {
      ASSERT_TRUE(scelta) << scelta.errore();
      EXPECT_EQ(scelta.valore().percorso, fs::path(atteso));
      EXPECT_EQ(scelta.valore().perUtente, c.perUtente);
    }
  }
}

}  // namespace
