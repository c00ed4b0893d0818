#include "batch/verdict_texts.h"

#include "base/english_text.h"
#include "platform/paths.h"

namespace corvane {
namespace {

const QString kSeparator = QStringLiteral(" \u00B7 ");

ProgramText Plain(const char16_t* english) { return {QString::fromUtf16(english), {}}; }

ProgramText Filled(const char16_t* english, const QString& value) {
  return {QString::fromUtf16(english), {value}};
}

}  // namespace

ProgramText VerdictText(const ItemVerdict& verdict, QStringView askedName) {
  const QString asked = askedName.toString();
  switch (verdict.kind) {
    case VerdictKind::kRenamed:
      return {};
    case VerdictKind::kUnchanged:
      return Plain(EN_TEXT("unchanged"));
    case VerdictKind::kNumbered:
      return Filled(EN_TEXT("numbered: %s is taken"), asked);
    case VerdictKind::kSkipped:
      return Filled(EN_TEXT("skipped: %s is taken"), asked);
    case VerdictKind::kReplaces:
      return Filled(EN_TEXT("replaces the file %s"), asked);
    case VerdictKind::kCannotBeMade:
      break;
  }
  switch (verdict.reason) {
    case CannotBeMadeReason::kNoNewName:
      return Plain(EN_TEXT("cannot be made: no new name"));
    case CannotBeMadeReason::kInvalidName:
      return Plain(EN_TEXT("cannot be made: not a valid file name"));
    case CannotBeMadeReason::kTooLong:
      return Plain(EN_TEXT("cannot be made: file name too long"));
    case CannotBeMadeReason::kNameTaken:
      return Filled(EN_TEXT("cannot be made: %s is taken"), asked);
  }
  return {};
}

QStringView ShownName(const ItemVerdict& verdict, QStringView askedName) {
  const bool asAsked =
      verdict.kind == VerdictKind::kRenamed || verdict.kind == VerdictKind::kCannotBeMade;
  return asAsked ? askedName : FileNameView(verdict.finalPath);
}

QString DryRunLine(const QString& source, QStringView shownName, const QString& verdictText) {
  QString line = source + QStringLiteral(" -> ") + shownName.toString();
  if (!verdictText.isEmpty()) line += QStringLiteral("  [") + verdictText + u']';
  return line;
}

QList<ProgramText> VerdictCountTexts(const VerdictCounts& counts) {
  const std::pair<qsizetype, const char16_t*> parts[] = {
      {counts.numbered, EN_TEXT("%d numbered")},
      {counts.skipped, EN_TEXT("%d skipped")},
      {counts.replaces, EN_TEXT("%d replace a file")},
      {counts.cannotBeMade, EN_TEXT("%d cannot be made")},
  };
  QList<ProgramText> texts;
  for (const auto& [count, english] : parts) {
    if (count != 0) texts.append(Filled(english, QString::number(count)));
  }
  return texts;
}

QString VerdictCountsText(const QStringList& shownCounts) { return shownCounts.join(kSeparator); }

QString StatusLineText(const QString& fileCountText, const QStringList& shownCounts) {
  return shownCounts.isEmpty() ? fileCountText
                               : fileCountText + kSeparator + VerdictCountsText(shownCounts);
}

}  // namespace corvane
