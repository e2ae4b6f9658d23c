#include "model/transparent_region.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>

#include "imaging/picture_budget.h"
#include "model/opaque_runs.h"

namespace mascot {
namespace {

// Only the last rectangle is compared, so a row of several runs breaks the
// merging of the row below; the union makes up for it.
void AddRun(std::vector<Rect>& rects, int left, int right, int y) {
  if (!rects.empty()) {
    Rect& last = rects.back();
    if (last.left == left && last.right == right && last.bottom == y) {
      last.bottom = y + 1;
      return;
    }
  }
  rects.push_back({left, y, right, y + 1});
}

// A rectangle starting (+1) or ending (-1) at a row.
struct RowEdge {
  std::int64_t row;
  int change;
  const Rect* rect;
};

// The spans of the columns that a coverage count (difference form, one
// entry per column from `left`) marks as covered.
void CoveredSpans(const std::vector<int>& edges, std::int64_t left, std::vector<Span>& spans) {
  spans.clear();
  int depth = 0;
  for (std::size_t x = 0; x + 1 < edges.size(); ++x) {
    const int before = depth;
    depth += edges[x];
    const int column = static_cast<int>(left + static_cast<std::int64_t>(x));
    if (before == 0 && depth > 0) spans.push_back({column, column + 1});
    if (depth > 0) spans.back().right = column + 1;
  }
}

// A shape spanning more than any picture may is refused.
bool FitsAPicture(std::int64_t width, std::int64_t height) {
  return width <= Bitmap::kMaxSide && height <= Bitmap::kMaxSide &&
         FitsPictureBudget(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
}

// Bands that add up to nothing give no region rather than an empty shape.
SharedHandle<Region> BuildBands(const RegionBands& bands) {
  auto region = std::make_shared<Region>();
  if (bands.empty() || !bands.build(*region)) return nullptr;
  return region;
}

// The union of the rectangles, swept band by band over the rows where one
// starts or ends: the cost follows the area they span, not their number
// squared. Stored rectangles come from files: an empty one adds nothing.
SharedHandle<Region> UniteRects(const std::vector<Rect>& rects) {
  std::int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  std::vector<RowEdge> edges;
  for (const Rect& r : rects) {
    if (r.right <= r.left || r.bottom <= r.top) continue;
    left = std::min<std::int64_t>(left, r.left), right = std::max<std::int64_t>(right, r.right);
    top = std::min<std::int64_t>(top, r.top), bottom = std::max<std::int64_t>(bottom, r.bottom);
    edges.push_back({r.top, +1, &r});
    edges.push_back({r.bottom, -1, &r});
  }
  if (edges.empty()) return nullptr;
  const std::int64_t width = right - left, height = bottom - top;
  if (!FitsAPicture(width, height)) return nullptr;
  std::sort(edges.begin(), edges.end(), [](const RowEdge& a, const RowEdge& b) { return a.row < b.row; });

  std::vector<int> columns(static_cast<std::size_t>(width) + 1, 0);
  std::vector<Span> spans;
  RegionBands bands;
  for (std::size_t i = 0; i < edges.size();) {
    const std::int64_t row = edges[i].row;
    for (; i < edges.size() && edges[i].row == row; ++i) {
      columns[static_cast<std::size_t>(edges[i].rect->left - left)] += edges[i].change;
      columns[static_cast<std::size_t>(edges[i].rect->right - left)] -= edges[i].change;
    }
    if (i == edges.size()) break;
    CoveredSpans(columns, left, spans);
    bands.addBand(static_cast<int>(row), static_cast<int>(edges[i].row), spans);
  }
  return BuildBands(bands);
}

// The shape of the pixels themselves: each row's runs are a band as they
// stand, in order and apart, so there is nothing to sort or sweep, and a row
// like the one above joins its band.
SharedHandle<Region> ShapeOfPixels(const Bitmap& bitmap) {
  OpaqueRunScanner scanner(bitmap);
  RegionBands bands;
  int left = INT32_MAX, right = INT32_MIN, top = -1, bottom = -1;
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::span<const Span> runs = scanner.row(y);
    if (runs.empty()) continue;
    bands.addBand(y, y + 1, runs);
    left = std::min(left, runs.front().left), right = std::max(right, runs.back().right);
    if (top < 0) top = y;
    bottom = y + 1;
  }
  if (!bands.empty() && !FitsAPicture(right - left, bottom - top)) return nullptr;
  return BuildBands(bands);
}

}  // namespace

void FindOpaqueRects(const Bitmap& bitmap, std::vector<Rect>& rects) {
  rects.clear();
  OpaqueRunScanner scanner(bitmap);
  for (int y = 0; y < bitmap.height(); ++y)
    for (const Span& run : scanner.row(y)) AddRun(rects, run.left, run.right, y);
}

SharedHandle<Region> BuildTransparentRegion(const Bitmap* bitmap, std::vector<Rect>& rects, bool recompute) {
  if (recompute || rects.empty()) {
    if (bitmap == nullptr || bitmap->width() < 1 || bitmap->height() < 1) return nullptr;
    rects.clear();
    return ShapeOfPixels(*bitmap);
  }
  SharedHandle<Region> region = UniteRects(rects);
  rects.clear();
  return region;
}

}  // namespace mascot
