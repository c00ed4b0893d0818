#include "engine/new_name.h"
#include "engine/preview.h"

#include "engine/test_images.h"
#include "engine/test_photos.h"
#include "support/temp_folder.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::kDateTimeOriginal;
using testing::TaggedJpeg;
using testing::TempFolder;

const QTimeZone kBerlin("Europe/Berlin");
const EngineContext kContext =
    EngineContext::Fixed(QDateTime(QDate(2026, 10, 17), QTime(12, 7, 9), Qt::UTC), kBerlin);
// Half an hour before the new year in UTC, already 2025 in Berlin.
const QDateTime kModifiedUtc(QDate(2024, 12, 31), QTime(23, 30, 15), Qt::UTC);

// The files of the table: a photo taken on 4 July 2021, one whose tag is
// malformed, a text file, a movie created at 10:20 UTC and a damaged JPEG.
struct Files {
  TempFolder folder;
  QString photo =
      folder.Create({"photo.jpg"}, TaggedJpeg({{kDateTimeOriginal, "2021:07:04 15:30:12"}}))
          .first();
  QString malformed =
      folder.Create({"bad.jpg"}, TaggedJpeg({{kDateTimeOriginal, "2021:00:04 15:30:12"}})).first();
  QString text = folder.Create({"notes.txt"}, "words").first();
  QString movie =
      folder
          .Create({"clip.mp4"},
                  testing::MovieBytes(
                      "isom", 1,
                      testing::kMovieEpochToUnix +
                          uint64_t(QDateTime(QDate(2023, 6, 1), QTime(10, 20, 30), Qt::UTC)
                                       .toSecsSinceEpoch())))
          .first();
  QString damaged =
      folder.Create({"cut.jpg"}, TaggedJpeg({{kDateTimeOriginal, "2021:07:04 15:30:12"}}).left(30))
          .first();
};

TRenameItem ItemAt(const QString& path) {
  TRenameItem item;
  AssignPath(item, path);
  item.ModifiedUtc = kModifiedUtc;
  item.CreatedUtc = kModifiedUtc;
  return item;
}

QString NewName(const TRenameItem& item, const QString& pattern) {
  RenameOptions options;
  options.pattern = pattern;
  return ComputeNewName(item, options, "001", kContext).value();
}

TEST(TakenKeywordsTest, DateTakenOrElseTheModifiedTime) {
  const Files files;
  const struct {
    const char* name;
    QString path;
    const char16_t* pattern;
    const char16_t* expected;
  } cases[] = {
      {"photo", files.photo, u"{taken}", u"20210704.jpg"},
      {"photo in capitals", files.photo, u"{TAKEN}_{Taken:YYYY}", u"20210704_2021.jpg"},
      {"photo with a format", files.photo, u"{taken:yyyy-mm-dd hh.nn.ss}",
       u"2021-07-04 15.30.12.jpg"},
      {"photo twice", files.photo, u"{taken}-{taken:hhnn}-{name}", u"20210704-1530-photo.jpg"},
      {"movie in the zone", files.movie, u"{taken:yyyymmdd hhnn}", u"20230601 1220.mp4"},
      {"text falls back", files.text, u"{taken}", u"20250101.txt"},
      {"text falls back with a format", files.text, u"{taken:yyyy-mm-dd hh.nn}",
       u"2025-01-01 00.30.txt"},
      {"malformed tag falls back", files.malformed, u"{taken}", u"20250101.jpg"},
      {"damaged photo falls back", files.damaged, u"{taken:yyyy}", u"2025.jpg"},
      {"beside the present's forms", files.photo, u"{date:yyyy}-{taken:yyyy}-{time:hh}",
       u"2026-2021-14.jpg"},
      {"other keywords stay", files.photo, u"{takenx}{taken:}", u"{takenx}{taken_}.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NewName(ItemAt(c.path), QString::fromUtf16(c.pattern)),
              QString::fromUtf16(c.expected))
        << c.name;
  }
}

TEST(TakenKeywordsTest, FallbackIsWhatModifiedGives) {
  const Files files;
  for (const QString& path : {files.text, files.malformed, files.damaged}) {
    const TRenameItem item = ItemAt(path);
    EXPECT_EQ(NewName(item, "{taken}"), NewName(item, "{modified}")) << path.toStdString();
    EXPECT_EQ(NewName(item, "{taken:dd hh nn ss}"), NewName(item, "{modified:dd hh nn ss}"))
        << path.toStdString();
  }
}

TEST(TakenKeywordsTest, HeldDateTakenIsUsedAsHeld) {
  const Files files;
  TRenameItem held = ItemAt(files.text);
  held.TakenLocal = QDateTime(QDate(1999, 9, 9), QTime(9, 9), Qt::UTC);
  EXPECT_EQ(NewName(held, "{taken}_{taken:hhnn}"), "19990909_0909.txt");
  TRenameItem none = ItemAt(files.photo);
  none.TakenLocal = QDateTime();
  EXPECT_EQ(NewName(none, "{taken}"), "20250101.jpg");
}

// A preview reports the dates it read, for rows that held none, and only for
// patterns that use them; items that keep them are not read again.
TEST(TakenKeywordsTest, PreviewReportsWhatItRead) {
  const Files files;
  TRenameItem held = ItemAt(files.movie);
  held.TakenLocal = QDateTime(QDate(1999, 9, 9), QTime(9, 9), Qt::UTC);
  const QList<TRenameItem> items = {ItemAt(files.photo), ItemAt(files.text), held};
  const struct {
    const char16_t* pattern;
    QList<TakenTimeRead> read;
    bool usedTimes;
  } cases[] = {
      {u"{name}", {}, false},
      {u"{size}", {}, true},
      {u"{taken:yyyy}",
       {{0, QDateTime(QDate(2021, 7, 4), QTime(15, 30, 12), Qt::UTC)}, {1, QDateTime()}},
       true},
      {u"x{taken}",
       {{0, QDateTime(QDate(2021, 7, 4), QTime(15, 30, 12), Qt::UTC)}, {1, QDateTime()}},
       true},
  };
  for (const auto& c : cases) {
    RenameOptions options;
    options.pattern = QString::fromUtf16(c.pattern);
    const Result<PreviewOutcome> preview = BuildPreview(items, options, kContext);
    ASSERT_TRUE(preview.ok());
    ASSERT_EQ(preview->takenTimesRead.size(), c.read.size()) << options.pattern.toStdString();
    for (qsizetype i = 0; i < c.read.size(); ++i) {
      EXPECT_EQ(preview->takenTimesRead[i].row, c.read[i].row);
      EXPECT_EQ(preview->takenTimesRead[i].local, c.read[i].local);
    }
    EXPECT_EQ(preview->usedSizesOrTimes, c.usedTimes) << options.pattern.toStdString();
  }
}

TEST(TakenKeywordsTest, PhotosWithADateTakenNeedNoFileTimes) {
  const Files files;
  RenameOptions options;
  options.pattern = "{taken}";
  const Result<PreviewOutcome> photos =
      BuildPreview({ItemAt(files.photo), ItemAt(files.movie)}, options, kContext);
  ASSERT_TRUE(photos.ok());
  EXPECT_FALSE(photos->usedSizesOrTimes);
  EXPECT_EQ(photos->newNames, QStringList({"20210704.jpg", "20230601.mp4"}));
}

}  // namespace
}  // namespace corvane
