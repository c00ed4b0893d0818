#include "batch/free_names.h"

#include "platform/paths.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace corvane {
namespace {

constexpr uint64_t kOnes = 0x0001000100010001ull;

// Mixes the units of a key four at a time, as PathTextHash mixes a path.
// With `fold`, folds A to Z on the way, and gives up at a unit beyond ASCII.
template <bool fold>
std::optional<size_t> Mix(QStringView text) {
  constexpr uint64_t kMultiplier = 0xFF51AFD7ED558CCDull;
  const char16_t* units = text.utf16();
  qsizetype left = text.size();
  uint64_t h = 0x9E3779B97F4A7C15ull ^ uint64_t(left);
  const auto step = [&h](uint64_t word) {
    if constexpr (fold) {
      if ((word & (kOnes * 0xFF80)) != 0) return false;
      // Bit 7 of a lane below 0x80 is set by adding 0x80 - c when the lane is c or more.
      const uint64_t upper =
          ((word + kOnes * (0x80 - u'A')) ^ (word + kOnes * (0x80 - u'Z' - 1))) & (kOnes * 0x80);
      word |= upper >> 2;
    }
    h = (h ^ word) * kMultiplier;
    h ^= h >> 32;
    return true;
  };
  for (; left >= 4; left -= 4, units += 4) {
    uint64_t word;
    std::memcpy(&word, units, sizeof word);
    if (!step(word)) return std::nullopt;
  }
  uint64_t word = 0;  // lanes of zero: ASCII, and no letter
  std::memcpy(&word, units, size_t(left) * sizeof(char16_t));
  if (!step(word)) return std::nullopt;
  return size_t(h ^ (h >> 29));
}

}  // namespace

// A hash of FoldedName(name); ASCII names, the common case, fold on the way.
size_t FreeNames::NameKey(QStringView name) {
  // A listing cannot tell these from an entry it lists: "~" makes the short
  // names FAT and NTFS give long ones ("LONGFI~1.TXT"), and Windows drops
  // trailing dots and spaces before it looks a name up.
  if (name.contains(u'~') || name.endsWith(u'.') || name.endsWith(u' ')) return kAskTheDisk;
  return std::max<size_t>(1, KeyOf(name));
}

size_t FreeNames::KeyOf(QStringView name) {
  if (std::optional<size_t> ascii = Mix<true>(name)) return *ascii;
  return *Mix<false>(FoldedName(name));
}

// A batch asks about one folder many times in a row.
FreeNames::Folder& FreeNames::FolderOf(QStringView folder) {
  if (last_ == nullptr || folder != lastKey_) {
    lastKey_ = folder.toString();
    last_ = &folders_[lastKey_];
  }
  return *last_;
}

void FreeNames::List(QStringView folderPath, Folder& folder) {
  const QString path = folderPath.toString();
  // Taken first: a change while the folder is listed then shows in the next stamp.
  std::optional<FolderStamp> stamp = fs_.StampOf(path);
  QHash<size_t, bool> listed = folder.names;
  qsizetype notFiles = 0;
  const bool complete = fs_.ListNames(path, [&](QStringView name, FolderEntry::Kind kind) {
    const bool notFile = kind != FolderEntry::Kind::kFile;
    listed.insert(NameKey(name), notFile);
    notFiles += notFile;
  });
  if (!complete) {
    folder.lookups = 0;  // try again later rather than trust half a listing
    return;
  }
  folder.names = std::move(listed);
  folder.notFiles = notFiles;
  // A link count below two says nothing of subfolders.
  folder.stamp = stamp && stamp->links >= 2 ? stamp : std::nullopt;
  folder.confirmed = false;
  folder.listed = true;
}

void FreeNames::Forget(Folder& folder) {
  folder.listed = false;
  folder.lookups = 0;
  folder.stamp.reset();
  folder.confirmed = false;
}

bool FreeNames::ListedAsFile(QStringView path) {
  if (!trusted_) return false;
  const QStringView folderPart = FolderView(path);
  Folder& folder = FolderOf(folderPart);
  if (!folder.listed || !folder.confirmed) return false;
  // Whatever entry the name leads to is a regular file, or none (the move
  // then fails): no need to find it.
  if (folder.notFiles == 0) return true;
  const size_t key = NameKey(path.sliced(folderPart.size()));
  if (key == kAskTheDisk) return false;
  const auto found = folder.names.constFind(key);
  return found != folder.names.cend() && !*found;
}

void FreeNames::ConfirmBeforeChanges(QStringView folderPath) {
  Folder& folder = FolderOf(folderPath);
  if (!folder.listed || !folder.stamp) return;
  folder.confirmed = fs_.StampOf(folderPath.toString()) == folder.stamp;
  if (!folder.confirmed) Forget(folder);
}

void FreeNames::StampAfterChanges(QStringView folderPath) {
  Folder& folder = FolderOf(folderPath);
  if (!folder.listed || !folder.stamp) return;
  const std::optional<FolderStamp> now = fs_.StampOf(folderPath.toString());
  if (!now || now->links != folder.stamp->links || now->node != folder.stamp->node ||
      now->device != folder.stamp->device) {
    Forget(folder);
    return;
  }
  folder.stamp = now;
  folder.confirmed = false;
}

bool FreeNames::CertainlyFreeIn(QStringView folderPart, size_t nameKey) {
  if (!trusted_ || nameKey == kAskTheDisk) return false;
  Folder& folder = FolderOf(folderPart);
  if (!folder.listed) {
    if (++folder.lookups < kListAfter) return false;
    List(folderPart, folder);
    if (!folder.listed) return false;
  }
  return !folder.names.contains(nameKey);
}

void FreeNames::Expect(QStringView folderPath, qsizetype lookups) {
  if (!trusted_ || lookups < kListAfter) return;
  Folder& folder = FolderOf(folderPath);
  if (!folder.listed) List(folderPath, folder);
}

void FreeNames::NoteTaken(const QString& path) {
  const QStringView folder = FolderView(path);
  // A name listed as no regular file stays so: operator[] keeps its value.
  FolderOf(folder).names[NameKey(QStringView(path).sliced(folder.size()))];
}

}  // namespace corvane
