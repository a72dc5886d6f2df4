#include "ui/frm_aiuto.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include "codec/Progetto.h"
#include "model/Gioco.h"

namespace {

QRect Twips(int left, int top, int width, int height) {
  return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

// The help text, as the label array Label1(0..20): where each label stands (in
// twips) and what it says.
struct Riga {
  int left, top, width, height;
  const char* testo;
  bool grassetto;
};

// Not constexpr: the address is what a release fills in, from another file.
const Riga Righe[] = {
    {240, 120, 8190, 285, "Tasti:", true},
    {600, 480, 2400, 285, "Freccia destra  ", false},
    {3120, 480, 5310, 285, "muovi a destra", false},
    {600, 780, 2400, 285, "Frecciasinistra", false},
    {3120, 780, 5310, 285, "muovi a sinistra", false},
    {600, 1080, 2400, 285, "Barra spaziatrice", false},
    {3120, 1080, 5310, 285, "sparo", false},
    {600, 1380, 2400, 285, "Esc", false},
    {3120, 1380, 5310, 285, "pausa", false},
    {240, 1920, 8190, 285, "COMBINAZIONI IMMAGINI E AUDIO", true},
    {240, 2280, 8190, 285, "Per creare una nuova combinazione di immagini e suoni apri", false},
    {240, 2580, 8190, 285, "menu opzioni --> Edita combinazioni (solo con il gioco in Game Over)",
     false},
    {240, 2940, 8190, 780,
     "Premi \"Crea\" e scrivi il nome della combinazione (almeno tre caratteri) e il nome "
     "dell'autore (almeno "
     "tre caratteri); se scegli \"Proteggi con password\", al salvataggio ti verrà chiesta anche "
     "una password "
     "di almeno tre caratteri.",
     false},
    {240, 3780, 8190, 540,
     "Scegli le immagini e i suoni con i pulsanti a sinistra e regola il volume di ogni suono, poi "
     "premi "
     "\"Salva e applica\".",
     false},
    {240, 4380, 8190, 540,
     "Attiva la nuova combinazione dal menu Combinazioni: il segno di spunta indica la "
     "combinazione in uso.",
     false},
    {240, 4980, 8190, 780,
     "Puoi regalare una combinazione ai tuoi amici: invia il file \"nomecombinazione.skcom\" che "
     "trovi nella "
     "cartella del programma; chi lo riceve lo copia nella cartella del proprio programma e lo "
     "trova nel menu "
     "Combinazioni.",
     false},
    {240, 5880, 8190, 540,
     "N.B. e' possibile accedere al menù opzioni solo con il gioco in Game Over", true},
    {240, 6540, 8190, 540,
     "Se trovi un errore o hai un suggerimento per migliorare il gioco, scrivici: ogni "
     "segnalazione è "
     "benvenuta.",
     false},
    {240, 7080, 8190, 285, ContattoProgetto, false},
    {240, 7620, 8190, 345, "BUON DIVERTIMENTO!!!", true},
    {240, 7980, 8190, 225, "", false},
};

}  // namespace

frm_aiuto::frm_aiuto(QWidget* genitore)
    : FinestraFugace(QStringLiteral("AIUTO - ") + Firma(), Twips(0, 0, 8670, 8775).size(),
                     genitore) {
  int i = 0;
  for (const Riga& riga : Righe) {
    auto* etichetta = new QLabel(QString::fromUtf8(riga.testo), this);
    etichetta->setObjectName(QStringLiteral("Label1_%1").arg(i++));
    etichetta->setWordWrap(true);
    etichetta->setGeometry(Twips(riga.left, riga.top, riga.width, riga.height));
    if (riga.grassetto) {
      QFont font = etichetta->font();
      font.setBold(true);
      etichetta->setFont(font);
    }
  }

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cb_esci"));
  ok->setGeometry(Twips(3960, 8280, 735, 375));
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
}
