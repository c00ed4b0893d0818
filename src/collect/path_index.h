// PathIndex: the paths of the item list as a multiset, for constant-time
// duplicate tests.
//
// Two paths are the same entry when `equal` says so; `hash` must give equal
// paths equal values (platform/paths.h pairs them for each rule). Counting
// lets the list hold one path twice (Append does not refuse it) and still find
// it after one of them goes. The slots lie in one flat array, probed linearly
// and kept at most half full, so a lookup in a list of 100,000 items touches
// one or two cache lines rather than a chain of separately allocated nodes.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace corvane {

class PathIndex {
 public:
  using HashFunction = size_t (*)(QStringView);
  using EqualFunction = bool (*)(QStringView, QStringView);

  PathIndex(HashFunction hash, EqualFunction equal);

  bool Contains(const QString& path) const;
  void Add(const QString& path);
  // Removes one occurrence of `path`; nothing when it is not there.
  void Remove(const QString& path);
  void Clear();
  // Makes room for `count` occurrences without regrowing while they are added.
  void Reserve(qsizetype count);

  // Distinct paths held.
  qsizetype size() const { return used_; }

 private:
  struct Slot {
    size_t hash = 0;
    qsizetype count = 0;  // 0: empty
    QString path;
  };

  size_t Home(size_t hash) const;
  // The slot holding `path`, or else the empty slot where it would go.
  size_t Probe(size_t hash, const QString& path) const;
  void Rebuild(size_t slotCount);
  void EmptySlot(size_t index);

  HashFunction hash_;
  EqualFunction equal_;
  std::vector<Slot> slots_;
  int shift_ = 0;  // 64 - log2(slots_.size())
  qsizetype used_ = 0;
};

}  // namespace corvane
