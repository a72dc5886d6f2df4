// A small picture file made by a test: a PNG of one colour.
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
