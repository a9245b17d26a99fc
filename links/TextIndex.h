// A set of texts, numbered in the order they were added, for sets of many
// thousand URLs or stored names. The table holds only 32 bits of each text's
// hash and its number, side by side in one array of 8-byte slots (open
// addressing), so that a lookup reads one slot, and the text itself only
// when the hashes agree. Small slots keep a large table in the caches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pagelark {

class TextIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // The number of `text` (an exact, case-sensitive match), or npos.
  std::size_t Find(std::string_view text) const;
  // Starts reading the slot that a Find or Insert of `text` reads first, so
  // that work done in between hides the wait for memory.
  void Prefetch(std::string_view text) const;
  // Adds `text` unless it is in already. Its number, and whether it was added.
  std::pair<std::size_t, bool> Insert(std::string text);

  const std::string& Text(std::size_t number) const { return texts_[number]; }
  std::size_t size() const { return texts_.size(); }
  void Clear();

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t number = kEmpty;
  };
  // The slot that holds `text`, else the empty slot where it would go.
  std::size_t SlotOf(std::string_view text, std::uint32_t hash) const;
  void Grow();

  // A deque: a text added never moves the texts before it.
  std::deque<std::string> texts_;
  std::vector<Slot> slots_;  // a power of two in size, at most half full
};

}  // namespace pagelark
