#include "engine/pattern_keywords.h"

#include "support/temp_folder.h"
#include "test_images.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::TempFolder;

// 17 October 2026, 12:07:09 UTC: 14:07:09 in Berlin (summer time).
const QDateTime kNowUtc(QDate(2026, 10, 17), QTime(12, 7, 9), QTimeZone::utc());

EngineContext BerlinContext() { return EngineContext::Fixed(kNowUtc, QTimeZone("Europe/Berlin")); }

TRenameItem Holiday() {
  TRenameItem item;
  AssignPath(item, "/photos/Holiday2023.jpg");
  // Half an hour before the new year in UTC, already 2026 in Berlin.
  item.CreatedUtc = QDateTime(QDate(2025, 12, 31), QTime(23, 30), QTimeZone::utc());
  // 09:05:03 in Berlin (winter time).
  item.ModifiedUtc = QDateTime(QDate(2025, 3, 2), QTime(8, 5, 3), QTimeZone::utc());
  return item;
}

struct ExpandCase {
  const char* name;
  const char16_t* text;
  const char16_t* expected;
};

TEST(ExpandFormattedKeywordsTest, DatedFormsNamePiecesAndFormsThatStay) {
  const ExpandCase cases[] = {
      {"date", u"{date:yyyy-MM-dd}", u"2026-10-17"},
      {"keyword in capitals", u"{DATE:YYYY}", u"2026"},
      {"time with separator", u"{time:hh:nn}", u"14:07"},
      {"time twelve hours", u"{time:h:nn am/pm}", u"2:07 pm"},
      {"date holds a time too", u"{date:hh}", u"14"},
      {"day name", u"{date:dddd}", u"Saturday"},
      {"quoted word", u"{date:'Week' ww}", u"Week ww"},
      {"created across the new year", u"{created:yyyy}", u"2026"},
      {"created date", u"{Created:yyyyMMdd}", u"20260101"},
      {"modified stamp", u"{modified:yyyy-MM-dd_HH-mm-ss}", u"2025-03-02_09-05-03"},
      {"surrounding text", u"a{date:yy}b{time:nn}c", u"a26b07c"},
      {"empty format stays", u"{date:}", u"{date:}"},
      {"unknown word stays", u"{today:yyyy}", u"{today:yyyy}"},
      {"unclosed form stays", u"{date:yyyy", u"{date:yyyy"},
      {"plain keyword stays", u"{date}_{name}", u"{date}_{name}"},
      {"name 1:7", u"{name:1:7}", u"Holiday"},
      {"name -4:4", u"{name:-4:4}", u"2023"},
      {"name 0:3", u"{name:0:3}", u"Hol"},
      {"name 8:99", u"{name:8:99}", u"2023"},
      {"name 12:3", u"{name:12:3}", u""},
      {"name 13:3", u"{name:13:3}", u""},
      {"name 3:-1", u"{name:3:-1}", u""},
      {"name -100:3", u"{name:-100:3}", u"Hol"},
      {"name -11:2", u"{name:-11:2}", u"Ho"},
      {"name in capitals", u"{NAME:1:3}", u"Hol"},
      {"start beyond 32 bits", u"{name:99999999999:3}", u"Hol"},
      {"count beyond 32 bits", u"{name:5:99999999999}", u"day2023"},
      {"smallest start", u"{name:-2147483648:2}", u"Ho"},
      {"letters stay", u"{name:a:b}", u"{name:a:b}"},
      {"one number stays", u"{name:3}", u"{name:3}"},
      {"nested piece completes a form", u"{name:1:{name:-1:1}}", u"Hol"},
      {"date before name", u"{name:1:7}_{date:yyyy}", u"Holiday_2026"},
      {"unrelated braces", u"{foo}", u"{foo}"},
  };
  const KeywordExpander expander(BerlinContext());
  const TRenameItem item = Holiday();
  for (const ExpandCase& c : cases) {
    EXPECT_EQ(expander.Expand(QString::fromUtf16(c.text), item), QString::fromUtf16(c.expected))
        << "case " << c.name;
  }
}

TEST(ExpandFormattedKeywordsTest, NamePiecesUseTheNameBeforeEdits) {
  TRenameItem item = Holiday();
  // The base name may have lost characters already; the pieces read OriginalName.
  EXPECT_EQ(ExpandFormattedKeywords("{name:1:3}-liday2023", item, BerlinContext()),
            "Hol-liday2023");
}

TEST(ExpandFormattedKeywordsTest, ReadsTheClockAtEveryMatch) {
  EngineContext context = BerlinContext();
  int readings = 0;
  context.nowUtc = [&readings] { return kNowUtc.addSecs(60 * readings++); };
  const KeywordExpander expander(context);
  EXPECT_EQ(expander.Expand("{time:nn}-{time:nn}-{date:nn}", Holiday()), "07-08-09");
  EXPECT_EQ(readings, 3);
}

TEST(ExpandFormattedKeywordsTest, UnreadableTimesAreTheZeroTime) {
  TRenameItem item = Holiday();
  item.CreatedUtc = ZeroTime();
  item.ModifiedUtc = QDateTime();
  const EngineContext context = EngineContext::Fixed(kNowUtc, QTimeZone::utc());
  EXPECT_EQ(
      ExpandFormattedKeywords("{created:yyyy-mm-dd}|{modified:yyyy-mm-dd hh:nn}", item, context),
      "1899-12-30|1899-12-30 00:00");
}

// A file name that is itself a complete form: searching again from the start
// would insert the same form forever.
TEST(ExpandFormattedKeywordsTest, SelfReferringNameEnds) {
  TempFolder folder;
  const QString path = folder.Create({"{name:1:11}.txt"}).first();
  TRenameItem item;
  AssignPath(item, path);
  ASSERT_EQ(item.OriginalName, "{name:1:11}");
  const KeywordExpander expander(BerlinContext());
  EXPECT_EQ(expander.Expand("{name:1:11}", item), "{name:1:11}");
  EXPECT_EQ(expander.Expand("<{name:1:11}|{name:2:4}>", item), "<{name:1:11}|name>");
  // A piece without a closing brace still lets a later form complete.
  EXPECT_EQ(expander.Expand("{name:1:6}1:3}", item), "{na");
}

TEST(ExpandFormattedKeywordsTest, DateTextThatRebuildsItsFormEnds) {
  EngineContext context = BerlinContext();
  context.regional.longDayNames.fill("{date:dddd}");
  const KeywordExpander expander(context);
  EXPECT_EQ(expander.Expand("{date:dddd} {date:yyyy}", Holiday()), "{date:dddd} 2026");
}

TEST(ExpandFormattedKeywordsTest, ImageSizeKeywords) {
  TempFolder folder;
  const QByteArray jpeg = testing::JpegBytes(1920, 1080);
  const QString photo = folder.Create({"photo.jpg"}, jpeg).first();
  const QString mislabelled = folder.Create({"photo.dat"}, jpeg).first();
  const QString text = folder.Create({"notes.txt"}, "just text").first();
  const QString png = folder.Create({"icon.PNG"}, testing::PngBytes(33, 17)).first();
  const KeywordExpander expander(BerlinContext());
  struct Case {
    const char* name;
    QString path;
    const char16_t* pattern;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"jpeg", photo, u"{imgw}x{imgh}", u"1920x1080"},
      {"keywords in any case, repeated", photo, u"{IMGH}-{ImgW}-{imgh}", u"1080-1920-1080"},
      {"png", png, u"{imgw}x{imgh}", u"33x17"},
      {"jpeg content named .dat", mislabelled, u"{imgw}x{imgh}", u"x"},
      {"text file", text, u"{imgw}x{imgh}", u"x"},
      {"missing file", folder.file("gone.jpg"), u"{imgw}x{imgh}", u"x"},
      {"no keyword", photo, u"{img}{imgx}", u"{img}{imgx}"},
  };
  for (const Case& c : cases) {
    TRenameItem item;
    AssignPath(item, c.path);
    EXPECT_EQ(expander.Expand(QString::fromUtf16(c.pattern), item), QString::fromUtf16(c.expected))
        << "case " << c.name;
  }
}

TEST(ExpandFormattedKeywordsTest, ExpanderOutlivesItsContext) {
  std::optional<KeywordExpander> expander;
  {
    const EngineContext context = BerlinContext();
    expander.emplace(context);
  }
  EXPECT_EQ(expander->Expand("{date:yyyy}{name:1:3}", Holiday()), "2026Hol");
}

}  // namespace
}  // namespace corvane
