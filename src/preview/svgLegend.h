#pragma once
// The legend, in screen pixels: the title (the file's name), one entry for
// each layer (MI) or line kind (META2D) that elements of the drawing use,
// with short sample lines in its styles, and a scale bar in drawing units.
// It lies below a drawing that is wider than tall and beside any other, so
// that it is seen with the drawing whatever its shape.
#include <string>
#include <vector>

#include "lorvane/preview/pictureLayout.h"
#include "lorvane/preview/scene.h"

namespace lorvane::preview::svg {

class legendC {
 public:
  // used[i] tells whether a drawn element has style i. unitsPerPixel sizes
  // the scale bar; a legend with neither a title nor a style nor a scale
  // (unitsPerPixel not positive) is empty.
  legendC(const std::vector<styleC>& styles, const std::vector<bool>& used, const std::string& title,
          double unitsPerPixel);

  // A line under the title, such as what the drawing leaves out; set
  // before the layout.
  void setNote(const std::string& note);

  // A band of the given width below the drawing, in as many columns as fit.
  void layOutBelow(double width);
  // A block beside a drawing of the given height, in as many columns as
  // its entries need to stay within that height.
  void layOutBeside(double height);

  bool empty() const { return entries_.empty() && title_.empty() && note_.empty() && scaleLength_ <= 0; }
  double width() const { return width_; }
  double height() const { return height_; }
  std::size_t entries() const { return entries_.size(); }

  // What the laid-out legend draws, from its top left corner; nothing
  // before a layout.
  std::vector<legendMarkC> marks() const;

 private:
  struct entryC {
    std::string name;  // clean UTF-8
    std::vector<const styleC*> styles;
  };

  double fixedHeight() const;
  double minimumWidth() const;
  void addScaleBar(std::vector<legendMarkC>& marks, double y) const;

  std::vector<entryC> entries_;
  std::string title_;  // clean UTF-8
  std::string note_;   // clean UTF-8
  double scaleLength_ = 0;  // drawing units
  double scalePixels_ = 0;
  double columnWidth_ = 0;
  std::size_t columns_ = 1;
  std::size_t rows_ = 0;
  double width_ = 0;
  double height_ = 0;
};

// Appends legend marks as a group with its top left corner at (left, top);
// the scale bar's marks as a group of their own within it.
void appendLegend(std::string& out, const std::vector<legendMarkC>& marks, double left, double top);

}  // namespace lorvane::preview::svg
