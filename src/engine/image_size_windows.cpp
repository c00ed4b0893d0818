// The Windows picture formats: bitmaps, icons and the two metafile kinds.
#include "engine/image_size_readers.h"

#include <cmath>
#include <cstdlib>

namespace corvane::image_size {
namespace {

// Metafiles measure in physical units; they show at the screen's usual 96
// pixels per inch.
constexpr double kPixelsPerInch = 96.0;
constexpr double kHundredthMillimetresPerInch = 2540.0;

int32_t Signed32(QByteArrayView bytes, qsizetype at) {
  return static_cast<int32_t>(Le32(bytes, at));
}
int16_t Signed16(QByteArrayView bytes, qsizetype at) {
  return static_cast<int16_t>(Le16(bytes, at));
}

// Whether the uncompressed pixel rows of a bitmap fit in the file.
bool PixelsFit(int64_t fileSize, int64_t pixelOffset, int64_t width, int64_t height,
               int bitsPerPixel) {
  if (pixelOffset > fileSize) return false;
  const int64_t stride = (width * bitsPerPixel + 31) / 32 * 4;
  return stride == 0 || height <= (fileSize - pixelOffset) / stride;
}

}  // namespace

// Core headers (12 bytes) hold 16-bit sides; every later header 32-bit ones,
// where a negative height marks rows stored top-down.
std::optional<ImageSize> ReadBmp(QFile& file) {
  const QByteArray bytes = ReadAt(file, 0, 18);
  if (bytes.isEmpty() || !bytes.startsWith("BM")) return std::nullopt;
  const uint32_t headerSize = Le32(bytes, 14);
  if (headerSize != 12 && (headerSize < 16 || headerSize > 124)) return std::nullopt;
  const QByteArray header = ReadAt(file, 14, headerSize);
  if (header.isEmpty()) return std::nullopt;
  int64_t width = 0;
  int64_t height = 0;
  int bitsPerPixel = 0;
  bool compressed = false;
  if (headerSize == 12) {
    width = Le16(header, 4);
    height = Le16(header, 6);
    if (Le16(header, 8) != 1) return std::nullopt;
    bitsPerPixel = Le16(header, 10);
  } else {
    width = Signed32(header, 4);
    height = std::llabs(int64_t{Signed32(header, 8)});
    if (Le16(header, 12) != 1) return std::nullopt;
    bitsPerPixel = Le16(header, 14);
    compressed = headerSize >= 20 && Le32(header, 16) != 0 && Le32(header, 16) != 3;
  }
  const std::optional<ImageSize> size = CheckedSize(width, height);
  if (!size || bitsPerPixel == 0 || bitsPerPixel > 32) return std::nullopt;
  if (!compressed && !PixelsFit(file.size(), Le32(bytes, 10), width, height, bitsPerPixel)) {
    return std::nullopt;
  }
  return size;
}

// The largest entry of the directory, where a stored 0 means 256. An entry
// stored as PNG knows its real size, which may exceed 256.
std::optional<ImageSize> ReadIcon(QFile& file) {
  const QByteArray header = ReadAt(file, 0, 6);
  if (header.isEmpty() || Le16(header, 0) != 0 || Le16(header, 2) != 1) return std::nullopt;
  const int count = Le16(header, 4);
  const QByteArray entries = ReadAt(file, 6, int64_t{count} * 16);
  if (count == 0 || entries.isEmpty()) return std::nullopt;
  qsizetype best = -1;
  int64_t bestArea = 0;
  for (qsizetype entry = 0; entry < count; ++entry) {
    const uint8_t w = uint8_t(entries[entry * 16]);
    const uint8_t h = uint8_t(entries[entry * 16 + 1]);
    const int64_t area = int64_t{w == 0 ? 256 : w} * (h == 0 ? 256 : h);
    if (area > bestArea) {
      best = entry;
      bestArea = area;
    }
  }
  const QByteArrayView chosen = QByteArrayView(entries).sliced(best * 16, 16);
  const uint32_t dataSize = Le32(chosen, 8);
  const uint32_t dataOffset = Le32(chosen, 12);
  if (dataSize < 12 || int64_t{dataOffset} + dataSize > file.size()) return std::nullopt;
  const QByteArray data = ReadAt(file, dataOffset, qMin<int64_t>(dataSize, 64));
  if (data.startsWith("\x89PNG")) return PngHeaderSize(data);
  const uint8_t w = uint8_t(chosen[0]);
  const uint8_t h = uint8_t(chosen[1]);
  return CheckedSize(w == 0 ? 256 : w, h == 0 ? 256 : h);
}

// The frame (hundredths of a millimetre) at the reference device's
// resolution; the pixel bounds when the frame is empty.
std::optional<ImageSize> ReadEmf(QFile& file) {
  constexpr qsizetype kHeaderSize = 88;
  constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
  const QByteArray header = ReadAt(file, 0, kHeaderSize);
  if (header.isEmpty() || Le32(header, 0) != 1 || Le32(header, 40) != kSignature) {
    return std::nullopt;
  }
  const uint32_t recordSize = Le32(header, 4);
  const uint32_t totalSize = Le32(header, 48);
  if (recordSize < kHeaderSize || recordSize > totalSize || totalSize > file.size()) {
    return std::nullopt;
  }
  const int64_t frameWidth = int64_t{Signed32(header, 32)} - Signed32(header, 24);
  const int64_t frameHeight = int64_t{Signed32(header, 36)} - Signed32(header, 28);
  if (frameWidth > 0 && frameHeight > 0) {
    const int32_t devicePixelsX = Signed32(header, 72);
    const int32_t devicePixelsY = Signed32(header, 76);
    const int32_t deviceMillimetresX = Signed32(header, 80);
    const int32_t deviceMillimetresY = Signed32(header, 84);
    double scaleX = kPixelsPerInch / kHundredthMillimetresPerInch;
    double scaleY = scaleX;
    if (devicePixelsX > 0 && devicePixelsY > 0 && deviceMillimetresX > 0 &&
        deviceMillimetresY > 0) {
      scaleX = double(devicePixelsX) / (deviceMillimetresX * 100.0);
      scaleY = double(devicePixelsY) / (deviceMillimetresY * 100.0);
    }
    return CheckedSize(std::llround(frameWidth * scaleX), std::llround(frameHeight * scaleY));
  }
  // Bounds are inclusive pixel rectangles.
  return CheckedSize(int64_t{Signed32(header, 16)} - Signed32(header, 8) + 1,
                     int64_t{Signed32(header, 20)} - Signed32(header, 12) + 1);
}

// Only placeable metafiles state a size: their bounding box in units of which
// `inch` make an inch, guarded by a checksum over the header's first ten words.
std::optional<ImageSize> ReadWmf(QFile& file) {
  constexpr qsizetype kPlaceableSize = 22;
  constexpr qsizetype kMetaHeaderSize = 18;
  constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
  const QByteArray header = ReadAt(file, 0, kPlaceableSize + kMetaHeaderSize);
  if (header.isEmpty() || Le32(header, 0) != kPlaceableKey) return std::nullopt;
  uint16_t checksum = 0;
  for (qsizetype word = 0; word < 10; ++word) checksum ^= Le16(header, word * 2);
  if (checksum != Le16(header, 20)) return std::nullopt;
  const uint16_t metaType = Le16(header, kPlaceableSize);
  const uint16_t metaHeaderWords = Le16(header, kPlaceableSize + 2);
  if ((metaType != 1 && metaType != 2) || metaHeaderWords != 9) return std::nullopt;
  const int unitsPerInch = Le16(header, 14);
  if (unitsPerInch == 0) return std::nullopt;
  const int64_t width = int64_t{Signed16(header, 10)} - Signed16(header, 6);
  const int64_t height = int64_t{Signed16(header, 12)} - Signed16(header, 8);
  const double scale = kPixelsPerInch / unitsPerInch;
  return CheckedSize(std::llround(width * scale), std::llround(height * scale));
}

}  // namespace corvane::image_size
