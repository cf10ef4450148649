#pragma once
// The keys of the shape nodes and of their members, as the drawing spells
// them.
#include <string_view>

namespace lorvane {

// The shapes.
inline constexpr std::string_view kShapeSPoint = "SPOINT";
inline constexpr std::string_view kShapeLine = "LINE";
inline constexpr std::string_view kShapeArc = "ARC";
inline constexpr std::string_view kShapeCircle = "CIRCLE";
inline constexpr std::string_view kShapeEllipse = "ELLIPSE";
inline constexpr std::string_view kShapeEllipseArc = "ELLIPSEARC";
inline constexpr std::string_view kShapeIntCurve = "ICRV2D";

// Their members: the points of every shape but the point itself, a
// circle's radius, an ellipse's radii and angles.
inline constexpr std::string_view kPointKey = "POINT";
inline constexpr std::string_view kRadiusKey = "RAD";
inline constexpr std::string_view kRadius1Key = "RAD1";
inline constexpr std::string_view kRadius2Key = "RAD2";
inline constexpr std::string_view kAngleKey = "ANGLE";
inline constexpr std::string_view kAngle1Key = "ANGLE1";
inline constexpr std::string_view kAngle2Key = "ANGLE2";

}  // namespace lorvane
