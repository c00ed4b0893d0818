#include "collect/item_order.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <numeric>

#include "collect/item_list.h"
#include "engine/taken_time.h"

namespace corvane {
namespace {

ItemOrder Unchanged(qsizetype count) {
  ItemOrder order(size_t(count), 0);
  std::iota(order.begin(), order.end(), qsizetype(0));
  return order;
}

QStringView FileNameOf(const QString& path) {
  const QStringView view = path;
  qsizetype start = view.size();
  while (start > 0 && view[start - 1] != u'/' && view[start - 1] != u'\\') --start;
  return view.sliced(start);
}

// Each name's collation key is made once: comparing keys is a byte compare,
// where collating the names themselves at every comparison would cost far
// more on a long list.
ItemOrder OrderByName(const QList<TRenameItem>& items, const QLocale& locale) {
  // Qt collates the C locale by code units alone, with neither digits as
  // numbers nor case ignored; a system left at C gets the English order.
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<QCollatorSortKey> keys;
  keys.reserve(size_t(items.size()));
  for (const TRenameItem& item : items) {
    keys.push_back(collator.sortKey(FileNameOf(item.OriginalPath).toString()));
  }
  ItemOrder order = Unchanged(items.size());
  std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
    const int byName = keys[size_t(a)].compare(keys[size_t(b)]);
    if (byName != 0) return byName < 0;
    const QString& left = items.at(a).OriginalPath;
    const QString& right = items.at(b).OriginalPath;
    const int byPath = collator.compare(left, right);
    return byPath != 0 ? byPath < 0 : left < right;
  });
  return order;
}

template <typename Key>
ItemOrder OrderByKey(const QList<TRenameItem>& items,
                     Key (*keyOf)(const TRenameItem&, const OrderKeys&), const OrderKeys& context) {
  std::vector<Key> keys;
  keys.reserve(size_t(items.size()));
  for (const TRenameItem& item : items) keys.push_back(keyOf(item, context));
  ItemOrder order = Unchanged(items.size());
  std::stable_sort(order.begin(), order.end(),
                   [&](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
  return order;
}

// A time that cannot be read sorts first, like the zero time it stands for.
qint64 TimeKey(const QDateTime& time) {
  return time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

qint64 ModifiedKey(const TRenameItem& item, const OrderKeys&) { return TimeKey(item.ModifiedUtc); }

qint64 TakenKey(const TRenameItem& item, const OrderKeys& keys) {
  return TimeKey(keys.dateTaken(item));
}

int64_t SizeKey(const TRenameItem& item, const OrderKeys&) { return item.Size; }

}  // namespace

QDateTime ModifiedTimeOf(const TRenameItem& item) { return item.ModifiedUtc; }

ItemOrder OrderOfItems(const QList<TRenameItem>& items, ListOrder order, const OrderKeys& keys) {
  switch (order) {
    case ListOrder::kByName:
      return OrderByName(items, keys.locale);
    case ListOrder::kByDateModified:
      return OrderByKey(items, &ModifiedKey, keys);
    case ListOrder::kByDateTaken:
      return OrderByKey(items, &TakenKey, keys);
    case ListOrder::kBySize:
      return OrderByKey(items, &SizeKey, keys);
    case ListOrder::kReversed: {
      ItemOrder reversed = Unchanged(items.size());
      std::reverse(reversed.begin(), reversed.end());
      return reversed;
    }
  }
  return Unchanged(items.size());
}

void SortItems(RenameItemList& list, ListOrder order, const OrderKeys& keys) {
  list.Reorder(OrderOfItems(list.items(), order, keys));
}

std::optional<QList<TakenTimeRead>> ReadMissingTakenTimes(const QList<TRenameItem>& items,
                                                          const EngineContext& context,
                                                          const StopRequest* stop,
                                                          ProgressReport* progress) {
  QList<TakenTimeRead> read;
  for (qsizetype row = 0; row < items.size(); ++row) {
    if (stop && stop->requested()) return std::nullopt;
    const TRenameItem& item = items[row];
    if (!item.TakenLocal) {
      read.append({row, ReadTakenTime(item.OriginalPath, context.timeZone).value_or(QDateTime())});
    }
    if (progress) progress->Advanced(row + 1, items.size());
  }
  return read;
}

ItemOrder OrderOfList(RenameItemList& list, ListOrder order, const QLocale& locale,
                      const EngineContext& context) {
  if (order == ListOrder::kByDateTaken) {
    list.KeepTakenTimes(*ReadMissingTakenTimes(list.items(), context, nullptr, nullptr));
  }
  const OrderKeys keys{
      locale, [&context](const TRenameItem& item) { return TakenOrModifiedTime(item, context); }};
  return OrderOfItems(list.items(), order, keys);
}

}  // namespace corvane
