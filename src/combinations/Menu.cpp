// The combination menu: Default, then one item per combination file of the program
// folder, with a check mark on the combination in use.
#include "combinations/GestioneDatiEsterni.h"
#include "model/Gioco.h"

#include <algorithm>
#include <string>
#include <vector>

namespace GestioneDatiEsterni {

namespace {

// The program folder's files, in the byte order of their names.
std::vector<std::string> FileDellaCartella(const Gioco& g) {
  std::vector<std::string> nomi;
  std::error_code ec;
  for (const auto& voce : std::filesystem::directory_iterator(g.CartellaProgramma, ec)) {
    if (voce.is_regular_file(ec)) nomi.push_back(voce.path().filename().string());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

}  // namespace

void CostruisciMenu(Gioco& g) {
  g.mn_comb.resize(1);
  for (const std::string& file : FileDellaCartella(g)) {
    const QString f = QString::fromStdString(file);
    // Only names of at least six characters that end exactly in ".skcom" count.
    const auto p = static_cast<int16_t>(f.size() - 5);
    if (!(p > 0)) continue;
    if (f.mid(p - 1) != QLatin1String(".skcom")) continue;
    const QString base = f.left(p - 1);
    if (base == QLatin1String("Default")) continue;
    g.mn_comb.push_back({base, false, true, true});
  }
  for (VoceMenu& voce : g.mn_comb) voce.Checked = voce.Caption == g.CombinazioneCorrente;
}

}  // namespace GestioneDatiEsterni
