// Opening the editor on the combination the game is using, and leaving it.
#include "editing/EditorComune.h"

#include "combinations/GestioneDatiEsterni.h"
#include "editing/UnitaVolume.h"

#include <algorithm>

namespace Editor {

ModelloEditor Apri(Gioco& g, ModelloEditor::Avvisi avvisi) {
  ModelloEditor m;
  m.avvisi = std::move(avvisi);
  const QString cartella = QString::fromStdString(g.CartellaProgramma.string());
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    m.immagini[s] = g.OrigineImmagini[s];
    m.anteprime[s] = g.OrigineImmagini[s] != QLatin1String("Default")
                         ? GestioneDatiEsterni::ImmagineSlot(g, n)
                         : GestioneDatiEsterni::ImmagineIncorporata(g, n);
  }
  m.cd_audio = {Filtro(FiltriEditor::Audio), cartella, Firma()};
  m.Cd = {Filtro(FiltriEditor::Immagini), cartella, Firma()};
  g.CombinazioneInModifica = m.nome = m.origine = g.CombinazioneCorrente;
  m.autore = g.AutoreCombinazione;
  m.font = g.lbl_hiscore.Font;
  m.colore = g.lbl_hiscore.ForeColor;
  m.titolo =
      Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione, 1, QStringLiteral("OPZIONI - "));
  m.intestazione = m.nome + QStringLiteral(" by ") + m.autore;
  if (Protetta(g)) BloccaModifiche(m);

  for (int i = 0; i < NumeroSuoni; ++i) {
    RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
    riga.sorgente = g.OrigineSuoni[static_cast<size_t>(i)];
    // The box's text and then the slider, each with its change handling: on a row
    // with a sound the slider writes its whole position back into the box. A
    // volume out of range in someone else's file puts the slider at its end.
    ImpostaTestoVolume(g, m, i, UnitaVolume::TestoVolume(g.Comb.Volumi[static_cast<size_t>(i)]));
    ImpostaPosizione(g, m, i, std::clamp(UnitaVolume::Intero(riga.volume).value_or(0), 0, 100));
    if (!riga.sorgente.isEmpty()) riga.attiva = true;
  }
  m.fontFile = g.Comb.FontFile;
  m.fontFileNome = g.Comb.FontFileNome;
  return m;
}

void Chiudi(Gioco& g, ModelloEditor& m) {
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (m.effetti[static_cast<size_t>(i)]) g.audio.Ferma(i);
  }
  g.ProvaMusica = false;
}

void Esci(Gioco& g, ModelloEditor& m) {
  const Risposta risposta = g.dialoghi.MsgBox(
      QStringLiteral("Uscendo non verranno salvate le eventuali modifiche, uscire comunque?"),
      Pulsanti::SiNo, Icona::Domanda, Firma());
  if (risposta != Risposta::Si) return;
  FermaProve(g, m);
  if (m.musicaSostituita) RiapriMusicaGioco(g, m);
  g.finestre.Scarica(Finestra::frm_opzioni);
}

}  // namespace Editor
