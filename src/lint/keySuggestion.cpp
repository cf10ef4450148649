#include "keySuggestion.h"

#include "lorvane/util/asciiCase.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lorvane::cli::lint {
namespace {

// Edit distance without regard to case: insertions, deletions,
// substitutions and swaps of neighbours.
std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = asciiUpper(a[i - 1]) == asciiUpper(b[j - 1]) ? 0 : 1;
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
      if (i > 1 && j > 1 && asciiUpper(a[i - 1]) == asciiUpper(b[j - 2]) && asciiUpper(a[i - 2]) == asciiUpper(b[j - 1]))
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before.swap(previous);
    previous.swap(current);
  }
  return previous[b.size()];
}

bool startsWith(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (asciiUpper(text[i]) != asciiUpper(start[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view nearestKey(std::string_view key, std::span<const std::string_view> candidates) {
  if (key.empty() || key.size() > 64) return {};
  std::string_view best;
  std::size_t bestDistance = 0;
  for (std::string_view candidate : candidates) {
    const std::size_t allowed = std::min(key.size(), candidate.size()) >= 5 ? 2 : 1;
    std::size_t distance = editDistance(key, candidate);
    // RADIUS for RAD, POINTLIST for POINT: a known key with something added.
    const bool extends = std::min(key.size(), candidate.size()) >= 3 &&
                         (startsWith(key, candidate) || startsWith(candidate, key));
    if (distance > allowed && !extends) continue;
    if (extends) distance = std::min(distance, allowed);
    if (best.empty() || distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace lorvane::cli::lint
