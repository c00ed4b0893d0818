#include "ui/startup.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QTimeZone>

#include "support/temp_folder.h"
#include "ui/scripted_dialogs.h"

namespace corvane {
namespace {

using testing::ScriptedDialogs;
using testing::TempFolder;

TEST(StartupTest, PathsOnTheCommandLineOpenTheWindowWithThemAddedAsADropAddsThem) {
  TempFolder temp;
  temp.Create({"here/a.txt", "here/pics/b.jpg", "here/pics/deeper/c.jpg"});
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(temp.file("here")));
  ScriptedDialogs dialogs;
  const WindowServices services{
      RealFileSystem(), temp.file("log.csv"),
      EngineContext::Fixed(QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()),
                           QTimeZone::utc())};
  const QString plainStyle = qApp->style()->name();
  const QPalette plainPalette = QApplication::palette();
  const auto window = StartMainWindow(*qApp, dialogs, services, {"a.txt", "pics", "gone.txt"});
  QDir::setCurrent(before);

  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Corvane 2.4");
  EXPECT_EQ(qApp->style()->objectName(), "Allports") << "theme applied";
  QStringList paths;
  for (const TRenameItem& item : window->items().items()) paths << item.OriginalPath;
  // Relative paths made absolute; a folder's own files only; what is not there passed over.
  EXPECT_EQ(paths, QStringList({temp.file("here/a.txt"), temp.file("here/pics/b.jpg")}));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("StatusText"))->text(), "Files: 2");
  EXPECT_TRUE(dialogs.messages.isEmpty());
  QApplication::setStyle(plainStyle);
  QApplication::setPalette(plainPalette);
}

}  // namespace
}  // namespace corvane
