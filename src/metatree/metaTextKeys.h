#pragma once
// The keys of one read. A drawing has a few dozen distinct keys repeated
// millions of times; every node of a key shares one text object. Internal to
// the reader.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "lorvane/metatree/str.h"
#include "metaTextStoredClasses.h"

namespace lorvane::metaText {

class keyTableC {
public:
  // Each key is looked up among the stored classes once, when it is first met.
  explicit keyTableC(const storedClassesC& storedClasses) : slots_(kInitialSlots), storedClasses_(storedClasses) {}
  keyTableC(const keyTableC&) = delete;
  keyTableC& operator=(const keyTableC&) = delete;
  // The table's own hold on each text goes; texts no node holds go with it.
  ~keyTableC() {
    for (const slotC& slot : slots_)
      if (slot.text && slot.text->letGo()) delete slot.text;
  }

  // The one text object of the key, made on its first use; stored tells
  // whether the key names a class registered for custom storage. With
  // padded set, eight bytes may be read from the key's start whatever its
  // length, which spares a short key its byte-wise load.
  sharedStrC* intern(std::string_view key, bool& stored, bool padded = false) {
    const foldC fold = foldOf(key, padded);
    // A key met before is most often in its home slot: that case is taken
    // inline, the rest in a call.
    const slotC& home = slots_[fold.hash & (slots_.size() - 1)];
    if (home.text && holds(home, fold, key)) {
      stored = home.stored;
      return home.text;
    }
    return find(fold, key, stored);
  }

private:
  static constexpr std::size_t kInitialSlots = 256;
  // Keys up to this long are held whole in the two words of their fold.
  static constexpr std::size_t kFoldedWhole = 16;

  // A key's first and last bytes as two words, and a hash of all of it.
  // Keys are compared a word at a time instead of a byte at a time.
  struct foldC {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    std::uint32_t hash = 0;
  };

  struct slotC {
    sharedStrC* text = nullptr;
    foldC fold;
    std::size_t size = 0;
    bool stored = false;
  };

  static bool holds(const slotC& slot, const foldC& fold, std::string_view key) {
    return slot.fold.hash == fold.hash && slot.fold.head == fold.head && slot.fold.tail == fold.tail &&
           slot.size == key.size() && (key.size() <= kFoldedWhole || sameText(slot.text->view(), key));
  }

#if defined(__GNUC__)
  [[gnu::noinline]]
#endif
  sharedStrC* find(const foldC& fold, std::string_view key, bool& stored) {
    for (std::size_t i = fold.hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      slotC& slot = slots_[i];
      if (!slot.text) return add(slot, fold, key, stored);
      if (holds(slot, fold, key)) {
        stored = slot.stored;
        return slot.text;
      }
    }
  }

  static std::uint64_t load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
  }

  // A key of up to eight bytes is its bytes in the head word; longer ones
  // are covered by overlapping loads up to kFoldedWhole long, so two keys of
  // one size with equal words are equal.
  static foldC foldOf(std::string_view key, bool padded) {
    const char* p = key.data();
    const std::size_t n = key.size();
    foldC fold;
    if (n > 8) {
      fold.head = load8(p);
      fold.tail = load8(p + n - 8);
    } else if (padded && n > 0 && std::endian::native == std::endian::little) {
      // The bytes past the key fall into the high end, which is cut off.
      fold.head = load8(p) & (~std::uint64_t{0} >> (64 - 8 * n));
    } else {
      std::memcpy(&fold.head, p, n);
    }
    std::uint64_t mixed = (fold.head * 0x9E3779B97F4A7C15u) ^ (fold.tail * 0xC2B2AE3D27D4EB4Fu) ^ n;
    // Longer keys hash their middle too, so that keys alike at both ends
    // do not all collide.
    for (std::size_t at = 8; at + 8 < n; at += 8) mixed = (mixed ^ load8(p + at)) * 0x9E3779B97F4A7C15u;
    fold.hash = static_cast<std::uint32_t>(mixed >> 32);
    return fold;
  }

  static bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
  }

  sharedStrC* add(slotC& slot, const foldC& fold, std::string_view key, bool& stored) {
    // Grown before the text is made, so that a failure leaves nothing unheld.
    if ((used_ + 1) * 2 > slots_.size()) {
      grow();
      return find(fold, key, stored);
    }
    slot.text = new sharedStrC(key);
    slot.fold = fold;
    slot.size = key.size();
    slot.stored = stored = storedClasses_.holds(key);
    ++used_;
    return slot.text;
  }

  void grow() {
    std::vector<slotC> larger(slots_.size() * 2);
    for (const slotC& slot : slots_) {
      if (!slot.text) continue;
      std::size_t i = slot.fold.hash & (larger.size() - 1);
      while (larger[i].text) i = (i + 1) & (larger.size() - 1);
      larger[i] = slot;
    }
    slots_.swap(larger);
  }

  std::vector<slotC> slots_;
  const storedClassesC& storedClasses_;
  std::size_t used_ = 0;
};

}  // namespace lorvane::metaText
