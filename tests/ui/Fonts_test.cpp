// The fonts of the program: the user's font folder by the base directory rules, what
// the font database takes as a font, and installing a font without ever replacing a
// file.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "codec/FileAtomico.h"
#include "seams/FontsCopione.h"
#include "support/File.h"
#include "ui/FontsQt.h"

namespace {

namespace fs = std::filesystem;

// Sets an environment variable (unset for nullopt) and puts it back afterwards.
class Variabile {
 public:
  Variabile(const char* nome, std::optional<QByteArray> valore)
      : m_nome(nome),
        m_prima(qEnvironmentVariableIsSet(nome) ? std::optional(qgetenv(nome)) : std::nullopt) {
    Imposta(valore);
  }
  ~Variabile() { Imposta(m_prima); }
  Variabile(const Variabile&) = delete;
  Variabile& operator=(const Variabile&) = delete;

 private:
  void Imposta(const std::optional<QByteArray>& valore) {
    if (valore)
      qputenv(m_nome, *valore);
    else
      qunsetenv(m_nome);
  }
  const char* m_nome;
  std::optional<QByteArray> m_prima;
};

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
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.atteso.string());
    const Variabile xdg("XDG_DATA_HOME", c.xdg), casa("HOME", c.casa);
    EXPECT_EQ(FontsQt().Cartella(), c.atteso);
  }
}

TEST(FontsQt, OnlyARealFontIsValid) {
  std::ifstream file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", std::ios::binary);
  if (!file) GTEST_SKIP() << "no DejaVu Sans Mono on this system";
  const std::string font{std::istreambuf_iterator<char>(file), {}};
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
