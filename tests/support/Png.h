// Small picture files made by a test: PNGs of one colour.
#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <string>

inline std::string Png(QColor colore, QSize dimensione = {8, 8}) {
  QImage immagine(dimensione, QImage::Format_ARGB32);
  immagine.fill(colore);
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  immagine.save(&buffer, "PNG");
  return byte.toStdString();
}

// Of 16 bits a channel, which the decoder holds at 8 bytes a pixel.
inline std::string Png16Bit(QColor colore, QSize dimensione) {
  QImage immagine(dimensione, QImage::Format_RGBX64);
  immagine.fill(colore);
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  immagine.save(&buffer, "PNG");
  return byte.toStdString();
}
