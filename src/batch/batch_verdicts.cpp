#include "batch/batch_verdicts.h"

#include "batch/free_names.h"
#include "platform/file_identity.h"
#include "platform/paths.h"

#include <QHash>

#include <unordered_set>

namespace corvane {
namespace {

// A path compared as the platform compares list entries, hashed once: a
// target is looked up and then inserted. QHash keeps its entries in arrays,
// where a node-based map would allocate one per path.
struct PathKey {
  explicit PathKey(const QString& p) : path(p), hash(PathTextHash(p)) {}
  QString path;
  size_t hash;
  friend bool operator==(const PathKey& a, const PathKey& b) {
    return a.hash == b.hash && SamePathText(a.path, b.path);
  }
};
size_t qHash(const PathKey& key, size_t seed) { return key.hash ^ seed; }

// The disk as the batch will find it before each item: the paths earlier
// items freed or filled, over the disk as it is now.
class Playback {
 public:
  Playback(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs)
      : items_(items), s_(settings), fs_(fs), freeNames_(fs) {
    changed_.reserve(items.size() * 2);
  }

  ItemVerdict Judge(qsizetype index);

 private:
  struct Entry {
    bool taken;
    bool ofTheBatch;  // a file an earlier item put there
  };

  bool Taken(const PathKey& key) {
    const auto it = changed_.constFind(key);
    if (it != changed_.cend()) return it->taken;
    // Nothing is changed before the verdicts are all made: a listing stays
    // true, and the batch's own names are already in changed_.
    return !freeNames_.CertainlyFree(key.path) && IsTaken(fs_.LookUp(key.path));
  }
  ItemVerdict Resolve(const QString& source, const PathKey& target);
  ItemVerdict Done(VerdictKind kind, const QString& source, const PathKey& target);
  ItemVerdict Numbered(const QString& source, const QString& target);
  bool IsFileOfTheBatch(const QString& path);

  const QList<TRenameItem>& items_;
  const BatchSettings& s_;
  FileSystem& fs_;
  FreeNames freeNames_;
  QHash<PathKey, Entry> changed_;
  std::optional<std::unordered_set<FileIdentity, FileIdentityHash>> sources_;
};

ItemVerdict CannotBeMade(CannotBeMadeReason reason, const QString& source) {
  return {VerdictKind::kCannotBeMade, reason, source};
}

ItemVerdict Playback::Judge(qsizetype index) {
  const TRenameItem& item = items_[index];
  const QString& source = item.OriginalPath;
  if (item.NewName.isEmpty()) return CannotBeMade(CannotBeMadeReason::kNoNewName, source);
  NameFault fault;
  Result<QString> joined = BatchTargetPath(s_, source, item.NewName, &fault);
  if (!joined.ok()) {
    return CannotBeMade(fault == NameFault::kTooLong ? CannotBeMadeReason::kTooLong
                                                     : CannotBeMadeReason::kInvalidName,
                        source);
  }
  if (s_.mode == BatchMode::RenameInPlace && *joined == source) {
    return {VerdictKind::kUnchanged, {}, source};
  }
  const PathKey target(*joined);
  if (!Taken(target)) return Done(VerdictKind::kRenamed, source, target);
  return Resolve(source, target);
}

ItemVerdict Playback::Resolve(const QString& source, const PathKey& key) {
  const QString& target = key.path;
  // Only a target the batch has not touched can be the source itself.
  if (!changed_.contains(key) && fs_.IsSameFile(source, target)) {
    if (s_.mode == BatchMode::RenameInPlace) return Done(VerdictKind::kRenamed, source, key);
    if (s_.conflict == ConflictMode::AutoNumber) return Numbered(source, target);
    if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
    return {VerdictKind::kSkipped, {}, source};
  }
  if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
  switch (*s_.conflict) {
    case ConflictMode::Skip:
      return {VerdictKind::kSkipped, {}, source};
    case ConflictMode::Overwrite:
      if (!IsFileOfTheBatch(target)) return Done(VerdictKind::kReplaces, source, key);
      [[fallthrough]];
    case ConflictMode::AutoNumber:
      return Numbered(source, target);
  }
  return {VerdictKind::kSkipped, {}, source};
}

ItemVerdict Playback::Numbered(const QString& source, const QString& target) {
  const QString numbered =
      UniqueTargetPath([this](const QString& path) { return Taken(PathKey(path)); },
                       FolderPart(target), FileNamePart(target));
  return Done(VerdictKind::kNumbered, source, PathKey(numbered));
}

ItemVerdict Playback::Done(VerdictKind kind, const QString& source, const PathKey& target) {
  if (s_.mode != BatchMode::CopyToFolder) changed_.insert(PathKey(source), Entry{false, false});
  changed_.insert(target, Entry{true, true});
  return {kind, {}, target.path};
}

// As the batch decides it: a file an earlier item put there, or a source of
// any item reached by any spelling (by identity).
bool Playback::IsFileOfTheBatch(const QString& path) {
  if (const auto it = changed_.constFind(PathKey(path)); it != changed_.cend()) {
    return it->ofTheBatch;
  }
  if (!sources_) {
    sources_.emplace();
    for (const TRenameItem& item : items_) {
      if (std::optional<FileIdentity> id = IdentityOf(item.OriginalPath)) sources_->insert(*id);
    }
  }
  const std::optional<FileIdentity> id = IdentityOf(path);
  return id && sources_->contains(*id);
}

void Count(VerdictCounts& counts, VerdictKind kind) {
  switch (kind) {
    case VerdictKind::kUnchanged:
      ++counts.unchanged;
      break;
    case VerdictKind::kRenamed:
      break;
    case VerdictKind::kNumbered:
      ++counts.numbered;
      break;
    case VerdictKind::kSkipped:
      ++counts.skipped;
      break;
    case VerdictKind::kReplaces:
      ++counts.replaces;
      break;
    case VerdictKind::kCannotBeMade:
      ++counts.cannotBeMade;
      break;
  }
}

}  // namespace

BatchVerdicts JudgeBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                         FileSystem& fs) {
  BatchVerdicts out;
  const std::optional<BatchSettings> settings = SettingsOfBatch(options, out.notice);
  if (!settings) return out;
  Playback playback(items, *settings, fs);
  out.verdicts.reserve(items.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    out.verdicts.append(playback.Judge(i));
    const VerdictKind kind = out.verdicts.back().kind;
    if (kind == VerdictKind::kCannotBeMade && !out.stopsAt) out.stopsAt = i;
    Count(out.counts, kind);
  }
  return out;
}

}  // namespace corvane
