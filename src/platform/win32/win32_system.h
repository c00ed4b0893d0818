// The Windows calls behind the remembered language and the application-data
// folder, with no Qt (see win32_files.h): wide strings in, Win32 error codes
// out.
#pragma once

#include "platform/win32/win32_files.h"

#include <cstdint>
#include <string>

namespace corvane::win32 {

// The text value `name` of the key HKEY_CURRENT_USER\`subkey`: REG_SZ, or
// REG_EXPAND_SZ as it is written (unexpanded). ERROR_FILE_NOT_FOUND when the
// key or the value is missing, ERROR_UNSUPPORTED_TYPE when the value is not
// text (a number or binary data written by hand).
ErrorCode ReadUserRegistryText(const std::wstring& subkey, const std::wstring& name,
                               std::wstring* text);
// Writes `text` as REG_SZ, creating the key when needed.
ErrorCode WriteUserRegistryText(const std::wstring& subkey, const std::wstring& name,
                                const std::wstring& text);
// Deletes the key with everything below it.
ErrorCode DeleteUserRegistryKey(const std::wstring& subkey);

// The user's roaming application-data folder; empty when the system has none.
std::wstring RoamingAppDataFolder();

// GetSystemDefaultUILanguage: a Windows language identifier.
uint16_t SystemUiLanguage();

}  // namespace corvane::win32
