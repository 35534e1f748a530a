#include "ui/kit/Layout.h"

#include <algorithm>
#include <numeric>

#include "ui/kit/Dpi.h"

namespace quirel::kit {
namespace {

int AlignRank(TAlign align) {
  switch (align) {
    case TAlign::alTop: return 0;
    case TAlign::alBottom: return 1;
    case TAlign::alLeft: return 2;
    case TAlign::alRight: return 3;
    case TAlign::alClient: return 4;
    case TAlign::alNone: break;
  }
  return 5;
}

// Nearer the edge it sticks to comes first.
int PositionKey(const LayoutItem& item) {
  switch (item.Align) {
    case TAlign::alTop: return item.Top;
    case TAlign::alBottom: return -(item.Top + item.Height);
    case TAlign::alLeft: return item.Left;
    case TAlign::alRight: return -(item.Left + item.Width);
    default: return 0;
  }
}

// One axis of an alNone control: position and extent after the parent grew by `grow`.
void Anchor(bool nearEdge, bool farEdge, int pos, int extent, int designExtent, int grow,
            int& outPos, int& outExtent) {
  outPos = pos;
  outExtent = extent;
  if (nearEdge && farEdge) {
    outExtent = std::max(0, extent + grow);
  } else if (farEdge) {
    outPos = pos + grow;
  } else if (!nearEdge && designExtent > 0) {
    // Neither edge: the centre keeps its relative place.
    const int centre = pos + extent / 2;
    outPos = MulDiv(centre, designExtent + grow, designExtent) - extent / 2;
  }
}

RECT PlaceUnaligned(const LayoutItem& item, const LayoutFrame& frame) {
  const UINT dpi = frame.Dpi;
  const int designW = Scale(frame.Design96.cx, dpi), designH = Scale(frame.Design96.cy, dpi);
  const int growX = (frame.Client.right - frame.Client.left) - designW;
  const int growY = (frame.Client.bottom - frame.Client.top) - designH;
  // Edges are scaled, not extents, so a control flush with the far edge stays flush.
  const int left = Scale(item.Left, dpi), top = Scale(item.Top, dpi);
  const int right = Scale(item.Left + item.Width, dpi), bottom = Scale(item.Top + item.Height, dpi);
  int x, w, y, h;
  Anchor(item.Anchors & akLeft, item.Anchors & akRight, left, right - left, designW, growX, x, w);
  Anchor(item.Anchors & akTop, item.Anchors & akBottom, top, bottom - top, designH, growY, y, h);
  x += frame.Client.left;
  y += frame.Client.top;
  return RECT{x, y, x + w, y + h};
}

}  // namespace

std::vector<RECT> AlignControls(const std::vector<LayoutItem>& items, const LayoutFrame& frame) {
  std::vector<RECT> result(items.size(), RECT{});
  std::vector<size_t> order(items.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int ra = AlignRank(items[a].Align), rb = AlignRank(items[b].Align);
    if (ra != rb) return ra < rb;
    return PositionKey(items[a]) < PositionKey(items[b]);
  });

  const UINT dpi = frame.Dpi;
  RECT rest = frame.Content;
  for (size_t index : order) {
    const LayoutItem& item = items[index];
    if (item.Align == TAlign::alNone) {
      result[index] = PlaceUnaligned(item, frame);
      continue;
    }
    if (!item.Visible) continue;
    const int ml = Scale(item.Margins.Left, dpi), mt = Scale(item.Margins.Top, dpi);
    const int mr = Scale(item.Margins.Right, dpi), mb = Scale(item.Margins.Bottom, dpi);
    const int w = Scale(item.Width, dpi), h = Scale(item.Height, dpi);
    // The space the control takes, margins included, never beyond what is left.
    RECT slot = rest;
    switch (item.Align) {
      case TAlign::alTop:
        slot.bottom = std::min(rest.bottom, rest.top + mt + h + mb);
        rest.top = slot.bottom;
        break;
      case TAlign::alBottom:
        slot.top = std::max(rest.top, rest.bottom - (mt + h + mb));
        rest.bottom = slot.top;
        break;
      case TAlign::alLeft:
        slot.right = std::min(rest.right, rest.left + ml + w + mr);
        rest.left = slot.right;
        break;
      case TAlign::alRight:
        slot.left = std::max(rest.left, rest.right - (ml + w + mr));
        rest.right = slot.left;
        break;
      default:
        break;  // alClient: all that is left, shared by every client item
    }
    RECT r{slot.left + ml, slot.top + mt, slot.right - mr, slot.bottom - mb};
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    result[index] = r;
  }
  return result;
}

}  // namespace quirel::kit
