// The option tables on their own: every field written and read back through
// its control, and the window's tab order following the tables.
#include "ui/option_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <memory>

#include "ui/option_rows.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

// The group boxes that `rows` name, each with its grid, under one root.
std::unique_ptr<QWidget> RootWithGroups(std::span<const OptionRow> rows) {
  auto root = std::make_unique<QWidget>();
  auto* column = new QVBoxLayout(root.get());
  for (const OptionRow& row : rows) {
    if (!row.group || root->findChild<QWidget*>(QString::fromLatin1(row.group))) continue;
    auto* group = new QGroupBox;
    group->setObjectName(QString::fromLatin1(row.group));
    new QGridLayout(group);
    column->addWidget(group);
  }
  return root;
}

TEST(OptionFormTest, TheTablesWriteAndReadBackEveryFieldOfAValueUnchanged) {
  const RenameOptions chosen = testing::EveryOptionChanged();
  RenameOptions read;
  for (const std::span<const OptionRow> rows :
       {OptionsPanelRows(), OperationRows(), SettingsRows()}) {
    const std::unique_ptr<QWidget> root = RootWithGroups(rows);
    OptionForm form(rows, *root);
    form.Write(chosen);
    form.ReadInto(read);
  }
  EXPECT_EQ(read, chosen);
}

TEST(OptionFormTest, AChoiceOutsideItsEntriesSelectsNone) {
  const std::unique_ptr<QWidget> root = RootWithGroups(OperationRows());
  OptionForm form(OperationRows(), *root);
  for (const int outside : {-1, 3, 99}) {
    RenameOptions options;
    options.batchMode = outside;
    form.Write(options);
    RenameOptions read;
    form.ReadInto(read);
    EXPECT_EQ(read.batchMode, kNoSelection) << outside;
  }
}

using OptionTabOrderTest = testing::WindowTest;

TEST_F(OptionTabOrderTest, TabWalksTheOptionsInTheOrderOfTheTables) {
  // The controls enabled only by another's value are enabled first.
  Find<QCheckBox>("chkNewExt")->setChecked(true);
  Find<QComboBox>("cbBatchMode")->setCurrentIndex(1);
  QStringList expected;
  for (const OptionRow& row : OptionsPanelRows()) {
    if (row.place == OptionPlace::kHidden) continue;
    expected << QString::fromLatin1(row.name);
    if (row.place == OptionPlace::kBesideButton) expected << "Button1";  // the pattern help
  }
  expected << "lvFiles";
  for (const OptionRow& row : OperationRows()) expected << QString::fromLatin1(row.name);
  expected << "Button2";  // the destination picker

  Find("edtFind")->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (int step = 0; step < expected.size(); ++step) {
    // A number box's focus sits in its line edit.
    QWidget* focused = QApplication::focusWidget();
    while (focused && !expected.contains(focused->objectName())) focused = focused->parentWidget();
    ASSERT_NE(focused, nullptr) << visited.join(u' ').toStdString();
    visited << focused->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, expected);
}

}  // namespace
}  // namespace corvane
