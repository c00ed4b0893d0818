#include "platform/app_data.h"

#include <QDir>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Sets (or, for nullptr, removes) environment variables for one scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      saved_.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
      if (value) {
        qputenv(name, value);
      } else {
        qunsetenv(name);
      }
    }
  }
  ~ScopedEnvironment() {
    for (const Saved& s : saved_) {
      if (s.wasSet) {
        qputenv(s.name, s.value);
      } else {
        qunsetenv(s.name);
      }
    }
  }

 private:
  struct Saved {
    const char* name;
    bool wasSet;
    QByteArray value;
  };
  QList<Saved> saved_;
};

TEST(ApplicationDataFolderTest, AppDataThenXdgThenHome) {
  struct Case {
    const char* name;
    const char* appData;
    const char* xdg;
    const char* expected;
  };
  const Case cases[] = {
      {"APPDATA wins", "/data/roaming", "/xdg", "/data/roaming"},
      {"empty APPDATA is not set", "", "/xdg", "/xdg"},
      {"XDG_DATA_HOME", nullptr, "/xdg", "/xdg"},
      {"relative XDG_DATA_HOME is ignored", nullptr, "rel/xdg", "/home/tester/.local/share"},
      {"empty XDG_DATA_HOME", nullptr, "", "/home/tester/.local/share"},
      {"neither", nullptr, nullptr, "/home/tester/.local/share"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment env{
        {"APPDATA", c.appData}, {"XDG_DATA_HOME", c.xdg}, {"HOME", "/home/tester"}};
    EXPECT_EQ(ApplicationDataFolder(), c.expected) << c.name;
  }
}

#ifndef Q_OS_WIN
// Linux paths in the environment may hold bytes that are not UTF-8; the log
// must go where they lead, not where U+FFFD would (platform/native_name.h).
TEST(ApplicationDataFolderTest, KeepsBytesThatAreNotUtf8) {
  struct Case {
    const char* name;
    const char* appData;
    const char* xdg;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"APPDATA", "/data/\xE9", "/xdg", u"/data/\xDCE9"},
      {"XDG_DATA_HOME", nullptr, "/xdg/\xFF\xFE", u"/xdg/\xDCFF\xDCFE"},
      {"HOME", nullptr, nullptr, u"/home/t\xDCE9ster/.local/share"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment env{
        {"APPDATA", c.appData}, {"XDG_DATA_HOME", c.xdg}, {"HOME", "/home/t\xE9ster"}};
    EXPECT_EQ(ApplicationDataFolder(), QString::fromUtf16(c.expected)) << c.name;
  }
}
#endif

}  // namespace
}  // namespace corvane
