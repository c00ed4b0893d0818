#include "batch/numbered_names.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include "batch_test_support.h"

namespace corvane {
namespace {

// Each step either asks for the next name of `name`, expecting `expected`
// (empty: "File name too long") after exactly `asked` questions to the taken
// test, or frees `name`.
struct Step {
  bool freed;
  QString name;
  QString expected = {};
  int asked = 0;
};
Step NextOf(const QString& name, const QString& expected, int asked) {
  return {false, name, expected, asked};
}
Step Free(const QString& name) { return {true, name}; }

struct NumberingCase {
  const char* name;
  QStringList taken;  // in /f/, besides what the steps take
  QList<Step> steps;
};

const QString kFits = QString(247, u'n');  // "n... (9).txt" is 255 units long

class NumberedNamesTest : public ::testing::TestWithParam<NumberingCase> {};

// The folder in these cases ignores letter case, as FAT does.
TEST_P(NumberedNamesTest, GivesTheFirstFreeNameAskingFromTheLastOneTaken) {
  QSet<QString> taken;
  for (const QString& name : GetParam().taken) taken.insert(("/f/" + name).toCaseFolded());
  NumberedNames names;
  for (const Step& step : GetParam().steps) {
    if (step.freed) {
      taken.remove(("/f/" + step.name).toCaseFolded());
      names.Freed("/f/" + step.name);
      continue;
    }
    int asked = 0;
    const auto isTaken = [&](const QString& path) {
      ++asked;
      return taken.contains(path.toCaseFolded());
    };
    const Result<QString> got = names.Next(isTaken, "/f/", step.name);
    SCOPED_TRACE(step.name.left(40).toStdString());
    EXPECT_EQ(asked, step.asked);
    if (step.expected.isEmpty()) {
      ASSERT_FALSE(got.ok());
      EXPECT_EQ(got.error().message().left(19), "File name too long:");
      continue;
    }
    ASSERT_TRUE(got.ok()) << got.error().message().toStdString();
    EXPECT_EQ(*got, "/f/" + step.expected);
    taken.insert(got->toCaseFolded());
  }
}

QList<Step> NineFitThenNone() {
  QList<Step> steps;
  for (int n = 1; n <= 9; ++n) {
    steps << NextOf(kFits + ".txt", kFits + " (" + QString::number(n) + ").txt", 1);
  }
  return steps << NextOf(kFits + ".txt", {}, 0) << Free(kFits + " (4).txt")
               << NextOf(kFits + ".txt", kFits + " (4).txt", 1);
}

const NumberingCase kNumberingCases[] = {
    {"InTurn",
     {"report.txt"},
     {NextOf("report.txt", "report (1).txt", 1), NextOf("report.txt", "report (2).txt", 1),
      NextOf("report.txt", "report (3).txt", 1)}},
    {"PastNamesTakenBefore",
     {"report (1).txt", "report (2).txt", "report (4).txt"},
     {NextOf("report.txt", "report (3).txt", 3), NextOf("report.txt", "report (5).txt", 2),
      NextOf("report.txt", "report (6).txt", 1)}},
    {"FreedNameComesBack",
     {},
     {NextOf("report.txt", "report (1).txt", 1), NextOf("report.txt", "report (2).txt", 1),
      NextOf("report.txt", "report (3).txt", 1), Free("report (2).txt"),
      NextOf("report.txt", "report (2).txt", 1), NextOf("report.txt", "report (4).txt", 2)}},
    {"FreedUnderAnotherSpelling",
     {},
     {NextOf("report.txt", "report (1).txt", 1), NextOf("report.txt", "report (2).txt", 1),
      Free("REPORT (1).TXT"), NextOf("report.txt", "report (1).txt", 1)}},
    {"AnotherSpellingAsksFromOne",
     {},
     {NextOf("report.txt", "report (1).txt", 1), NextOf("Report.txt", "Report (2).txt", 2),
      NextOf("report.txt", "report (3).txt", 3)}},
    {"NumbersThatAreNotOnesOfTheFamily",
     {"report (7) (1).txt"},
     {NextOf("report.txt", "report (1).txt", 1), Free("report (0).txt"), Free("report (x).txt"),
      Free("report (7) (1).txt"), NextOf("report.txt", "report (2).txt", 1),
      NextOf("report (7).txt", "report (7) (1).txt", 1)}},
    {"OtherNamesKeepTheirNumbers",
     {},
     {NextOf("a.txt", "a (1).txt", 1), NextOf("b.txt", "b (1).txt", 1), Free("b (1).txt"),
      NextOf("a.txt", "a (2).txt", 1), NextOf("b.txt", "b (1).txt", 1)}},
    {"DotsAndNoExtension",
     {},
     {NextOf(".profile", " (1).profile", 1), NextOf("archive.tar.gz", "archive.tar (1).gz", 1),
      NextOf("README", "README (1)", 1), Free(" (1).profile"), Free("archive.tar (1).gz"),
      NextOf(".profile", " (1).profile", 1), NextOf("archive.tar.gz", "archive.tar (1).gz", 1),
      NextOf("README", "README (2)", 1)}},
    {"TooLongOnceTheNumberGrows", {}, NineFitThenNone()},
};

INSTANTIATE_TEST_SUITE_P(Cases, NumberedNamesTest, ::testing::ValuesIn(kNumberingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberedNamesForgetTest, AsksFromOneAgain) {
  QSet<QString> taken{"/f/report (1).txt", "/f/report (2).txt"};
  int asked = 0;
  const auto isTaken = [&](const QString& path) {
    ++asked;
    return taken.contains(path);
  };
  NumberedNames names;
  ASSERT_EQ(names.Next(isTaken, "/f/", "report.txt").value(), "/f/report (3).txt");
  taken.insert("/f/report (3).txt");
  taken.remove("/f/report (1).txt");  // by another program: nobody tells Freed
  names.Forget();
  asked = 0;
  EXPECT_EQ(names.Next(isTaken, "/f/", "report.txt").value(), "/f/report (1).txt");
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace corvane
