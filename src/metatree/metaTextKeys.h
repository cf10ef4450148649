#pragma once
// The keys of one read. A drawing has a few dozen distinct keys repeated
// millions of times; every node of a key shares one text object. Internal to
// the reader.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "lorvane/metatree/str.h"

namespace lorvane::metaText {

class keyTableC {
public:
  keyTableC() : slots_(kInitialSlots) {}
  keyTableC(const keyTableC&) = delete;
  keyTableC& operator=(const keyTableC&) = delete;
  // The table's own hold on each text goes; texts no node holds go with it.
  ~keyTableC() {
    for (const slotC& slot : slots_)
      if (slot.text && slot.text->letGo()) delete slot.text;
  }

  // The one text object of the key, made on its first use.
  sharedStrC* intern(std::string_view key) {
    const std::uint32_t hash = hashOf(key);
    for (std::size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      slotC& slot = slots_[i];
      if (!slot.text) return add(slot, hash, key);
      if (slot.hash == hash && sameText(slot.text->view(), key)) return slot.text;
    }
  }

private:
  static constexpr std::size_t kInitialSlots = 256;

  struct slotC {
    sharedStrC* text = nullptr;
    std::uint32_t hash = 0;
  };

  // Keys are short: a loop beats a call of memcmp.
  static bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return false;
    return true;
  }

  static std::uint32_t hashOf(std::string_view key) {
    std::uint32_t hash = 2166136261u;
    for (const char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
  }

  sharedStrC* add(slotC& slot, std::uint32_t hash, std::string_view key) {
    // Grown before the text is made, so that a failure leaves nothing unheld.
    if ((used_ + 1) * 2 > slots_.size()) {
      grow();
      return intern(key);
    }
    slot.text = new sharedStrC(key);
    slot.hash = hash;
    ++used_;
    return slot.text;
  }

  void grow() {
    std::vector<slotC> larger(slots_.size() * 2);
    for (const slotC& slot : slots_) {
      if (!slot.text) continue;
      std::size_t i = slot.hash & (larger.size() - 1);
      while (larger[i].text) i = (i + 1) & (larger.size() - 1);
      larger[i] = slot;
    }
    slots_.swap(larger);
  }

  std::vector<slotC> slots_;
  std::size_t used_ = 0;
};

}  // namespace lorvane::metaText
