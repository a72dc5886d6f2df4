// Runs every script of tests/scenarios through the headless runner, in a fresh
// program folder, and checks the expectations written under each `dump`:
//   #> vars.Vite = 2
//   #> sprites.img_primafila(1).Left = -45
//   #> sounds = [9, 15]
// A path walks the snapshot's objects by key and its arrays by index; the value is
// JSON, or `missing` for a key that must not be there. Expectations refer to the
// most recent dump.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ui/Copione.h"

void PrintTo(const QJsonValue& v, std::ostream* os);

namespace {

struct Attesa {
  int riga;
  QString percorso;
  QJsonValue valore;
  int dump;  // the dump it refers to, counted from 0
};

QJsonValue Cammina(QJsonValue valore, const QString& percorso) {
  for (const QString& passo : percorso.split(QLatin1Char('.'))) {
    bool numero = false;
    const int indice = passo.toInt(&numero);
    if (numero && valore.isArray()) {
      valore = valore.toArray().at(indice);
    } else if (valore.isObject() && valore.toObject().contains(passo)) {
      valore = valore.toObject().value(passo);
    } else {
      return QJsonValue(QJsonValue::Undefined);
    }
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
  std::ifstream in(file);
  ASSERT_TRUE(in) << file;
  std::stringstream copione;
  copione << in.rdbuf();

  std::vector<Attesa> attese;
  int dump = -1;
  std::istringstream righe(copione.str());
  std::string riga;
  for (int numero = 1; std::getline(righe, riga); ++numero) {
    const QString testo = QString::fromStdString(riga).trimmed();
    if (testo == QLatin1String("dump")) ++dump;
    if (!testo.startsWith(QLatin1String("#>"))) continue;
    const QString corpo = testo.mid(2).trimmed();
    const qsizetype i = corpo.indexOf(QLatin1String(" = "));
    ASSERT_GE(i, 0) << file << ":" << numero << ": expectation without '='";
    ASSERT_GE(dump, 0) << file << ":" << numero << ": expectation before any dump";
    const QString valore = corpo.mid(i + 3).trimmed();
    const QJsonValue atteso =
        valore == QLatin1String("missing") ? QJsonValue(QJsonValue::Undefined) : Valore(valore);
    ASSERT_TRUE(!atteso.isUndefined() || valore == QLatin1String("missing"))
        << file << ":" << numero << ": not a JSON value: " << valore.toStdString();
    attese.push_back({numero, corpo.left(i).trimmed(), atteso, dump});
  }

  QTemporaryDir cartella;
  std::istringstream ingresso(copione.str());
  std::ostringstream uscita, errori;
  ASSERT_EQ(EseguiCopione(cartella.path().toStdString(), ingresso, uscita, errori), 0)
      << errori.str();
  std::vector<QJsonObject> istantanee;
  std::istringstream linee(uscita.str());
  while (std::getline(linee, riga))
    istantanee.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(riga)).object());
  ASSERT_EQ(static_cast<int>(istantanee.size()), dump + 1);

  for (const Attesa& a : attese) {
    EXPECT_EQ(Cammina(istantanee[static_cast<size_t>(a.dump)], a.percorso), a.valore)
        << file << ":" << a.riga << ": " << a.percorso.toStdString();
  }
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

void PrintTo(const QJsonValue& v, std::ostream* os) {
  *os << (v.isUndefined()
              ? QByteArray("(missing)")
              : QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).mid(1).chopped(1))
             .toStdString();
}
