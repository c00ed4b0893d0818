#include "collect/row_texts.h"

#include "base/english_text.h"
#include "platform/paths.h"

namespace corvane {

QString OriginalNameText(const TRenameItem& item) { return FileNamePart(item.OriginalPath); }

QString FolderText(const TRenameItem& item) { return FolderPart(item.OriginalPath); }

QString SizeText(int64_t size, const QLocale& locale) {
  // Groups of three and Latin digits whatever the locale's own grouping and
  // digits, as "#,##0" writes them; only the separator is the user's.
  const uint64_t magnitude = size < 0 ? 0 - uint64_t(size) : uint64_t(size);
  const QString digits = QString::number(qulonglong(magnitude));
  const QString separator = locale.groupSeparator();
  QString out;
  if (size < 0) out.append(u'-');
  const qsizetype lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(QStringView(digits).left(lead));
  for (qsizetype i = lead; i < digits.size(); i += 3) {
    out.append(separator);
    out.append(QStringView(digits).mid(i, 3));
  }
  return out;
}

ProgramText FileCountText(qsizetype count) {
  return {QString::fromUtf16(EN_TEXT("Files: %d")), {QString::number(count)}};
}

}  // namespace corvane
