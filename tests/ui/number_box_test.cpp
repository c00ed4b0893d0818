#include "ui/number_box.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace corvane {
namespace {

class NumberBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box_.show();
    box_.activateWindow();
    box_.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box_));
  }
  NumberBox box_;
};

TEST_F(NumberBoxTest, TypingTakesDigitsOnly) {
  box_.setValue(QString());
  QTest::keyClicks(&box_, QStringLiteral("1a2 -3.x"));
  EXPECT_EQ(box_.value(), "123");
}

TEST_F(NumberBoxTest, PastedTextIsKeptAsItIs) {
  box_.setValue(QString());
  QGuiApplication::clipboard()->setText(QStringLiteral("7 px"));
  QTest::keyClick(&box_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box_.value(), "7 px");
}

TEST_F(NumberBoxTest, ArrowsStepBetweenZeroAndHundredWithoutWrapping) {
  struct Case {
    const char* start;
    Qt::Key key;
    int presses;
    const char* end;
  };
  const Case cases[] = {
      {"5", Qt::Key_Up, 1, "6"},       {"5", Qt::Key_Down, 2, "3"},  {"99", Qt::Key_Up, 3, "100"},
      {"1", Qt::Key_Down, 3, "0"},     {"0", Qt::Key_Down, 1, "0"},  {"100", Qt::Key_Up, 1, "100"},
      {"250", Qt::Key_Down, 1, "100"}, {"text", Qt::Key_Up, 1, "1"},
  };
  for (const Case& c : cases) {
    box_.setValue(QString::fromLatin1(c.start));
    for (int i = 0; i < c.presses; ++i) QTest::keyClick(&box_, c.key);
    EXPECT_EQ(box_.value(), c.end) << c.start << " key " << c.key << " x" << c.presses;
  }
}

}  // namespace
}  // namespace corvane
