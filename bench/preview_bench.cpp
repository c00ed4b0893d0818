// Preview speed: new names for 10,000 and 100,000 items with a keyword
// pattern, a regular-expression find and replace and Title Case; and the name
// edits alone. The "per_item" counter is the time of one item.
#include "engine/engine_context.h"
#include "engine/name_edits.h"
#include "engine/preview.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "preview_options.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace corvane {
namespace {

QList<TRenameItem> MakeItems(qsizetype count) {
  QList<TRenameItem> items;
  items.reserve(count);
  const QDateTime created(QDate(2024, 5, 17), QTime(8, 30), QTimeZone::utc());
  for (qsizetype i = 0; i < count; ++i) {
    TRenameItem item;
    AssignPath(item, QStringLiteral("/home/user/Pictures/trip %1/IMG_%2 holiday photo.jpg")
                         .arg(i / 1000)
                         .arg(i, 5, 10, QChar(u'0')));
    item.Size = 1'000'000 + i;
    item.CreatedUtc = created.addSecs(i);
    item.ModifiedUtc = item.CreatedUtc;
    items.append(std::move(item));
  }
  return items;
}

void SetPerItem(benchmark::State& state, qsizetype count) {
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["per_item"] = benchmark::Counter(
      double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Previews MakeItems(state.range(0)) with `pattern` and the other options of
// PreviewOptions.
void RunPreview(benchmark::State& state, const QString& pattern) {
  const qsizetype count = state.range(0);
  const QList<TRenameItem> items = MakeItems(count);
  RenameOptions options = PreviewOptions();
  options.pattern = pattern;
  const EngineContext context = EngineContext::FromSystem();
  for (auto _ : state) {
    Result<PreviewOutcome> outcome = BuildPreview(items, options, context);
    if (!outcome.ok()) std::abort();
    benchmark::DoNotOptimize(outcome->newNames.data());
  }
  SetPerItem(state, count);
}

void BM_Preview(benchmark::State& state) { RunPreview(state, PreviewOptions().pattern); }
BENCHMARK(BM_Preview)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The same without the formatted date, to tell the keyword expansion apart
// from the rest of the pipeline.
void BM_PreviewWithoutDate(benchmark::State& state) {
  RunPreview(state, QStringLiteral("{counter}_{name}"));
}
BENCHMARK(BM_PreviewWithoutDate)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The edits are read from the options once, as the preview reads them.
void BM_NameEdits(benchmark::State& state) {
  const qsizetype count = state.range(0);
  const QList<TRenameItem> items = MakeItems(count);
  RenameOptions options;
  options.removeFirst = QStringLiteral("4");
  options.charactersToRemove = QStringLiteral("_");
  options.collapseDoubleSpaces = true;
  options.cropBefore = QStringLiteral(" photo");
  options.insertText = QStringLiteral("x");
  options.insertPos = QStringLiteral("3");
  options.padNumbers = QStringLiteral("6");
  const NameEdits edits(options);
  for (auto _ : state) {
    for (const TRenameItem& item : items) {
      QString base = edits.Apply(item.OriginalName);
      benchmark::DoNotOptimize(base.data());
    }
  }
  SetPerItem(state, count);
}
BENCHMARK(BM_NameEdits)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
