// Where the check goes: the build's address, the environment's override, and
// the home page.
#include "update/update_server.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ResolveUpdateServerTest, BuildAndEnvironment) {
  struct Case {
    const char* name;
    bool checkBuilt;
    std::optional<QString> environment;
    std::optional<QString> server;
  };
  const QString built = "https://updates.example";
  const Case cases[] = {
      {"Built", true, std::nullopt, "https://updates.example"},
      {"EnvironmentPointsElsewhere", true, "http://127.0.0.1:8080", "http://127.0.0.1:8080"},
      {"EnvironmentWithFinalSlash", true, "https://mirror.example/", "https://mirror.example"},
      {"EmptyEnvironmentTurnsItOff", true, "", std::nullopt},
      {"BuiltWithoutTheCheck", false, std::nullopt, std::nullopt},
      {"EnvironmentCannotTurnOnWhatTheBuildLeftOut", false, "http://127.0.0.1:8080", std::nullopt},
      {"NotTheWeb", true, "ftp://updates.example", std::nullopt},
      {"WithAPath", true, "https://updates.example/corvane", std::nullopt},
      {"WithoutAHost", true, "https://", std::nullopt},
      {"NotAnAddress", true, "updates example", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<QUrl> server = ResolveUpdateServer(c.checkBuilt, built, c.environment);
    ASSERT_EQ(server.has_value(), c.server.has_value()) << c.name;
    if (server) {
      EXPECT_EQ(server->toString(), *c.server) << c.name;
    }
  }
}

TEST(ServerAddressTest, PathsAndHomePage) {
  const QUrl local("http://127.0.0.1:8080");
  EXPECT_EQ(ServerAddress(local, kVersionPagePath).toString(),
            "http://127.0.0.1:8080/download/version/zunt-version.html");
  EXPECT_EQ(ServerAddress(QUrl("https://updates.example"), kInstallerPath).toString(),
            "https://updates.example/download/zunt.exe");
  EXPECT_EQ(HomePage(QUrl("https://updates.example")).toString(), "https://updates.example");
  EXPECT_EQ(HomePage(QUrl("https://updates.example:8443")).toString(),
            "https://updates.example:8443");
  EXPECT_EQ(HomePage(local).toString(), "https://127.0.0.1");
}

}  // namespace
}  // namespace corvane
