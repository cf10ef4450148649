#pragma once
// Shared by the fuzz targets: a tree comparison and the scratch folder.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "lorvane/metatree/metaTextNumber.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane::fuzz {

// Stops the run with a message: libFuzzer records the input as a crash.
[[noreturn]] inline void fault(const char* what) {
  std::fprintf(stderr, "fuzz fault: %s\n", what);
  std::abort();
}

// With textRounding, b's numbers are expected as a's after a trip through
// the text form (14 significant digits).
inline bool sameValue(const metaValueC& a, const metaValueC& b, bool textRounding) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case metaValueKind::key:
    case metaValueKind::string:
      return a.text().view() == b.text().view();
    case metaValueKind::number: {
      double expected = a.number();
      if (textRounding) {
        char text[kTextNumberMaxChars];
        const std::size_t n = formatTextNumber(expected, text);
        if (!parseTextNumber(std::string_view(text, n), expected)) return false;
      }
      return expected == b.number() || (std::isnan(expected) && std::isnan(b.number()));
    }
    case metaValueKind::integer:
    case metaValueKind::word:
      return a.word() == b.word();
    default:
      return true;
  }
}

// Equal chains: the same shape of children and siblings, and at each place
// a value of the same kind and content. Walks both without recursion.
inline bool sameChain(const metaTreeC* a, const metaTreeC* b, bool textRounding) {
  const metaTreeC* const topA = a ? a->parent() : nullptr;
  while (a && b) {
    if (!sameValue(a->value(), b->value(), textRounding)) return false;
    if ((a->firstChild() == nullptr) != (b->firstChild() == nullptr)) return false;
    if (a->firstChild()) {
      a = a->firstChild();
      b = b->firstChild();
      continue;
    }
    while (a && b && !a->next()) {
      if (b->next()) return false;
      a = a->parent();
      b = b->parent();
      if (a == topA) return true;
    }
    if (!a || !b) return a == b;
    if (!b->next()) return false;
    a = a->next();
    b = b->next();
  }
  return a == b;
}

// Every parent, next and previous link agrees with its neighbours.
inline bool linksConsistent(metaTreeC* root) {
  metaTreeC* const top = root ? root->parent() : nullptr;
  for (metaTreeC* node = root; node;) {
    if (node->next() && (node->next()->previous() != node || node->next()->parent() != node->parent())) return false;
    if (metaTreeC* child = node->firstChild()) {
      if (child->parent() != node || child->previous()) return false;
      node = child;
      continue;
    }
    while (node && !node->next()) {
      node = node->parent();
      if (node == top) return true;
    }
    if (node) node = node->next();
  }
  return true;
}

// A folder for this process's files, in memory where the system offers a
// memory file system (every run writes its files anew), else in the
// temporary directory. It goes when the process ends normally.
class scratchFolderC {
public:
  scratchFolderC() {
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
    std::filesystem::path path = base / "lorvane_fuzz";
    path += std::to_string(static_cast<unsigned long>(std::rand()) ^ reinterpret_cast<std::uintptr_t>(this));
    std::filesystem::create_directories(path);
    path_ = path.string();
  }
  ~scratchFolderC() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  scratchFolderC(const scratchFolderC&) = delete;
  scratchFolderC& operator=(const scratchFolderC&) = delete;
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

inline const std::string& scratchFolder() {
  static const scratchFolderC folder;
  return folder.path();
}

}  // namespace lorvane::fuzz
