// The order in which NTFS lists a folder's names, so that a folder's files
// come in the same order on every platform.
//
// Names are compared unit by unit after each UTF-16 code unit is upper-cased
// on its own (a surrogate stays as it is, so letters beyond the Basic
// Multilingual Plane compare by their code units). Names equal that way are
// ordered by their raw units, so the order is total and never depends on the
// order the entries came in.
#pragma once

#include <QStringView>

namespace corvane {

// Negative, zero or positive as `a` comes before, with or after `b`.
int CompareInNtfsOrder(QStringView a, QStringView b);

inline bool ComesFirstInNtfsOrder(QStringView a, QStringView b) {
  return CompareInNtfsOrder(a, b) < 0;
}

}  // namespace corvane
