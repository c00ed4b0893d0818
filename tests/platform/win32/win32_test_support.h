// Helpers for the tests of the Win32 layer: a fresh folder per test and small
// file readers and writers that go straight to the system.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane::win32::testing {

// A new folder, removed with everything in it when the test ends.
class Folder {
 public:
  // Under `root` (ending in a separator); the user's temp folder by default.
  explicit Folder(std::wstring root = {});
  ~Folder();
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // The folder's path, ending in a separator.
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// Writes `content` to a new file (replacing one), then sets `attributes`.
void Write(const std::wstring& path, const std::string& content, DWORD attributes = 0);
// The content of the file; nullopt when it cannot be opened.
std::optional<std::string> Read(const std::wstring& path);
// The names in a folder as the listing spells them, sorted.
std::vector<std::wstring> List(const std::wstring& folder);
// The last-write time in 100 ns steps since 1601; -1 when unreadable.
int64_t LastWriteTicks(const std::wstring& path);

// A folder on another volume than the temp folder (CORVANE_SECOND_VOLUME,
// ending in a separator), or empty when the lane has none.
std::wstring SecondVolume();

}  // namespace corvane::win32::testing
