#include "batch/target_path.h"

#include "base/format.h"
#include "engine/rename_item.h"
#include "platform/paths.h"

#include <cstdint>

namespace corvane {
namespace {

bool HoldsForbiddenCharacter(QStringView text) {
  // The units below 64 as bits: every control character, " < and >.
  constexpr uint64_t kBelow64 = 0xFFFFFFFFull | (1ull << u'"') | (1ull << u'<') | (1ull << u'>');
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 64 ? ((kBelow64 >> u) & 1) != 0 : u == u'|') return true;
  }
  return false;
}

}  // namespace

bool IsTaken(EntryKind kind) { return kind != EntryKind::kNone && kind != EntryKind::kFolder; }

Result<QString> JoinTargetPath(QStringView folder, QStringView fileName) {
  if (HoldsForbiddenCharacter(folder) || HoldsForbiddenCharacter(fileName)) {
    return Error(QStringLiteral("Invalid characters in path"), Error::Code::kInvalidPath);
  }
  return JoinPath(folder, fileName);
}

QString UniqueTargetPath(FileSystem& fs, const QString& folder, const QString& fileName) {
  const NameAndExt parts = SplitFileName(fileName);
  for (qint64 n = 1;; ++n) {
    const QString candidate =
        JoinPath(folder, FormatText(u"%s (%d)%s", {parts.name, QString::number(n), parts.ext}));
    if (!IsTaken(fs.LookUp(candidate))) return candidate;
  }
}

}  // namespace corvane
