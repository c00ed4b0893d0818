#include "batch/batch_verdicts.h"

#include "batch/changed_paths.h"
#include "batch/free_names.h"
#include "platform/file_identity.h"
#include "platform/paths.h"

#include <deque>
#include <unordered_set>
#include <vector>

namespace corvane {
namespace {

// What an item asks for, found before the batch is played: nothing in it
// depends on the items before.
struct Wish {
  // Decided without playing: unchanged, or cannot be made.
  std::optional<ItemVerdict> decided;
  QString target;
  size_t targetHash = 0;  // PathTextHash(target)
  size_t nameKey = 0;     // FreeNames::NameKey of the target's name
  size_t sourceHash = 0;  // PathTextHash of the source
};

ItemVerdict CannotBeMade(CannotBeMadeReason reason, const QString& source) {
  return {VerdictKind::kCannotBeMade, reason, source};
}

Wish Decided(ItemVerdict verdict) {
  Wish wish;
  wish.decided = std::move(verdict);
  return wish;
}

Wish WishOf(const TRenameItem& item, const BatchSettings& s) {
  const QString& source = item.OriginalPath;
  if (item.NewName.isEmpty()) return Decided(CannotBeMade(CannotBeMadeReason::kNoNewName, source));
  NameFault fault;
  Result<QString> joined = BatchTargetPath(s, source, item.NewName, &fault);
  if (!joined.ok()) {
    return Decided(CannotBeMade(fault == NameFault::kTooLong ? CannotBeMadeReason::kTooLong
                                                             : CannotBeMadeReason::kInvalidName,
                                source));
  }
  if (s.mode == BatchMode::RenameInPlace && *joined == source) {
    return Decided({VerdictKind::kUnchanged, {}, source});
  }
  Wish wish;
  wish.target = std::move(joined).value();
  wish.targetHash = PathTextHash(wish.target);
  wish.nameKey = FreeNames::NameKey(FileNameView(wish.target));
  wish.sourceHash = PathTextHash(source);
  return wish;
}

// The disk as the batch will find it before each item: the paths earlier
// items freed or filled, over the disk as it is now.
class Playback {
 public:
  Playback(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs)
      : items_(items), s_(settings), fs_(fs), freeNames_(fs), changed_(items.size() * 2) {
    wishes_.reserve(items.size());
    for (const TRenameItem& item : items) wishes_.push_back(WishOf(item, s_));
    ListCrowdedFolders();
  }

  ItemVerdict Judge(qsizetype index);

 private:
  using Change = ChangedPaths::Change;

  void ListCrowdedFolders();
  bool Taken(const Change* change, QStringView path, size_t nameKey) {
    if (change) return change->taken;
    // Nothing is changed before the verdicts are all made: a listing stays
    // true, and the batch's own names are already in changed_.
    return !freeNames_.CertainlyFree(path, nameKey) && IsTaken(fs_.LookUp(path.toString()));
  }
  bool Taken(const QString& path) {
    return Taken(changed_.Find(path, PathTextHash(path)), path,
                 FreeNames::NameKey(FileNameView(path)));
  }
  ItemVerdict Resolve(qsizetype index, bool changed);
  ItemVerdict Done(VerdictKind kind, qsizetype index, const QString& target, size_t targetHash);
  ItemVerdict Numbered(qsizetype index);
  bool IsFileOfTheBatch(const QString& path);

  const QList<TRenameItem>& items_;
  const BatchSettings& s_;
  FileSystem& fs_;
  FreeNames freeNames_;
  std::vector<Wish> wishes_;
  std::deque<QString> numberedTargets_;  // the text changed_ sees of numbered names
  ChangedPaths changed_;
  std::optional<std::unordered_set<FileIdentity, FileIdentityHash>> sources_;
};

// Folders that many targets go to are listed before the first lookup.
void Playback::ListCrowdedFolders() {
  QStringView folder;
  qsizetype count = 0;
  for (const Wish& wish : wishes_) {
    if (wish.decided) continue;
    const QStringView next = FolderView(wish.target);
    if (next != folder) {
      if (count > 0) freeNames_.Expect(folder, count);
      folder = next;
      count = 0;
    }
    ++count;
  }
  if (count > 0) freeNames_.Expect(folder, count);
}

ItemVerdict Playback::Judge(qsizetype index) {
  const Wish& wish = wishes_[index];
  if (wish.decided) return *wish.decided;
  const Change* change = changed_.Find(wish.target, wish.targetHash);
  if (!Taken(change, wish.target, wish.nameKey)) {
    return Done(VerdictKind::kRenamed, index, wish.target, wish.targetHash);
  }
  return Resolve(index, change != nullptr);
}

ItemVerdict Playback::Resolve(qsizetype index, bool changed) {
  const QString& source = items_[index].OriginalPath;
  const Wish& wish = wishes_[index];
  // Only a target the batch has not touched can be the source itself.
  if (!changed && fs_.IsSameFile(source, wish.target)) {
    if (s_.mode == BatchMode::RenameInPlace) {
      return Done(VerdictKind::kRenamed, index, wish.target, wish.targetHash);
    }
    if (s_.conflict == ConflictMode::AutoNumber) return Numbered(index);
    if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
    return {VerdictKind::kSkipped, {}, source};
  }
  if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
  switch (*s_.conflict) {
    case ConflictMode::Skip:
      return {VerdictKind::kSkipped, {}, source};
    case ConflictMode::Overwrite:
      if (!IsFileOfTheBatch(wish.target)) {
        return Done(VerdictKind::kReplaces, index, wish.target, wish.targetHash);
      }
      [[fallthrough]];
    case ConflictMode::AutoNumber:
      return Numbered(index);
  }
  return {VerdictKind::kSkipped, {}, source};
}

ItemVerdict Playback::Numbered(qsizetype index) {
  const QString& target = wishes_[index].target;
  numberedTargets_.push_back(
      UniqueTargetPath([this](const QString& path) { return Taken(path); }, FolderPart(target),
                       FileNamePart(target)));
  const QString& numbered = numberedTargets_.back();
  return Done(VerdictKind::kNumbered, index, numbered, PathTextHash(numbered));
}

// `target` is text that outlives the playback.
ItemVerdict Playback::Done(VerdictKind kind, qsizetype index, const QString& target,
                           size_t targetHash) {
  if (s_.mode != BatchMode::CopyToFolder) {
    changed_.Set(items_[index].OriginalPath, wishes_[index].sourceHash, Change{false, false});
  }
  changed_.Set(target, targetHash, Change{true, true});
  return {kind, {}, target};
}

// As the batch decides it: a file an earlier item put there, or a source of
// any item reached by any spelling (by identity).
bool Playback::IsFileOfTheBatch(const QString& path) {
  if (const Change* change = changed_.Find(path, PathTextHash(path))) return change->ofTheBatch;
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
