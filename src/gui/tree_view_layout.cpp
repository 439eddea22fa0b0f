// The tree view's arithmetic: thumbs, offsets, context entries and the texts its actions use.
#include <algorithm>
#include <cmath>

#include "gui/tree_view.h"

namespace {

constexpr int32_t kMinThumb = 8;

int32_t Truncate(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -2.0e9, 2.0e9));
}

}  // namespace

TreeView MakeTreeView(const std::string& name, const ItemRect& rect, TreeContainer* tree) {
  TreeView view;
  view.name = name;
  view.rect = rect;
  view.visibleRows = rect.h / kTreeRowHeight;
  view.tree = tree;
  return view;
}

int32_t MaxThumbPosition(int32_t trackLength, int32_t thumbLength) { return std::max(0, trackLength - thumbLength); }

int32_t FirstRowForThumb(const TreeScrollBar& bar, int32_t rows, int32_t visibleRows) {
  if (rows <= 0 || !bar.needed) return 0;
  // The thumb's whole travel maps onto the first rows of every page, so at the bottom of its
  // track the last row is shown however many rows there are.
  const int32_t travel = bar.track.h - bar.thumbLength - 2;
  if (travel <= 0) return 0;
  const int32_t lastPage = std::clamp(rows - std::max(visibleRows, 1), 0, rows - 1);
  const double ratio = static_cast<double>(static_cast<float>(bar.thumbPosition) / static_cast<float>(travel));
  return std::clamp(Truncate(ratio * static_cast<double>(lastPage)), 0, lastPage);
}

int32_t ScrollForThumb(const TreeScrollBar& bar, int32_t widestRow) {
  if (!bar.needed) return 0;
  const int32_t room = bar.track.w - bar.thumbLength;
  if (room <= 0) return 0;
  const double ratio = static_cast<double>(static_cast<float>(bar.thumbPosition) / static_cast<float>(room));
  return std::max(0, Truncate(ratio * static_cast<double>(widestRow - bar.track.w - 32)));
}

int32_t VerticalThumbLength(int32_t trackLength, int32_t rows, int32_t visibleRows) {
  if (trackLength <= kMinThumb || rows <= 0) return std::max(0, trackLength);
  const double t = trackLength;
  const int32_t length = Truncate(t - t / rows * (rows - visibleRows));
  return std::clamp(length, kMinThumb, trackLength);
}

int32_t HorizontalThumbLength(int32_t trackLength, int32_t widestRow) {
  if (trackLength <= kMinThumb || widestRow <= 0) return std::max(0, trackLength);
  const double h = trackLength;
  const int32_t length = Truncate(h - (h + 32) * (widestRow - h - 32) / widestRow);
  return std::clamp(length, kMinThumb, trackLength);
}

std::vector<std::string> TreeMenuEntries(const std::string& text) {
  if (text.find(".iwi") == std::string::npos) return {"Copy Text"};
  return {"Copy Text", "Copy IWI Name", "Export To DDS", "Export To TGA"};
}

std::string IwiNameOf(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon != std::string::npos && colon + 2 < text.size()) return text.substr(colon + 2);
  return text;
}

std::string ImageJobPath(const std::string& text, const std::string& parentText) {
  const size_t separator = text.find(": ");
  const std::string slot = separator == std::string::npos ? text : text.substr(0, separator + 1);
  return slot + parentText;
}
