// The page model the browser keeps for a loaded document: its title, its
// text in reading order with the links in it, and its inline scripts (kept
// as text for the renderer side). Parsed once from the HTML; page scripts do
// not run here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirel::standin {

struct PageLink {
  std::wstring url;   // resolved against the page's address
  std::wstring text;  // what the user sees ("" when the anchor had no text)
  std::wstring target;
  // The popup features a data-popup-features attribute asks for (what a page
  // would pass to window.open); has_features is false without the attribute.
  bool has_features = false;
  bool x_set = false, y_set = false, width_set = false, height_set = false;
  int x = 0, y = 0, width = 0, height = 0;
};

// A run of the page's text: plain text, or the text of a link.
struct PageRun {
  std::wstring text;
  int link = -1;  // index into HtmlPage::links, -1 for plain text
  bool line_break = false;  // a block or <br> ends before this run
};

struct HtmlPage {
  std::wstring title;  // "" when the document has no <title>
  std::vector<PageRun> runs;
  std::vector<PageLink> links;
  std::vector<std::wstring> scripts;  // inline <script> blocks, in document order
};

// `base_url` resolves relative hrefs.
HtmlPage ParseHtml(std::wstring_view html, const std::wstring& base_url);
// `href` as a page at `base` means it (href itself when it cannot be combined).
std::wstring ResolveUrl(const std::wstring& base, const std::wstring& href);
// A plain-text document: its lines as runs, no title, no links.
HtmlPage PlainTextPage(std::wstring_view text);

}  // namespace quirel::standin
