// Text on disk: Windows-1252 for the names kept in files, and the field reader of the
// program's text files (the settings file and Record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/Risultato.h"

// Windows-1252 bytes as UTF-8. The five bytes Windows-1252 leaves undefined
// (81 8D 8F 90 9D) become '?'.
std::string DaWindows1252(std::string_view byte);

// UTF-8 as Windows-1252 bytes. Characters Windows-1252 has no byte for, and bytes
// that are not valid UTF-8, become '?'.
std::string AWindows1252(std::string_view testo);

// The first character of UTF-8 text that Windows-1252 cannot hold, so that it would
// be stored as '?' (a byte that is not valid UTF-8 counts alone); empty when every
// character fits.
std::string PrimoFuoriWindows1252(std::string_view testo);

// Reads the fields of a text file one after the other. A field ends at a line end
// (CR LF, CR or LF), at a comma outside double quotes, or at the end of the text.
// A field that opens with a double quote is the text up to the closing quote (or
// the line end, when the quote is never closed) and whatever follows it before the
// next comma or line end is skipped; an unquoted field is the text up to the next
// comma or line end. Blanks around a field are dropped.
class LettoreCampi {
 public:
  explicit LettoreCampi(std::string_view testo) : m_testo(testo) {}

  // The next field's text; an error at the end of the text.
  [[nodiscard]] Risultato<std::string> Stringa();
  // The next field as a decimal integer (an optional '-' and digits).
  [[nodiscard]] Risultato<int64_t> Intero();
  // The next field as #TRUE# or #FALSE# (in any letter case).
  [[nodiscard]] Risultato<bool> Booleano();

 private:
  std::string_view m_testo;
  size_t m_pos = 0;
};
