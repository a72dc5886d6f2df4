#include "codec/ScriviNelFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/CartellaTemporanea.h"
#include "support/File.h"

namespace fs = std::filesystem;

// A file manager hands over a file it made and reads the picture back through its own
// handle: the same file is written. A missing name is made; anything that is not a
// regular file of this user is refused and left exactly as it was.
TEST(ScriviNelFile, WritesTheSameFileAndRefusesAnythingElseUntouched) {
  CartellaTemporanea cartella;
  const fs::path suo = cartella / "suo.png";
  ScriviTutto(suo, "vecchio contenuto, più lungo");
  const int fd = ::open(suo.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(ScriviNelFile(suo, "PNG"));
  char letto[16] = {};
  EXPECT_EQ(::pread(fd, letto, sizeof letto, 0), 3);
  EXPECT_EQ(std::string(letto), "PNG");
  ::close(fd);
  ASSERT_TRUE(ScriviNelFile(cartella / "nuovo.png", "PNG"));
  EXPECT_EQ(LeggiTutto(cartella / "nuovo.png"), "PNG");

  const fs::path bersaglio = cartella / "bersaglio";
  ScriviTutto(bersaglio, "di qualcun altro");
  fs::create_symlink(bersaglio, cartella / "link.png");
  fs::create_symlink(cartella / "manca", cartella / "rotto.png");
  fs::create_directory(cartella / "cartella.png");
  ASSERT_EQ(::mkfifo((cartella / "fifo.png").c_str(), 0600), 0);
  std::vector<std::pair<fs::path, std::string>> rifiutati = {
      {cartella / "link.png", "symbolic link"},
      {cartella / "rotto.png", "symbolic link"},
      {cartella / "cartella.png", "folder"},
      {cartella / "fifo.png", "FIFO"},
      {"/dev/null", "device"}};
  // Only root can give a file to someone else.
  if (::geteuid() == 0) {
    ScriviTutto(cartella / "altrui.png", "altrui");
    ASSERT_EQ(::chown((cartella / "altrui.png").c_str(), 65534, 65534), 0);
    rifiutati.emplace_back(cartella / "altrui.png", "another user's");
  }
  const auto genere = [](const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
  };
  for (const auto& [percorso, perche] : rifiutati) {
    const auto prima = genere(percorso);
    const Esito esito = ScriviNelFile(percorso, "PNG");
    EXPECT_FALSE(esito) << percorso;
    EXPECT_NE(esito.errore().find(perche), std::string::npos) << esito.errore();
    EXPECT_EQ(genere(percorso), prima) << percorso;
  }
  EXPECT_EQ(LeggiTutto(bersaglio), "di qualcun altro");
  if (::geteuid() == 0) {
    EXPECT_EQ(LeggiTutto(cartella / "altrui.png"), "altrui");
  }
}
