#pragma once
// PNG pictures of drawn scenes, for catalogue thumbnails: painted by cairo
// (Debian: libcairo2-dev) from the layout the SVG preview prints, so that
// both show one picture. The cairo calls stay in rasterise.cpp. A build
// without cairo (the Windows builds) draws no PNG and says so.
#include <string>

#include "lorvane/preview/scene.h"
#include "lorvane/preview/svgWriter.h"

namespace lorvane::cli {

// Whether this build draws PNG; without, error says what is missing.
bool canRasterise(std::string& error);

// The PNG bytes of the scene as writeSvg with these options shows it.
// width: the picture's width in pixels, scaling everything alike; 0 keeps
// the SVG's own size. False with error set when the build has no cairo,
// the picture is larger than cairo paints (32767 pixels a side) or than
// the tool allows (16384 x 16384 pixels in all), or memory runs out.
bool rasteriseScene(const preview::sceneC& scene, const preview::svgOptionsC& options, int width, std::string& png,
                    std::string& error);

}  // namespace lorvane::cli
