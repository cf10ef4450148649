#pragma once
#include <cstddef>

#include "lorvane/metatree/metaTree.h"

namespace lorvane::drawings {

// The drawings the writer benchmarks measure: the figures the work on the
// writers' speed quotes are taken on them, so they must not change.

// A drawing of about `items` figure items spread over figures of 10,000:
// mostly lines, then arcs (both senses), circles and texts, with an
// attribute record every 50 items and an ellipse every 1,000, like a large
// catalogue sheet. The caller owns the returned DRAWING.
metaTreeC* generateDrawing(std::size_t items);

// A drawing of `figures` figures of `perFigure` items each, the mix of
// generateDrawing with 2% ellipses and elliptic arcs (one of each in every 100
// items), as the large drawings of a catalogue come. The caller owns it.
metaTreeC* generateFigureDrawing(std::size_t figures, std::size_t perFigure);

// A single FIGURE of `lines` lines in a zig-zag chain, each sharing its end
// points with its neighbours.
metaTreeC* generateLineChainFigure(std::size_t lines);

}  // namespace lorvane::drawings
