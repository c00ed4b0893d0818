#include "platform/win32/win32_system.h"

#include <windows.h>
#include <shlobj.h>

namespace corvane::win32 {

ErrorCode ReadUserRegistryText(const std::wstring& subkey, const std::wstring& name,
                               std::wstring* text) {
  // RRF_NOEXPAND keeps REG_EXPAND_SZ as written; RegGetValueW ends the text
  // with a null even where the stored value lacks one.
  const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  for (;;) {
    DWORD bytes = 0;
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), flags, nullptr,
                                  nullptr, &bytes);
    if (status != ERROR_SUCCESS) return ErrorCode(status);
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = DWORD(buffer.size() * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), flags, nullptr,
                          buffer.data(), &size);
    // Written anew between the two calls, and longer: read again.
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return ErrorCode(status);
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    *text = std::move(buffer);
    return kOk;
  }
}

ErrorCode WriteUserRegistryText(const std::wstring& subkey, const std::wstring& name,
                                const std::wstring& text) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return ErrorCode(status);
  status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return ErrorCode(status);
}

ErrorCode DeleteUserRegistryKey(const std::wstring& subkey) {
  return ErrorCode(RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str()));
}

std::wstring RoamingAppDataFolder() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

uint16_t SystemUiLanguage() { return GetSystemDefaultUILanguage(); }

}  // namespace corvane::win32
