// The main window against the libraries it runs, 100,000 files, offscreen:
//
// - BM_DropAgainstAddFolder: a folder dropped on a shown window until its
//   rows are in the model, against AddFolder into a bare item list.
// - BM_PreviewAgainstBuildPreview: the window's preview until the view has
//   drawn the new names, against BuildPreview alone on the same items
//   ("ratio"); and until the verdicts that follow from the worker are in the
//   rows, against BuildJudgedPreview alone ("ratio_judged"). Each iteration
//   switches between two patterns, so every name changes.
// - BM_WindowMemory: resident memory of a shown window holding 100,000
//   previewed rows above the same window empty, per row. Run it in a process
//   of its own (bench/run_benchmarks.sh does): memory freed by an earlier
//   benchmark would hide the growth.
//
// The pairs are measured in turn inside each iteration (the order swapped
// every time), so both meet the same cache state; "ratio" is window / library.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

#include "batch/judged_preview.h"
#include "collect/add_files.h"
#include "engine/preview.h"
#include "shown_window.h"

namespace corvane {
namespace {

using namespace corvane::bench;

void BM_DropAgainstAddFolder(benchmark::State& state) {
  const QString& folder = Folder();
  double library = 0, window = 0;
  bool libraryFirst = true;
  for (auto _ : state) {
    auto shown = std::make_unique<ShownWindow>();
    const auto measureLibrary = [&] {
      RenameItemList list;
      const bench::Clock::time_point start = bench::Clock::now();
      if (!AddFolder(list, folder, false, RealFileSystem()).ok()) Fail("AddFolder failed");
      if (list.count() != kFiles) Fail("AddFolder added too few files");
      library += Seconds(start);
    };
    const auto measureWindow = [&] {
      const bench::Clock::time_point start = bench::Clock::now();
      shown->Drop(folder);
      if (shown->Rows() != kFiles) Fail("the drop added too few rows");
      window += Seconds(start);
    };
    if (libraryFirst) {
      measureLibrary();
      measureWindow();
    } else {
      measureWindow();
      measureLibrary();
    }
    libraryFirst = !libraryFirst;
    state.PauseTiming();
    shown.reset();
    state.ResumeTiming();
  }
  const double n = double(state.iterations());
  state.counters["library_ms"] = library / n * 1000;
  state.counters["window_ms"] = window / n * 1000;
  state.counters["ratio"] = window / library;
}
BENCHMARK(BM_DropAgainstAddFolder)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_PreviewAgainstBuildPreview(benchmark::State& state) {
  ShownWindow shown;
  shown.Drop(Folder());
  const QString patterns[] = {QStringLiteral("{counter}_{name}"),
                              QStringLiteral("{name}_{counter}")};
  int next = 0;
  shown.Preview(patterns[next]);
  shown.WaitForWorker();
  double library = 0, judged = 0, window = 0, windowJudged = 0;
  for (auto _ : state) {
    next = 1 - next;
    RenameOptions options = shown.window.ReadOptions();
    options.pattern = patterns[next];
    const EngineContext context = EngineContext::Fixed(
        QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()), QTimeZone::utc());
    // The library on the items as they stand (every name about to change),
    // then the window doing the same and showing it.
    bench::Clock::time_point start = bench::Clock::now();
    const Result<PreviewOutcome> alone =
        BuildPreview(shown.window.items().items(), options, context);
    library += Seconds(start);
    if (!alone.ok() || alone->changedRows.size() != kFiles) Fail("the preview changed too few");
    start = bench::Clock::now();
    const Result<JudgedPreview> judgedAlone =
        BuildJudgedPreview(shown.window.items().items(), options, context, RealFileSystem());
    judged += Seconds(start);
    if (!judgedAlone.ok()) Fail("the judged preview failed");
    start = bench::Clock::now();
    shown.Preview(patterns[next]);
    window += Seconds(start);
    shown.WaitForWorker();
    windowJudged += Seconds(start);
  }
  const double n = double(state.iterations());
  state.counters["library_ms"] = library / n * 1000;
  state.counters["window_ms"] = window / n * 1000;
  state.counters["ratio"] = window / library;
  state.counters["judged_ms"] = judged / n * 1000;
  state.counters["window_judged_ms"] = windowJudged / n * 1000;
  state.counters["ratio_judged"] = windowJudged / judged;
}
BENCHMARK(BM_PreviewAgainstBuildPreview)->Unit(benchmark::kMillisecond)->Iterations(6);

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

void BM_WindowMemory(benchmark::State& state) {
  Folder();
  for (auto _ : state) {
    ShownWindow shown;
    const long empty = ResidentBytes();
    shown.Drop(Folder());
    shown.Preview(QStringLiteral("{counter}_{name}"));
    shown.WaitForWorker();
    const long full = ResidentBytes();
    state.counters["empty_MiB"] = double(empty) / (1 << 20);
    state.counters["full_MiB"] = double(full) / (1 << 20);
    state.counters["bytes_per_row"] = double(full - empty) / kFiles;
  }
}
BENCHMARK(BM_WindowMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  corvane::bench::OffscreenApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
