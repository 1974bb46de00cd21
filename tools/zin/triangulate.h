// Triangles of a flat polygon with holes, for the formats that have no holes.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace ZinTool {

/// The most corners a polygon with holes may have to be triangulated: joining the
/// holes and finding the ears cost the square of the corners, and a file is a
/// stranger's.
constexpr size_t kMaxTriangulatedCorners = 1024;

/// Triangles (indices into corners) that cover the outer contour less its holes:
/// each hole is joined to the outer contour by a bridge to a corner it sees, then
/// ears are cut from the one contour left. contours holds the outer contour first,
/// then the holes, as indices into corners; the polygon is projected onto the plane
/// its outer contour faces most. Holes of fewer than 3 corners are ignored. Empty
/// when the outer contour has fewer than 3 corners or there are more than
/// kMaxTriangulatedCorners corners.
std::vector<std::array<unsigned, 3>> Triangulate(const std::vector<std::array<double, 3>>& corners,
                                                 const std::vector<std::vector<unsigned>>& contours);

}  // namespace ZinTool
