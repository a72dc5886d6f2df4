// The headless runner: its snapshot, exit and shot, and its answers to bad scripts
// (the scenarios exercise the other commands).
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#include "ui/Copione.h"

namespace {

struct Esito {
  int stato;
  std::vector<QJsonObject> istantanee;
  std::string errori;
};

Esito Esegui(const std::string& copione) {
  QTemporaryDir cartella;
  std::istringstream in(copione);
  std::ostringstream out, err;
  Esito e{EseguiCopione(cartella.path().toStdString(), in, out, err), {}, err.str()};
  std::istringstream righe(out.str());
  std::string riga;
  while (std::getline(righe, riga))
    e.istantanee.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(riga)).object());
  return e;
}

TEST(Copione, PrintsOneLineOfJsonPerDumpWithEveryKey) {
  const Esito e = Esegui("dump\r\n\n   # a comment\ndump\n");
  ASSERT_EQ(e.stato, 0) << e.errori;
  ASSERT_EQ(e.istantanee.size(), 2u);
  for (const char* chiave : {"time", "caption", "vars", "sprites", "labels", "timers", "menu",
                             "background", "sounds", "messages", "windows"})
    EXPECT_TRUE(e.istantanee[0].contains(QLatin1String(chiave))) << chiave;
  const QJsonObject sprites = e.istantanee[0]["sprites"].toObject();
  EXPECT_TRUE(sprites.contains("img_muro(47)"));
  EXPECT_TRUE(sprites.contains("img_default(12)"));
  EXPECT_FALSE(sprites.contains("img_primafila(1)"));
  EXPECT_EQ(sprites["img_gameover"].toObject()["Picture"], "builtin:11");
  EXPECT_EQ(e.istantanee[0]["vars"].toObject()["Volumi"].toArray().size(), 16);
  EXPECT_EQ(e.istantanee[0]["vars"].toObject()["OrigineImmagini"].toArray().size(), 14);
}

TEST(Copione, ExitEndsTheScript) {
  const Esito e = Esegui("menu mn_esci\ndump\n");
  EXPECT_EQ(e.stato, 0);
  EXPECT_TRUE(e.istantanee.empty());
}

TEST(Copione, ABadLineStopsTheScriptWithItsNumber) {
  const std::pair<const char*, const char*> casi[] = {
      {"dump\nfly away\n", "line 2: unknown command 'fly'"},
      {"wait soon\n", "line 1: the wait must be a whole number, not 'soon'"},
      {"keydown\n", "line 1: expected 1 argument, found 0"},
      {"click img_alieno\n", "line 1: nothing to click called 'img_alieno'"},
      {"menu mn_comb 3\n", "line 1: there is no menu item mn_comb(3)"},
      {"menu mn_file\n", "line 1: no menu item 'mn_file' has a click handler"},
      {"reply maybe\n", "line 1: reply must be yes, no, ok or cancel, not 'maybe'"},
      {"set Vite tre\n", "line 1: Vite must be a whole number, not 'tre'"},
      {"set img_primafila(4).Top 5000\n", "line 1: there is no sprite img_primafila(4)"},
      {"set Pausa forse\n", "line 1: expected true or false, not 'forse'"},
      {"set NonEsiste 1\n", "line 1: nothing called 'NonEsiste' can be set"},
      {"dump now\n", "line 1: dump takes no arguments"},
  };
  for (const auto& [copione, errore] : casi) {
    const Esito e = Esegui(copione);
    EXPECT_EQ(e.stato, 1) << copione;
    EXPECT_EQ(e.errori, std::string(errore) + "\n") << copione;
  }
}

TEST(Copione, AShotIsTheClientAreaAtOneToOne) {
  QTemporaryDir cartella;
  const QString file = cartella.filePath("campo.png");
  const Esito e = Esegui("shot " + file.toStdString() + "\n");
  ASSERT_EQ(e.stato, 0) << e.errori;
  const QImage immagine(file);
  EXPECT_EQ(immagine.size(), QSize(794, 548));
}

}  // namespace
