#include "ui/frm_inf.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "model/Gioco.h"
#include "drawing/ImmaginiIncorporate.h"

namespace {
QRect Twips(int left, int top, int width, int height) {
  return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

QLabel* Testo(QWidget* genitore, const QString& testo, QRect dove) {
  auto* etichetta = new QLabel(testo, genitore);
  etichetta->setWordWrap(true);
  etichetta->setGeometry(dove);
  return etichetta;
}
}  // namespace

frm_inf::frm_inf(QWidget* genitore)
    : FinestraFugace(Firma(), Twips(0, 0, 6450, 2610).size(), genitore) {
  QImage figura(Twips(0, 0, 2145, 2010).size() * devicePixelRatioF(),
                QImage::Format_ARGB32_Premultiplied);
  figura.setDevicePixelRatio(devicePixelRatioF());
  figura.fill(Qt::black);
  {
    QPainter p(&figura);
    const ImmaginiIncorporate immagini;
    immagini.Disegna(p, 7, QRectF(8, 30, 127, 85));
  }
  auto* immagine = new QLabel(this);
  immagine->setPixmap(QPixmap::fromImage(figura));
  immagine->setGeometry(Twips(0, 0, 2145, 2010));

  Testo(this,
        QStringLiteral(
            "Ricreato da Dorvanel con aggiunta di opzioni per immagini e suoni, su richiesta di "
            "un pazzo che voleva sparare al suo capo :)"),
        Twips(2280, 60, 4080, 660));
  Testo(this, QStringLiteral("Grazie a chi ha provato le prime partite e segnalato ogni errore."),
        Twips(2280, 780, 4080, 420));
  Testo(this, QStringLiteral("Grazie a chi disegna e condivide nuove combinazioni."),
        Twips(2280, 1200, 4080, 300));
  Testo(this, QStringLiteral("Contatti: squadra@skarvex.example.org"),
        Twips(2280, 1500, 4080, 300));
  Testo(this, QStringLiteral("hosted by skarvex.example.org"), Twips(2280, 1800, 4080, 300));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setGeometry(Twips(2760, 2160, 855, 375));
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
}
