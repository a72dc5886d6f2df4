#include "ui/LatiQt.h"

#include <QTimer>

#include <memory>
#include <utility>

#include "ui/Avvio.h"

void CollegaFinestra(Partita<LatiQt>& partita, FinestraPrincipale& principale) {
  partita.principale = &principale;
  partita.dialoghi.ImpostaPrincipale(&principale);
  OrologioQt& orologio = partita.orologio;
  orologio.ImpostaDopoEvento([&principale] { principale.DopoEvento(); });
  principale.ImpostaTurno(
      [&orologio](const std::function<void()>& handler) { orologio.Turno(handler); });
}

void MostraPartita(Partita<LatiQt>& partita, FinestraPrincipale& principale,
                   std::function<bool()> alPrimoFrame, std::function<void()> differito) {
  auto attesa =
      std::make_shared<std::function<void()>>([&partita, differito = std::move(differito)] {
        partita.audio->Apri();
        if (differito) differito();
      });
  const auto finisci = [attesa] {
    if (*attesa) std::exchange(*attesa, {})();
  };
  principale.DopoPrimoFrame([alPrimoFrame = std::move(alPrimoFrame), finisci] {
    if (!alPrimoFrame || alPrimoFrame()) finisci();
  });
  OffriDemo(partita.g.CartellaProgramma);
  partita.frm.Form_Load();
  partita.orologio.Guarda();  // start-up runs outside any turn
  principale.Aggiorna();
  principale.Mostra();
  QTimer::singleShot(500, &principale, finisci);
}
