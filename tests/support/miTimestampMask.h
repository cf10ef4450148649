#pragma once
// MI files carry the date and time they were written; comparing two of them
// means leaving those out.
#include <string>

namespace lorvane::testing {

// The file with lines 9 and 10 of its "#~3" section replaced by "<date>" and
// "<time>", once they have been checked to have the date and time layout.
// Any other file comes back as it is.
std::string maskTimestamp(const std::string& file);

}  // namespace lorvane::testing
