// The fonts of the program: the user's font folder by the base directory rules, what
// the font database takes as a font, and installing a font without ever replacing a
// file.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include "seams/FontsCopione.h"
#include "support/File.h"
#include "ui/FontsQt.h"

namespace {

namespace fs = std::filesystem;

TEST(FontsQt, TheFontFolderComesFromAnAbsoluteXdgDataHomeElseAnAbsoluteHome) {
  struct Caso {
    std::optional<QByteArray> xdg, casa;
    fs::path atteso;
  };
  const Caso casi[] = {{"/x", "/h", "/x/fonts"},
                       {std::nullopt, "/h", "/h/.local/share/fonts"},
                       {"x", "/h", "/h/.local/share/fonts"},
                       {"", "/h", "/h/.local/share/fonts"},
                       {"x", "h", {}},
                       {std::nullopt, std::nullopt, {}}};
  const auto imposta = [](const char* nome, const std::optional<QByteArray>& valore) {
    return valore ? qputenv(nome, *valore) : qunsetenv(nome);
  };
  const auto prima = [](const char* nome) {
    return qEnvironmentVariableIsSet(nome) ? std::optional(qgetenv(nome)) : std::nullopt;
  };
  const std::optional<QByteArray> xdg = prima("XDG_DATA_HOME"), casa = prima("HOME");
  for (const Caso& c : casi) {
    imposta("XDG_DATA_HOME", c.xdg);
    imposta("HOME", c.casa);
    EXPECT_EQ(FontsQt().Cartella(), c.atteso) << c.atteso;
  }
  imposta("XDG_DATA_HOME", xdg);
  imposta("HOME", casa);
}

TEST(FontsQt, OnlyARealFontIsValid) {
  const std::string font = LeggiTutto("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  if (font.empty()) GTEST_SKIP() << "no DejaVu Sans Mono on this system";
  FontsQt fonts;
  EXPECT_TRUE(fonts.Valido(font));
  EXPECT_FALSE(fonts.Valido(std::string("\0\1\0\0", 4) + std::string(500, 'j')));
  EXPECT_FALSE(fonts.Valido(font.substr(0, 100)));
}

TEST(Fonts, InstallingMakesTheFolderAndNeverReplacesAFileOrALink) {
  const QTemporaryDir casa;
  const fs::path cartella = fs::path(casa.path().toStdString()) / "a" / "fonts";
  FontsCopione fonts(cartella);
  ASSERT_TRUE(fonts.Installa("Nuova.ttf", "new font"));
  EXPECT_EQ(LeggiTutto(cartella / "Nuova.ttf"), "new font");

  EXPECT_FALSE(fonts.Installa("Nuova.ttf", "other font"));
  EXPECT_EQ(LeggiTutto(cartella / "Nuova.ttf"), "new font");
  fs::create_symlink(cartella / "Altrove.ttf", cartella / "Legame.ttf");
  EXPECT_FALSE(fonts.Installa("Legame.ttf", "other font"));
  EXPECT_FALSE(fs::exists(cartella / "Altrove.ttf"));

  EXPECT_FALSE(FontsCopione().Installa("Nuova.ttf", "new font"));
}

}  // namespace
