// The combination files and the settings file seen from the game: building Comb
// from the editor's choices, reading it back, remembering the choice.
#include "combinations/GestioneDatiEsterni.h"

#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"
#include "codec/Impostazioni.h"
#include "model/Gioco.h"

#include <QByteArray>

#include <cstdint>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Utf8(const QString& testo) {
  return testo.toUtf8().toStdString();
}

fs::path PercorsoDi(const QString& testo) {
  return fs::path(Utf8(testo));
}

// The slot's new bytes: `sorgente` names a file to read whole, unless it is the
// combination's own name, which keeps what the slot holds.
bool AggiornaSlot(std::string& slot, const QString& sorgente, const QString& nome) {
  if (sorgente == nome) return true;
  // A slot holds at most what a 32-bit length can say.
  auto byte = LeggiFile(PercorsoDi(sorgente), Vaglio::MaxByteCombinazione);
  if (!byte) return false;
  slot = std::move(byte.valore());
  return true;
}

void FileIlleggibile(Gioco& g) {
  g.dialoghi.MsgBox(QStringLiteral("Impossibile caricare uno o più file, controllare che il "
                                   "percorso inserito sia valido."),
                    Pulsanti::OK, Icona::Critica, Firma());
}

}  // namespace

namespace GestioneDatiEsterni {

std::optional<fs::path> FileCombinazione(const Gioco& g, const QString& nome) {
  const std::string file = Utf8(nome) + ".skcom";
  if (!NomeFileSicuro(file)) return std::nullopt;
  return g.File(file);
}

bool ScriviCombinazione(Gioco& g, const QString& nome,
                        const std::array<QString, NumeroSuoni>& sorgentiSuoni) {
  // Built in a copy: a file that can't be read leaves Comb as it was.
  TipoCombinazione nuova = g.Comb;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const QString& sorgente = g.PercorsiImmagini[n];
    if (sorgente == QLatin1String(ImmagineDefault.data(), ImmagineDefault.size())) {
      nuova.Immagini[n] = ImmagineDefault;
    } else if (!AggiornaSlot(nuova.Immagini[n], sorgente, nome)) {
      FileIlleggibile(g);
      return false;
    }
  }
  nuova.Nome = Utf8(nome);
  nuova.Autore = Utf8(g.AutoreCombinazione);
  nuova.Password = Utf8(g.PasswordCombinazione);
  for (int n = 0; n < NumeroSuoni; ++n) {
    if (sorgentiSuoni[n].isEmpty()) {
      nuova.Suoni[n].clear();
    } else if (!AggiornaSlot(nuova.Suoni[n], sorgentiSuoni[n], nome)) {
      FileIlleggibile(g);
      return false;
    }
    nuova.Volumi[n] = g.Volumi[n];
  }
  nuova.FontNome = Utf8(g.EditorFontNome);
  nuova.FontDimensione = Utf8(g.EditorFontDimensione);
  nuova.FontColore = Utf8(g.EditorFontColore);
  nuova.FontGrassetto = g.EditorFontGrassetto;
  nuova.FontCorsivo = g.EditorFontCorsivo;

  const std::optional<fs::path> percorso = FileCombinazione(g, nome);
  if (!percorso) {
    g.dialoghi.MsgBox(QStringLiteral("Il nome contiene caratteri non validi"), Pulsanti::OK,
                      Icona::Esclamazione, Firma());
    return false;
  }
  const fs::path& file = *percorso;
  if (!ScriviFileCombinazione(file, nuova, g.chiamateFile)) {
    g.dialoghi.MsgBox(QStringLiteral("Impossibile salvare la combinazione nel file %1, controllare "
                                     "che la cartella del programma sia scrivibile e che il disco "
                                     "non sia pieno.")
                          .arg(QString::fromStdString(file.string())),
                      Pulsanti::OK, Icona::Critica, Firma());
    return false;
  }
  g.Comb = std::move(nuova);
  return true;
}

Esito LeggiCombinazione(Gioco& g, const fs::path& percorso) {
  auto comb = LeggiFileCombinazione(percorso);
  if (!comb) return Errore{comb.errore()};
  g.Comb = std::move(comb.valore());
  return {};
}

Esito RicordaScelta(Gioco& g, const QString& nome) {
  const std::optional<fs::path> file = FileCombinazione(g, nome);
  if (!file) return Errore{"'" + Utf8(nome) + "' cannot be a file name of the program folder"};
  return ScriviFileScelta(g.File(NomeFileScelta), *file, g.AudioAttivo, g.chiamateFile);
}

Esito EliminaCombinazione(Gioco& g, const fs::path& percorso) {
  // The combination file must be there to be deleted; the settings file need not,
  // since the point is only that no choice stays remembered.
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(percorso, ec)))
    return Errore{"cannot delete " + percorso.string() + ": no such file"};
  if (auto esito = EliminaFile(percorso); !esito) return esito;
  return EliminaFile(g.File(NomeFileScelta));
}

bool VerificaEsistenza(const fs::path& percorso) {
  std::error_code ec;
  const fs::file_status stato = fs::status(percorso, ec);
  return !ec && fs::exists(stato) && !fs::is_directory(stato);
}

}  // namespace GestioneDatiEsterni
