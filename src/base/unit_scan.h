// HoldsUnit: whether a text holds a unit below a bound or one of a few given
// units, tested eight UTF-16 units a step without a branch per unit: the
// batch and its verdicts ask it of every path they make.
#pragma once

#include <QStringView>

#include <cstdint>
#include <cstring>

namespace corvane {

// GCC's and Clang's vector extension: one SSE2 register on x86-64.
using UnitLanes = uint16_t __attribute__((vector_size(16)));

// Whether a lane is below `below` or equals one of `units`. Comparisons are
// made against whole vectors, not scalars inside a lambda: Clang 14 crashes
// on the latter in a template.
template <char16_t below, char16_t... units>
inline bool AnyLaneHolds(UnitLanes lanes) {
  constexpr UnitLanes kNone = {};
  UnitLanes hit = (UnitLanes)(lanes < (kNone + uint16_t(below)));
  ((hit |= (UnitLanes)(lanes == (kNone + uint16_t(units)))), ...);
  uint64_t halves[2];
  std::memcpy(halves, &hit, sizeof hit);
  return (halves[0] | halves[1]) != 0;
}

// True when a unit of `text` is below `below` (0: none is) or equals one of
// `units`, none of which is 0xFFFF.
template <char16_t below, char16_t... units>
bool HoldsUnit(QStringView text) {
  constexpr qsizetype kLanes = sizeof(UnitLanes) / sizeof(char16_t);
  const char16_t* p = text.utf16();
  qsizetype left = text.size();
  UnitLanes lanes;
  for (; left >= kLanes; left -= kLanes, p += kLanes) {
    std::memcpy(&lanes, p, sizeof lanes);
    if (AnyLaneHolds<below, units...>(lanes)) return true;
  }
  if (left == 0) return false;
  char16_t tail[kLanes];
  std::memset(tail, 0xFF, sizeof tail);  // 0xFFFF is below nothing and none of `units`
  std::memcpy(tail, p, size_t(left) * sizeof(char16_t));
  std::memcpy(&lanes, tail, sizeof lanes);
  return AnyLaneHolds<below, units...>(lanes);
}

}  // namespace corvane
