// The Exif date taken of photos, through exiv2, which reads only the metadata.

#include "engine/taken_time_readers.h"

#include <QFile>

#include <cctype>
#include <mutex>

#ifdef CORVANE_HAVE_EXIV2
#include <exiv2/exiv2.hpp>
#endif

namespace corvane {
namespace {

// The digits of text[from, from + count) as a number, or -1.
int Digits(std::string_view text, size_t from, size_t count) {
  int value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

#ifdef CORVANE_HAVE_EXIV2
// exiv2 would write its warnings about damaged files to the terminal, and its
// XMP parser must be set up once before threads use it.
void PrepareExiv2() {
  static std::once_flag prepared;
  std::call_once(prepared, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
  });
}

std::optional<QDateTime> FirstDateTaken(const Exiv2::ExifData& exif) {
  // Building a key looks its tag up: once is enough.
  static const Exiv2::ExifKey kKeys[] = {Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"),
                                         Exiv2::ExifKey("Exif.Photo.DateTimeDigitized"),
                                         Exiv2::ExifKey("Exif.Image.DateTime")};
  for (const Exiv2::ExifKey& key : kKeys) {
    const auto found = exif.findKey(key);
    if (found == exif.end()) continue;
    if (std::optional<QDateTime> taken = ParseExifDateTime(found->toString())) return taken;
  }
  return std::nullopt;
}
#endif

}  // namespace

std::optional<QDateTime> ParseExifDateTime(std::string_view text) {
  while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
  if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  const QDate date(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
  const QTime time(Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time, Qt::UTC);
}

std::optional<QDateTime> ReadExifTakenTime(const QString& path) {
#ifdef CORVANE_HAVE_EXIV2
  PrepareExiv2();
  try {
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), false);
    if (!image.get()) return std::nullopt;
    image->readMetadata();
    return FirstDateTaken(image->exifData());
  } catch (...) {
    // Exiv2::Error, std::exception and whatever a damaged file provokes:
    // a photo that cannot be read has no date taken.
    return std::nullopt;
  }
#else
  Q_UNUSED(path);
  return std::nullopt;
#endif
}

}  // namespace corvane
