// The action table on its own: the actions it makes, what they run, and the
// list commands switched off and on together.
#include "ui/action_table.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QObject>

namespace corvane {
namespace {

class ActionTableTest : public ::testing::Test {
 protected:
  std::vector<ActionRow> Rows() {
    const auto record = [this](const char* name) {
      return [this, name](bool checked) {
        ran_ << QString::fromLatin1(name) + u':' + (checked ? u'1' : u'0');
      };
    };
    return {
        {"listOne", nullptr, u"Add Files...", QKeySequence(Qt::Key_F5), record("listOne"), true},
        {"anyTime", nullptr, u"Exit", QKeySequence(), record("anyTime"), false},
        {"listTwo", nullptr, u"Clear list", QKeySequence(), record("listTwo"), true},
        {"toggle", nullptr, u"Live preview", QKeySequence(), record("toggle"), false, true},
    };
  }

  QObject owner_;
  QStringList ran_;
};

TEST_F(ActionTableTest, EachRowMakesANamedCaptionedActionThatRunsItsHandler) {
  ActionTable table(Rows(), owner_);
  struct Case {
    const char* name;
    const char* text;
    QKeySequence shortcut;
  };
  const Case cases[] = {{"listOne", "Add Files...", QKeySequence(Qt::Key_F5)},
                        {"anyTime", "Exit", QKeySequence()},
                        {"toggle", "Live preview", QKeySequence()}};
  for (const Case& c : cases) {
    QAction* action = table[c.name];
    EXPECT_EQ(action->objectName(), c.name);
    EXPECT_EQ(action->parent(), &owner_) << c.name;
    EXPECT_EQ(action->text(), c.text) << c.name;
    EXPECT_EQ(action->toolTip(), c.text) << c.name;
    EXPECT_EQ(action->shortcut(), c.shortcut) << c.name;
  }
  // A checkable action starts as its row says without running its handler.
  EXPECT_TRUE(table["toggle"]->isChecked());
  EXPECT_TRUE(ran_.isEmpty());
  table["anyTime"]->trigger();
  table["toggle"]->trigger();
  EXPECT_EQ(ran_, QStringList({"anyTime:0", "toggle:0"}));
}

TEST_F(ActionTableTest, EveryActionIsEnabledExactlyWhenItsRowMayRunNow) {
  const std::vector<ActionRow> rows = Rows();
  ActionTable table(rows, owner_);
  for (const bool mayRun : {false, true, false, true}) {
    table.EnableListCommands(mayRun);
    for (const ActionRow& row : rows) {
      EXPECT_EQ(table[row.name]->isEnabled(), mayRun || !row.listCommand) << row.name << mayRun;
    }
  }
}

}  // namespace
}  // namespace corvane
