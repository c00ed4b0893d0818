// ListFolderEntries: the entries of one folder in the order the file system
// lists them, hidden and system entries included, "." and ".." left out. Each
// entry comes as its path: the folder joined with the entry's name as
// JoinPath (platform/paths.h) joins them.
//
// Each entry says what it is when the listing itself tells: a folder
// (kFolder), a regular file (kFile, Linux only: Windows never says so), or
// something else that is no folder (kNotFolder); for links and for file
// systems that do not tell, the kind is kUnknown and the caller asks
// FileSystem::FolderExists (platform/file_system.h) if it needs to know.
// nullopt when the folder cannot be listed completely.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>

namespace corvane {

struct FolderEntry {
  enum class Kind { kFolder, kFile, kNotFolder, kUnknown };
  QString path;
  Kind kind = Kind::kUnknown;
};

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder);

// Hands `take` the name alone of each of the same entries (on Linux decoded
// as DecodeNativeName of platform/native_name.h decodes it), valid during
// that call only (no string is made for it), with its kind as above. False
// when the folder cannot be listed completely.
using TakeListedName = std::function<void(QStringView name, FolderEntry::Kind kind)>;
bool ListFolderNames(const QString& folder, const TakeListedName& take);

// What changes whenever an entry of a folder is made, removed or renamed:
// its last-write and change times, and its link count, which a new subfolder
// raises even within one tick of the file system's clock. Two equal stamps
// taken at two moments mean nothing in the folder changed in between, unless
// a subfolder left it as another came, both within one tick.
struct FolderStamp {
  int64_t modifiedNs = 0;
  int64_t changedNs = 0;
  uint64_t links = 0;
  uint64_t device = 0;
  uint64_t node = 0;
  friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
};

// The stamp of the folder at `folder` (links followed); nullopt where none
// can be taken, or where the platform gives none that tells (Windows).
std::optional<FolderStamp> StampOfFolder(const QString& folder);

}  // namespace corvane
