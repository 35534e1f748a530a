#include "standin/browser/PageView.h"

#include <memory>
#include <type_traits>

namespace quirel::standin {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kHeader = RGB(243, 244, 246);
constexpr COLORREF kHeaderLine = RGB(218, 220, 224);
constexpr COLORREF kTitle = RGB(32, 33, 36);
constexpr COLORREF kAddress = RGB(95, 99, 104);
constexpr COLORREF kText = RGB(60, 64, 67);
constexpr COLORREF kLink = RGB(26, 115, 232);
constexpr int kMargin = 12;

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

GdiObject MakeFont(int height, int weight, bool underline) {
  return GdiObject(CreateFontW(-height, 0, 0, 0, weight, FALSE, underline, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
}

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  const GdiObject brush(CreateSolidBrush(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

// Draws text within [left, right) from `top`, wrapping at spaces; returns the
// rectangle it covered.
RECT DrawWrapped(HDC dc, const std::wstring& text, int left, int right, int top) {
  RECT box{left, top, right > left ? right : left + 1, top};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
            DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  return box;
}

}  // namespace

PageLayout PaintPage(HDC dc, const RECT& client, const std::wstring& title,
                     const std::wstring& url, const HtmlPage& page) {
  PageLayout layout;
  // Drawn off screen first, so the window does not flicker.
  const int width = client.right > 0 ? client.right : 1;
  const int height = client.bottom > 0 ? client.bottom : 1;
  const HDC memory = CreateCompatibleDC(dc);
  const GdiObject bitmap(CreateCompatibleBitmap(dc, width, height));
  const HGDIOBJ old_bitmap = SelectObject(memory, bitmap.get());

  const GdiObject title_font = MakeFont(17, FW_SEMIBOLD, false);
  const GdiObject small_font = MakeFont(12, FW_NORMAL, false);
  const GdiObject text_font = MakeFont(14, FW_NORMAL, false);
  const GdiObject link_font = MakeFont(14, FW_NORMAL, true);
  const HGDIOBJ old_font = SelectObject(memory, title_font.get());
  SetBkMode(memory, TRANSPARENT);

  Fill(memory, RECT{0, 0, width, height}, kBackground);
  const int right = width - kMargin;
  int y = kMargin;
  SetTextColor(memory, kTitle);
  const RECT title_box = DrawWrapped(memory, title.empty() ? url : title, kMargin, right, y);
  y = title_box.bottom + 2;
  SelectObject(memory, small_font.get());
  SetTextColor(memory, kAddress);
  const RECT address_box = DrawWrapped(memory, url, kMargin, right, y);
  const int header_bottom = address_box.bottom + kMargin;
  // The header band goes under what was drawn: paint it, then draw again.
  Fill(memory, RECT{0, 0, width, header_bottom}, kHeader);
  Fill(memory, RECT{0, header_bottom, width, header_bottom + 1}, kHeaderLine);
  SelectObject(memory, title_font.get());
  SetTextColor(memory, kTitle);
  DrawWrapped(memory, title.empty() ? url : title, kMargin, right, kMargin);
  SelectObject(memory, small_font.get());
  SetTextColor(memory, kAddress);
  DrawWrapped(memory, url, kMargin, right, title_box.bottom + 2);

  y = header_bottom + kMargin;
  // Runs between line breaks form a paragraph; a link is a paragraph of its own.
  std::wstring paragraph;
  auto flush = [&] {
    if (paragraph.empty()) return;
    SelectObject(memory, text_font.get());
    SetTextColor(memory, kText);
    const RECT box = DrawWrapped(memory, paragraph, kMargin, right, y);
    y = box.bottom + 4;
    paragraph.clear();
  };
  for (const PageRun& run : page.runs) {
    if (run.line_break) flush();
    if (run.link < 0) {
      paragraph += run.text;
      continue;
    }
    flush();
    SelectObject(memory, link_font.get());
    SetTextColor(memory, kLink);
    const RECT box = DrawWrapped(memory, run.text, kMargin, right, y);
    layout.links.push_back({run.link, box});
    y = box.bottom + 4;
  }
  flush();

  BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old_font);
  SelectObject(memory, old_bitmap);
  DeleteDC(memory);
  return layout;
}

int LinkAt(const PageLayout& layout, POINT point) {
  for (const LinkBox& box : layout.links) {
    if (PtInRect(&box.rect, point)) return box.link;
  }
  return -1;
}

}  // namespace quirel::standin
