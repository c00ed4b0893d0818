// PNG: the signature and the IHDR chunk that must follow it, CRC included.
#include "engine/image_size_readers.h"

#include <zlib.h>

namespace corvane::image_size {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kIhdrDataSize = 13;
// Signature, chunk length and type, IHDR data, CRC.
constexpr qsizetype kHeaderSize = kSignatureSize + 8 + kIhdrDataSize + 4;
// Larger sides are not allowed in PNG files.
constexpr uint32_t kMaxSide = 0x7FFFFFFF;

}  // namespace

std::optional<ImageSize> PngHeaderSize(QByteArrayView bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  if (bytes.first(kSignatureSize) != QByteArrayView(kSignature, kSignatureSize)) {
    return std::nullopt;
  }
  const QByteArrayView chunk = bytes.sliced(kSignatureSize);
  if (Be32(chunk, 0) != kIhdrDataSize || chunk.sliced(4, 4) != QByteArrayView("IHDR")) {
    return std::nullopt;
  }
  const QByteArrayView typeAndData = chunk.sliced(4, 4 + kIhdrDataSize);
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(typeAndData.data()),
                          static_cast<uInt>(typeAndData.size()));
  if (crc != Be32(chunk, 8 + kIhdrDataSize)) return std::nullopt;
  const uint32_t width = Be32(chunk, 8);
  const uint32_t height = Be32(chunk, 12);
  if (width > kMaxSide || height > kMaxSide) return std::nullopt;
  return CheckedSize(width, height);
}

std::optional<ImageSize> ReadPng(QFile& file) {
  return PngHeaderSize(ReadAt(file, 0, kHeaderSize));
}

}  // namespace corvane::image_size
