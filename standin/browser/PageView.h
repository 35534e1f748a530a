// Drawing a page in a browser window: a light header with the title and the
// address, then the page's text with its links (blue, underlined, each on a
// line of its own), wrapped to the window's width.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "standin/browser/HtmlPage.h"

namespace quirel::standin {

struct LinkBox {
  int link = -1;  // index into HtmlPage::links
  RECT rect{};    // client coordinates
  friend bool operator==(const LinkBox& a, const LinkBox& b) {
    return a.link == b.link && EqualRect(&a.rect, &b.rect);
  }
};

struct PageLayout {
  std::vector<LinkBox> links;
  friend bool operator==(const PageLayout&, const PageLayout&) = default;
};

// Paints the whole client area and returns where the links went.
PageLayout PaintPage(HDC dc, const RECT& client, const std::wstring& title,
                     const std::wstring& url, const HtmlPage& page);

// The link under a point of the client area, or -1.
int LinkAt(const PageLayout& layout, POINT point);

}  // namespace quirel::standin
