// ListFolderEntries: the entries of one folder in the order the file system
// lists them, hidden and system entries included, "." and ".." left out. Each
// entry comes as its path: the folder joined with the entry's name as
// JoinPath (platform/paths.h) joins them.
//
// Each entry says whether it is a folder when the listing itself tells
// (kFolder, kNotFolder); for links and for file systems that do not tell, the
// kind is kUnknown and the caller asks FileSystem::FolderExists
// (platform/file_system.h) if it needs to know. nullopt when the folder cannot be listed
// completely.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace corvane {

struct FolderEntry {
  enum class Kind { kFolder, kNotFolder, kUnknown };
  QString path;
  Kind kind = Kind::kUnknown;
};

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder);

// Hands `take` the name alone of each of the same entries (on Linux decoded
// as DecodeNativeName of platform/native_name.h decodes it), valid during
// that call only: no string is made for it. False when the folder cannot be
// listed completely.
bool ListFolderNames(const QString& folder, const std::function<void(QStringView)>& take);

}  // namespace corvane
