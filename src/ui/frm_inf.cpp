#include "ui/frm_inf.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "codec/Progetto.h"
#include "model/Gioco.h"
#include "drawing/ImmaginiIncorporate.h"

namespace {
QRect Twips(int left, int top, int width, int height) {
  return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}
}  // namespace

// The picture at the top left, the credits beside it and "OK" centred below, laid out
// from the fonts' own sizes: the window keeps its width and grows taller when its
// font needs more room than the window was drawn for.
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

  auto* crediti = new QVBoxLayout;
  crediti->setContentsMargins(0, Twips(0, 0, 0, 60).height(), 0, 0);
  crediti->setSpacing(Twips(0, 0, 0, 90).height());
  for (const QString& testo :
       {QStringLiteral("Ricreato da Dorvanel con aggiunta di opzioni per immagini e suoni, su "
                       "richiesta di un pazzo che voleva sparare al suo capo :)"),
        QStringLiteral("Grazie a chi ha provato le prime partite e segnalato ogni errore."),
        QStringLiteral("Grazie a chi disegna e condivide nuove combinazioni."),
        QStringLiteral("Contatti: ") + QString::fromUtf8(ContattoProgetto),
        QStringLiteral("hosted by ") + QString::fromUtf8(SitoProgetto)}) {
    auto* etichetta = new QLabel(testo, this);
    etichetta->setWordWrap(true);
    crediti->addWidget(etichetta);
  }
  crediti->addStretch();

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setMinimumSize(Twips(0, 0, 855, 375).size());
  connect(ok, &QPushButton::clicked, this, &QWidget::close);

  auto* griglia = new QGridLayout(this);
  griglia->setContentsMargins(0, 0, Twips(0, 0, 90, 0).width(), Twips(0, 0, 0, 75).height());
  griglia->setHorizontalSpacing(Twips(0, 0, 135, 0).width());
  griglia->addWidget(immagine, 0, 0, Qt::AlignLeft | Qt::AlignTop);
  griglia->addLayout(crediti, 0, 1);
  griglia->addWidget(ok, 1, 0, 1, 2, Qt::AlignHCenter);
  griglia->setColumnStretch(1, 1);

  const QSize disegnata = Twips(0, 0, 6450, 2610).size();
  setFixedSize(disegnata.width(),
               std::max(disegnata.height(), griglia->totalHeightForWidth(disegnata.width())));
}
