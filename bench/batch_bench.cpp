// Batch in place and undo over N files on the real disk, with the undo log
// written as the batch goes (each line copied into a shared mapping of the log
// as it is recorded, one sync at the end). The "LogAtEnd" variants run the same batch with the log held in
// memory and written once at the end, so that the cost of streaming the log
// is measured in the same run; the "LogOnly" pair isolates the log itself.
//   build-*/bench/batch_bench --benchmark_filter=100000
#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch/undo_log_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace corvane {
namespace {

// Holds every log write in memory until Sync or Close, then writes it at once.
class BufferedFile : public WritableFile {
 public:
  explicit BufferedFile(std::unique_ptr<WritableFile> base) : base_(std::move(base)) {}
  Status Append(QByteArrayView data) override {
    buffer_.append(data);
    return Status::Ok();
  }
  Status Sync() override {
    Status s = Flush();
    return s.ok() ? base_->Sync() : s;
  }
  Status Close() override {
    Status s = Flush();
    return s.ok() ? base_->Close() : s;
  }

 private:
  Status Flush() {
    Status s = buffer_.isEmpty() ? Status::Ok() : base_->Append(buffer_);
    buffer_.clear();
    return s;
  }
  std::unique_ptr<WritableFile> base_;
  QByteArray buffer_;
};

// The real file system, except that files it writes are buffered.
class LogAtEndFileSystem : public FileSystem {
 public:
  explicit LogAtEndFileSystem(FileSystem& base) : base_(base) {}
  bool FileExists(const QString& p) override { return base_.FileExists(p); }
  bool FolderExists(const QString& p) override { return base_.FolderExists(p); }
  bool CreateFolder(const QString& p) override { return base_.CreateFolder(p); }
  Status DeleteFile(const QString& p) override { return base_.DeleteFile(p); }
  Status MoveFile(const QString& a, const QString& b) override { return base_.MoveFile(a, b); }
  bool IsSameFile(const QString& a, const QString& b) override { return base_.IsSameFile(a, b); }
  Status RenameSameFile(const QString& a, const QString& b) override {
    return base_.RenameSameFile(a, b);
  }
  Status CopyFile(const QString& a, const QString& b) override { return base_.CopyFile(a, b); }
  Status SetLastWriteTime(const QString& p, const QDateTime& t) override {
    return base_.SetLastWriteTime(p, t);
  }
  Result<QByteArray> ReadFile(const QString& p) override { return base_.ReadFile(p); }
  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& p) override {
    return Buffered(base_.NewWritableFile(p));
  }
  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& p) override {
    return Buffered(base_.NewAppendableFile(p));
  }
  Status ReplaceFile(const QString& a, const QString& b) override {
    return base_.ReplaceFile(a, b);
  }

 private:
  static Result<std::unique_ptr<WritableFile>> Buffered(
      Result<std::unique_ptr<WritableFile>> file) {
    if (!file.ok()) return file.error();
    return std::unique_ptr<WritableFile>(std::make_unique<BufferedFile>(std::move(file).value()));
  }
  FileSystem& base_;
};

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

template <bool kLogAtEnd>
void BM_BatchInPlace(benchmark::State& state) {
  Folder folder(int(state.range(0)));
  LogAtEndFileSystem logAtEnd(RealFileSystem());
  FileSystem& fs = kLogAtEnd ? static_cast<FileSystem&>(logAtEnd) : RealFileSystem();
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

// The log alone: N lines of realistic length, streamed or written at the end.
template <bool kLogAtEnd>
void BM_LogOnly(benchmark::State& state) {
  QTemporaryDir dir;
  const QString log = dir.filePath("last_rename.csv");
  const QString source = dir.filePath("photos/holiday/f0000000.dat");
  const QString target = dir.filePath("photos/holiday/g0000000.dat");
  LogAtEndFileSystem logAtEnd(RealFileSystem());
  FileSystem& fs = kLogAtEnd ? static_cast<FileSystem&>(logAtEnd) : RealFileSystem();
  for (auto _ : state) {
    UndoLogWriter writer(fs, log);
    for (int64_t i = 0; i < state.range(0); ++i) (void)writer.Record(source, target);
    if (!writer.Finish(true).ok()) state.SkipWithError("the log could not be written");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_TEMPLATE(BM_BatchInPlace, false)
    ->Name("BatchInPlace/LogAsItGoes")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_BatchInPlace, true)
    ->Name("BatchInPlace/LogAtEnd")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Undo)
    ->Name("Undo")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_LogOnly, false)
    ->Name("LogOnly/AsItGoes")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_LogOnly, true)
    ->Name("LogOnly/AtEnd")
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
