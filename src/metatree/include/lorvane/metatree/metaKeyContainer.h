#pragma once
#include <cstddef>
#include <string_view>

#include "lorvane/metatree/memory/pageMem.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/vector2d.h"

namespace lorvane {

// The children of a node that carry one key, as an indexed list. Matches are
// cached in pages and reused while neither the node nor the tree's change
// counter moves, so walking the list by index costs one search per new index.
class LORVANE_RUNTIME_API metaObjKeyContainerC : public metaObjectC {
public:
  explicit metaObjKeyContainerC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
  metaObjKeyContainerC(const metaObjKeyContainerC& other) : metaObjectVirtualDataBaseC(other), metaObjectC(other) {}
  metaObjKeyContainerC& operator=(const metaObjKeyContainerC& other) {
    metaObjectC::operator=(other);
    return *this;
  }

  std::size_t count(std::string_view key);
  // The index-th child with the key; missing ones are appended, empty.
  metaTreeC* item(std::string_view key, std::size_t index);
  // The index-th child with the key, or null; nothing is created.
  metaTreeC* find(std::string_view key, std::size_t index);
  // Empties the match cache and frees its pages and key text.
  void dropCaches() override;

private:
  void validate(std::string_view key);
  // The first matches are kept in the view itself: shapes have two or three
  // points, and a view is often made for one operation only.
  static constexpr std::size_t kInlineMatches = 4;
  std::size_t cachedCount() const { return inlineCount_ + cache_.size(); }
  metaTreeC* cached(std::size_t i) const { return i < kInlineMatches ? inline_[i] : cache_[i - kInlineMatches]; }
  metaTreeC* lastCached() const { return cached(cachedCount() - 1); }
  void addCached(metaTreeC* node) {
    if (inlineCount_ < kInlineMatches) inline_[inlineCount_++] = node;
    else cache_.append(node);
  }

  metaTreeC* inline_[kInlineMatches] = {};
  std::size_t inlineCount_ = 0;
  pageMemT<metaTreeC*, 5> cache_;
  const metaTreeC* cachedNode_ = nullptr;
  std::uint32_t cachedStamp_ = 0;
  str cachedKey_;
  bool complete_ = false;  // the search reached the end of the child list
};

// A "POINT" key read as a point: exactly two number children give (x, y);
// anything else reads as (0, 0).
class LORVANE_RUNTIME_API mObjPoint2dC : public metaObjectC {
public:
  explicit mObjPoint2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
  vectorC2d<double> getPoint(int* valid = nullptr) const;
  // Overwrites the two numbers, or replaces whatever the key holds by them.
  void setPoint(const vectorC2d<double>& point);
};

template <class Element>
class metaObjKeyContainerTemplateC : public metaObjKeyContainerC {
public:
  explicit metaObjKeyContainerTemplateC(metaTreeC* node = nullptr, bool owns = false)
      : metaObjectVirtualDataBaseC(node, owns) {}
  metaObjKeyContainerTemplateC(const metaObjKeyContainerTemplateC& other)
      : metaObjectVirtualDataBaseC(other), metaObjKeyContainerC(other) {}
};

// The ordered "POINT" children of a line, an arc or a curve.
class LORVANE_RUNTIME_API metaObjListPoint2dContainerC : public metaObjKeyContainerTemplateC<mObjPoint2dC> {
public:
  static constexpr const char* kPointKey = "POINT";

  explicit metaObjListPoint2dContainerC(metaTreeC* node = nullptr, bool owns = false)
      : metaObjectVirtualDataBaseC(node, owns) {}
  metaObjListPoint2dContainerC(const metaObjListPoint2dContainerC& other)
      : metaObjectVirtualDataBaseC(other), metaObjKeyContainerTemplateC<mObjPoint2dC>(other) {}

  std::size_t pointCount() { return count(kPointKey); }
  // Point #index; asking creates the missing "POINT" keys, which read as (0, 0).
  vectorC2d<double> getPointAt(std::size_t index, int* valid = nullptr) {
    return mObjPoint2dC(item(kPointKey, index)).getPoint(valid);
  }
  void setPointAt(std::size_t index, const vectorC2d<double>& point) {
    mObjPoint2dC(item(kPointKey, index)).setPoint(point);
  }
};

}  // namespace lorvane
