// The fonts of the program: the user's font folder by the base directory rules, what
// the font database takes as a font, and installing a font without ever replacing a
// file.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "seams/FontsCopione.h"
#include "support/File.h"
#include "ui/FontsQt.h"

namespace {

namespace fs = std::filesystem;

TEST(FontsQt, TheFontFolderComesFromAnAbsoluteXdgDataHomeElseAnAbsoluteHome) {
  using Valore = std::optional<QByteArray>;  // a variable's value, or not set
  const std::tuple<Valore, Valore, fs::path> casi[] = {
      {"/x", "/h", "/x/fonts"},
      {std::nullopt, "/h", "/h/.local/share/fonts"},
      {"x", "/h", "/h/.local/share/fonts"},
      {"", "/h", "/h/.local/share/fonts"},
      {"x", "h", {}},
      {std::nullopt, std::nullopt, {}}};
  const auto imposta = [](const Valore& xdg, const Valore& casa) {
    xdg ? qputenv("XDG_DATA_HOME", *xdg) : qunsetenv("XDG_DATA_HOME");
    casa ? qputenv("HOME", *casa) : qunsetenv("HOME");
  };
  const auto prima = [](const char* nome) {
    return qEnvironmentVariableIsSet(nome) ? Valore(qgetenv(nome)) : std::nullopt;
  };
  const Valore xdg = prima("XDG_DATA_HOME"), casa = prima("HOME");
  for (const auto& [suoXdg, suaCasa, atteso] : casi) {
    imposta(suoXdg, suaCasa);
    EXPECT_EQ(FontsQt().Cartella(), atteso) << atteso;
  }
  imposta(xdg, casa);
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
