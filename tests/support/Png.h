// Small picture files made by a test: a picture in any kind Qt writes, and PNGs of one
// colour.
#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>

#include <string>

// `immagine` as a file of `formato` ("png", "jpeg", "bmp"...), progressive if asked.
inline std::string CodificaImmagine(const QImage& immagine, const char* formato,
                                    bool progressivo = false) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, formato);
  scrittore.setProgressiveScanWrite(progressivo);
  scrittore.write(immagine);
  return byte.toStdString();
}

// A picture of one colour.
inline QImage TintaUnita(QColor colore, QSize dimensione,
                         QImage::Format formato = QImage::Format_ARGB32) {
  QImage immagine(dimensione, formato);
  immagine.fill(colore);
  return immagine;
}

inline std::string Png(QColor colore, QSize dimensione = {8, 8}) {
  return CodificaImmagine(TintaUnita(colore, dimensione), "png");
}

// Of 16 bits a channel, which the decoder holds at 8 bytes a pixel.
inline std::string Png16Bit(QColor colore, QSize dimensione) {
  return CodificaImmagine(TintaUnita(colore, dimensione, QImage::Format_RGBX64), "png");
}
