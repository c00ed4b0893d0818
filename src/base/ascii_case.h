// Letter case of the letters A to Z only, the same under every locale.
#pragma once

#include <QStringView>

namespace corvane {

// `c` with A to Z made a to z and every other character kept.
inline char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

// Equality with the letters A to Z compared without regard to case and every
// other character exactly (so Ä and ä differ).
inline bool EqualIgnoringAsciiCase(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i].unicode()) != FoldAscii(b[i].unicode())) return false;
  }
  return true;
}

}  // namespace corvane
