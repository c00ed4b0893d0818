#include "batch/playback.h"

#include "base/prefetch.h"
#include "base/two_threads.h"
#include "batch/fate.h"
#include "batch/verdict_groups.h"
#include "platform/paths.h"

namespace corvane {
namespace {

ItemVerdict CannotBeMade(CannotBeMadeReason reason, const QString& source) {
  return {VerdictKind::kCannotBeMade, reason, source};
}

}  // namespace

Playback::Playback(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs,
                   BatchSources& sources)
    : items_(items), s_(settings), fs_(fs), sources_(sources), entries_(fs), freeNames_(fs) {}

QStringView Playback::Key(const QString& path) {
  const QStringView key = QStringView(path).sliced(keyFrom_);
  if (ofAFolder_ ? !folderFolds_ : !entries_.FoldsIn(FolderView(path))) return key;
  foldedKeys_.push_back(FolderView(key).toString() + FoldedName(FileNameView(key)));
  return foldedKeys_.back();
}

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
  if (ofAFolder_) {
    const QStringView folder = FolderView(items_[indexes[0]].OriginalPath);
    keyFrom_ = folder.size();
    folderFolds_ = entries_.FoldsIn(folder);
  }
  // A folder's group lists the folder while it finds what its items ask for.
  const auto listTheFolder = [&] {
    if (ofAFolder_) {
      freeNames_.Expect(QStringView(items_[indexes[0]].OriginalPath).first(keyFrom_),
                        qsizetype(indexes.size()));
    }
  };
  OnTwoThreads(
      mayUseAThread && ofAFolder_ && qsizetype(indexes.size()) >= kSplitFrom,
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
  const QStringView key = Key(path);
  return Taken(changed_->Find(key, PathTextHash(key)), path, nameFrom,
               FreeNames::NameKey(QStringView(path).sliced(nameFrom)));
}

ItemVerdict Playback::Resolve(qsizetype index, const Wish& wish, bool changed) {
  const QString& source = items_[index].OriginalPath;
  // Only a target the batch has not touched can be the source itself.
  const TargetFacts facts{true, [&] { return !changed && fs_.IsSameFile(source, wish.target); },
                          [&] { return IsFileOfTheBatch(wish.target); }};
  switch (DecideFate(s_, facts)) {
    case Fate::kRenamed:
    case Fate::kCaseChange:
      return Done(VerdictKind::kRenamed, index, wish, wish.target, wish.targetHash);
    case Fate::kNumbered:
      return Numbered(index, wish);
    case Fate::kSkipped:
      return {VerdictKind::kSkipped, {}, source};
    case Fate::kReplaces:
      return Done(VerdictKind::kReplaces, index, wish, wish.target, wish.targetHash);
    case Fate::kCannotBeMade:
      break;
  }
  return CannotBeMade(CannotBeMadeReason::kNameTaken, source);
}

ItemVerdict Playback::Numbered(qsizetype index, const Wish& wish) {
  Result<QString> numbered =
      numberedNames_.Next([this](const QString& path) { return Taken(path); },
                          FolderPart(wish.target), FileNamePart(wish.target));
  if (!numbered.ok()) return CannotBeMade(CannotBeMadeReason::kTooLong, items_[index].OriginalPath);
  numberedTargets_.push_back(std::move(numbered).value());
  const QString& target = numberedTargets_.back();
  return Done(VerdictKind::kNumbered, index, wish, target, PathTextHash(Key(target)));
}

// `target` is text that outlives the playback.
ItemVerdict Playback::Done(VerdictKind kind, qsizetype index, const Wish& wish,
                           const QString& target, size_t targetHash) {
  if (s_.mode != BatchMode::CopyToFolder) {
    const QString& source = items_[index].OriginalPath;
    changed_->Set(Key(source), wish.sourceHash, Change{false, false});
    numberedNames_.Freed(source);
  }
  changed_->Set(Key(target), targetHash, Change{true, true});
  return {kind, {}, target};
}

// As the batch decides it (batch/batch_files.h): a file an earlier item put
// there, or the source of an item the batch moves or copies, reached by any
// spelling.
bool Playback::IsFileOfTheBatch(const QString& path) {
  const QStringView key = Key(path);
  if (const Change* change = changed_->Find(key, PathTextHash(key))) return change->ofTheBatch;
  const std::optional<EntryKey> entry = entries_.Of(path);
  return entry && sources_.Holds(*entry, path);
}

}  // namespace corvane
