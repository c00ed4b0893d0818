#include "support/holiday_folder.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

#include "engine/test_photos.h"

namespace corvane::testing {
namespace {

QByteArray TakenOn(const char* exifTime) { return TaggedJpeg({{kDateTimeOriginal, exifTime}}); }

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

QString MakeHolidayFolder(const TempFolder& temp, const QString& folder) {
  const QString root = temp.CreateFolder(folder);
  Write(root + "/IMG_0001.JPG", TakenOn("2024:08:05 10:00:00"));
  Write(root + "/IMG_0002.JPG", TakenOn("2024:08:01 08:30:00"));
  Write(root + "/IMG_0003.JPG", TakenOn("2024:08:03 09:00:00"));
  const uint64_t movieTaken =
      uint64_t(QDateTime(QDate(2024, 8, 2), QTime(12, 0), QTimeZone::utc()).toSecsSinceEpoch()) +
      kMovieEpochToUnix;
  Write(root + "/clip.MP4", MovieBytes("isom", 0, movieTaken));
  const QString note = root + "/notes.TXT";
  Write(note, "the beach at noon");
  QFile noteFile(note);
  noteFile.open(QIODevice::ReadWrite);
  noteFile.setFileTime(QDateTime(QDate(2024, 8, 6), QTime(12, 0), QTimeZone::utc()),
                       QFileDevice::FileModificationTime);
  return root;
}

QStringList HolidayFileNames() {
  return {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG", "clip.MP4", "notes.TXT"};
}

QStringList HolidayTripNames() {
  return {"trip_001_2024-08-01.jpg", "trip_002_2024-08-02.mp4", "trip_003_2024-08-03.jpg",
          "trip_004_2024-08-05.jpg", "trip_005_2024-08-06.txt"};
}

}  // namespace corvane::testing
