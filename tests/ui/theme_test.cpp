#include "ui/theme.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QPixmap>
#include <QStyle>

#include "support/temp_folder.h"
#include "ui/theme_colours.h"

namespace corvane {
namespace {

using testing::TempFolder;

// Puts the plain look back for the tests that follow.
class PlainLookAfter {
 public:
  PlainLookAfter() : style_(qApp->style()->name()), palette_(QApplication::palette()) {}
  ~PlainLookAfter() {
    QApplication::setStyle(style_);
    QApplication::setPalette(palette_);
  }

 private:
  QString style_;
  QPalette palette_;
};

QByteArray CompiledColours() {
  QFile file(QString::fromUtf16(kThemeResource));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ThemeTest, TheCompiledThemeApplies) {
  PlainLookAfter plain;
  ASSERT_TRUE(ApplyTheme(*qApp).ok());
  EXPECT_EQ(qApp->style()->objectName(), "Allports");
  EXPECT_EQ(QApplication::palette().color(QPalette::Highlight), QColor(0x0a, 0x6f, 0x94));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0xee, 0xf2, 0xf5));
}

TEST(ThemeTest, ThemeColoursWithARoleMissingBadOrTwiceAreRefused) {
  const QByteArray compiled = CompiledColours();
  ASSERT_TRUE(ParseThemeColours(compiled).has_value());
  const struct {
    const char* from;
    const char* to;
  } cases[] = {
      {"status-text       #1d3340", ""},                 // a role missing
      {"status-text       #1d3340", "status-text red"},  // not #rrggbb
      {"status-text       #1d3340", "status-text #12345g"},
      {"status-text       #1d3340", "status-text #0x1d33"},
      {"status-text       #1d3340", "status-text #1d3340\nstatus #1d3340"},  // twice
      {"status-text       #1d3340", "status-text #1d3340\nshadow #000000"},  // unknown
      {"status-text       #1d3340", "status-text #1d3340 #ffffff"},
  };
  for (const auto& c : cases) {
    QByteArray changed = compiled;
    changed.replace(c.from, c.to);
    ASSERT_NE(changed, compiled) << c.from;
    EXPECT_FALSE(ParseThemeColours(changed).has_value()) << c.to;
  }
}

TEST(ThemeTest, AMissingOrBrokenThemeKeepsThePlainLookAndSaysSo) {
  PlainLookAfter plain;
  TempFolder temp;
  const QString broken =
      temp.Create({"broken.colors"}, CompiledColours().replace("accent ", "accents "))[0];
  for (const QString& resource : {QStringLiteral(":/corvane/theme/missing.colors"), broken}) {
    const QString style = qApp->style()->name();
    const QPalette palette = QApplication::palette();
    const Status status = ApplyTheme(*qApp, resource);
    ASSERT_FALSE(status.ok()) << resource.toStdString();
    EXPECT_EQ(status.error().message(), "The theme \"Allports\" could not be applied.");
    EXPECT_EQ(status.error().text(), "The theme \"%s\" could not be applied.");
    EXPECT_EQ(qApp->style()->name(), style);
    EXPECT_NE(qApp->style()->objectName(), "Allports");
    EXPECT_EQ(QApplication::palette(), palette);
  }
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
