#include "tools/Manifesto.h"

#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 13> Chiavi = {
    "Nome",        "Autore",   "Password",       "Immagini",   "Suoni",
    "Volumi",      "FontNome", "FontDimensione", "FontColore", "FontGrassetto",
    "FontCorsivo", "FontFile", "FontFileNome"};

bool ChiaveNota(const QString& chiave) {
  return std::any_of(Chiavi.begin(), Chiavi.end(), [&](const char* c) { return chiave == c; });
}

QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QString& s) {
  return s.toUtf8().toStdString();
}

// A slot's file name: img<n> or aud<n> with the extension of its format.
std::string NomeSlot(const char* prefisso, int n, const std::string& byte) {
  return prefisso + std::to_string(n) + std::string(EstensioneFormato(RiconosciFormato(byte)));
}

// The file a manifest's path names, which must lie inside the manifest's folder: a
// manifest from someone else must not make pack read (and so pass on) any other file
// of the machine. The path must be relative and without "..", and stays inside once
// every link in it is followed.
Risultato<fs::path> FileNellaCartella(const fs::path& cartella, const std::string& testo) {
  if (testo.find('\0') != std::string::npos) return Errore{"holds a NUL character"};
  const fs::path relativo(testo);
  if (relativo.has_root_path()) return Errore{"is not a path relative to the manifest's folder"};
  for (const fs::path& parte : relativo)
    if (parte == "..") return Errore{"climbs out of the manifest's folder with \"..\""};
  std::error_code ec;
  const fs::path base = fs::canonical(cartella.empty() ? fs::path(".") : cartella, ec);
  if (ec) return Errore{"cannot resolve the manifest's folder: " + ec.message()};
  const fs::path file = fs::weakly_canonical(base / relativo, ec);
  if (ec) return Errore{"cannot be resolved: " + ec.message()};
  // Inside: the folder's parts begin the file's, and the file has at least one more.
  auto b = base.begin();
  auto f = file.begin();
  for (; b != base.end() && f != file.end() && *b == *f; ++b, ++f) {
  }
  if (b != base.end()) return Errore{"leads out of the manifest's folder, to " + file.string()};
  if (f == file.end()) return Errore{"is the manifest's folder itself, not a file in it"};
  return file;
}

// Reads the fields off the manifest, stopping at the first one that is wrong.
class LettoreManifesto {
 public:
  LettoreManifesto(const QJsonObject& radice, const fs::path& cartella)
      : m_radice(radice), m_cartella(cartella) {}

  const std::string& errore() const { return m_errore; }

  std::string Testo(const char* chiave) {
    const QJsonValue v = m_radice.value(chiave);
    if (!v.isString()) {
      Sbaglia(std::string("\"") + chiave + "\" must be a string");
      return {};
    }
    return S(v.toString());
  }
  bool Booleano(const char* chiave) {
    const QJsonValue v = m_radice.value(chiave);
    if (!v.isBool()) Sbaglia(std::string("\"") + chiave + "\" must be true or false");
    return v.toBool();
  }
  QJsonArray Elenco(const char* chiave, int quanti) {
    const QJsonValue v = m_radice.value(chiave);
    if (!v.isArray() || v.toArray().size() != quanti) {
      Sbaglia(std::string("\"") + chiave + "\" must be an array of " + std::to_string(quanti) +
              " entries");
      return {};
    }
    return v.toArray();
  }
  // "" is an empty slot; `parola` (when given) stands for itself; anything else is a
  // path whose file's bytes fill the slot.
  std::string Slot(const std::string& dove, const QJsonValue& v, const char* parola = nullptr) {
    if (!v.isString()) {
      Sbaglia("\"" + dove + "\" must be a string");
      return {};
    }
    const std::string testo = S(v.toString());
    if (testo.empty() || (parola != nullptr && testo == parola)) return testo;
    const auto file = FileNellaCartella(m_cartella, testo);
    if (!file) {
      Sbaglia("\"" + dove + "\": \"" + testo + "\" " + file.errore());
      return {};
    }
    // No slot may be larger than a whole combination file may be.
    auto byte = LeggiFile(file.valore(), Vaglio::MaxByteCombinazione);
    if (!byte) {
      Sbaglia("\"" + dove + "\": " + byte.errore());
      return {};
    }
    return std::move(byte.valore());
  }
  int32_t Intero32(const std::string& dove, const QJsonValue& v) {
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || std::floor(d) != d || d < std::numeric_limits<int32_t>::min() ||
        d > std::numeric_limits<int32_t>::max()) {
      Sbaglia("\"" + dove + "\" must be a whole number of 32 bits");
      return 0;
    }
    return static_cast<int32_t>(d);
  }
  void Sbaglia(std::string errore) {
    if (m_errore.empty()) m_errore = std::move(errore);
  }

 private:
  QJsonObject m_radice;
  fs::path m_cartella;
  std::string m_errore;
};

}  // namespace

Spacchettato Spacchetta(const TipoCombinazione& comb) {
  Spacchettato uscita;
  QSet<QString> usati{QString(NomeManifesto).toLower()};
  auto aggiungi = [&](std::string nome, const std::string& byte) {
    usati.insert(Q(nome).toLower());
    uscita.file.push_back({nome, &byte});
    return Q(nome);
  };

  QJsonArray immagini;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const std::string& slot = comb.Immagini[n];
    if (slot.empty() || slot == ImmagineDefault)
      immagini.append(Q(slot));
    else
      immagini.append(aggiungi(NomeSlot("img", n, slot), slot));
  }
  QJsonArray suoni;
  QJsonArray volumi;
  for (int n = 0; n < NumeroSuoni; ++n) {
    const std::string& slot = comb.Suoni[n];
    suoni.append(slot.empty() ? QString() : aggiungi(NomeSlot("aud", n, slot), slot));
    volumi.append(comb.Volumi[n]);
  }
  QString fontFile;
  if (!comb.FontFile.empty()) {
    // The font's own name only when it is safe on disk and clashes with no other file.
    const bool proprio =
        NomeFileSicuro(comb.FontFileNome) && !usati.contains(Q(comb.FontFileNome).toLower());
    fontFile = aggiungi(
        proprio ? comb.FontFileNome
                : "FontFile" + std::string(EstensioneFormato(RiconosciFormato(comb.FontFile))),
        comb.FontFile);
  }

  QJsonObject radice;
  radice["Nome"] = Q(comb.Nome);
  radice["Autore"] = Q(comb.Autore);
  radice["Password"] = Q(comb.Password);
  radice["Immagini"] = immagini;
  radice["Suoni"] = suoni;
  radice["Volumi"] = volumi;
  radice["FontNome"] = Q(comb.FontNome);
  radice["FontDimensione"] = Q(comb.FontDimensione);
  radice["FontColore"] = Q(comb.FontColore);
  radice["FontGrassetto"] = comb.FontGrassetto;
  radice["FontCorsivo"] = comb.FontCorsivo;
  radice["FontFile"] = fontFile;
  radice["FontFileNome"] = Q(comb.FontFileNome);
  uscita.manifesto = QJsonDocument(radice).toJson(QJsonDocument::Indented).toStdString();
  return uscita;
}

Risultato<TipoCombinazione> Impacchetta(const std::string& manifesto, const fs::path& cartella) {
  QJsonParseError errore{};
  const QJsonDocument documento = QJsonDocument::fromJson(
      QByteArray(manifesto.data(), static_cast<qsizetype>(manifesto.size())), &errore);
  if (documento.isNull())
    return Errore{"not valid JSON at offset " + std::to_string(errore.offset) + ": " +
                  S(errore.errorString())};
  if (!documento.isObject()) return Errore{"the manifest must be a JSON object"};
  const QJsonObject radice = documento.object();
  for (const QString& chiave : radice.keys())
    if (!ChiaveNota(chiave)) return Errore{"unknown key \"" + S(chiave) + "\""};
  for (const char* chiave : Chiavi)
    if (!radice.contains(QLatin1String(chiave)))
      return Errore{std::string("missing key \"") + chiave + "\""};

  LettoreManifesto l(radice, cartella);
  TipoCombinazione c;
  c.Nome = l.Testo("Nome");
  c.Autore = l.Testo("Autore");
  c.Password = l.Testo("Password");
  const QJsonArray immagini = l.Elenco("Immagini", NumeroImmagini);
  for (int n = 0; n < immagini.size(); ++n)
    c.Immagini[n] = l.Slot("Immagini(" + std::to_string(n) + ")", immagini[n], "Default");
  const QJsonArray suoni = l.Elenco("Suoni", NumeroSuoni);
  for (int n = 0; n < suoni.size(); ++n)
    c.Suoni[n] = l.Slot("Suoni(" + std::to_string(n) + ")", suoni[n]);
  const QJsonArray volumi = l.Elenco("Volumi", NumeroSuoni);
  for (int n = 0; n < volumi.size(); ++n)
    c.Volumi[n] = l.Intero32("Volumi(" + std::to_string(n) + ")", volumi[n]);
  c.FontNome = l.Testo("FontNome");
  c.FontDimensione = l.Testo("FontDimensione");
  c.FontColore = l.Testo("FontColore");
  c.FontGrassetto = l.Booleano("FontGrassetto");
  c.FontCorsivo = l.Booleano("FontCorsivo");
  c.FontFile = l.Slot("FontFile", radice.value("FontFile"));
  c.FontFileNome = l.Testo("FontFileNome");
  if (!l.errore().empty()) return Errore{l.errore()};
  return c;
}
