#pragma once
// "Did you mean": the expected key nearest to a key nobody reads.
#include <span>
#include <string_view>

namespace lorvane::cli::lint {

// The candidate the key is most likely a slip of (same letters in another
// case, a letter or two off, or one the key starts with or is the start
// of), or empty when none is near.
std::string_view nearestKey(std::string_view key, std::span<const std::string_view> candidates);

}  // namespace lorvane::cli::lint
