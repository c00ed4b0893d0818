// The verdicts of a batch against the preview of the same items, in the same
// run: 100,000 files on disk, in 100 folders of 1,000 (the argument 1000) or
// in one folder (100000), previewed with a keyword pattern, a
// regular-expression find and replace and Title Case; the verdicts then look
// up each new name. Target: the verdicts cost at most half the preview.
//   build/bench/verdicts_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "batch/batch_verdicts.h"
#include "engine/engine_context.h"
#include "engine/preview.h"
#include "platform/paths.h"
#include "preview_options.h"

namespace corvane {
namespace {

constexpr qsizetype kCount = 100'000;

RenameOptions Options() {
  RenameOptions options = PreviewOptions();
  options.batchMode = static_cast<int>(BatchMode::RenameInPlace);
  options.conflict = static_cast<int>(ConflictMode::AutoNumber);
  return options;
}

// The files, made once for every benchmark of the run, with their previewed names.
struct Files {
  explicit Files(qsizetype perFolder) {
    items.reserve(kCount);
    const QDateTime created(QDate(2024, 5, 17), QTime(8, 30), QTimeZone::utc());
    for (qsizetype i = 0; i < kCount; ++i) {
      const QString folder = dir.filePath(QStringLiteral("trip %1").arg(i / perFolder));
      if (i % perFolder == 0) QDir().mkpath(folder);
      const QString path =
          folder + QStringLiteral("/IMG_%1 holiday photo.jpg").arg(i, 5, 10, QChar(u'0'));
      const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
      if (fd >= 0) ::close(fd);
      TRenameItem item;
      AssignPath(item, path);
      item.Size = 0;
      item.CreatedUtc = created.addSecs(i);
      item.ModifiedUtc = item.CreatedUtc;
      items.append(std::move(item));
    }
    Result<PreviewOutcome> preview = BuildPreview(items, Options(), context);
    if (!preview.ok()) std::abort();
    for (qsizetype i = 0; i < kCount; ++i) items[i].NewName = preview->newNames[i];
  }
  QTemporaryDir dir;
  QList<TRenameItem> items;
  EngineContext context = EngineContext::FromSystem();
};

Files& TheFiles(qsizetype perFolder) {
  static std::map<qsizetype, std::unique_ptr<Files>> made;
  std::unique_ptr<Files>& files = made[perFolder];
  if (!files) files = std::make_unique<Files>(perFolder);
  return *files;
}

void BM_Preview(benchmark::State& state) {
  Files& files = TheFiles(state.range(0));
  for (auto _ : state) {
    Result<PreviewOutcome> outcome = BuildPreview(files.items, Options(), files.context);
    if (!outcome.ok()) std::abort();
    benchmark::DoNotOptimize(outcome->newNames.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Verdicts(benchmark::State& state) {
  Files& files = TheFiles(state.range(0));
  for (auto _ : state) {
    const BatchVerdicts judged = JudgeBatch(files.items, Options(), RealFileSystem());
    if (judged.verdicts.size() != kCount || judged.counts.numbered != 0) std::abort();
    benchmark::DoNotOptimize(judged.verdicts.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

// The floor of the verdicts: one metadata lookup of each target.
void BM_LookUpOnly(benchmark::State& state) {
  Files& files = TheFiles(state.range(0));
  QStringList targets;
  for (const TRenameItem& item : files.items) {
    targets.append(FolderPart(item.OriginalPath) + item.NewName);
  }
  FileSystem& fs = RealFileSystem();
  for (auto _ : state) {
    qsizetype taken = 0;
    for (const QString& target : targets) taken += IsTaken(fs.LookUp(target));
    if (taken != 0) std::abort();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

// Each layout's preview and verdicts one after the other.
void Register(qsizetype perFolder) {
  using Function = void (*)(benchmark::State&);
  const std::pair<std::string, Function> benchmarks[] = {
      {"Preview", BM_Preview}, {"Verdicts", BM_Verdicts}, {"LookUpOnly", BM_LookUpOnly}};
  for (const auto& [name, function] : benchmarks) {
    benchmark::RegisterBenchmark((name + "/100000").c_str(), function)
        ->ArgName("perFolder")
        ->Arg(perFolder)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

const bool registered = [] {
  Register(1000);
  Register(kCount);
  return true;
}();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
