#include "engine/image_size.h"

#include "engine/image_size_readers.h"
#include "platform/native_files.h"

#include <QFile>

#include <climits>

namespace corvane {
namespace image_size {

QByteArray ReadAt(QFile& file, int64_t offset, int64_t count) {
  if (offset < 0 || count < 0 || !file.seek(offset)) return {};
  QByteArray bytes = file.read(count);
  return bytes.size() == count ? bytes : QByteArray();
}

std::optional<ImageSize> CheckedSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) return std::nullopt;
  return ImageSize{static_cast<int>(width), static_cast<int>(height)};
}

uint16_t Le16(QByteArrayView bytes, qsizetype at) {
  return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

uint32_t Le32(QByteArrayView bytes, qsizetype at) {
  return uint32_t(Le16(bytes, at)) | uint32_t(Le16(bytes, at + 2)) << 16;
}

uint16_t Be16(QByteArrayView bytes, qsizetype at) {
  return uint16_t(uint8_t(bytes[at]) << 8 | uint8_t(bytes[at + 1]));
}

uint32_t Be32(QByteArrayView bytes, qsizetype at) {
  return uint32_t(Be16(bytes, at)) << 16 | uint32_t(Be16(bytes, at + 2));
}

}  // namespace image_size

namespace {

using Reader = std::optional<ImageSize> (*)(QFile&);

// Extensions compare their letters A to Z without regard to case, nothing else.
bool SameExtension(QStringView ext, QStringView lowerCase) {
  if (ext.size() != lowerCase.size()) return false;
  for (qsizetype i = 0; i < ext.size(); ++i) {
    const char16_t c = ext[i].unicode();
    if ((c >= u'A' && c <= u'Z' ? c + 32 : c) != lowerCase[i].unicode()) return false;
  }
  return true;
}

// The reader for a path's extension (the text after the last dot of the file
// name), letters compared without regard to case.
Reader ReaderFor(const QString& path) {
  const qsizetype slash = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < 0 || dot < slash) return nullptr;
  const QStringView ext = QStringView(path).mid(dot + 1);
  struct Entry {
    QStringView ext;
    Reader reader;
  };
  static constexpr Entry kReaders[] = {
      {u"bmp", image_size::ReadBmp},  {u"ico", image_size::ReadIcon},
      {u"emf", image_size::ReadEmf},  {u"wmf", image_size::ReadWmf},
      {u"tif", image_size::ReadTiff}, {u"tiff", image_size::ReadTiff},
      {u"jpg", image_size::ReadJpeg}, {u"jpeg", image_size::ReadJpeg},
      {u"png", image_size::ReadPng},
  };
  for (const Entry& entry : kReaders) {
    if (SameExtension(ext, entry.ext)) return entry.reader;
  }
  return nullptr;
}

}  // namespace

std::optional<ImageSize> ReadImageSize(const QString& path) {
  const Reader reader = ReaderFor(path);
  if (reader == nullptr) return std::nullopt;
  QFile file;
  if (!OpenForReading(file, path).ok()) return std::nullopt;
  return reader(file);
}

}  // namespace corvane
