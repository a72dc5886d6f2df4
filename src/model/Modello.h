// The pieces of a window's model: pictures, sprites, sprite arrays, labels, menu
// items and timers. Positions and sizes are twips (1/1440 inch, 15 to a pixel) held
// as 32-bit floats, origin at the top left of the client area.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>
#include <QString>

#include "seams/Carattere.h"
#include "seams/Timer.h"

// What a sprite shows. `Nome` identifies the picture: "builtin:N" for the built-in
// picture N, "sha1:" + 12 hex digits for a picture decoded from a file's bytes, or
// "" for none. Built-in pictures are drawn by the window from its own artwork, so
// `Dati` is null for them.
struct Immagine {
  QString Nome;
  QImage Dati;

  static Immagine Incorporata(int n) { return {QStringLiteral("builtin:%1").arg(n), {}}; }
  bool Vuota() const { return Nome.isEmpty(); }
  bool Incorporata() const { return Nome.startsWith(QLatin1String("builtin:")); }
  bool operator==(const Immagine& o) const { return Nome == o.Nome; }
};

// An image control: a picture stretched to its rectangle.
struct Sprite {
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  bool Visible = false;
  Immagine Picture;

  bool operator==(const Sprite&) const = default;
};

// A control array of sprites. Element 0 exists from the start; further elements
// are loaded as hidden copies of element 0 and unloaded again at run time.
class ArraySprite {
 public:
  ArraySprite() = default;
  explicit ArraySprite(std::vector<Sprite> elementi);

  bool Esiste(int i) const { return i >= 0 && i < Limite() && m_elementi[i].has_value(); }
  int Limite() const { return static_cast<int>(m_elementi.size()); }  // one past the highest index

  Sprite& operator[](int i);  // the element must exist
  const Sprite& operator[](int i) const;

  void Carica(int i);   // Load: a hidden copy of element 0
  void Scarica(int i);  // Unload
  bool operator==(const ArraySprite&) const = default;

 private:
  std::vector<std::optional<Sprite>> m_elementi;
};

enum class Allineamento { Sinistra, Destra, Centro };

// A label: transparent background, a caption in a font and a colour.
struct Etichetta {
  QString Caption;
  bool Visible = true;
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  Allineamento Alignment = Allineamento::Sinistra;
  Carattere Font;
  uint32_t ForeColor = 0;  // 24-bit RGB, red in the low byte

  bool operator==(const Etichetta&) const = default;
};

constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

struct VoceMenu {
  QString Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;

  bool operator==(const VoceMenu&) const = default;
};
