#include "triangulate.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ZinTool {

namespace {

struct CPoint2 {
  double u, v;
};

double Cross(const CPoint2& o, const CPoint2& a, const CPoint2& b) {
  return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u);
}

double Area(const std::vector<CPoint2>& at, const std::vector<unsigned>& contour) {
  double area = 0;
  for (size_t i = 0, n = contour.size(); i < n; ++i) {
    const CPoint2& a = at[contour[i]];
    const CPoint2& b = at[contour[(i + 1) % n]];
    area += a.u * b.v - b.u * a.v;
  }
  return area / 2;
}

bool Same(const CPoint2& a, const CPoint2& b) { return a.u == b.u && a.v == b.v; }

// Whether segments ab and cd cross at a point inside both; touching ends do not count,
// so that a bridge may leave from a corner that other edges share.
bool Cross(const CPoint2& a, const CPoint2& b, const CPoint2& c, const CPoint2& d) {
  if (Same(a, c) || Same(a, d) || Same(b, c) || Same(b, d)) return false;
  const double d1 = Cross(a, b, c), d2 = Cross(a, b, d), d3 = Cross(c, d, a), d4 = Cross(c, d, b);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

bool Inside(const CPoint2& p, const CPoint2& a, const CPoint2& b, const CPoint2& c) {
  return Cross(a, b, p) >= 0 && Cross(b, c, p) >= 0 && Cross(c, a, p) >= 0;
}

// Whether the segment from m to v crosses an edge of a contour.
bool Blocked(const std::vector<CPoint2>& at, const CPoint2& m, const CPoint2& v,
             const std::vector<std::vector<unsigned>>& contours) {
  for (const std::vector<unsigned>& contour : contours)
    for (size_t i = 0, n = contour.size(); i < n; ++i)
      if (Cross(m, v, at[contour[i]], at[contour[(i + 1) % n]])) return true;
  return false;
}

}  // namespace

std::vector<std::array<unsigned, 3>> Triangulate(const std::vector<std::array<double, 3>>& corners,
                                                 const std::vector<std::vector<unsigned>>& contours) {
  std::vector<std::array<unsigned, 3>> triangles;
  if (contours.empty() || contours[0].size() < 3 || corners.size() > kMaxTriangulatedCorners) return triangles;
  for (const std::vector<unsigned>& contour : contours)
    for (unsigned index : contour)
      if (index >= corners.size()) return triangles;

  // The plane the outer contour faces most (its Newell normal's largest axis).
  const std::vector<unsigned>& outer = contours[0];
  double normal[3] = {0, 0, 0};
  for (size_t i = 0, n = outer.size(); i < n; ++i) {
    const std::array<double, 3>& a = corners[outer[i]];
    const std::array<double, 3>& b = corners[outer[(i + 1) % n]];
    for (int axis = 0; axis < 3; ++axis) {
      const int p = (axis + 1) % 3, q = (axis + 2) % 3;
      normal[axis] += (a[p] - b[p]) * (a[q] + b[q]);
    }
  }
  const int drop = static_cast<int>(std::max_element(normal, normal + 3, [](double x, double y) {
                                      return std::fabs(x) < std::fabs(y);
                                    }) - normal);
  std::vector<CPoint2> at(corners.size());
  for (size_t i = 0; i < corners.size(); ++i)
    at[i] = {corners[i][(drop + 1) % 3], corners[i][(drop + 2) % 3]};
  // Outer contour counter-clockwise, holes clockwise.
  if (Area(at, outer) < 0)
    for (CPoint2& p : at) p.u = -p.u;
  std::vector<unsigned> ring = outer;
  std::vector<std::vector<unsigned>> holes;
  for (size_t h = 1; h < contours.size(); ++h) {
    if (contours[h].size() < 3) continue;
    holes.push_back(contours[h]);
    if (Area(at, holes.back()) > 0) std::reverse(holes.back().begin(), holes.back().end());
  }

  // Holes from the right: each is joined at its rightmost corner to the nearest
  // corner of the ring that it sees past every edge left.
  auto rightmost = [&](const std::vector<unsigned>& hole) {
    return static_cast<size_t>(std::max_element(hole.begin(), hole.end(),
                                                [&](unsigned a, unsigned b) { return at[a].u < at[b].u; }) -
                               hole.begin());
  };
  std::sort(holes.begin(), holes.end(), [&](const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
    return at[a[rightmost(a)]].u > at[b[rightmost(b)]].u;
  });
  for (size_t h = 0; h < holes.size(); ++h) {
    const std::vector<unsigned>& hole = holes[h];
    const size_t start = rightmost(hole);
    const CPoint2& m = at[hole[start]];
    std::vector<size_t> order(ring.size());
    std::iota(order.begin(), order.end(), size_t{0});
    auto distance = [&](size_t i) {
      const double du = at[ring[i]].u - m.u, dv = at[ring[i]].v - m.v;
      return du * du + dv * dv;
    };
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return distance(a) < distance(b); });
    std::vector<std::vector<unsigned>> walls(holes.begin() + static_cast<std::ptrdiff_t>(h), holes.end());
    walls.push_back(ring);
    size_t bridge = ring.size();
    for (size_t i : order)
      if (!Blocked(at, m, at[ring[i]], walls)) {
        bridge = i;
        break;
      }
    if (bridge == ring.size()) continue;  // a hole that sees nothing is left out
    std::vector<unsigned> joined(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(bridge) + 1);
    for (size_t k = 0; k <= hole.size(); ++k) joined.push_back(hole[(start + k) % hole.size()]);
    joined.insert(joined.end(), ring.begin() + static_cast<std::ptrdiff_t>(bridge), ring.end());
    ring = std::move(joined);
  }

  // Ears, cut one at a time from the ring; a ring with no ear left (degenerate
  // input) gives up its first corner anyway, so the loop always ends.
  std::vector<size_t> next(ring.size()), prev(ring.size());
  for (size_t i = 0; i < ring.size(); ++i) {
    next[i] = (i + 1) % ring.size();
    prev[i] = (i + ring.size() - 1) % ring.size();
  }
  size_t left = ring.size(), current = 0, tried = 0;
  while (left > 3) {
    const size_t p = prev[current], n = next[current];
    const CPoint2 &a = at[ring[p]], &b = at[ring[current]], &c = at[ring[n]];
    bool ear = tried >= left || Cross(a, b, c) > 0;
    for (size_t k = next[n]; ear && tried < left && k != p; k = next[k]) {
      const CPoint2& q = at[ring[k]];
      if (!Same(q, a) && !Same(q, b) && !Same(q, c) && Inside(q, a, b, c)) ear = false;
    }
    if (!ear) {
      current = n;
      ++tried;
      continue;
    }
    if (Cross(a, b, c) != 0) triangles.push_back({ring[p], ring[current], ring[n]});
    next[p] = n;
    prev[n] = p;
    --left;
    current = n;
    tried = 0;
  }
  const size_t p = prev[current], n = next[current];
  if (Cross(at[ring[p]], at[ring[current]], at[ring[n]]) != 0) triangles.push_back({ring[p], ring[current], ring[n]});
  return triangles;
}

}  // namespace ZinTool
