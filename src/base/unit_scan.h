// HoldsUnit: whether a text holds a unit below a bound or one of a few given
// units, tested four UTF-16 units a step without a branch per unit: the batch
// and its verdicts ask it of every path they make.
#pragma once

#include <QStringView>

#include <cstdint>
#include <cstring>

namespace corvane {

// True when a unit of `text` is below `below` (0: none is) or equals one of
// `units`. `below` is at most 0x8000 and no unit is 0xFFFF.
template <char16_t below, char16_t... units>
bool HoldsUnit(QStringView text) {
  constexpr uint64_t kOnes = 0x0001000100010001ull;
  constexpr uint64_t kHigh = 0x8000800080008000ull;
  // A lane below b sets its high bit in (w - b) & ~w; a borrow can only
  // spread that from a lane that was below b itself, so "any" is exact.
  const auto anyIn = [](uint64_t w) {
    uint64_t hit = below == 0 ? 0 : (w - kOnes * below) & ~w;
    ((hit |= ((w ^ (kOnes * units)) - kOnes) & ~(w ^ (kOnes * units))), ...);
    return (hit & kHigh) != 0;
  };
  const char16_t* p = text.utf16();
  qsizetype left = text.size();
  for (; left >= 4; left -= 4, p += 4) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if (anyIn(word)) return true;
  }
  uint64_t word = ~uint64_t{0};  // lanes of 0xFFFF match nothing
  std::memcpy(&word, p, size_t(left) * sizeof(char16_t));
  return left > 0 && anyIn(word);
}

}  // namespace corvane
