#include "links/TextIndex.h"

#include <functional>
#include <stdexcept>

namespace pagelark {
namespace {

constexpr std::size_t kFirstSlots = 64;

// The low half of the hash: tables never come near 2^32 slots.
std::uint32_t HashOf(std::string_view text) { return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text)); }

}  // namespace

std::size_t TextIndex::SlotOf(std::string_view text, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.number == kEmpty || (slot.hash == hash && texts_[slot.number] == text)) return at;
  }
}

std::size_t TextIndex::Find(std::string_view text) const {
  if (slots_.empty()) return npos;
  const std::uint32_t number = slots_[SlotOf(text, HashOf(text))].number;
  return number == kEmpty ? npos : number;
}

void TextIndex::Prefetch(std::string_view text) const {
  if (!slots_.empty()) __builtin_prefetch(&slots_[HashOf(text) & (slots_.size() - 1)]);
}

std::pair<std::size_t, bool> TextIndex::Insert(std::string text) {
  if ((texts_.size() + 1) * 2 > slots_.size()) Grow();
  const std::uint32_t hash = HashOf(text);
  Slot& slot = slots_[SlotOf(text, hash)];
  if (slot.number != kEmpty) return {slot.number, false};
  if (texts_.size() >= kEmpty) throw std::length_error("TextIndex holds at most 2^32 - 1 texts");
  slot = {hash, static_cast<std::uint32_t>(texts_.size())};
  texts_.push_back(std::move(text));
  return {slot.number, true};
}

void TextIndex::Clear() {
  texts_.clear();
  slots_.clear();
}

// Twice the slots; the kept hashes place every text again without reading it.
void TextIndex::Grow() {
  std::vector<Slot> old(slots_.empty() ? kFirstSlots : slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.number == kEmpty) continue;
    std::size_t at = slot.hash & mask;
    while (slots_[at].number != kEmpty) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

}  // namespace pagelark
