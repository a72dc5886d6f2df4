// The font panel (the labels' font and colour, and a font file the combination
// carries) and the protection: the protected state entered, the password that
// leaves it, and the box that asks for one at the next save.
#include "editing/EditorComune.h"

#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "combinations/Decodifica.h"

namespace fs = std::filesystem;

namespace Editor {
namespace {

// Installed for this user unless a file of that name already is there, which is
// never replaced; it is registered with the window system when a combination
// carrying it is applied.
void InstallaFont(Gioco& g, const ModelloEditor& m) {
  const fs::path cartella = g.fonts.Cartella();
  std::error_code ec;
  if (!cartella.empty() && fs::exists(fs::symlink_status(cartella / m.fontFileNome, ec))) return;
  if (g.fonts.Installa(m.fontFileNome, m.fontFile)) return;
  Messaggio(
      g,
      QStringLiteral("La font %1 non è stata copiata nella cartella %2: la "
                     "combinazione la porterà comunque con sé.")
          .arg(QString::fromStdString(m.fontFileNome), QString::fromStdString(cartella.string())),
      Icona::Esclamazione);
}

}  // namespace

void ApriPannelloFont(Gioco& g, ModelloEditor& m) {
  if (!Protetta(g)) m.pannelloFont = true;
}

void ChiudiPannelloFont(ModelloEditor& m) {
  m.pannelloFont = false;
}

void ScegliFont(Gioco& g, ModelloEditor& m) {
  if (Protetta(g)) return;
  const std::optional<Carattere> scelto = g.dialoghi.ScegliFont(m.font);
  if (!scelto || scelto->Name.isEmpty()) return;
  // The size goes through its text, as the save writes it.
  m.font = {scelto->Name, TestoDimensione(scelto->Size).toDouble(), scelto->Bold, scelto->Italic};
}

void ScegliColore(Gioco& g, ModelloEditor& m) {
  if (Protetta(g)) return;
  if (const std::optional<uint32_t> colore = g.dialoghi.ScegliColore()) m.colore = *colore;
}

void ScegliFileFont(Gioco& g, ModelloEditor& m) {
  m.Cd.filtro = Filtro(FiltriEditor::Font);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.Cd);
  m.Cd.filtro = Filtro(FiltriEditor::ImmaginiRipristinato);
  if (!scelto) return;
  const fs::path file = Percorso(*scelto);
  auto byte = LeggiFile(file, Vaglio::MaxByteFont);
  if (!byte) {
    Messaggio(g, QStringLiteral("Impossibile leggere il file %1.").arg(*scelto), Icona::Critica);
    return;
  }
  // What a player attaches goes to every player of the combination: it must be a
  // font, and the same one the game takes.
  if (const auto rifiuto = Vaglio::EsaminaFont(byte.valore())) {
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: %2.")
                  .arg(*scelto, MotivoRifiuto(*rifiuto, TipoSlot::Font)),
              Icona::Esclamazione);
    return;
  }
  m.fontFile = std::move(byte.valore());
  m.fontFileNome = file.filename().string();
  InstallaFont(g, m);
  Messaggio(g,
            QStringLiteral("Ricorda che se vuoi utilizzare la Font che hai appena caricato devi "
                           "selezionarla con il pulsante 'Da Font'"),
            Icona::Informazione);
}

void CancellaFileFont(ModelloEditor& m) {
  m.fontFile = FontFileNessuno;
  m.fontFileNome.clear();
}

void BloccaModifiche(ModelloEditor& m) {
  m.bloccata = true;
  m.defaultBloccato = true;
}

void ImpostaProtezione(ModelloEditor& m, bool proteggi) {
  m.proteggi = proteggi;
}

void InserisciPassword(Gioco& g, ModelloEditor& m) {
  const QString risposta = g.dialoghi.PasswordBox(QStringLiteral("Inserire la PassWord"), Firma());
  if (risposta != g.PasswordCombinazione) {
    Messaggio(g, QStringLiteral("Password errata"), Icona::Critica);
    return;
  }
  // Unlocked for the rest of this opening; "TUTTO A DEFAULT" stays disabled.
  g.PasswordCombinazione.clear();
  m.bloccata = false;
  ImpostaProtezione(m, true);
}

}  // namespace Editor
