#include "batch/verdict_texts.h"

#include "base/format.h"
#include "i18n/translation.h"
#include "platform/paths.h"

namespace corvane {
namespace {

const QString kSeparator = QStringLiteral(" \u00B7 ");

QString Filled(const char16_t* english, const QString& value) {
  return FormatText(Translate(QString::fromUtf16(english)), {value});
}

}  // namespace

QString VerdictText(const ItemVerdict& verdict, QStringView askedName) {
  const QString asked = askedName.toString();
  switch (verdict.kind) {
    case VerdictKind::kRenamed:
      return {};
    case VerdictKind::kUnchanged:
      return Translate(QStringLiteral("unchanged"));
    case VerdictKind::kNumbered:
      return Filled(u"numbered: %s is taken", asked);
    case VerdictKind::kSkipped:
      return Filled(u"skipped: %s is taken", asked);
    case VerdictKind::kReplaces:
      return Filled(u"replaces the file %s", asked);
    case VerdictKind::kCannotBeMade:
      break;
  }
  switch (verdict.reason) {
    case CannotBeMadeReason::kNoNewName:
      return Translate(QStringLiteral("cannot be made: no new name"));
    case CannotBeMadeReason::kInvalidName:
      return Translate(QStringLiteral("cannot be made: not a valid file name"));
    case CannotBeMadeReason::kTooLong:
      return Translate(QStringLiteral("cannot be made: file name too long"));
    case CannotBeMadeReason::kNameTaken:
      return Filled(u"cannot be made: %s is taken", asked);
  }
  return {};
}

QStringView ShownName(const ItemVerdict& verdict, QStringView askedName) {
  const bool asAsked =
      verdict.kind == VerdictKind::kRenamed || verdict.kind == VerdictKind::kCannotBeMade;
  return asAsked ? askedName : FileNameView(verdict.finalPath);
}

QString DryRunLine(const QString& source, const ItemVerdict& verdict, QStringView askedName) {
  QString line = source + QStringLiteral(" -> ") + ShownName(verdict, askedName).toString();
  const QString text = VerdictText(verdict, askedName);
  if (!text.isEmpty()) line += QStringLiteral("  [") + text + u']';
  return line;
}

QString VerdictCountsText(const VerdictCounts& counts) {
  const std::pair<qsizetype, const char16_t*> parts[] = {
      {counts.numbered, u"%d numbered"},
      {counts.skipped, u"%d skipped"},
      {counts.replaces, u"%d replace a file"},
      {counts.cannotBeMade, u"%d cannot be made"},
  };
  QString text;
  for (const auto& [count, english] : parts) {
    if (count == 0) continue;
    if (!text.isEmpty()) text += kSeparator;
    text += Filled(english, QString::number(count));
  }
  return text;
}

QString StatusLineText(const QString& fileCountText, const VerdictCounts& counts) {
  const QString more = VerdictCountsText(counts);
  return more.isEmpty() ? fileCountText : fileCountText + kSeparator + more;
}

}  // namespace corvane
