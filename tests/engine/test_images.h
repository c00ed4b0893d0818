// Small image files for the image-size and keyword tests, written in place.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace corvane::testing {

// A baseline JPEG of `width` by `height` grey pixels, written with libjpeg.
QByteArray JpegBytes(int width, int height);

// A complete PNG (IHDR, one IDAT compressed with zlib, IEND) of `width` by
// `height` grey pixels.
QByteArray PngBytes(int width, int height);

// A chunk of a PNG file: length, type, data and its CRC.
QByteArray PngChunk(const char type[4], const QByteArray& data);

// A file that is no readable picture of the format its name says.
struct DamagedImage {
  const char* label;
  const char* file;
  QByteArray content;
};

// Cut, damaged and mislabelled JPEGs and PNGs: readers of these formats must
// find nothing in any of them.
QList<DamagedImage> DamagedJpegsAndPngs();

// Numbers in little- or big-endian byte order.
QByteArray Le16(int value);
QByteArray Le32(int64_t value);
QByteArray Be16(int value);
QByteArray Be32(int64_t value);
QByteArray Be64(uint64_t value);

}  // namespace corvane::testing
