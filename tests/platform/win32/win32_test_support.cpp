#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::win32::testing {
namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE h = FindFirstFileW((folder + L"*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(h, &data));
    FindClose(h);
  }
  RemoveDirectoryW(folder.c_str());
}

int64_t Ticks(const FILETIME& t) { return (int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

bool ReadTimes(const std::wstring& path, FILETIME* created, FILETIME* written) {
  const HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = GetFileTime(h, created, nullptr, written);
  CloseHandle(h);
  return ok;
}

}  // namespace

Folder::Folder(std::wstring root) {
  if (root.empty()) {
    wchar_t temp[MAX_PATH + 1];
    root.assign(temp, GetTempPathW(MAX_PATH + 1, temp));
  }
  static unsigned next = 0;
  for (;;) {
    path_ = root + L"corvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++next);
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create a test folder, error " << GetLastError();
      break;
    }
  }
  path_ += L'\\';
}

Folder::~Folder() { RemoveTree(path_); }

void Write(const std::wstring& path, const std::string& content, DWORD attributes) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  DWORD written = 0;
  const bool ok = WriteFile(h, content.data(), DWORD(content.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(ok && written == content.size());
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
  }
}

std::optional<std::string> Read(const std::wstring& path) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
  CloseHandle(h);
  return content;
}

std::vector<std::wstring> List(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  const HANDLE h = FindFirstFileW((folder + L"*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(h, &data));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

int64_t LastWriteTicks(const std::wstring& path) {
  FILETIME created, written;
  return ReadTimes(path, &created, &written) ? Ticks(written) : -1;
}

std::wstring SecondVolume() {
  wchar_t value[MAX_PATH + 1];
  const DWORD n = GetEnvironmentVariableW(L"CORVANE_SECOND_VOLUME", value, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(value, n) : std::wstring();
}

}  // namespace corvane::win32::testing
