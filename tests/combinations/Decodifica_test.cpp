// Pictures decoded in the decoder process are the pictures Qt's own reader gives in
// the game's process, pixel for pixel, whatever the kind, the channels' depth and the
// alpha: the process converts them to 32 bits a band at a time.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <vector>

#include "combinations/Decodifica.h"
#include "support/Png.h"

namespace {

// A picture with a gradient, a few shapes and, when `alfa`, see-through parts.
QImage Disegno(QSize dimensione, QImage::Format formato, bool alfa) {
  QImage immagine(dimensione, formato);
  immagine.fill(alfa ? Qt::transparent : Qt::white);
  QPainter p(&immagine);
  QLinearGradient sfumatura(0, 0, dimensione.width(), dimensione.height());
  sfumatura.setColorAt(0, QColor(250, 20, 20, alfa ? 90 : 255));
  sfumatura.setColorAt(1, QColor(20, 20, 250, 255));
  p.fillRect(QRect(QPoint(0, 0), dimensione / 2), sfumatura);
  p.setBrush(QColor(30, 200, 60, alfa ? 160 : 255));
  p.drawEllipse(QRect(QPoint(dimensione.width() / 3, dimensione.height() / 3), dimensione / 2));
  return immagine;
}

QImage LettoQui(const std::string& byte) {
  QByteArray dati = QByteArray::fromStdString(byte);
  QBuffer buffer(&dati);
  return QImageReader(&buffer).read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TEST(Decodifica, EachKindComesBackAsQtReadsItHere) {
  // 300 pixels wide, so that a conversion takes several bands.
  const QSize dimensione(300, 500);
  const std::vector<std::pair<const char*, std::string>> casi = {
      {"PNG with alpha", CodificaImmagine(Disegno(dimensione, QImage::Format_ARGB32, true), "png")},
      {"PNG of 16 bits", CodificaImmagine(Disegno(dimensione, QImage::Format_RGBA64, true), "png")},
      {"PNG with a palette",
       CodificaImmagine(Disegno(dimensione, QImage::Format_ARGB32, true)
                            .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither),
                        "png")},
      {"grey JPEG", CodificaImmagine(Disegno(dimensione, QImage::Format_RGB32, false)
                                         .convertToFormat(QImage::Format_Grayscale8),
                                     "jpeg")},
      {"JPEG", CodificaImmagine(Disegno(dimensione, QImage::Format_RGB32, false), "jpeg")},
      {"BMP", CodificaImmagine(Disegno(dimensione, QImage::Format_RGB32, false), "bmp")},
      {"BMP with alpha", CodificaImmagine(Disegno(dimensione, QImage::Format_ARGB32, true), "bmp")},
  };
  std::vector<DecodificaEsterna::Voce> voci;
  for (size_t i = 0; i < casi.size(); ++i)
    voci.push_back({static_cast<int>(i), casi[i].second, Vaglio::EsaminaImmagine(casi[i].second)});
  const std::vector<ImmagineDecodificata> decodificate = DecodificaImmagini(voci);
  for (size_t i = 0; i < casi.size(); ++i) {
    const Immagine* immagine = std::get_if<Immagine>(&decodificate[i]);
    ASSERT_TRUE(immagine) << casi[i].first;
    const QImage atteso = LettoQui(casi[i].second);
    ASSERT_FALSE(atteso.isNull()) << casi[i].first;
    EXPECT_EQ(immagine->Dati.convertToFormat(QImage::Format_ARGB32_Premultiplied), atteso)
        << casi[i].first;
    EXPECT_EQ(immagine->Dati.hasAlphaChannel(), atteso.pixelColor(0, 0).alpha() < 255)
        << casi[i].first;
  }
}
