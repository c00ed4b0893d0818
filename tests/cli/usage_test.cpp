#include "cli/usage.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace corvane {
namespace {

TEST(UsageTest, HasOneLineForEverySwitchAndKeyAndTwoExamples) {
  const QStringList lines = UsageLines();
  const char* names[] = {"/cli ",        "/dryrun ",     "/pattern=TEXT ",  "/start=N ",
                         "/digits=N ",   "/case=MODE ",  "/find=TEXT ",     "/replace=TEXT ",
                         "/regex ",      "/newext=EXT ", "/conflict=MODE ", "/preset=FILE ",
                         "/subfolders ", "/undo ",       "/help "};
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

}  // namespace
}  // namespace corvane
