#include "test_images.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

namespace corvane::testing {

QByteArray Le16(int value) {
  QByteArray bytes(2, '\0');
  bytes[0] = char(value & 0xFF);
  bytes[1] = char((value >> 8) & 0xFF);
  return bytes;
}

QByteArray Le32(int64_t value) {
  return Le16(int(value & 0xFFFF)) + Le16(int((value >> 16) & 0xFFFF));
}

QByteArray Be16(int value) {
  QByteArray bytes(2, '\0');
  bytes[0] = char((value >> 8) & 0xFF);
  bytes[1] = char(value & 0xFF);
  return bytes;
}

QByteArray Be32(int64_t value) {
  return Be16(int((value >> 16) & 0xFFFF)) + Be16(int(value & 0xFFFF));
}

QByteArray Be64(uint64_t value) {
  return Be32(int64_t(value >> 32)) + Be32(int64_t(value & 0xFFFFFFFFu));
}

QByteArray JpegBytes(int width, int height) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(width), JSAMPLE(128));
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
  std::free(buffer);
  return bytes;
}

QByteArray PngChunk(const char type[4], const QByteArray& data) {
  const QByteArray typeAndData = QByteArray(type, 4) + data;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(typeAndData.data()),
                          uInt(typeAndData.size()));
  return Be32(data.size()) + typeAndData + Be32(int64_t(crc));
}

QByteArray PngBytes(int width, int height) {
  // 8-bit greyscale, no interlace; every row starts with filter type 0.
  const QByteArray ihdr = Be32(width) + Be32(height) + QByteArray("\x08\x00\x00\x00\x00", 5);
  QByteArray raw;
  for (int y = 0; y < height; ++y) raw += '\0' + QByteArray(width, '\x80');
  uLongf packedSize = compressBound(uLong(raw.size()));
  QByteArray packed(qsizetype(packedSize), '\0');
  if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
               reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size())) != Z_OK) {
    throw std::runtime_error("zlib compress failed");
  }
  packed.truncate(qsizetype(packedSize));
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IDAT", packed) +
         PngChunk("IEND", {});
}

QList<DamagedImage> DamagedJpegsAndPngs() {
  const QByteArray jpeg = JpegBytes(64, 48);
  const QByteArray png = PngBytes(10, 10);
  QByteArray badCrc = png;
  badCrc[29] = char(badCrc[29] ^ 0x01);
  const QByteArray pngWidthZero = QByteArray("\x89PNG\r\n\x1a\n", 8) +
                                  PngChunk("IHDR", Be32(0) + Be32(5) + QByteArray(5, '\0'));
  // The frame header: FF C0, length, precision, height, width, components.
  const qsizetype frame = jpeg.indexOf("\xFF\xC0");
  if (frame <= 0) throw std::runtime_error("libjpeg wrote no baseline frame");
  QByteArray noComponents = jpeg;
  noComponents[frame + 9] = '\0';
  QByteArray heightZero = jpeg;
  heightZero[frame + 5] = '\0';
  heightZero[frame + 6] = '\0';
  return {
      {"empty jpeg", "empty.jpg", QByteArray()},
      {"jpeg cut in the header", "cut.jpg", jpeg.left(100)},
      {"jpeg of two bytes", "soi.jpg", jpeg.left(2)},
      {"jpeg frame without components", "frame.jpg", noComponents},
      {"jpeg of height 0", "flat.jpg", heightZero},
      {"text named jpg", "text.jpg", "not an image at all"},
      {"png named jpg", "png.jpg", png},
      {"jpeg named png", "jpeg.png", jpeg},
      {"jpeg named dat", "photo.dat", jpeg},
      {"jpeg named gif", "photo.gif", jpeg},
      {"jpeg named jpe", "photo.jpe", jpeg},
      {"jpeg without extension", "photo", jpeg},
      {"empty png", "empty.png", QByteArray()},
      {"png cut in the header", "cut.png", png.left(30)},
      {"png with a wrong crc", "crc.png", badCrc},
      {"png of width 0", "zero.png", pngWidthZero},
  };
}

}  // namespace corvane::testing
