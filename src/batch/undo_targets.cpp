#include "batch/undo_targets.h"

#include <QSet>

#include <optional>

#include "platform/paths.h"

namespace corvane {
namespace {

// A hash of the name with ASCII letters in lower case, the one folding that
// both ways of comparing entries agree on; kAnyName for a name holding
// anything else, which is taken to meet every name.
constexpr size_t kAnyName = 0;

size_t NameHash(QStringView path) {
  size_t hash = 0xcbf29ce484222325ull;
  for (QChar c : FileNameView(path)) {
    char16_t unit = c.unicode();
    if (unit >= 0x80) return kAnyName;
    if (unit >= u'A' && unit <= u'Z') unit += u'a' - u'A';
    hash = (hash ^ unit) * 0x100000001b3ull;
  }
  return hash == kAnyName ? 1 : hash;
}

// Whether a name hashed as `hash` may meet one of `others`.
bool MayMeet(size_t hash, const QSet<size_t>& others) {
  return hash == kAnyName || others.contains(kAnyName) || others.contains(hash);
}

EntryKey EntryOf(EntryKeys& keys, const QString& path) {
  if (std::optional<EntryKey> entry = keys.Of(path)) return *std::move(entry);
  return EntryKey{{}, path.toCaseFolded()};
}

}  // namespace

UndoneTargets::UndoneTargets(FileSystem& fs, const QList<UndoLogEntry>& entries)
    : entries_(entries),
      keys_(fs, EntryKeys::Names::kIgnoringCase),
      oldMayMeet_(size_t(entries.size())),
      newMayMeet_(size_t(entries.size())) {
  std::vector<size_t> oldHashes(size_t(entries.size()));
  std::vector<size_t> newHashes(size_t(entries.size()));
  QSet<size_t> oldNames;
  QSet<size_t> newNames;
  oldNames.reserve(entries.size());
  newNames.reserve(entries.size());
  for (qsizetype line = 0; line < entries.size(); ++line) {
    oldNames.insert(oldHashes[size_t(line)] = NameHash(entries[line].oldPath));
    newNames.insert(newHashes[size_t(line)] = NameHash(entries[line].newPath));
  }
  for (size_t line = 0; line < oldHashes.size(); ++line) {
    oldMayMeet_[line] = MayMeet(oldHashes[line], newNames);
    newMayMeet_[line] = MayMeet(newHashes[line], oldNames);
  }
}

bool UndoneTargets::PutsBack(qsizetype line) {
  return oldMayMeet_[size_t(line)] && !targets_.empty() &&
         targets_.contains(EntryOf(keys_, entries_[line].oldPath));
}

void UndoneTargets::Undone(qsizetype line) {
  if (newMayMeet_[size_t(line)]) targets_.insert(EntryOf(keys_, entries_[line].newPath));
}

}  // namespace corvane
