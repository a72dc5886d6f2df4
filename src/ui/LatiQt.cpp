#include "ui/LatiQt.h"

#include "ui/Avvio.h"

void CollegaFinestra(Partita<LatiQt>& partita, FinestraPrincipale& principale) {
  partita.principale = &principale;
  OrologioQt& orologio = partita.orologio;
  orologio.ImpostaDopoEvento([&principale] { principale.Aggiorna(); });
  principale.ImpostaTurno(
      [&orologio](const std::function<void()>& handler) { orologio.Turno(handler); });
}

void MostraPartita(Partita<LatiQt>& partita, FinestraPrincipale& principale,
                   const std::filesystem::path& cartella) {
  OffriDemo(cartella);
  partita.frm.Form_Load();
  partita.orologio.Guarda();  // start-up runs outside any turn
  principale.Aggiorna();
  principale.Mostra();
}
