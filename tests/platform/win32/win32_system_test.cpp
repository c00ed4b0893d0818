#include "platform/win32/win32_system.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace corvane::win32 {
namespace {

// A key of its own per run: the user's own settings are never touched.
class Win32RegistryTest : public ::testing::Test {
 protected:
  Win32RegistryTest()
      : key_(L"Software\\Corvane-Tests\\" + std::to_wstring(GetCurrentProcessId())) {}
  ~Win32RegistryTest() override { DeleteUserRegistryKey(key_); }

  void Store(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::wstring key_;
};

TEST_F(Win32RegistryTest, TextIsWrittenAndReadBackAndReplaced) {
  const std::wstring texts[] = {L"de", L"", L"pt", L"\u4e2d\u6587 \U0001F600"};
  for (const std::wstring& text : texts) {
    EXPECT_EQ(WriteUserRegistryText(key_, L"CurrentLanguage", text), kOk);
    std::wstring read = L"(unchanged)";
    EXPECT_EQ(ReadUserRegistryText(key_, L"CurrentLanguage", &read), kOk);
    EXPECT_EQ(read, text);
  }
}

TEST_F(Win32RegistryTest, MissingOrNonTextValuesAreNotText) {
  std::wstring read = L"(unchanged)";
  EXPECT_EQ(ReadUserRegistryText(key_, L"CurrentLanguage", &read), ERROR_FILE_NOT_FOUND);
  const DWORD number = 7;
  Store(L"Number", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(ReadUserRegistryText(key_, L"Number", &read), ERROR_UNSUPPORTED_TYPE);
  Store(L"Binary", REG_BINARY, "de", 2);
  EXPECT_EQ(ReadUserRegistryText(key_, L"Binary", &read), ERROR_UNSUPPORTED_TYPE);
  EXPECT_EQ(ReadUserRegistryText(key_, L"CurrentLanguage", &read), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(read, L"(unchanged)");
}

TEST_F(Win32RegistryTest, ExpandableAndUnterminatedTextIsReadAsWritten) {
  const wchar_t expandable[] = L"%LANG%";
  Store(L"Expandable", REG_EXPAND_SZ, expandable, sizeof expandable);
  const wchar_t unterminated[] = {L'f', L'r'};
  Store(L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
  std::wstring read;
  EXPECT_EQ(ReadUserRegistryText(key_, L"Expandable", &read), kOk);
  EXPECT_EQ(read, L"%LANG%");
  EXPECT_EQ(ReadUserRegistryText(key_, L"Unterminated", &read), kOk);
  EXPECT_EQ(read, L"fr");
}

TEST(Win32SystemTest, RoamingAppDataIsAnExistingFolder) {
  const std::wstring folder = RoamingAppDataFolder();
  ASSERT_FALSE(folder.empty());
  const DWORD a = GetFileAttributesW(folder.c_str());
  EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
}  // namespace corvane::win32
