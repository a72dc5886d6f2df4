// The headless runner: its snapshot, exit and shot, its answers to bad scripts, and
// every script of tests/scenarios run in a fresh program folder, checking the
// expectations written under each `dump`:
//   #> vars.Vite = 2
//   #> sprites.img_primafila(1).Left = -45
//   #> sounds = [9, 15]
// A path walks the snapshot's objects by key and its arrays by index; the value is
// JSON, or `missing` for a key that must not be there. Expectations refer to the
// most recent dump.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/File.h"
#include "ui/Copione.h"

void PrintTo(const QJsonValue& v, std::ostream* os) {
  *os << (v.isUndefined()
              ? QByteArray("(missing)")
              : QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).mid(1).chopped(1))
             .toStdString();
}

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
  for (const QByteArray& riga : QByteArray::fromStdString(out.str()).split('\n'))
    if (!riga.isEmpty()) e.istantanee.push_back(QJsonDocument::fromJson(riga).object());
  return e;
}

// A shot is the client area at 1:1.
TEST(Copione, PrintsOneLineOfJsonPerDumpTakesShotsAndEndsAtExit) {
  QTemporaryDir cartella;
  const QString file = cartella.filePath("campo.png");
  const Esito e = Esegui("dump\r\n\n   # a comment\ndump\nshot " + file.toStdString() +
                         "\nmenu mn_esci\ndump\n");
  ASSERT_EQ(e.stato, 0) << e.errori;
  ASSERT_EQ(e.istantanee.size(), 2u);
  EXPECT_EQ(e.istantanee[0]["vars"].toObject()["OrigineImmagini"].toArray().size(), 14);
  EXPECT_EQ(QImage(file).size(), QSize(794, 548));
}

// A bad line stops the script with its number. A script comes from anyone: numbers
// beyond what their variable holds, a line longer than any command needs, a shot onto
// a link, a FIFO or a device are refused too, and nothing is written through them.
TEST(Copione, BadAndHostileLinesStopTheScriptWithTheirNumberAndNothingWrittenThroughThem) {
  QTemporaryDir cartella;
  const std::string dir = cartella.path().toStdString();
  std::ofstream(dir + "/bersaglio") << "del giocatore";
  ASSERT_EQ(symlink((dir + "/bersaglio").c_str(), (dir + "/link.png").c_str()), 0);
  ASSERT_EQ(mkfifo((dir + "/fifo.png").c_str(), 0600), 0);
  const std::string lunga(70'000, 'x');
  const std::pair<std::string, std::string> casi[] = {
      {"dump\nbad\n", "line 2: unknown command 'bad'"},
      {"wait soon\n", "line 1: the wait must be a whole number, not 'soon'"},
      {"click img_alieno\n", "line 1: nothing to click called 'img_alieno'"},
      {"menu mn_comb 3\n", "line 1: there is no menu item mn_comb(3)"},
      {"menu mn_file\n", "line 1: no menu item 'mn_file' has a click handler"},
      {"set Vite tre\n", "line 1: Vite must be a whole number, not 'tre'"},
      {"set img_primafila(4).Top 5000\n", "line 1: there is no sprite img_primafila(4)"},
      {"set NonEsiste 1\n", "line 1: nothing called 'NonEsiste' can be set"},
      {"menu mn_comb 4294967297\n",
       "line 1: the menu index must be from 0 to 2147483647, not 4294967297"},
      {"dump\nkeydown 4294967333\n",
       "line 2: the key code must be from 0 to 65535, not 4294967333"},
      {"keypress -1\n", "line 1: the key code must be from 0 to 65535, not -1"},
      {"set Vite 4294967299\n", "line 1: Vite must be from -32768 to 32767, not 4294967299"},
      {"set Livello 32768\n", "line 1: Livello must be from -32768 to 32767, not 32768"},
      {"set Punteggio 9007199254740993\n",
       "line 1: Punteggio must be from -9007199254740992 to 9007199254740992, not "
       "9007199254740993"},
      {"set Volumi(4294967296) 0\n", "line 1: cannot set 'Volumi(4294967296)'"},
      {"set img_muro(4294967296).Visible false\n",
       "line 1: cannot set 'img_muro(4294967296).Visible'"},
      {"set tmr_sposta.Interval 2147483648\n",
       "line 1: an interval must be from 0 to 2147483647, not 2147483648"},
      {"set img_giocatore.Left nan\n",
       "line 1: a number of twips must be from -1000000000 to 1000000000, not 'nan'"},
      {"set img_giocatore.Top -1e12\n",
       "line 1: a number of twips must be from -1000000000 to 1000000000, not '-1e12'"},
      {"wait 10\nwait 9223372036854775807\n",
       "line 2: the wait must not take the clock past 4611686018427387903 ms"},
      {"dump\n" + lunga + "\ndump\n", "line 2: longer than 65536 bytes"},
      {"shot " + dir + "/link.png\n", "line 1: cannot write the picture '" + dir +
                                          "/link.png': it is a symbolic link, never written "
                                          "through"},
      {"shot " + dir + "/fifo.png\n",
       "line 1: cannot write the picture '" + dir + "/fifo.png': it is not a regular file"},
      {"shot /dev/null\n",
       "line 1: cannot write the picture '/dev/null': it is not a regular file"},
  };
  for (const auto& [copione, errore] : casi) {
    const Esito e = Esegui(copione);
    EXPECT_EQ(e.stato, 1) << errore;
    EXPECT_EQ(e.errori, errore + "\n");
  }
  EXPECT_EQ(QFile(QString::fromStdString(dir + "/bersaglio")).size(), 13);

  // A line of just the longest length, and a shot over a picture already there.
  std::ofstream(dir + "/campo.png") << "vecchia";
  const Esito e =
      Esegui("answer " + std::string(65536 - 7, 'a') + "\nshot " + dir + "/campo.png\n");
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(QImage(QString::fromStdString(dir + "/campo.png")).size(), QSize(794, 548));
}

QJsonValue Cammina(QJsonValue valore, const QString& percorso) {
  for (const QString& passo : percorso.split(QLatin1Char('.'))) {
    bool numero = false;
    const int indice = passo.toInt(&numero);
    valore =
        numero && valore.isArray() ? valore.toArray().at(indice) : valore.toObject().value(passo);
  }
  return valore;
}

// A JSON value written alone, as the document of a one-element array.
QJsonValue Valore(const QString& testo) {
  const QJsonArray uno = QJsonDocument::fromJson(("[" + testo + "]").toUtf8()).array();
  return uno.size() == 1 ? uno.at(0) : QJsonValue(QJsonValue::Undefined);
}

class Scenario : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenario, MatchesItsExpectations) {
  const std::string file = std::string(SKARVEX_SCENARI) + "/" + GetParam() + ".txt";
  const std::string copione = LeggiTutto(file);
  ASSERT_FALSE(copione.empty()) << file;

  const Esito e = Esegui(copione);
  ASSERT_EQ(e.stato, 0) << e.errori;
  int dump = -1;
  std::istringstream righe(copione);
  std::string riga;
  for (int numero = 1; std::getline(righe, riga); ++numero) {
    const QString testo = QString::fromStdString(riga).trimmed();
    if (testo == QLatin1String("dump")) ++dump;
    if (!testo.startsWith(QLatin1String("#>"))) continue;
    const QString corpo = testo.mid(2).trimmed();
    const qsizetype i = corpo.indexOf(QLatin1String(" = "));
    const QString valore = corpo.mid(i + 3).trimmed();
    const QJsonValue atteso = Valore(valore);
    ASSERT_TRUE(i >= 0 && dump >= 0 && (!atteso.isUndefined() || valore == "missing"))
        << file << ":" << numero << ": not `path = value` under a dump";
    ASSERT_LT(dump, static_cast<int>(e.istantanee.size()));
    EXPECT_EQ(Cammina(e.istantanee[static_cast<size_t>(dump)], corpo.left(i).trimmed()), atteso)
        << file << ":" << numero << ": " << corpo.toStdString();
  }
  ASSERT_EQ(static_cast<int>(e.istantanee.size()), dump + 1);
}

std::vector<std::string> Scenari() {
  std::vector<std::string> nomi;
  for (const QString& f : QDir(QStringLiteral(SKARVEX_SCENARI))
                              .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
    nomi.push_back(f.chopped(4).toStdString());
  return nomi;
}

// Scenario files are named as test names may be: letters, digits and '_'.
INSTANTIATE_TEST_SUITE_P(Scenari, Scenario, ::testing::ValuesIn(Scenari()),
                         [](const auto& scenario) { return scenario.param; });

}  // namespace
