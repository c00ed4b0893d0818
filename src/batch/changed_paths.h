// ChangedPaths: what the items of a batch played so far did to the paths they
// touched (freed a source, took a target), for the items played after them.
//
// 100,000 items touch 200,000 paths: a node or a copied string for each
// would cost more than everything else the verdicts do. So the table is one
// array of slots, each a fragment of the hash and the place of an entry, and
// an entry holds a view of its path: the text of every path must outlive the
// table.
#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

namespace corvane {

class ChangedPaths {
 public:
  struct Change {
    bool taken;       // false: freed
    bool ofTheBatch;  // a file an earlier item put there
  };

  // Room for `expected` paths before the table grows.
  explicit ChangedPaths(qsizetype expected);

  // Paths are compared as the platform compares them (SamePathText); `hash`
  // is PathTextHash(path).
  const Change* Find(QStringView path, size_t hash) const;
  void Set(QStringView path, size_t hash, Change change);
  // Asks the processor for the slot of `hash` ahead of a Find or Set: a
  // table of 200,000 paths is larger than its caches.
  void Prefetch(size_t hash) const { __builtin_prefetch(&slots_[FirstSlot(hash)]); }

 private:
  struct Entry {
    const char16_t* text;
    qsizetype size;
    Change change;
  };

  size_t FirstSlot(size_t hash) const;
  size_t SlotOf(QStringView path, size_t hash) const;
  void Grow();

  // Each slot: the hash's upper half above the entry's index + 1; 0 is empty.
  std::vector<uint64_t> slots_;
  std::vector<Entry> entries_;
  int shift_ = 0;  // 64 - log2(slots_.size())
};

}  // namespace corvane
