#include "engine/image_size.h"

#include "support/temp_folder.h"
#include "test_images.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::Be16;
using testing::Be32;
using testing::Le16;
using testing::Le32;
using testing::TempFolder;

// A bitmap with the 40-byte info header; a negative height is stored top-down.
QByteArray InfoBitmap(int width, int height, int bitsPerPixel = 24) {
  const int stride = (width * bitsPerPixel + 31) / 32 * 4;
  const QByteArray pixels(stride * std::abs(height), '\x40');
  const QByteArray info = Le32(40) + Le32(width) + Le32(height) + Le16(1) + Le16(bitsPerPixel) +
                          Le32(0) + Le32(pixels.size()) + Le32(2835) + Le32(2835) + Le32(0) +
                          Le32(0);
  return "BM" + Le32(14 + info.size() + pixels.size()) + Le32(0) + Le32(14 + info.size()) + info +
         pixels;
}

// A bitmap with the 12-byte core header (16-bit sides).
QByteArray CoreBitmap(int width, int height) {
  const int stride = (width * 24 + 31) / 32 * 4;
  const QByteArray pixels(stride * height, '\x40');
  const QByteArray core = Le32(12) + Le16(width) + Le16(height) + Le16(1) + Le16(24);
  return "BM" + Le32(14 + core.size() + pixels.size()) + Le32(0) + Le32(14 + core.size()) + core +
         pixels;
}

// An icon whose entries hold the given stored sides (0 meaning 256) and the
// given image data each.
QByteArray Icon(const QList<std::pair<int, int>>& sides, const QList<QByteArray>& images) {
  QByteArray directory = Le16(0) + Le16(1) + Le16(sides.size());
  QByteArray data;
  qsizetype offset = 6 + 16 * sides.size();
  for (qsizetype i = 0; i < sides.size(); ++i) {
    directory += char(sides[i].first);
    directory += char(sides[i].second);
    directory += QByteArray("\0\0", 2) + Le16(1) + Le16(32) + Le32(images[i].size()) + Le32(offset);
    offset += images[i].size();
    data += images[i];
  }
  return directory + data;
}

QByteArray IconBitmapData() { return Le32(40) + QByteArray(60, '\x11'); }

// A TIFF whose first directory holds width and length with the given type
// (3 SHORT, 4 LONG), in the given byte order.
QByteArray Tiff(bool little, int type, int64_t width, int64_t length) {
  const auto u16 = [little](int v) { return little ? Le16(v) : Be16(v); };
  const auto u32 = [little](int64_t v) { return little ? Le32(v) : Be32(v); };
  const auto value = [&](int64_t v) { return type == 3 ? u16(int(v)) + u16(0) : u32(v); };
  QByteArray tiff = QByteArray(little ? "II" : "MM") + u16(42) + u32(8);
  tiff += u16(3);
  tiff += u16(254) + u16(4) + u32(1) + u32(0);  // NewSubfileType, ignored
  tiff += u16(256) + u16(type) + u32(1) + value(width);
  tiff += u16(257) + u16(type) + u32(1) + value(length);
  tiff += u32(0);
  return tiff;
}

// An enhanced metafile holding only its header and the end record.
QByteArray Emf(QList<int> bounds, QList<int> frame, QList<int> devicePixels,
               QList<int> deviceMillimetres) {
  QByteArray header = Le32(1) + Le32(88);
  for (int v : bounds) header += Le32(v);
  for (int v : frame) header += Le32(v);
  const QByteArray end = Le32(14) + Le32(20) + Le32(0) + Le32(16) + Le32(20);
  header += Le32(0x464D4520) + Le32(0x10000) + Le32(88 + end.size()) + Le32(2) + Le16(1) + Le16(0) +
            Le32(0) + Le32(0) + Le32(0);
  for (int v : devicePixels) header += Le32(v);
  for (int v : deviceMillimetres) header += Le32(v);
  return header + end;
}

// A placeable metafile: bounding box in units of which `inch` make an inch.
QByteArray PlaceableWmf(int left, int top, int right, int bottom, int inch,
                        bool goodChecksum = true) {
  QByteArray placeable = Le32(0x9AC6CDD7LL) + Le16(0) + Le16(left) + Le16(top) + Le16(right) +
                         Le16(bottom) + Le16(inch) + Le32(0);
  uint16_t checksum = 0;
  for (int i = 0; i < 10; ++i) {
    checksum ^= uint16_t(uint8_t(placeable[2 * i]) | uint8_t(placeable[2 * i + 1]) << 8);
  }
  placeable += Le16(goodChecksum ? checksum : checksum ^ 1);
  const QByteArray metaHeader =
      Le16(1) + Le16(9) + Le16(0x300) + Le32(12) + Le16(0) + Le32(3) + Le16(0);
  const QByteArray eof = Le32(3) + Le16(0);
  return placeable + metaHeader + eof;
}

struct ReadCase {
  const char* name;
  const char* file;
  QByteArray content;
  std::optional<ImageSize> expected;
};

void CheckCases(const QList<ReadCase>& cases) {
  for (const ReadCase& c : cases) {
    TempFolder folder;
    const QString path = folder.Create({c.file}, c.content).first();
    const std::optional<ImageSize> size = ReadImageSize(path);
    if (c.expected) {
      ASSERT_TRUE(size.has_value()) << "case " << c.name;
      EXPECT_EQ(size->width, c.expected->width) << "case " << c.name;
      EXPECT_EQ(size->height, c.expected->height) << "case " << c.name;
    } else {
      EXPECT_FALSE(size.has_value())
          << "case " << c.name << ": read " << size->width << "x" << size->height;
    }
  }
}

TEST(ReadImageSizeTest, ReadsEveryFormat) {
  const QByteArray png300 = testing::PngBytes(300, 2);
  CheckCases({
      {"jpeg", "photo.jpg", testing::JpegBytes(37, 23), ImageSize{37, 23}},
      {"jpeg extension in capitals", "PHOTO.JPEG", testing::JpegBytes(640, 480),
       ImageSize{640, 480}},
      {"png", "image.png", testing::PngBytes(33, 17), ImageSize{33, 17}},
      {"bitmap", "image.bmp", InfoBitmap(3, 2), ImageSize{3, 2}},
      {"top-down bitmap", "image.BMP", InfoBitmap(5, -4), ImageSize{5, 4}},
      {"core bitmap", "core.bmp", CoreBitmap(7, 6), ImageSize{7, 6}},
      {"icon picks the largest", "app.ico",
       Icon({{16, 16}, {48, 32}, {32, 32}}, {IconBitmapData(), IconBitmapData(), IconBitmapData()}),
       ImageSize{48, 32}},
      {"icon stored 0 is 256", "big.ico",
       Icon({{32, 32}, {0, 0}}, {IconBitmapData(), IconBitmapData()}), ImageSize{256, 256}},
      {"icon holding a png", "png.ico", Icon({{16, 16}, {0, 0}}, {IconBitmapData(), png300}),
       ImageSize{300, 2}},
      {"tiff little-endian short", "scan.tif", Tiff(true, 3, 640, 480), ImageSize{640, 480}},
      {"tiff big-endian long", "scan.tiff", Tiff(false, 4, 70000, 3), ImageSize{70000, 3}},
      {"tiff big-endian short", "scan.TIF", Tiff(false, 3, 12, 34), ImageSize{12, 34}},
      {"emf frame at the device resolution", "drawing.emf",
       Emf({0, 0, 9, 9}, {0, 0, 2500, 1250}, {1280, 720}, {320, 180}), ImageSize{100, 50}},
      {"emf frame without a device", "drawing2.emf",
       Emf({0, 0, 9, 9}, {100, 100, 2640, 1370}, {0, 0}, {0, 0}), ImageSize{96, 48}},
      {"emf empty frame uses the bounds", "drawing3.emf",
       Emf({10, 20, 19, 24}, {0, 0, 0, 0}, {1280, 720}, {320, 180}), ImageSize{10, 5}},
      {"placeable wmf", "clip.wmf", PlaceableWmf(0, 0, 1440, 720, 1440), ImageSize{96, 48}},
      {"placeable wmf offset box", "clip2.WMF", PlaceableWmf(-100, 50, 476, 242, 576),
       ImageSize{96, 32}},
  });
}

TEST(ReadImageSizeTest, DamagedEmptyAndMislabelledFilesFail) {
  QList<ReadCase> cases;
  for (const testing::DamagedImage& damaged : testing::DamagedJpegsAndPngs()) {
    cases.append({damaged.label, damaged.file, damaged.content, std::nullopt});
  }
  cases.append({
      {"empty bmp", "empty.bmp", QByteArray(), std::nullopt},
      {"bmp cut in the header", "cut.bmp", InfoBitmap(3, 2).left(30), std::nullopt},
      {"bmp cut in the pixels", "pixels.bmp", InfoBitmap(300, 200).left(1000), std::nullopt},
      {"bmp of width 0", "zero.bmp", InfoBitmap(0, 2), std::nullopt},
      {"bmp of negative width", "negative.bmp", InfoBitmap(-3, 2), std::nullopt},
      {"icon without entries", "none.ico", Le16(0) + Le16(1) + Le16(0), std::nullopt},
      {"icon cut in the directory", "cut.ico", Icon({{16, 16}}, {IconBitmapData()}).left(15),
       std::nullopt},
      {"icon data beyond the file", "lying.ico", Icon({{16, 16}}, {IconBitmapData()}).left(40),
       std::nullopt},
      {"cursor named ico", "cursor.ico",
       Le16(0) + Le16(2) + Icon({{16, 16}}, {IconBitmapData()}).mid(4), std::nullopt},
      {"tiff cut in the directory", "cut.tif", Tiff(true, 3, 640, 480).left(30), std::nullopt},
      {"tiff with a float width", "float.tif", Tiff(true, 11, 640, 480), std::nullopt},
      {"tiff of height 0", "zero.tif", Tiff(false, 4, 5, 0), std::nullopt},
      {"tiff wrong magic", "magic.tif", QByteArray("II\x2b\0\x08\0\0\0", 8), std::nullopt},
      {"emf cut in the header", "cut.emf",
       Emf({0, 0, 9, 9}, {0, 0, 100, 100}, {1, 1}, {1, 1}).left(60), std::nullopt},
      {"emf without signature", "sig.emf",
       Emf({0, 0, 9, 9}, {0, 0, 100, 100}, {1, 1}, {1, 1}).replace(" EMF", "XEMF"), std::nullopt},
      {"emf claiming more bytes than it has", "long.emf",
       Emf({0, 0, 9, 9}, {0, 0, 2540, 2540}, {0, 0}, {0, 0}).left(100), std::nullopt},
      {"wmf with a wrong checksum", "sum.wmf", PlaceableWmf(0, 0, 1440, 720, 1440, false),
       std::nullopt},
      {"wmf with zero units per inch", "inch.wmf", PlaceableWmf(0, 0, 1440, 720, 0), std::nullopt},
      {"wmf without placeable header", "plain.wmf", PlaceableWmf(0, 0, 1440, 720, 1440).mid(22),
       std::nullopt},
      {"wmf of width 0", "flat.wmf", PlaceableWmf(10, 0, 10, 720, 1440), std::nullopt},
  });
  CheckCases(cases);
}

TEST(ReadImageSizeTest, MissingFileAndFolderNamesFail) {
  TempFolder folder;
  EXPECT_FALSE(ReadImageSize(folder.file("missing.png")).has_value());
  // A dot in a folder name is no extension.
  const QString jpegInDottedFolder =
      folder.Create({"album.jpg/photo"}, testing::JpegBytes(8, 8)).first();
  EXPECT_FALSE(ReadImageSize(jpegInDottedFolder).has_value());
  EXPECT_FALSE(ReadImageSize(folder.file("album.jpg")).has_value());
}

#ifndef Q_OS_WIN
// Two pictures whose names differ only where one holds U+FFFD and the other a
// byte that is not UTF-8: each name gives its own picture's size.
TEST(ReadImageSizeTest, NamesThatAreNotUtf8ReadTheirOwnFile) {
  TempFolder folder;
  folder.CreateBytes("\xEF\xBF\xBD.png", testing::PngBytes(11, 12));
  folder.CreateBytes("\xE9.png", testing::PngBytes(21, 22));
  const std::optional<ImageSize> real =
      ReadImageSize(folder.path() + QString::fromUtf16(u"/\uFFFD.png"));
  const std::optional<ImageSize> byte =
      ReadImageSize(folder.path() + QString::fromUtf16(u"/\xDCE9.png"));
  ASSERT_TRUE(real.has_value());
  ASSERT_TRUE(byte.has_value());
  EXPECT_EQ(real->width, 11);
  EXPECT_EQ(byte->width, 21);
  EXPECT_EQ(byte->height, 22);
}
#endif

}  // namespace
}  // namespace corvane
