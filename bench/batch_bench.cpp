// Batch in place and undo over N files on the real disk, with the undo log
// written ahead of the operations (lines copied into a shared mapping of the
// log, one fdatasync per group). The "WithoutSyncs" variants run the same
// batch with every sync skipped, so that the cost of the guarantee after a
// power cut is measured in the same run; the "LogOnly" pair isolates the log;
// "WindowProgressAgainstSilent" gives what the window's progress costs a batch.
//   build-*/bench/batch_bench --benchmark_filter=100000
#include "batch/batch_executor.h"
#include "batch/operation_queue.h"
#include "batch/undo.h"
#include "batch/undo_log_writer.h"
#include "cli/terminal_progress.h"
#include "support/simulated_file_system.h"
#include "ui/long_work.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace corvane {
namespace {

// The real file system, or one whose syncs do nothing: the difference is what
// the guarantee after a power cut costs (one fdatasync per group of
// operations, one folder sync when the log is put in place).
FileSystem& FileSystemFor(bool synced) {
  static const std::unique_ptr<FileSystem> unsynced =
      NewRealFileSystemForTests({.skipSyncs = true});
  return synced ? RealFileSystem() : *unsynced;
}

// N empty files f0000000.dat ... in a fresh folder, each previewed as g....
struct Folder {
  explicit Folder(int n) {
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
      const QString number = QStringLiteral("%1").arg(i, 7, 10, QChar(u'0'));
      const QString path = dir.filePath("f" + number + ".dat");
      const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
      if (fd >= 0) ::close(fd);
      TRenameItem item;
      AssignPath(item, path);
      item.NewName = "g" + number + ".dat";
      items.append(item);
    }
    log = dir.filePath("appdata/Larkwell/Corvane/last_rename.csv");
  }
  QTemporaryDir dir;
  QList<TRenameItem> items;
  QString log;
};

RenameOptions InPlace() {
  RenameOptions o;
  o.batchMode = static_cast<int>(BatchMode::RenameInPlace);
  o.conflict = static_cast<int>(ConflictMode::AutoNumber);
  return o;
}

template <bool kSynced>
void BM_BatchInPlace(benchmark::State& state) {
  Folder folder(int(state.range(0)));
  FileSystem& fs = FileSystemFor(kSynced);
  for (auto _ : state) {
    const BatchOutcome out = ExecuteBatch(folder.items, InPlace(), fs, folder.log);
    state.PauseTiming();
    if (!out.status.ok() || out.updates.size() != folder.items.size()) {
      state.SkipWithError("the batch did not rename every file");
    }
    if (!UndoLastRename(RealFileSystem(), folder.log).status.ok()) {
      state.SkipWithError("the undo failed");
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same batch without syncs, with and without the terminal's progress line
// (written after half a second, then ten times a second, into nothing):
// what reporting after each file costs.
template <bool kReporting>
void BM_BatchReporting(benchmark::State& state) {
  Folder folder(int(state.range(0)));
  FileSystem& fs = FileSystemFor(false);
  qsizetype written = 0;
  for (auto _ : state) {
    std::optional<TerminalProgress> progress;
    if (kReporting) progress.emplace([&written](QByteArrayView b) { written += b.size(); });
    const BatchOutcome out = ExecuteBatch(folder.items, InPlace(), fs, folder.log, nullptr,
                                          progress ? &*progress : nullptr);
    state.PauseTiming();
    if (!out.status.ok() || !UndoLastRename(RealFileSystem(), folder.log).status.ok()) {
      state.SkipWithError("the batch or its undo failed");
    }
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(written);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// What the reports of the run above cost on their own, without the disk's
// noise: one call per file.
void BM_ProgressReportsOnly(benchmark::State& state) {
  qsizetype written = 0;
  for (auto _ : state) {
    TerminalProgress progress([&written](QByteArrayView b) { written += b.size(); },
                              std::chrono::milliseconds(0));
    for (int64_t i = 1; i <= state.range(0); ++i) progress.Advanced(i, state.range(0));
  }
  benchmark::DoNotOptimize(written);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The batch without syncs as the window runs it (ui/long_work.h: a stop
// request polled and two counts stored in atomics per file, read by the
// window on a timer) against the same batch without either, both in every
// iteration, in alternating order, so that they meet the same disk. The
// counter "ratio" is the median over the iterations of the first's time over
// the second's.
void BM_WindowProgressAgainstSilent(benchmark::State& state) {
  Folder folder(int(state.range(0)));
  FileSystem& fs = FileSystemFor(false);
  std::vector<double> ratios;
  double silentTotal = 0;
  bool reportingFirst = false;
  for (auto _ : state) {
    double seconds[2] = {0, 0};  // silent, reporting
    for (const bool reporting : {reportingFirst, !reportingFirst}) {
      StopRequest stop;
      WorkCounts counts;
      const auto start = std::chrono::steady_clock::now();
      const BatchOutcome out =
          ExecuteBatch(folder.items, InPlace(), fs, folder.log, reporting ? &stop : nullptr,
                       reporting ? &counts : nullptr);
      seconds[reporting] =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (!out.status.ok() || (reporting && counts.done() != folder.items.size()) ||
          !UndoLastRename(RealFileSystem(), folder.log).status.ok()) {
        state.SkipWithError("the batch or its undo failed");
      }
    }
    ratios.push_back(seconds[1] / seconds[0]);
    silentTotal += seconds[0];
    reportingFirst = !reportingFirst;
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["ratio"] = ratios.empty() ? 0 : ratios[ratios.size() / 2];
  state.counters["silent_ms"] = 1000 * silentTotal / double(std::max<size_t>(ratios.size(), 1));
}

// What the window's reports cost on their own: one call per file.
void BM_WindowReportsOnly(benchmark::State& state) {
  for (auto _ : state) {
    WorkCounts counts;
    for (int64_t i = 1; i <= state.range(0); ++i) counts.Advanced(i, state.range(0));
    benchmark::DoNotOptimize(counts.done());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Undo(benchmark::State& state) {
  Folder folder(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    if (!ExecuteBatch(folder.items, InPlace(), RealFileSystem(), folder.log).status.ok()) {
      state.SkipWithError("the batch failed");
    }
    state.ResumeTiming();
    const UndoOutcome out = UndoLastRename(RealFileSystem(), folder.log);
    if (!out.status.ok()) state.SkipWithError("the undo failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The log alone: N lines of realistic length, committed a group at a time as a
// batch does, with and without its syncs.
template <bool kSynced>
void BM_LogOnly(benchmark::State& state) {
  QTemporaryDir dir;
  const QString log = dir.filePath("last_rename.csv");
  const QString source = dir.filePath("photos/holiday/f0000000.dat");
  const QString target = dir.filePath("photos/holiday/g0000000.dat");
  FileSystem& fs = FileSystemFor(kSynced);
  for (auto _ : state) {
    UndoLogWriter writer(fs, log);
    qsizetype group = OperationQueue::kFirstGroupSize;
    qsizetype inGroup = 0;
    for (int64_t i = 0; i < state.range(0); ++i) {
      (void)writer.Add(source, target);
      if (++inGroup < group) continue;
      (void)writer.Commit();
      inGroup = 0;
      group = std::min(2 * group, OperationQueue::kLargestGroupSize);
    }
    if (!writer.Finish(true, true).ok()) state.SkipWithError("the log could not be written");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_TEMPLATE(BM_BatchInPlace, true)
    ->Name("BatchInPlace/Synced")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_BatchInPlace, false)
    ->Name("BatchInPlace/WithoutSyncs")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_BatchReporting, false)
    ->Name("BatchInPlace/Silent")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_BatchReporting, true)
    ->Name("BatchInPlace/ReportingProgress")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ProgressReportsOnly)
    ->Name("ProgressReportsOnly")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowProgressAgainstSilent)
    ->Name("BatchInPlace/WindowProgressAgainstSilent")
    ->Arg(100000)
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WindowReportsOnly)
    ->Name("WindowReportsOnly")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Undo)
    ->Name("Undo")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_LogOnly, true)
    ->Name("LogOnly/Synced")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_LogOnly, false)
    ->Name("LogOnly/WithoutSyncs")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
