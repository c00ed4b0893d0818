// TIFF: the ImageWidth and ImageLength fields of the first image directory,
// in either byte order, stored as SHORT or LONG.
#include "engine/image_size_readers.h"

namespace corvane::image_size {
namespace {

constexpr uint16_t kImageWidth = 256;
constexpr uint16_t kImageLength = 257;
constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;
constexpr qsizetype kEntrySize = 12;

struct ByteOrder {
  bool little;
  uint16_t U16(QByteArrayView bytes, qsizetype at) const {
    return little ? Le16(bytes, at) : Be16(bytes, at);
  }
  uint32_t U32(QByteArrayView bytes, qsizetype at) const {
    return little ? Le32(bytes, at) : Be32(bytes, at);
  }
};

// The value of one directory entry when it is a single usable dimension.
std::optional<uint32_t> Dimension(const ByteOrder& order, QByteArrayView entry) {
  if (order.U32(entry, 4) < 1) return std::nullopt;
  switch (order.U16(entry, 2)) {
    case kShort:
      return order.U16(entry, 8);
    case kLong:
      return order.U32(entry, 8);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<ImageSize> ReadTiff(QFile& file) {
  const QByteArray header = ReadAt(file, 0, 8);
  if (header.isEmpty()) return std::nullopt;
  ByteOrder order{};
  if (header.startsWith("II")) {
    order.little = true;
  } else if (header.startsWith("MM")) {
    order.little = false;
  } else {
    return std::nullopt;
  }
  if (order.U16(header, 2) != 42) return std::nullopt;
  const uint32_t directory = order.U32(header, 4);
  const QByteArray countBytes = ReadAt(file, directory, 2);
  if (countBytes.isEmpty()) return std::nullopt;
  const uint16_t count = order.U16(countBytes, 0);
  const QByteArray entries = ReadAt(file, int64_t{directory} + 2, int64_t{count} * kEntrySize);
  if (count == 0 || entries.isEmpty()) return std::nullopt;
  std::optional<uint32_t> width;
  std::optional<uint32_t> height;
  for (qsizetype i = 0; i < count; ++i) {
    const QByteArrayView entry = QByteArrayView(entries).sliced(i * kEntrySize, kEntrySize);
    const uint16_t tag = order.U16(entry, 0);
    if (tag == kImageWidth) width = Dimension(order, entry);
    if (tag == kImageLength) height = Dimension(order, entry);
  }
  if (!width || !height) return std::nullopt;
  return CheckedSize(*width, *height);
}

}  // namespace corvane::image_size
