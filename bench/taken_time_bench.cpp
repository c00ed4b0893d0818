// What a date taken costs: reading the Exif date of tagged JPEGs through
// exiv2, the cache warm, reported per file. 1,000 copies of one tagged photo
// are written once into a temporary folder.
#include "engine/taken_time.h"
#include "engine/test_photos.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace corvane {
namespace {

constexpr int kPhotos = 1000;

const QStringList& TaggedPhotos() {
  static QTemporaryDir folder;
  static const QStringList paths = [] {
    const QByteArray photo =
        testing::TaggedJpeg({{testing::kDateTimeOriginal, "2021:07:04 15:30:12"}});
    QStringList made;
    for (int i = 0; i < kPhotos; ++i) {
      made << folder.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
      QFile file(made.back());
      if (!file.open(QIODevice::WriteOnly) || file.write(photo) != photo.size()) {
        throw std::runtime_error("cannot write the photos");
      }
    }
    return made;
  }();
  return paths;
}

void BM_ReadTakenTimeOfTaggedJpegs(benchmark::State& state) {
  const QStringList& paths = TaggedPhotos();
  const QTimeZone zone = QTimeZone::utc();
  for (const QString& path : paths) ReadTakenTime(path, zone);  // warms the cache
  for (auto _ : state) {
    for (const QString& path : paths) {
      std::optional<QDateTime> taken = ReadTakenTime(path, zone);
      if (!taken) state.SkipWithError("a photo had no date taken");
      benchmark::DoNotOptimize(taken);
    }
  }
  state.SetItemsProcessed(state.iterations() * paths.size());
  state.counters["per_file"] =
      benchmark::Counter(double(state.iterations() * paths.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadTakenTimeOfTaggedJpegs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
