// A font as the game describes one: a face name, a size in points, bold, italic.
#pragma once

#include <QString>

struct Carattere {
  QString Name;
  double Size = 0;  // points
  bool Bold = false;
  bool Italic = false;

  bool operator==(const Carattere&) const = default;
};
