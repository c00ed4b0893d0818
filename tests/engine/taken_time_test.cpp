#include "engine/taken_time.h"

#include "engine/taken_time_readers.h"
#include "engine/test_images.h"
#include "engine/test_photos.h"
#include "support/temp_folder.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

using testing::Be32;
using testing::kDateTime;
using testing::kDateTimeDigitized;
using testing::kDateTimeOriginal;
using testing::kMovieEpochToUnix;
using testing::MovieBox;
using testing::MovieBox64;
using testing::MovieBytes;
using testing::MovieHeaderBox;
using testing::TaggedJpeg;
using testing::TempFolder;

// Movie times are UTC; the reader shows them in this zone (summer time in
// June: two hours ahead).
const QTimeZone kBerlin("Europe/Berlin");

QDateTime Floating(int y, int mo, int d, int h, int mi, int s) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// 2023-06-01 10:20:30 UTC in seconds after the movie epoch.
const uint64_t kMovieCreated =
    kMovieEpochToUnix +
    uint64_t(QDateTime(QDate(2023, 6, 1), QTime(10, 20, 30), Qt::UTC).toSecsSinceEpoch());
const QDateTime kMovieInBerlin = Floating(2023, 6, 1, 12, 20, 30);

QByteArray Ftyp() { return MovieBox("ftyp", "isom" + Be32(0) + "isom"); }

struct ReadCase {
  const char* name;
  const char* file;
  QByteArray content;
  std::optional<QDateTime> expected;
};

QList<ReadCase> ReadCases() {
  const QByteArray header = MovieHeaderBox(0, kMovieCreated);
  const QByteArray moov = MovieBox("moov", header);
  return {
      {"original", "a.jpg", TaggedJpeg({{kDateTimeOriginal, "2021:07:04 15:30:12"}}),
       Floating(2021, 7, 4, 15, 30, 12)},
      {"digitized only", "b.jpg", TaggedJpeg({{kDateTimeDigitized, "2020:01:02 03:04:05"}}),
       Floating(2020, 1, 2, 3, 4, 5)},
      {"date-time only", "c.JPG", TaggedJpeg({{kDateTime, "2019:12:31 23:59:59"}}),
       Floating(2019, 12, 31, 23, 59, 59)},
      {"original before the others", "d.jpeg",
       TaggedJpeg({{kDateTime, "2001:01:01 01:01:01"},
                   {kDateTimeDigitized, "2002:02:02 02:02:02"},
                   {kDateTimeOriginal, "2003:03:03 03:03:03"}}),
       Floating(2003, 3, 3, 3, 3, 3)},
      {"digitized before date-time", "e.jpg",
       TaggedJpeg(
           {{kDateTime, "2001:01:01 01:01:01"}, {kDateTimeDigitized, "2002:02:02 02:02:02"}}),
       Floating(2002, 2, 2, 2, 2, 2)},
      {"malformed original falls to date-time", "f.jpg",
       TaggedJpeg({{kDateTimeOriginal, "2021-07-04 15:30:12"}, {kDateTime, "2018:08:08 08:08:08"}}),
       Floating(2018, 8, 8, 8, 8, 8)},
      {"no tags", "g.jpg", TaggedJpeg({}), std::nullopt},
      {"dashes", "h.jpg", TaggedJpeg({{kDateTimeOriginal, "2021-07-04 15:30:12"}}), std::nullopt},
      {"impossible day", "i.jpg", TaggedJpeg({{kDateTimeOriginal, "2021:02:30 10:00:00"}}),
       std::nullopt},
      {"hour 24", "j.jpg", TaggedJpeg({{kDateTimeOriginal, "2021:02:03 24:00:00"}}), std::nullopt},
      {"all zeros", "k.jpg", TaggedJpeg({{kDateTimeOriginal, "0000:00:00 00:00:00"}}),
       std::nullopt},
      {"blank", "l.jpg", TaggedJpeg({{kDateTimeOriginal, "    :  :     :  :  "}}), std::nullopt},
      {"date alone", "m.jpg", TaggedJpeg({{kDateTimeOriginal, "2021:07:04"}}), std::nullopt},
      {"png", "n.png",
       testing::WithExifTags(testing::PngBytes(8, 8), {{kDateTimeOriginal, "2022:11:12 13:14:15"}}),
       Floating(2022, 11, 12, 13, 14, 15)},
      {"tagged jpeg named txt", "o.txt", TaggedJpeg({{kDateTimeOriginal, "2021:07:04 15:30:12"}}),
       Floating(2021, 7, 4, 15, 30, 12)},
      {"mp4 version 0", "p.mp4", MovieBytes("isom", 0, kMovieCreated), kMovieInBerlin},
      {"mov version 1", "q.mov", MovieBytes("qt  ", 1, kMovieCreated), kMovieInBerlin},
      {"3gp", "r.3gp", MovieBytes("3gp5", 0, kMovieCreated), kMovieInBerlin},
      {"movie named jpg", "s.jpg", MovieBytes("isom", 0, kMovieCreated), kMovieInBerlin},
      {"64-bit size before moov", "t.mp4", Ftyp() + MovieBox64("mdat", QByteArray(40, 'x')) + moov,
       kMovieInBerlin},
      {"64-bit moov", "u.mp4", Ftyp() + MovieBox64("moov", header), kMovieInBerlin},
      {"moov running to the end", "v.mp4", Ftyp() + Be32(0) + "moov" + header, kMovieInBerlin},
      {"mvhd after another box", "w.mov",
       MovieBox("wide", {}) + MovieBox("moov", MovieBox("trak", QByteArray(20, 't')) + header),
       kMovieInBerlin},
      {"creation time zero", "x.mp4", MovieBytes("isom", 0, 0), std::nullopt},
      {"no moov", "y.mp4", Ftyp() + MovieBox("mdat", QByteArray(16, 'x')), std::nullopt},
      {"moov cut short", "z.mp4", Ftyp() + moov.left(moov.size() - 60), std::nullopt},
      {"moov size past the end", "aa.mp4", Ftyp() + Be32(moov.size() + 1000) + moov.mid(4),
       std::nullopt},
      {"mvhd size past moov", "ab.mp4",
       Ftyp() + MovieBox("moov", Be32(header.size() + 8) + header.mid(4)), std::nullopt},
      {"box smaller than its header", "ac.mp4", Ftyp() + Be32(4) + "moov" + header, std::nullopt},
      {"64-bit size smaller than its header", "ad.mp4",
       Ftyp() + Be32(1) + "moov" + testing::Be64(12) + header, std::nullopt},
      {"mvhd of an unknown version", "ae.mp4", MovieBytes("isom", 2, kMovieCreated), std::nullopt},
      {"empty", "af.jpg", QByteArray(), std::nullopt},
      {"text", "ag.txt", "just some words", std::nullopt},
  };
}

TEST(ReadTakenTimeTest, ReadsExifAndMovieTimesAndRejectsTheRest) {
  TempFolder folder;
  for (const ReadCase& c : ReadCases()) {
    const QString path = folder.Create({c.file}, c.content).first();
    const std::optional<QDateTime> taken = ReadTakenTime(path, kBerlin);
    EXPECT_EQ(taken, c.expected) << "case " << c.name << ": read "
                                 << (taken ? taken->toString().toStdString() : "none");
  }
}

TEST(ReadTakenTimeTest, MissingFileAndFolderHaveNone) {
  TempFolder folder;
  EXPECT_EQ(ReadTakenTime(folder.file("missing.jpg"), kBerlin), std::nullopt);
  EXPECT_EQ(ReadTakenTime(folder.CreateFolder("album.jpg"), kBerlin), std::nullopt);
}

TEST(ParseExifDateTimeTest, TrailingNulsAndSpacesAreIgnored) {
  const struct {
    std::string_view text;
    std::optional<QDateTime> expected;
  } cases[] = {
      {std::string_view("2021:07:04 15:30:12\0", 20), Floating(2021, 7, 4, 15, 30, 12)},
      {"2021:07:04 15:30:12  ", Floating(2021, 7, 4, 15, 30, 12)},
      {" 2021:07:04 15:30:12", std::nullopt},
      {"2021:07:04 15:30:1x", std::nullopt},
      {"2021:13:04 15:30:12", std::nullopt},
      {"2021:07:04 15:60:12", std::nullopt},
      {"2021:07:04T15:30:12", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseExifDateTime(c.text), c.expected) << c.text;
}

// Whatever the damage, a file gives a valid time or none, and never crashes.
void ExpectValidOrNone(const TempFolder& folder, const QString& label, const QByteArray& bytes) {
  const QString path = folder.Create({"damaged"}, bytes).first();
  const std::optional<QDateTime> taken = ReadTakenTime(path, kBerlin);
  EXPECT_TRUE(!taken || taken->isValid()) << label.toStdString();
}

TEST(ReadTakenTimeTest, DamagedImagesHaveNone) {
  TempFolder folder;
  for (const testing::DamagedImage& damaged : testing::DamagedJpegsAndPngs()) {
    const QString path = folder.Create({damaged.file}, damaged.content).first();
    EXPECT_EQ(ReadTakenTime(path, kBerlin), std::nullopt) << damaged.label;
  }
}

TEST(ReadTakenTimeTest, TruncatedAndFlippedFixturesGiveAValidTimeOrNone) {
  TempFolder folder;
  std::mt19937 random(20240601);
  for (const ReadCase& c : ReadCases()) {
    const qsizetype size = c.content.size();
    for (qsizetype cut :
         {qsizetype(1), qsizetype(7), qsizetype(8), qsizetype(12), size / 4, size / 2, size - 1}) {
      if (cut < 0 || cut >= size) continue;
      ExpectValidOrNone(folder, QStringLiteral("%1 cut at %2").arg(c.name).arg(cut),
                        c.content.left(cut));
    }
    if (size == 0) continue;
    for (int round = 0; round < 16; ++round) {
      QByteArray flipped = c.content;
      for (int flip = 0; flip < 4; ++flip) {
        const auto at = qsizetype(random() % uint32_t(size));
        flipped[at] = char(flipped[at] ^ (1 << (random() % 8)));
      }
      ExpectValidOrNone(folder, QStringLiteral("%1 flipped, round %2").arg(c.name).arg(round),
                        flipped);
    }
  }
}

TEST(TakenTimeOfTest, HeldTimeIsUsedWithoutReading) {
  TempFolder folder;
  TRenameItem item;
  AssignPath(
      item,
      folder.Create({"a.jpg"}, TaggedJpeg({{kDateTimeOriginal, "2021:07:04 15:30:12"}})).first());
  const EngineContext context = EngineContext::Fixed(QDateTime::currentDateTimeUtc(), kBerlin);
  EXPECT_EQ(TakenTimeOf(item, context), Floating(2021, 7, 4, 15, 30, 12));
  item.TakenLocal = Floating(1999, 9, 9, 9, 9, 9);
  EXPECT_EQ(TakenTimeOf(item, context), Floating(1999, 9, 9, 9, 9, 9));
  item.TakenLocal = QDateTime();
  EXPECT_EQ(TakenTimeOf(item, context), std::nullopt);
}

}  // namespace
}  // namespace corvane
