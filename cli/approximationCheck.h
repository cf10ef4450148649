#pragma once
// Whether the lines and arcs a written file made of the drawing's other
// shapes (ellipses, elliptic arcs, interpolated curves) follow those shapes.
// The two formats approximate in other frames (META2D the placed shape, MI
// the turned one, moved afterwards), so their pieces need not coincide;
// each file's pieces are held to the shape itself: they run from the
// shape's start to its end, each starting where the last ended, their ends
// at points the writers sample the shape at, and every sample between a
// piece's ends within the fitting's tolerance of that piece. Every value
// carries the error its file's printing allows for it.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "lorvane/cli/consistencyCheck.h"
#include "lorvane/cli/inputDrawing.h"

namespace lorvane::cli {

// The points the writers sample a shape at and fit their lines and arcs
// through, in order; fewer than two for an item they make nothing of.
void shapeSamples(const approximatedShapeC& shape, std::vector<preview::pointC>& out);

// The pieces one file made of a run of the figure's items (given in order),
// walked along the items' shapes: the first that does not follow its shape,
// or the shape the pieces end before. compared counts the pieces that do.
std::optional<disagreementC> followShapes(const inputFigureC& figure, const std::vector<std::size_t>& items,
                                          const std::vector<const preview::elementC*>& pieces, writtenFormat format,
                                          std::size_t& compared);

std::string describe(const approximatedShapeC& shape);

}  // namespace lorvane::cli
