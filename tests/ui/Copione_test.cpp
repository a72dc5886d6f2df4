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

TEST(Copione, PrintsOneLineOfJsonPerDumpAndSkipsBlankAndCommentLines) {
  const Esito e = Esegui("dump\r\n\n   # a comment\ndump\n");
  ASSERT_EQ(e.stato, 0) << e.errori;
  ASSERT_EQ(e.istantanee.size(), 2u);
  const QJsonObject sprites = e.istantanee[0]["sprites"].toObject();
  EXPECT_EQ(sprites["img_default(12)"].toObject()["Picture"], "builtin:12");
  EXPECT_EQ(e.istantanee[0]["vars"].toObject()["OrigineImmagini"].toArray().size(), 14);
}

TEST(Copione, ExitEndsTheScript) {
  const Esito e = Esegui("menu mn_esci\ndump\n");
  EXPECT_EQ(e.stato, 0);
  EXPECT_TRUE(e.istantanee.empty());
}

TEST(Copione, ABadLineStopsTheScriptWithItsNumber) {
  const std::pair<const char*, const char*> casi[] = {
      {"wait soon\n", "line 1: the wait must be a whole number, not 'soon'"},
      {"click img_alieno\n", "line 1: nothing to click called 'img_alieno'"},
      {"menu mn_comb 3\n", "line 1: there is no menu item mn_comb(3)"},
      {"menu mn_file\n", "line 1: no menu item 'mn_file' has a click handler"},
      {"set Vite tre\n", "line 1: Vite must be a whole number, not 'tre'"},
      {"set img_primafila(4).Top 5000\n", "line 1: there is no sprite img_primafila(4)"},
      {"set NonEsiste 1\n", "line 1: nothing called 'NonEsiste' can be set"},
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
