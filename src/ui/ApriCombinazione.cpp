#include "ui/ApriCombinazione.h"

#include <iostream>

#include "codec/InstallaCombinazione.h"
#include "combinations/GestioneDatiEsterni.h"
#include "game/frm_main.h"
#include "model/Gioco.h"

namespace {

QString NomeDelFile(const std::filesystem::path& file) {
  return QString::fromStdString(file.filename().string());
}

void Rifiuta(Gioco& g, const std::filesystem::path& file, const std::string& perche) {
  // The reason in full goes to the terminal; the player gets one plain sentence.
  std::cerr << "skarvex: " << file.string() << ": not added: " << perche << '\n';
  g.dialoghi.MsgBox(QStringLiteral("Il file %1 non è una combinazione che il gioco può usare: "
                                   "non è stato aggiunto.")
                        .arg(NomeDelFile(file)),
                    Pulsanti::OK, Icona::Esclamazione, Firma());
}

}  // namespace

void ApriCombinazione(Gioco& g, frm_main& frm, const std::filesystem::path& file) {
  using Come = CombinazioneInstallata::Come;
  auto esito = InstallaCombinazione(file, g.CartellaProgramma, false);
  if (!esito) return Rifiuta(g, file, esito.errore());
  const QString nome = QString::fromStdString(esito.valore().nome);
  if (esito.valore().come == Come::Diversa) {
    if (g.dialoghi.MsgBox(
            QStringLiteral("Esiste già una combinazione %1 diversa: sostituirla?").arg(nome),
            Pulsanti::SiNo, Icona::Domanda, Firma()) != Risposta::Si)
      return;
    esito = InstallaCombinazione(file, g.CartellaProgramma, true);
    if (!esito) return Rifiuta(g, file, esito.errore());
  }

  GestioneDatiEsterni::CostruisciMenu(g);
  if (!g.img_gameover.Visible) return;
  int indice = -1;
  for (size_t i = 1; i < g.mn_comb.size(); ++i)
    if (g.mn_comb[i].Caption == nome) indice = static_cast<int>(i);
  if (indice < 0) return;
  const QString gia = esito.valore().come == Come::Identica
                          ? QStringLiteral("La combinazione %1 è già nel menu Combinazioni.")
                          : QStringLiteral(
                                "La combinazione %1 è stata aggiunta al menu "
                                "Combinazioni.");
  if (g.dialoghi.MsgBox(gia.arg(nome) + QStringLiteral(" Usarla adesso?"), Pulsanti::SiNo,
                        Icona::Domanda, Firma()) == Risposta::Si)
    frm.mn_comb_Click(indice);
}
