#include "ui/verdict_look.h"

#include <QColor>
#include <QHash>

#include "ui/theme.h"

namespace corvane {
namespace {

struct Look {
  const char16_t* icon;  // nullptr: none
  QRgb background;       // 0: none
};

Look LookOf(VerdictKind kind) {
  switch (kind) {
    case VerdictKind::kRenamed:
      return {nullptr, 0};
    case VerdictKind::kUnchanged:
      return {u"verdict-unchanged", 0};
    case VerdictKind::kNumbered:
      return {u"verdict-numbered", 0xfff4d6};
    case VerdictKind::kSkipped:
      return {u"verdict-skipped", 0xe9eef2};
    case VerdictKind::kReplaces:
      return {u"verdict-replaces", 0xffe4cc};
    case VerdictKind::kCannotBeMade:
      return {u"verdict-cannot", ProblemBackground().rgb()};
  }
  return {nullptr, 0};
}

}  // namespace

QIcon VerdictIcon(VerdictKind kind) {
  const Look look = LookOf(kind);
  if (!look.icon) return {};
  // One icon a kind for the program's life: the view asks for it per visible
  // cell at every repaint.
  static QHash<int, QIcon> icons;
  auto found = icons.find(int(kind));
  if (found == icons.end()) {
    found = icons.insert(int(kind), ProgramIcon(QString::fromUtf16(look.icon)));
  }
  return *found;
}

QColor ProblemBackground() { return QColor(0xfbdcd7); }

QBrush VerdictBackground(VerdictKind kind) {
  const QRgb rgb = LookOf(kind).background;
  return rgb ? QBrush(QColor(rgb)) : QBrush();
}

QBrush VerdictForeground(VerdictKind kind) {
  return kind == VerdictKind::kUnchanged ? QBrush(QColor(0x6b7b86)) : QBrush();
}

}  // namespace corvane
