#include "engine/new_name.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct ExtCaseRow {
  const char* label;
  const char16_t* path;
  const char16_t* newExt;  // nullptr: the extension is kept
  const char16_t* unchanged;
  const char16_t* lower;
  const char16_t* upper;
};

// The name part keeps its letters whatever the extension's case; the name's
// own Case option is set to title case to show that it still acts on the name
// only.
const ExtCaseRow kRows[] = {
    {"plain", u"/p/Photo.JPG", nullptr, u"Photo.JPG", u"Photo.jpg", u"Photo.JPG"},
    {"mixed", u"/p/photo.JpEg", nullptr, u"photo.JpEg", u"photo.jpeg", u"photo.JPEG"},
    {"new extension", u"/p/Photo.jpg", u"TiF", u"Photo.TiF", u"Photo.tif", u"Photo.TIF"},
    {"new extension with dot", u"/p/a.txt", u".Md", u"a.Md", u"a.md", u"a.MD"},
    {"no extension", u"/p/ReadMe", nullptr, u"ReadMe", u"ReadMe", u"ReadMe"},
    {"extension removed", u"/p/a.TXT", u"", u"a", u"a", u"a"},
    {"dotfile", u"/p/.Bashrc", nullptr, u".Bashrc", u".bashrc", u".BASHRC"},
    {"several dots", u"/p/Archive.Tar.GZ", nullptr, u"Archive.Tar.GZ", u"Archive.Tar.gz",
     u"Archive.Tar.GZ"},
    {"non-ASCII", u"/p/x.Ä", nullptr, u"x.Ä", u"x.ä", u"x.Ä"},
};

QString NewName(const ExtCaseRow& row, int extCase, int caseMode = 0,
                const QLocale& locale = QLocale::c()) {
  TRenameItem item;
  AssignPath(item, QString::fromUtf16(row.path));
  RenameOptions options;
  options.caseMode = caseMode;
  options.extCase = extCase;
  if (row.newExt) {
    options.changeExt = true;
    options.newExt = QString::fromUtf16(row.newExt);
  }
  EngineContext context = EngineContext::Fixed(
      QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()), QTimeZone::utc());
  context.caseLocale = locale;
  const Result<QString> name = ComputeNewName(item, options, QStringLiteral("001"), context);
  EXPECT_TRUE(name.ok()) << row.label;
  return name.ok() ? *name : QString();
}

TEST(ExtensionCaseTest, EachModeOnEachShapeOfName) {
  for (const ExtCaseRow& row : kRows) {
    EXPECT_EQ(NewName(row, 0), QString::fromUtf16(row.unchanged)) << row.label;
    EXPECT_EQ(NewName(row, 1), QString::fromUtf16(row.lower)) << row.label;
    EXPECT_EQ(NewName(row, 2), QString::fromUtf16(row.upper)) << row.label;
  }
}

TEST(ExtensionCaseTest, NoSelectionOrAValueOutsideTheListLeavesTheExtension) {
  for (const int extCase : {-1, 3, 99}) {
    EXPECT_EQ(NewName(kRows[0], extCase), "Photo.JPG") << extCase;
  }
}

TEST(ExtensionCaseTest, TheNameCaseNeverReachesTheExtension) {
  struct Row {
    int caseMode;
    int extCase;
    const char* expected;
  };
  const ExtCaseRow& row = kRows[1];  // photo.JpEg
  const Row rows[] = {{1, 0, "photo.JpEg"}, {2, 0, "PHOTO.JpEg"}, {3, 0, "Photo.JpEg"},
                      {2, 1, "PHOTO.jpeg"}, {1, 2, "photo.JPEG"}, {3, 2, "Photo.JPEG"}};
  for (const Row& r : rows) {
    EXPECT_EQ(NewName(row, r.extCase, r.caseMode), r.expected) << r.caseMode << " " << r.extCase;
  }
}

TEST(ExtensionCaseTest, FollowsTheLocaleOfTheNameCase) {
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  struct Row {
    const char16_t* path;
    int extCase;
    QLocale locale;
    const char16_t* expected;
  };
  const Row rows[] = {{u"/p/a.Iso", 1, turkish, u"a.ıso"},
                      {u"/p/a.iso", 2, turkish, u"a.İSO"},
                      {u"/p/a.Iso", 1, QLocale::c(), u"a.iso"},
                      {u"/p/a.iso", 2, QLocale::c(), u"a.ISO"}};
  for (const Row& r : rows) {
    const ExtCaseRow row{"locale", r.path, nullptr, nullptr, nullptr, nullptr};
    EXPECT_EQ(NewName(row, r.extCase, 0, r.locale), QString::fromUtf16(r.expected))
        << r.locale.name().toStdString() << " " << r.extCase;
  }
}

}  // namespace
}  // namespace corvane
