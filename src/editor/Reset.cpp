// Putting slots back to the built-in state ("Def", "TUTTO A DEFAULT") and deleting
// combination files ("Elimina").
#include "combinations/GestioneDatiEsterni.h"
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"
#include "editor/frm_opzioni.h"
#include "model/Gioco.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using TabelleEditor::Percorso;

void frm_opzioni::ReimpostaImmagine(int n) {
  const auto s = static_cast<size_t>(n);
  CaselleImmagine[s]->setText(QStringLiteral("Default"));
  g.PercorsiImmagini[s] = QStringLiteral("Default");
  const Immagine incorporata = GestioneDatiEsterni::ImmagineIncorporata(g, n);
  Anteprime[s]->Imposta(incorporata);
  // The game shows it at once, saved or not; the alien shots and the bricks other
  // than the first keep theirs until a combination is applied.
  GestioneDatiEsterni::ImpostaImmagineSlot(g, n, incorporata, false);
}

void frm_opzioni::FontPredefinito() {
  ImpostaAnteprimaFont(g.lbl_default.Font, g.lbl_default.ForeColor);
}

void frm_opzioni::SvuotaSuoni() {
  for (size_t i = 0; i < NumeroSuoni; ++i) {
    txt_audio[i]->setText(QString());
    txt_vol[i]->setText(QStringLiteral("0"));
    txt_vol[i]->setEnabled(false);
    HS_regolavol[i]->setValue(0);
    HS_regolavol[i]->setEnabled(false);
  }
}

void frm_opzioni::cb_def_Click(int n) {
  if (Protetta() || n < 0 || n >= NumeroImmagini) return;
  ReimpostaImmagine(n);
  AggiornaPrincipale();
}

void frm_opzioni::Cb_default_Click() {
  if (Protetta()) return;
  lbl_combinazione->setText(QStringLiteral("Default"));
  // The next save asks for a new name.
  g.CombinazioneInModifica = QStringLiteral("Default");
  for (int n = 0; n < NumeroImmagini; ++n) ReimpostaImmagine(n);
  FontPredefinito();
  SvuotaSuoni();
  AggiornaPrincipale();
}

void frm_opzioni::Cb_elimina_Click() {
  Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroCombinazioni);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(Cd);
  if (!scelto) {
    Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroImmaginiRipristinato);
    return;
  }
  const Risposta risposta =
      g.dialoghi.MsgBox(QStringLiteral("Eliminare ") + *scelto + QStringLiteral(" ?"),
                        Pulsanti::OKAnnulla, Icona::Domanda, Firma());
  if (risposta == Risposta::OK) {
    const std::filesystem::path file = Percorso(*scelto);
    const bool esisteva = GestioneDatiEsterni::VerificaEsistenza(file);
    // The game goes on showing what it shows; the menu catches up at its next rebuild.
    if (!GestioneDatiEsterni::EliminaCombinazione(g, file)) {
      if (!esisteva || GestioneDatiEsterni::VerificaEsistenza(file)) {
        Messaggio(QStringLiteral("Impossibile eliminare il file %1.").arg(*scelto), Icona::Critica);
      } else {
        Messaggio(QStringLiteral("Il file %1 è stato eliminato, ma non il file delle scelte "
                                 "CombinazioneScelta: al prossimo avvio si userà ancora la "
                                 "combinazione che vi è indicata, se esiste.")
                      .arg(*scelto),
                  Icona::Esclamazione);
      }
    }
  }
  Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroImmagini);
}
