// What {imgw} and {imgh} cost: reading an image's size from its headers,
// against decoding the whole picture (what reading the size would cost if
// the picture were decoded). The pictures are written once, into a temporary
// folder: a 12-megapixel JPEG (4000 x 3000, colour, quality 90) and a PNG of
// the same size.
#include "engine/engine_context.h"
#include "engine/pattern_keywords.h"
#include "engine/rename_item.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

namespace corvane {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Enough detail that the JPEG is as large as a photo's (several megabytes).
unsigned char Sample(int x, int y, int channel) {
  const unsigned noise = (unsigned(x) * 2654435761u) ^ (unsigned(y) * 40503u) ^ unsigned(channel);
  return static_cast<unsigned char>(((x + y * channel) & 0xFF) / 2 + (noise >> 27));
}

void WriteJpeg(const QString& path) {
  FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write the JPEG");
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(kWidth * 3);
  while (info.next_scanline < info.image_height) {
    const int y = int(info.next_scanline);
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = Sample(x, y, c);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

QByteArray Chunk(const char* type, const QByteArray& data) {
  QByteArray chunk;
  const auto be32 = [&chunk](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) chunk += char((v >> shift) & 0xFF);
  };
  be32(uint32_t(data.size()));
  const QByteArray typeAndData = QByteArray(type, 4) + data;
  chunk += typeAndData;
  be32(uint32_t(
      crc32(0, reinterpret_cast<const Bytef*>(typeAndData.data()), uInt(typeAndData.size()))));
  return chunk;
}

void WritePng(const QString& path) {
  QByteArray ihdr;
  for (uint32_t v : {uint32_t(kWidth), uint32_t(kHeight)}) {
    for (int shift = 24; shift >= 0; shift -= 8) ihdr += char((v >> shift) & 0xFF);
  }
  ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  QByteArray raw;
  raw.reserve(qsizetype(kHeight) * (kWidth * 3 + 1));
  for (int y = 0; y < kHeight; ++y) {
    raw += '\0';
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c) raw += char(Sample(x, y, c));
    }
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  QByteArray packed(qsizetype(packedSize), '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
            reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()), 1);
  packed.truncate(qsizetype(packedSize));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the PNG");
  file.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", packed) +
             Chunk("IEND", {}));
}

struct Pictures {
  QTemporaryDir folder;
  QString jpeg = folder.filePath("photo.jpg");
  QString png = folder.filePath("picture.png");
  Pictures() {
    WriteJpeg(jpeg);
    WritePng(png);
  }
};

const Pictures& TestPictures() {
  static const Pictures pictures;
  return pictures;
}

TRenameItem ItemFor(const QString& path) {
  TRenameItem item;
  AssignPath(item, path);
  return item;
}

EngineContext Context() {
  return EngineContext::Fixed(QDateTime(QDate(2026, 10, 17), QTime(12, 0), QTimeZone::utc()),
                              QTimeZone::utc());
}

void Expand(benchmark::State& state, const QString& path) {
  const TRenameItem item = ItemFor(path);
  const EngineContext context = Context();
  const QString pattern = QStringLiteral("{imgw}x{imgh}");
  for (auto _ : state) {
    QString name = ExpandFormattedKeywords(pattern, item, context);
    benchmark::DoNotOptimize(name);
  }
}

void BM_ExpandImageSizeJpeg(benchmark::State& state) { Expand(state, TestPictures().jpeg); }
void BM_ExpandImageSizePng(benchmark::State& state) { Expand(state, TestPictures().png); }

// Expands `pattern` for the JPEG item with one expander made before the loop,
// as a preview makes it once and uses it for every item.
void ExpandWithOneExpander(benchmark::State& state, const QString& pattern) {
  const TRenameItem item = ItemFor(TestPictures().jpeg);
  const KeywordExpander expander(Context());
  for (auto _ : state) {
    QString name = expander.Expand(pattern, item);
    benchmark::DoNotOptimize(name);
  }
}

void BM_ExpanderImageSizeJpeg(benchmark::State& state) {
  ExpandWithOneExpander(state, QStringLiteral("{imgw}x{imgh}"));
}

// A pattern without image keywords does not open the file at all.
void BM_ExpanderWithoutImageKeywords(benchmark::State& state) {
  ExpandWithOneExpander(state, QStringLiteral("{name}_{counter}"));
}

// Decoding every pixel of the same JPEG with libjpeg.
void BM_DecodeWholeJpeg(benchmark::State& state) {
  const QByteArray path = QFile::encodeName(TestPictures().jpeg);
  std::vector<JSAMPLE> row(kWidth * 3);
  for (auto _ : state) {
    FILE* file = std::fopen(path.constData(), "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW rows[] = {row.data()};
      jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    benchmark::DoNotOptimize(row.data());
  }
  state.counters["file_bytes"] = double(QFile(TestPictures().jpeg).size());
}

BENCHMARK(BM_ExpandImageSizeJpeg);
BENCHMARK(BM_ExpandImageSizePng);
BENCHMARK(BM_ExpanderImageSizeJpeg);
BENCHMARK(BM_ExpanderWithoutImageKeywords);
BENCHMARK(BM_DecodeWholeJpeg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
