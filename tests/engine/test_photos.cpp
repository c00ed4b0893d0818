#include "engine/test_photos.h"

#include "engine/test_images.h"

#include <exiv2/exiv2.hpp>

#include <stdexcept>

namespace corvane::testing {

QByteArray WithExifTags(const QByteArray& picture, const ExifTags& tags) {
  auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(picture.constData()),
                                         long(picture.size()));
  if (!image.get()) throw std::runtime_error("exiv2 knows no such picture");
  image->readMetadata();
  Exiv2::ExifData exif;
  for (const auto& [key, value] : tags) exif[key] = std::string(value);
  image->setExifData(exif);
  image->writeMetadata();
  Exiv2::BasicIo& io = image->io();
  io.seek(0, Exiv2::BasicIo::beg);
  const Exiv2::DataBuf written = io.read(long(io.size()));
  return QByteArray(reinterpret_cast<const char*>(written.pData_), qsizetype(written.size_));
}

QByteArray TaggedJpeg(const ExifTags& tags) { return WithExifTags(JpegBytes(16, 16), tags); }

QByteArray MovieBox(const char (&type)[5], const QByteArray& content) {
  return Be32(8 + content.size()) + QByteArray(type, 4) + content;
}

QByteArray MovieBox64(const char (&type)[5], const QByteArray& content) {
  return Be32(1) + QByteArray(type, 4) + Be64(uint64_t(16 + content.size())) + content;
}

QByteArray MovieHeaderBox(int version, uint64_t created) {
  const QByteArray versionAndFlags = QByteArray(1, char(version)) + QByteArray(3, '\0');
  // Creation, modification, time scale, duration; then rate, volume and the
  // rest, whose values no reader of the creation time looks at.
  const QByteArray times =
      version == 1 ? Be64(created) + Be64(created) + Be32(1000) + Be64(5000)
                   : Be32(int64_t(created)) + Be32(int64_t(created)) + Be32(1000) + Be32(5000);
  return MovieBox("mvhd", versionAndFlags + times + QByteArray(80, '\0'));
}

QByteArray MovieBytes(const char (&brand)[5], int version, uint64_t created) {
  return MovieBox("ftyp", QByteArray(brand, 4) + Be32(0) + QByteArray(brand, 4)) +
         MovieBox("moov", MovieHeaderBox(version, created));
}

}  // namespace corvane::testing
