#include "collect/ntfs_name_order.h"

#include <QChar>
#include <algorithm>

namespace corvane {
namespace {

char16_t UpperUnit(char16_t unit) {
  if (QChar::isSurrogate(unit)) return unit;
  const char32_t upper = QChar::toUpper(char32_t(unit));
  return upper > 0xFFFF ? unit : char16_t(upper);
}

}  // namespace

int CompareInNtfsOrder(QStringView a, QStringView b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    const char16_t left = UpperUnit(a[i].unicode());
    const char16_t right = UpperUnit(b[i].unicode());
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int raw = a.compare(b, Qt::CaseSensitive);
  return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
}

}  // namespace corvane
