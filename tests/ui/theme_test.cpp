#include "ui/theme.h"

#include <QApplication>
#include <QPixmap>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ThemeTest, TheCompiledStyleSheetApplies) {
  qApp->setStyleSheet(QString());
  ASSERT_TRUE(ApplyTheme(*qApp).ok());
  EXPECT_TRUE(qApp->styleSheet().contains(u"QToolBar#Panel1"));
  qApp->setStyleSheet(QString());
}

TEST(ThemeTest, AMissingStyleSheetKeepsThePlainLookAndSaysSo) {
  qApp->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
  const Status status = ApplyTheme(*qApp, QStringLiteral(":/corvane/theme/missing.qss"));
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "The theme \"Allports\" could not be applied.");
  EXPECT_EQ(status.error().text(), "The theme \"%s\" could not be applied.");
  EXPECT_EQ(qApp->styleSheet(), "QLabel { color: red; }");
  qApp->setStyleSheet(QString());
}

TEST(ThemeTest, EveryIconIsCompiledInAndDrawsSharpAtAnySize) {
  const char* names[] = {"plus",        "cross",   "eye",  "write",       "reply",  "save",
                         "folder-open", "setting", "info", "update-icon", "corvane"};
  for (const char* name : names) {
    const QIcon icon = ProgramIcon(QString::fromLatin1(name));
    for (const int size : {16, 28, 64}) {
      const QPixmap pixmap = icon.pixmap(QSize(size, size), 2.0);
      EXPECT_EQ(pixmap.width(), 2 * size) << name << " at " << size;
      const QImage image = pixmap.toImage();
      int drawn = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
      }
      EXPECT_GT(drawn, image.width()) << name << " at " << size << " drew almost nothing";
    }
  }
}

}  // namespace
}  // namespace corvane
