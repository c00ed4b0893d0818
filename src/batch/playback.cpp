#include "batch/playback.h"

#include "base/prefetch.h"
#include "base/two_threads.h"
#include "batch/verdict_groups.h"
#include "platform/paths.h"

namespace corvane {
namespace {

ItemVerdict CannotBeMade(CannotBeMadeReason reason, const QString& source) {
  return {VerdictKind::kCannotBeMade, reason, source};
}

}  // namespace

bool BatchSources::Contains(const FileIdentity& id) {
  std::call_once(read_, [this] {
    for (const TRenameItem& item : items_) {
      if (std::optional<FileIdentity> source = IdentityOf(item.OriginalPath)) ids_.insert(*source);
    }
  });
  return ids_.contains(id);
}

Playback::Playback(const QList<TRenameItem>& items, const BatchSettings& settings,
                   FileSystem& fs, BatchSources& sources)
    : items_(items), s_(settings), fs_(fs), sources_(sources), freeNames_(fs) {}

Playback::Wish Playback::WishOf(const TRenameItem& item) {
  Wish wish;
  const QString& source = item.OriginalPath;
  if (item.NewName.isEmpty()) {
    wish.decided = CannotBeMade(CannotBeMadeReason::kNoNewName, source);
    return wish;
  }
  NameFault fault;
  Result<QString> joined = BatchTargetPath(s_, source, item.NewName, &fault);
  if (!joined.ok()) {
    wish.decided = CannotBeMade(fault == NameFault::kTooLong ? CannotBeMadeReason::kTooLong
                                                             : CannotBeMadeReason::kInvalidName,
                                source);
  } else if (s_.mode == BatchMode::RenameInPlace && *joined == source) {
    wish.decided = ItemVerdict{VerdictKind::kUnchanged, {}, source};
  } else {
    wish.target = std::move(joined).value();
    if (s_.mode == BatchMode::RenameInPlace && !FolderView(item.NewName).isEmpty()) {
      leftFolder_ = true;
    }
    // In a folder's group the target lies in that folder, or the group is given up.
    wish.nameFrom = ofAFolder_ ? keyFrom_ : FolderView(wish.target).size();
    wish.targetHash = PathTextHash(Key(wish.target));
    wish.nameKey = FreeNames::NameKey(QStringView(wish.target).sliced(wish.nameFrom));
    wish.sourceHash = PathTextHash(Key(source));
  }
  return wish;
}

bool Playback::Play(const std::vector<qsizetype>& indexes, bool oneFolder, bool mayUseAThread,
                    ItemVerdict* verdicts) {
  ofAFolder_ = oneFolder && s_.mode == BatchMode::RenameInPlace && !indexes.empty();
  if (ofAFolder_) keyFrom_ = FolderView(items_[indexes[0]].OriginalPath).size();
  // A folder's group lists the folder while it finds what its items ask for.
  const auto listTheFolder = [&] {
    if (ofAFolder_) {
      freeNames_.Expect(QStringView(items_[indexes[0]].OriginalPath).first(keyFrom_),
                        qsizetype(indexes.size()));
    }
  };
  OnTwoThreads(mayUseAThread && ofAFolder_ && qsizetype(indexes.size()) >= kSplitFrom,
               [&] { FindWishes(indexes); }, listTheFolder);
  if (ofAFolder_ && leftFolder_) return false;
  changed_.emplace(qsizetype(indexes.size()) * 2);
  ListCrowdedFolders();
  constexpr size_t kAhead = 8;
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (i + kAhead < indexes.size() && !wishes_[i + kAhead].decided) {
      changed_->Prefetch(wishes_[i + kAhead].targetHash);
      changed_->Prefetch(wishes_[i + kAhead].sourceHash);
    }
    verdicts[indexes[i]] = Judge(indexes[i], wishes_[i]);
  }
  return true;
}

void Playback::FindWishes(const std::vector<qsizetype>& indexes) {
  wishes_.reserve(indexes.size());
  constexpr size_t kAhead = 8;
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (i + kAhead < indexes.size()) {
      const TRenameItem& ahead = items_[indexes[i + kAhead]];
      PrefetchText(ahead.OriginalPath);
      PrefetchText(ahead.NewName);
    }
    wishes_.push_back(WishOf(items_[indexes[i]]));
  }
}

// Folders that many targets go to are listed before the first lookup.
void Playback::ListCrowdedFolders() {
  QStringView folder;
  qsizetype count = 0;
  for (const Wish& wish : wishes_) {
    if (wish.decided) continue;
    const QStringView next = QStringView(wish.target).first(wish.nameFrom);
    if (next != folder) {
      if (count > 0) freeNames_.Expect(folder, count);
      folder = next;
      count = 0;
    }
    ++count;
  }
  if (count > 0) freeNames_.Expect(folder, count);
}

ItemVerdict Playback::Judge(qsizetype index, const Wish& wish) {
  if (wish.decided) return *wish.decided;
  const Change* change = changed_->Find(Key(wish.target), wish.targetHash);
  if (!Taken(change, wish.target, wish.nameFrom, wish.nameKey)) {
    return Done(VerdictKind::kRenamed, index, wish, wish.target, wish.targetHash);
  }
  return Resolve(index, wish, change != nullptr);
}

bool Playback::Taken(const Change* change, const QString& path, qsizetype nameFrom,
                     size_t nameKey) {
  if (change) return change->taken;
  // Nothing is changed before the verdicts are all made: a listing stays
  // true, and the batch's own names are already in changed_.
  return !freeNames_.CertainlyFreeIn(QStringView(path).first(nameFrom), nameKey) &&
         IsTaken(fs_.LookUp(path));
}

bool Playback::Taken(const QString& path) {
  const qsizetype nameFrom = FolderView(path).size();
  return Taken(changed_->Find(Key(path), PathTextHash(Key(path))), path, nameFrom,
               FreeNames::NameKey(QStringView(path).sliced(nameFrom)));
}

ItemVerdict Playback::Resolve(qsizetype index, const Wish& wish, bool changed) {
  const QString& source = items_[index].OriginalPath;
  // Only a target the batch has not touched can be the source itself.
  if (!changed && fs_.IsSameFile(source, wish.target)) {
    if (s_.mode == BatchMode::RenameInPlace) {
      return Done(VerdictKind::kRenamed, index, wish, wish.target, wish.targetHash);
    }
    if (s_.conflict == ConflictMode::AutoNumber) return Numbered(index, wish);
    if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
    return {VerdictKind::kSkipped, {}, source};
  }
  if (!s_.conflict) return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
  switch (*s_.conflict) {
    case ConflictMode::Skip:
      return {VerdictKind::kSkipped, {}, source};
    case ConflictMode::Overwrite:
      if (!IsFileOfTheBatch(wish.target)) {
        return Done(VerdictKind::kReplaces, index, wish, wish.target, wish.targetHash);
      }
      [[fallthrough]];
    case ConflictMode::AutoNumber:
      return Numbered(index, wish);
  }
  return {VerdictKind::kSkipped, {}, source};
}

ItemVerdict Playback::Numbered(qsizetype index, const Wish& wish) {
  numberedTargets_.push_back(UniqueTargetPath([this](const QString& path) { return Taken(path); },
                                              FolderPart(wish.target),
                                              FileNamePart(wish.target)));
  const QString& numbered = numberedTargets_.back();
  return Done(VerdictKind::kNumbered, index, wish, numbered, PathTextHash(Key(numbered)));
}

// `target` is text that outlives the playback.
ItemVerdict Playback::Done(VerdictKind kind, qsizetype index, const Wish& wish,
                           const QString& target, size_t targetHash) {
  if (s_.mode != BatchMode::CopyToFolder) {
    changed_->Set(Key(items_[index].OriginalPath), wish.sourceHash, Change{false, false});
  }
  changed_->Set(Key(target), targetHash, Change{true, true});
  return {kind, {}, target};
}

// As the batch decides it: a file an earlier item put there, or a source of
// any item reached by any spelling (by identity).
bool Playback::IsFileOfTheBatch(const QString& path) {
  if (const Change* change = changed_->Find(Key(path), PathTextHash(Key(path)))) {
    return change->ofTheBatch;
  }
  const std::optional<FileIdentity> id = IdentityOf(path);
  return id && sources_.Contains(*id);
}

}  // namespace corvane
