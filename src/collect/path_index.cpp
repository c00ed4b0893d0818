#include "collect/path_index.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace corvane {
namespace {

constexpr size_t kMinimumSlots = 16;

// Slots are at most half full: linear probing then stays short.
size_t SlotsFor(qsizetype count) {
  return std::max(kMinimumSlots, std::bit_ceil(size_t(count) * 2 + 1));
}

}  // namespace

PathIndex::PathIndex(HashFunction hash, EqualFunction equal) : hash_(hash), equal_(equal) {
  Clear();
}

size_t PathIndex::Home(size_t hash) const {
  // Fibonacci hashing spreads the high bits of any hash over the table, so a
  // weak hash of the path text does not crowd the slots.
  return size_t((uint64_t(hash) * 0x9E3779B97F4A7C15ull) >> shift_);
}

size_t PathIndex::Probe(size_t hash, const QString& path) const {
  const size_t mask = slots_.size() - 1;
  size_t i = Home(hash);
  while (slots_[i].count != 0) {
    if (slots_[i].hash == hash && equal_(slots_[i].path, path)) return i;
    i = (i + 1) & mask;
  }
  return i;
}

bool PathIndex::Contains(const QString& path) const {
  return slots_[Probe(hash_(path), path)].count != 0;
}

void PathIndex::Add(const QString& path) {
  Reserve(used_ + 1);
  const size_t hash = hash_(path);
  Slot& slot = slots_[Probe(hash, path)];
  if (slot.count == 0) {
    slot.hash = hash;
    slot.path = path;
    ++used_;
  }
  ++slot.count;
}

void PathIndex::Remove(const QString& path) {
  const size_t i = Probe(hash_(path), path);
  if (slots_[i].count == 0 || --slots_[i].count > 0) return;
  EmptySlot(i);
  --used_;
}

// Backward-shift deletion: the entries after the hole that could sit in it
// move back, so every entry stays reachable from its home without tombstones.
void PathIndex::EmptySlot(size_t hole) {
  const size_t mask = slots_.size() - 1;
  slots_[hole] = Slot();
  for (size_t j = (hole + 1) & mask; slots_[j].count != 0; j = (j + 1) & mask) {
    const size_t home = Home(slots_[j].hash);
    // The entry at j may move into the hole unless its home lies cyclically
    // in (hole, j], where the probe from its home would not pass the hole.
    const bool homeAfterHole = ((j - home) & mask) < ((j - hole) & mask);
    if (homeAfterHole) continue;
    slots_[hole] = std::move(slots_[j]);
    slots_[j] = Slot();
    hole = j;
  }
}

void PathIndex::Clear() {
  slots_.assign(kMinimumSlots, Slot());
  shift_ = 64 - std::countr_zero(kMinimumSlots);
  used_ = 0;
}

void PathIndex::Reserve(qsizetype count) {
  const size_t wanted = SlotsFor(count);
  if (wanted > slots_.size()) Rebuild(wanted);
}

void PathIndex::Rebuild(size_t slotCount) {
  std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
  shift_ = 64 - std::countr_zero(slotCount);
  for (Slot& slot : old) {
    if (slot.count == 0) continue;
    slots_[Probe(slot.hash, slot.path)] = std::move(slot);
  }
}

}  // namespace corvane
