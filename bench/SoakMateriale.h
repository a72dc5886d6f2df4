// What the soak plays with besides the game: two small combinations made here and
// the names players type at a new high score.
#pragma once

#include "codec/Combinazione.h"
#include "support/Combinazioni.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string Byte(const QByteArray& a) {
  return {a.constData(), static_cast<size_t>(a.size())};
}

// A small picture painted here, in a format the combination files carry.
inline std::string Quadro(int larghezza, int altezza, QColor colore, const char* formato) {
  QImage img(larghezza, altezza, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  p.setBrush(colore);
  p.drawEllipse(img.rect().adjusted(1, 1, -2, -2));
  p.end();
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, formato);
  return Byte(byte);
}

// A short wave file: 8-bit mono at 8 kHz, a square wave of `campioni` samples.
inline std::string Onda(int campioni, int periodo) {
  auto parola = [](std::string& s, uint32_t v, int byte) {
    for (int i = 0; i < byte; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::string s = "RIFF";
  parola(s, static_cast<uint32_t>(36 + campioni), 4);
  s += "WAVEfmt ";
  parola(s, 16, 4);
  parola(s, 1, 2);     // PCM
  parola(s, 1, 2);     // mono
  parola(s, 8000, 4);  // samples a second
  parola(s, 8000, 4);  // bytes a second
  parola(s, 1, 2);     // block
  parola(s, 8, 2);     // bits
  s += "data";
  parola(s, static_cast<uint32_t>(campioni), 4);
  for (int i = 0; i < campioni; ++i) s += static_cast<char>((i / periodo) % 2 ? 0xB0 : 0x50);
  return s;
}

// Small combinations made here, besides Default and the demo: one with painted
// BMP aliens, a background and two sounds, one with an accented name, JPEG pictures,
// a password and a size written with a decimal comma.
inline std::vector<TipoCombinazione> CombinazioniFatteQui(int altre) {
  TipoCombinazione piccola = CombinazioneVuota("Piccola");
  piccola.Autore = "Nicolò Ferri";
  const QColor tinte[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
  for (size_t n = 0; n < 5; ++n) piccola.Immagini[n] = Quadro(24, 16, tinte[n], "BMP");
  piccola.Immagini[13] = Quadro(80, 55, Qt::darkBlue, "BMP");
  piccola.Suoni[1] = Onda(800, 20);
  piccola.Suoni[2] = Onda(400, 8);
  piccola.FontNome = "DejaVu Sans";
  piccola.FontDimensione = "11";
  piccola.FontGrassetto = true;

  TipoCombinazione serena = CombinazioneVuota("Serenità");
  serena.Autore = "Zoë Ångström";
  serena.Password = "perché";
  serena.Immagini[8] = Quadro(57, 33, Qt::cyan, "JPG");
  serena.Immagini[9] = Quadro(20, 10, Qt::darkRed, "JPG");
  serena.FontNome = "DejaVu Serif";
  serena.FontDimensione = "12,5";
  serena.FontColore = "255";
  serena.FontCorsivo = true;
  std::vector<TipoCombinazione> tutte = {piccola, serena};

  // One that carries a font file (DejaVu Sans, which set-up installs): the player is
  // asked once to install it, and from then on it is only registered.
  std::ifstream ttf("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
  if (ttf) {
    TipoCombinazione caratteri = CombinazioneVuota("Caratteri");
    caratteri.FontFile.assign(std::istreambuf_iterator<char>(ttf), {});
    caratteri.FontFileNome = "SoakLieve.ttf";
    caratteri.FontNome = "DejaVu Sans";
    caratteri.FontDimensione = "14";
    tutte.push_back(caratteri);
  }

  // As many more as asked, each with a background and banners of its own colour:
  // a player who goes through many combinations in one sitting.
  for (int i = 1; i <= altre; ++i) {
    TipoCombinazione c =
        CombinazioneVuota(QStringLiteral("Tinta %1").arg(i, 2, 10, QLatin1Char('0')).toStdString());
    const QColor tinta = QColor::fromHsv(i * 360 / (altre + 1), 160, 200);
    c.Immagini[13] = Quadro(80, 55, tinta, "BMP");
    for (size_t n = 10; n <= 12; ++n) c.Immagini[n] = Quadro(40, 20, tinta, "BMP");
    tutte.push_back(c);
  }
  return tutte;
}

// What players type at a new high score, and what the table then shows: short and
// long names, accented ones, quotes (the file has no way to hold them) and
// characters outside Windows-1252 (each becomes '?'), or nothing at all.
struct NomeGiocatore {
  QString scritto, mostrato;
};
inline const std::vector<NomeGiocatore> NomiGiocatori = {
    {QStringLiteral("Anna"), QStringLiteral("Anna")},
    {QStringLiteral("Nicolò"), QStringLiteral("Nicolò")},
    {QStringLiteral("Bartolomeo Ruggiero della Valle Scura"),
     QStringLiteral("Bartolomeo Ruggiero della Valle Scura")},
    {QStringLiteral("Zoë Ångström"), QStringLiteral("Zoë Ångström")},
    {QStringLiteral("Gianluca \"il Lampo\""), QStringLiteral("Gianluca 'il Lampo'")},
    {QString(), QString()},
    {QStringLiteral("Maria Benedetta Fioravanti Così"),
     QStringLiteral("Maria Benedetta Fioravanti Così")},
    {QStringLiteral("Élodie ∑ 漢字"), QStringLiteral("Élodie ? ??")},
    {QStringLiteral("Pippo"), QStringLiteral("Pippo")},
    {QStringLiteral("ÀÈÌÒÙ àèìòù çñß ÿ €uro e più ancora"),
     QStringLiteral("ÀÈÌÒÙ àèìòù çñß ÿ €uro e più ancora")},
};
