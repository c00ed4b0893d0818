// The main window against the libraries it runs, 100,000 files, offscreen:
//
// - BM_DropAgainstAddFolder: a folder dropped on a shown window until its
//   rows are in the model, against AddFolder into a bare item list.
// - BM_PreviewAgainstBuildPreview: the window's preview until the view has
//   drawn the new names, against BuildPreview alone on the same items. Each
//   iteration switches between two patterns, so every name changes.
// - BM_WindowMemory: resident memory of a shown window holding 100,000
//   previewed rows above the same window empty, per row. Run it in a process
//   of its own (bench/run_benchmarks.sh does): memory freed by an earlier
//   benchmark would hide the growth.
//
// The pairs are measured in turn inside each iteration (the order swapped
// every time), so both meet the same cache state; "ratio" is window / library.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "collect/add_files.h"
#include "engine/preview.h"
#include "ui/main_window.h"

namespace corvane {
namespace {

constexpr int kFiles = 100'000;
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "window_bench: %s\n", what);
  std::exit(1);
}

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

const QString& Folder() {
  static QTemporaryDir dir;
  static bool made = false;
  if (!made) {
    if (!dir.isValid()) std::abort();
    const QByteArray base = QFile::encodeName(dir.path());
    char name[64];
    for (int i = 0; i < kFiles; ++i) {
      std::snprintf(name, sizeof name, "/IMG_%06d holiday.jpg", i);
      const int fd = ::open((base + name).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
      if (fd < 0 || ::write(fd, name, 16) != 16) std::abort();
      ::close(fd);
    }
    made = true;
  }
  static const QString path = dir.path();
  return path;
}

class SilentDialogs final : public Dialogs {
 public:
  void ShowMessage(QWidget*, Kind, const QString&, const QString& text) override {
    std::fprintf(stderr, "box: %s\n", qPrintable(text));
  }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  QStringList OpenFileNames(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> ExistingFolder(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  void RunModal(QDialog&) override {}
};

struct ShownWindow {
  ShownWindow()
      : window(WindowServices{RealFileSystem(), QString(),
                              EngineContext::Fixed(QDateTime(QDate(2026, 1, 2), QTime(3, 4),
                                                             QTimeZone::utc()),
                                                   QTimeZone::utc())},
               dialogs) {
    window.show();
    QApplication::processEvents();
  }
  void Drop(const QString& folder) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    // Qt hands a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(600, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(600, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
  }
  int Rows() { return window.findChild<QTableView*>(QStringLiteral("lvFiles"))->model()->rowCount(); }
  void Preview(const QString& pattern) {
    window.findChild<QLineEdit*>(QStringLiteral("edtPattern"))->setText(pattern);
    window.findChild<QAction*>(QStringLiteral("Preview1"))->trigger();
    QApplication::processEvents();  // the view draws the new names
  }
  SilentDialogs dialogs;
  TFormMain window;
};

void BM_DropAgainstAddFolder(benchmark::State& state) {
  const QString& folder = Folder();
  double library = 0, window = 0;
  bool libraryFirst = true;
  for (auto _ : state) {
    auto shown = std::make_unique<ShownWindow>();
    const auto measureLibrary = [&] {
      RenameItemList list;
      const Clock::time_point start = Clock::now();
      if (!AddFolder(list, folder, false).ok()) Fail("AddFolder failed");
      if (list.count() != kFiles) Fail("AddFolder added too few files");
      library += Seconds(start);
    };
    const auto measureWindow = [&] {
      const Clock::time_point start = Clock::now();
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
  const QString patterns[] = {QStringLiteral("{counter}_{name}"), QStringLiteral("{name}_{counter}")};
  int next = 0;
  shown.Preview(patterns[next]);
  double library = 0, window = 0;
  for (auto _ : state) {
    next = 1 - next;
    RenameOptions options = shown.window.ReadOptions();
    options.pattern = patterns[next];
    const EngineContext context = EngineContext::Fixed(
        QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()), QTimeZone::utc());
    // The library on the items as they stand (every name about to change),
    // then the window doing the same and showing it.
    Clock::time_point start = Clock::now();
    const Result<PreviewOutcome> alone = BuildPreview(shown.window.items().items(), options, context);
    library += Seconds(start);
    if (!alone.ok() || alone->changedRows.size() != kFiles) Fail("the preview changed too few");
    start = Clock::now();
    shown.Preview(patterns[next]);
    window += Seconds(start);
  }
  const double n = double(state.iterations());
  state.counters["library_ms"] = library / n * 1000;
  state.counters["window_ms"] = window / n * 1000;
  state.counters["ratio"] = window / library;
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
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvane"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
