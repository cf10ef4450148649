#pragma once
// The legend below the drawing, in screen pixels: the title and, for each
// layer of the scene's styles, short sample lines in its styles.
#include <string>
#include <vector>

#include "preview/scene.h"

namespace lorvane::preview::svg {

class legendC {
 public:
  // Lays the entries out in as many columns as fit into width pixels.
  legendC(const std::vector<styleC>& styles, const std::string& title, double width);

  // 0 when there is neither a title nor a style.
  double height() const { return height_; }

  // Appends the legend as a group whose top edge is at y = top.
  void append(std::string& out, double top) const;

 private:
  struct layerC {
    std::string name;  // clean UTF-8, "(no name)" for the empty name
    std::vector<const styleC*> styles;
  };

  std::vector<layerC> layers_;
  std::string title_;  // clean UTF-8
  double width_ = 0;
  double columnWidth_ = 0;
  std::size_t columns_ = 1;
  std::size_t rows_ = 0;
  double height_ = 0;
};

}  // namespace lorvane::preview::svg
