// Adding a folder of 10,000 and 100,000 files to an empty item list, beside
// the floor of that work: listing the same folder and reading each entry's
// metadata with one stat call, nothing kept. The "per_file" counter is the
// time of one file. BM_AddFolderAgainstBare measures both in turn in every
// iteration, so they meet the same cache state, and reports their ratio.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "collect/add_files.h"
#include "collect/folder_scan.h"
#include "collect/item_list.h"

namespace corvane {
namespace {

// One folder per file count, made on first use and kept for the whole run.
QString FolderOf(int64_t count) {
  static std::map<int64_t, std::unique_ptr<QTemporaryDir>> folders;
  std::unique_ptr<QTemporaryDir>& dir = folders[count];
  if (!dir) {
    dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) std::abort();
    const QByteArray base = QFile::encodeName(dir->path());
    char name[64];
    for (int64_t i = 0; i < count; ++i) {
      std::snprintf(name, sizeof name, "/IMG_%06lld holiday.jpg", static_cast<long long>(i));
      const int fd = ::open((base + name).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
      if (fd < 0 || ::write(fd, name, 16) != 16) std::abort();
      ::close(fd);
    }
  }
  return dir->path();
}

// The floor: readdir and one stat per entry, building each path in a buffer.
int64_t ListAndStat(const QString& folder) {
  const std::string base = QFile::encodeName(folder).toStdString() + '/';
  DIR* dir = ::opendir(base.c_str());
  if (dir == nullptr) std::abort();
  std::string path = base;
  int64_t files = 0;
  struct stat st;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    path.resize(base.size());
    path += entry->d_name;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ++files;
  }
  ::closedir(dir);
  return files;
}

qsizetype AddWholeFolder(const QString& folder, RenameItemList& list) {
  if (!AddFolder(list, folder, false, RealFileSystem()).ok()) std::abort();
  return list.count();
}

benchmark::Counter PerFile(double files) {
  return benchmark::Counter(
      files, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_BareListingAndStat(benchmark::State& state) {
  const QString folder = FolderOf(state.range(0));
  for (auto _ : state) {
    if (ListAndStat(folder) != state.range(0)) std::abort();
  }
  state.counters["per_file"] = PerFile(double(state.range(0)));
}

void BM_AddFolder(benchmark::State& state) {
  const QString folder = FolderOf(state.range(0));
  for (auto _ : state) {
    RenameItemList list;
    if (AddWholeFolder(folder, list) != state.range(0)) std::abort();
    state.PauseTiming();  // the list's destruction is the clearing's cost, not the adding's
    list.Clear();
    state.ResumeTiming();
  }
  state.counters["per_file"] = PerFile(double(state.range(0)));
}

// The scan alone (names and paths collected, nothing read or added): the part
// of AddFolder that comes before the items.
void BM_CollectFolderFiles(benchmark::State& state) {
  const QString folder = FolderOf(state.range(0));
  for (auto _ : state) {
    if (CollectFolderFiles(folder, false, RealFileSystem()).size() != state.range(0)) std::abort();
  }
  state.counters["per_file"] = PerFile(double(state.range(0)));
}

void BM_AddFolderAgainstBare(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const QString folder = FolderOf(state.range(0));
  double addSeconds = 0;
  double bareSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (ListAndStat(folder) != state.range(0)) std::abort();
    const auto bareEnd = Clock::now();
    RenameItemList list;
    if (AddWholeFolder(folder, list) != state.range(0)) std::abort();
    const auto addEnd = Clock::now();
    const double bare = std::chrono::duration<double>(bareEnd - start).count();
    const double add = std::chrono::duration<double>(addEnd - bareEnd).count();
    bareSeconds += bare;
    addSeconds += add;
    state.SetIterationTime(add);
  }
  const double files = double(state.range(0)) * double(state.iterations());
  state.counters["add_ns_per_file"] = addSeconds / files * 1e9;
  state.counters["bare_ns_per_file"] = bareSeconds / files * 1e9;
  state.counters["ratio"] = addSeconds / bareSeconds;
}

BENCHMARK(BM_BareListingAndStat)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectFolderFiles)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddFolder)->Arg(10'000)->Arg(100'000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddFolderAgainstBare)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
