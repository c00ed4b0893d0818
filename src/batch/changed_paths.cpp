#include "batch/changed_paths.h"

#include <algorithm>
#include <bit>

#include "platform/paths.h"

namespace corvane {
namespace {

constexpr uint64_t kFibonacci = 0x9E3779B97F4A7C15ull;

uint64_t Fragment(size_t hash) { return uint64_t(hash) & 0xFFFF'FFFF'0000'0000ull; }

}  // namespace

ChangedPaths::ChangedPaths(qsizetype expected) {
  // At most half the slots in use keeps the probes short.
  const size_t size = std::bit_ceil(size_t(std::max<qsizetype>(expected, 8)) * 2);
  slots_.assign(size, 0);
  shift_ = 64 - std::countr_zero(size);
  entries_.reserve(size_t(expected));
}

// The upper bits of a Fibonacci product pick the slot: PathTextHash is spread
// well enough for equality, not for a power-of-two table.
size_t ChangedPaths::FirstSlot(size_t hash) const {
  return size_t((uint64_t(hash) * kFibonacci) >> shift_);
}

// The slot holding `path`, or the empty slot where it belongs.
size_t ChangedPaths::SlotOf(QStringView path, size_t hash) const {
  const size_t mask = slots_.size() - 1;
  const uint64_t fragment = Fragment(hash);
  for (size_t i = FirstSlot(hash);; i = (i + 1) & mask) {
    const uint64_t slot = slots_[i];
    if (slot == 0) return i;
    if ((slot & 0xFFFF'FFFF'0000'0000ull) != fragment) continue;
    const Entry& entry = entries_[(slot & 0xFFFF'FFFFull) - 1];
    if (SamePathText(QStringView(entry.text, entry.size), path)) return i;
  }
}

const ChangedPaths::Change* ChangedPaths::Find(QStringView path, size_t hash) const {
  const uint64_t slot = slots_[SlotOf(path, hash)];
  return slot == 0 ? nullptr : &entries_[(slot & 0xFFFF'FFFFull) - 1].change;
}

void ChangedPaths::Set(QStringView path, size_t hash, Change change) {
  size_t i = SlotOf(path, hash);
  if (slots_[i] != 0) {
    entries_[(slots_[i] & 0xFFFF'FFFFull) - 1].change = change;
    return;
  }
  entries_.push_back({path.utf16(), path.size(), change});
  slots_[i] = Fragment(hash) | uint64_t(entries_.size());
  if (entries_.size() * 2 > slots_.size()) Grow();
}

void ChangedPaths::Grow() {
  std::vector<uint64_t> old(slots_.size() * 2, 0);
  old.swap(slots_);
  --shift_;
  const size_t mask = slots_.size() - 1;
  for (size_t index = 0; index < entries_.size(); ++index) {
    const Entry& entry = entries_[index];
    const size_t hash = PathTextHash(QStringView(entry.text, entry.size));
    size_t i = FirstSlot(hash);
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = Fragment(hash) | uint64_t(index + 1);
  }
}

}  // namespace corvane
