// The question a clash between combinations asks: the player's and the received one side
// by side, with what tells them apart. Keeping the player's is what Enter, the space bar,
// Esc and the close box answer; the other two choices take a click, or Tab first.
#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "drawing/Miniatura.h"
#include "ui/DialoghiQt.h"

namespace {

constexpr int LarghezzaAnteprima = 240;  // pixels, each of the two
// The previews are shown only on a screen with room for them and the rest of the box.
constexpr int LarghezzaSchermoAnteprime = 3 * LarghezzaAnteprima;
constexpr int AltezzaSchermoAnteprime = 2 * LarghezzaAnteprima;

enum Codice : int { Mia = QDialog::Rejected, Entrambe = 100, Sostituisci = 101 };

QLabel* Testo(const QString& testo) {
  auto* etichetta = new QLabel(testo);
  etichetta->setTextFormat(Qt::PlainText);
  etichetta->setWordWrap(true);
  return etichetta;
}

QWidget* Colonna(const QString& titolo, const LatoConflitto& lato, bool anteprima) {
  auto* colonna = new QWidget;
  auto* righe = new QVBoxLayout(colonna);
  righe->setContentsMargins(0, 0, 0, 0);
  QLabel* intestazione = Testo(titolo);
  QFont grassetto = intestazione->font();
  grassetto.setBold(true);
  intestazione->setFont(grassetto);
  righe->addWidget(intestazione);
  if (anteprima && lato.comb) {
    auto* immagine = new QLabel;
    immagine->setPixmap(QPixmap::fromImage(DisegnaMiniatura(*lato.comb, LarghezzaAnteprima)));
    righe->addWidget(immagine);
  }
  righe->addWidget(Testo(QStringLiteral("Autore: %1\nUltima modifica: %2\nDimensione: %3")
                             .arg(lato.autore.isEmpty() ? QStringLiteral("(nessuno)") : lato.autore,
                                  lato.data, lato.dimensione)));
  righe->addStretch();
  return colonna;
}

bool CiStannoAnteprime(const QWidget* genitore) {
  const QScreen* schermo = genitore ? genitore->screen() : QGuiApplication::primaryScreen();
  return schermo && schermo->availableSize().width() >= LarghezzaSchermoAnteprime &&
         schermo->availableSize().height() >= AltezzaSchermoAnteprime;
}

}  // namespace

SceltaConflitto DialoghiQt::ChiediConflitto(const DomandaConflitto& domanda,
                                            const QString& titolo) {
  QDialog box(QApplication::activeWindow());
  box.setWindowTitle(titolo);
  auto* griglia = new QGridLayout(&box);
  auto* icona = new QLabel;
  const int lato = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
  icona->setPixmap(box.style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(lato, lato));
  griglia->addWidget(icona, 0, 0, Qt::AlignTop);
  griglia->addWidget(Testo(domanda.testo), 0, 1);

  const bool anteprime = CiStannoAnteprime(box.parentWidget());
  auto* confronto = new QHBoxLayout;
  confronto->addWidget(Colonna(QStringLiteral("La tua"), domanda.mia, anteprime));
  confronto->addWidget(Colonna(QStringLiteral("Quella ricevuta"), domanda.ricevuta, anteprime));
  griglia->addLayout(confronto, 1, 1);

  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch();
  auto* mia = new QPushButton(QStringLiteral("Tieni la tua"));
  QObject::connect(mia, &QPushButton::clicked, &box, &QDialog::reject);
  pulsanti->addWidget(mia);
  if (!domanda.nomeEntrambe.isEmpty()) {
    auto* entrambe =
        new QPushButton(QStringLiteral("Tienile entrambe (%1)").arg(domanda.nomeEntrambe));
    entrambe->setAutoDefault(false);
    QObject::connect(entrambe, &QPushButton::clicked, &box, [&box] { box.done(Entrambe); });
    pulsanti->addWidget(entrambe);
  }
  auto* sostituisci = new QPushButton(QStringLiteral("Sostituisci la tua (va nel cestino)"));
  sostituisci->setAutoDefault(false);
  QObject::connect(sostituisci, &QPushButton::clicked, &box, [&box] { box.done(Sostituisci); });
  pulsanti->addWidget(sostituisci);
  griglia->addLayout(pulsanti, 2, 0, 1, 2);

  // Enter presses the default button, the space bar the one with the focus: both keep.
  mia->setDefault(true);
  mia->setFocus();
  switch (box.exec()) {
    case Entrambe:
      return SceltaConflitto::TieniEntrambe;
    case Sostituisci:
      return SceltaConflitto::Sostituisci;
    default:
      return SceltaConflitto::TieniMia;
  }
}
