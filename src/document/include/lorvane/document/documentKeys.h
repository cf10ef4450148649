#pragma once
// The keys of drawings, figures and their records, as the drawing spells
// them.
#include <string_view>

namespace lorvane {

inline constexpr std::string_view kDrawingKey = "DRAWING";
inline constexpr std::string_view kDrawingPrefsKey = "DRAWINGPREFS";
inline constexpr std::string_view kDrawingItemsKey = "DRAWINGITEMS";

inline constexpr std::string_view kFigureKey = "FIGURE";
inline constexpr std::string_view kFigurePrefsKey = "FIGUREPREFS";
inline constexpr std::string_view kFigureItemsKey = "FIGURITEMS";
inline constexpr std::string_view kInsertPointKey = "INSERTPOINT";
inline constexpr std::string_view kHatchesKey = "M2DHATCHES";
inline constexpr std::string_view kHatchKey = "M2DHATCH";
inline constexpr std::string_view kHatchDistanceKey = "DISTANCE";
inline constexpr std::string_view kHatchLinesKey = "M2DHATCHLINES";
inline constexpr std::string_view kHatchLoopsKey = "M2DHATCHLOOPS";

inline constexpr std::string_view kShapeText = "TEXT";
inline constexpr std::string_view kTextKey = "TEXT";
inline constexpr std::string_view kTextHeightKey = "HEIGHT";
inline constexpr std::string_view kTextAngleKey = "ANGLE";

// The length unit and the settings records.
inline constexpr std::string_view kUnitBaseKey = "UNITBASE";
inline constexpr std::string_view kSettingsKey = "SETTINGS";
inline constexpr std::string_view kDxfSettingsKey = "DXFSETTINGS";
inline constexpr std::string_view kDxfInsertXKey = "DXFINSERTX";
inline constexpr std::string_view kDxfInsertYKey = "DXFINSERTY";

}  // namespace lorvane
