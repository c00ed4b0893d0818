// FileIdentity: which file a path leads to, independent of how the path is
// spelled (device and inode on Linux, volume serial and file ID on Windows).
//
// Used where the spelling cannot decide: whether a conflicting target is the
// source file itself (a case-only rename on a case-insensitive file system),
// and whether a folder scan has already entered a folder through a link.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace corvane {

struct FileIdentity {
  uint64_t device = 0;
  uint64_t node = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of what `path` leads to, links followed; nullopt when nothing
// can be found there.
std::optional<FileIdentity> IdentityOf(const QString& path);

struct FileIdentityHash {
  size_t operator()(const FileIdentity& id) const {
    return std::hash<uint64_t>()(id.device * 0x9E3779B97F4A7C15ull ^ id.node);
  }
};

}  // namespace corvane
