#include "cli/usage.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "cli/run_command_line.h"

namespace corvane {
namespace {

TEST(UsageTest, HasOneLineForEverySwitchAndKeyAndTwoExamples) {
  const QStringList lines = UsageLines();
  const char* names[] = {"/cli ",          "/dryrun ",     "/pattern=TEXT ", "/start=N ",
                         "/digits=N ",     "/case=MODE ",  "/extcase=MODE ", "/find=TEXT ",
                         "/replace=TEXT ", "/regex ",      "/newext=EXT ",   "/conflict=MODE ",
                         "/preset=FILE ",  "/subfolders ", "/undo ",         "/help ",
                         "/version "};
  for (const char* name : names) {
    const QString prefix = QStringLiteral("  ") + QString::fromLatin1(name);
    EXPECT_EQ(lines.filter(QRegularExpression("^" + QRegularExpression::escape(prefix))).size(), 1)
        << name;
  }
  const qsizetype examples = lines.indexOf("Examples:");
  ASSERT_GE(examples, 0);
  ASSERT_EQ(lines.size(), examples + 3);
  EXPECT_TRUE(lines[examples + 1].startsWith("  corvane /cli /dryrun "));
  EXPECT_TRUE(lines[examples + 2].startsWith("  corvane /cli "));
  EXPECT_FALSE(lines[examples + 2].contains("/dryrun"));
}

// How the window opens with files comes first; the terminal mode's usage
// follows, ahead of its switches.
TEST(UsageTest, OpensWithTheWindowsUsageThenTheTerminalMode) {
  const QStringList lines = UsageLines();
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "Usage: corvane [files or folders]");
  EXPECT_TRUE(lines[1].contains("window")) << lines[1].toStdString();
  const qsizetype terminal = lines.indexOf("Usage: corvane /cli [options] [files or folders]");
  ASSERT_GT(terminal, 1);
  const qsizetype firstSwitch = lines.indexOf(QRegularExpression("  /.*"));
  ASSERT_GT(firstSwitch, 0);
  EXPECT_LT(terminal, firstSwitch);
  for (qsizetype i = 0; i < terminal; ++i)
    EXPECT_FALSE(lines[i].contains("/cli")) << lines[i].toStdString();
}

TEST(UsageTest, NamesEachExitStatusByItsNumber) {
  const QStringList lines = UsageLines();
  const qsizetype heading = lines.indexOf("Exit status:");
  ASSERT_GE(heading, 0);
  ASSERT_GT(lines.size(), heading + 3);
  const int codes[] = {kExitCompleted, kExitStopped, kExitUsage};
  for (int i = 0; i < 3; ++i) {
    const QString& line = lines[heading + 1 + i];
    EXPECT_TRUE(line.startsWith(QStringLiteral("  %1  ").arg(codes[i]))) << line.toStdString();
    EXPECT_GT(line.trimmed().size(), 3) << "no meaning given: " << line.toStdString();
  }
  EXPECT_TRUE(lines[heading + 3].contains("nothing was done"));
}

}  // namespace
}  // namespace corvane
