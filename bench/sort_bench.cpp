// Sorting a list of 100,000 items: by name (natural order, collation keys
// made once), by size, and the reversal.
#include <benchmark/benchmark.h>

#include <QList>
#include <QLocale>
#include <random>

#include "collect/item_order.h"

namespace corvane {
namespace {

QList<TRenameItem> ShuffledItems(int count) {
  std::vector<int> numbers(size_t(count), 0);
  for (int i = 0; i < count; ++i) numbers[size_t(i)] = i;
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
  QList<TRenameItem> items;
  items.reserve(count);
  for (const int n : numbers) {
    TRenameItem item;
    AssignPath(item, QStringLiteral("/home/user/Pictures/trip %1/%2_%3.jpg")
                         .arg(n % 10)
                         .arg(n % 3 == 0 ? QStringLiteral("img") : QStringLiteral("IMG"))
                         .arg(n));
    item.Size = (n * 7919) % 100000;
    items.append(std::move(item));
  }
  return items;
}

void SortOrder(benchmark::State& state, ListOrder order) {
  const QList<TRenameItem> items = ShuffledItems(int(state.range(0)));
  const OrderKeys keys{QLocale(QLocale::English, QLocale::UnitedStates)};
  for (auto _ : state) benchmark::DoNotOptimize(OrderOfItems(items, order, keys));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortByName(benchmark::State& state) { SortOrder(state, ListOrder::kByName); }
void BM_SortBySize(benchmark::State& state) { SortOrder(state, ListOrder::kBySize); }
void BM_Reverse(benchmark::State& state) { SortOrder(state, ListOrder::kReversed); }

BENCHMARK(BM_SortByName)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBySize)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reverse)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
