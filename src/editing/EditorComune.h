// What the editor's steps share among their files, and the window has no use for.
// Rules answer with Esito or Risultato, the reason when they refuse; a question
// answers with the player's answer, or with nothing once it has told the player why.
#pragma once

#include "codec/Risultato.h"
#include "editing/Editor.h"
#include "model/Gioco.h"

#include <QFile>

#include <filesystem>
#include <optional>

namespace Editor {

inline QString Filtro(const char* filtro) {
  return QString::fromLatin1(filtro);
}

// The path a file dialog answered, for the file system.
inline std::filesystem::path Percorso(const QString& testo) {
  return std::filesystem::path(QFile::encodeName(testo).toStdString());
}

inline bool Protetta(const Gioco& g) {
  return !g.PasswordCombinazione.isEmpty();
}

inline void Messaggio(Gioco& g, const QString& testo, Icona icona) {
  g.dialoghi.MsgBox(testo, Pulsanti::OK, icona, Firma());
}

// The editor's reasons are player-visible Italian; an Errore carries them as UTF-8.
inline Errore ComeErrore(const QString& motivo) {
  return Errore{motivo.toStdString()};
}
inline QString TestoErrore(const std::string& motivo) {
  return QString::fromStdString(motivo);
}

// A font size as the combination file keeps it, and the font panel rounds it.
inline QString TestoDimensione(double punti) {
  return QString::number(punti);
}

inline void AggiornaPrincipale(ModelloEditor& m) {
  if (m.avvisi.aggiornaPrincipale) m.avvisi.aggiornaPrincipale();
}

// The trials (Selettori.cpp): every one stopped, as leaving the window does; the
// game's own music back in the player after the editor opened a file of its own.
void FermaProve(Gioco& g, ModelloEditor& m);
void RiapriMusicaGioco(Gioco& g, ModelloEditor& m);

// The questions (Domande.cpp). "Crea" asks a new name and its author. "Salva e
// applica" asks a name and an author when the combination has none it can be saved
// under, and takes them at once (a later save then asks only the password); then the
// password the file is to carry, "" for none.
struct NuovoNome {
  QString nome;
  QString autore;
};
std::optional<NuovoNome> ChiediNuovaCombinazione(Gioco& g);
std::optional<QString> ChiediSalvataggio(Gioco& g, ModelloEditor& m);

}  // namespace Editor
