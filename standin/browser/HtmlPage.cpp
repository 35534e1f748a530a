#include "standin/browser/HtmlPage.h"

#include <windows.h>
#include <shlwapi.h>
#include <wininet.h>

#include <algorithm>
#include <cwctype>
#include <map>

namespace quirel::standin {
namespace {

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

std::wstring DecodeEntities(std::wstring_view text) {
  static const std::map<std::wstring, wchar_t> named = {
      {L"amp", L'&'}, {L"lt", L'<'},  {L"gt", L'>'},
      {L"quot", L'"'}, {L"apos", L'\''}, {L"nbsp", L'\x00A0'}};
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'&') {
      out += text[i];
      continue;
    }
    const size_t end = text.find(L';', i);
    if (end == std::wstring_view::npos || end - i > 10) {
      out += text[i];
      continue;
    }
    const std::wstring name(text.substr(i + 1, end - i - 1));
    unsigned long code = 0;
    bool known = false;
    if (!name.empty() && name[0] == L'#') {
      const bool hex = name.size() > 1 && (name[1] == L'x' || name[1] == L'X');
      const std::wstring digits = name.substr(hex ? 2 : 1);
      wchar_t* stop = nullptr;
      code = digits.empty() ? 0 : std::wcstoul(digits.c_str(), &stop, hex ? 16 : 10);
      known = !digits.empty() && stop && *stop == 0 && code > 0 && code <= 0x10FFFF;
    } else if (const auto it = named.find(name); it != named.end()) {
      code = it->second;
      known = true;
    }
    if (!known) {
      out += text[i];
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (code >> 10));
      out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<wchar_t>(code);
    }
    i = end;
  }
  return out;
}

// Runs of white space become one space, as the page's layout shows them.
std::wstring Collapse(std::wstring_view text) {
  std::wstring out;
  bool space = false;
  for (wchar_t c : text) {
    if (IsSpace(c)) {
      space = true;
      continue;
    }
    if (space && !out.empty()) out += L' ';
    space = false;
    out += c;
  }
  if (space && !out.empty()) out += L' ';
  return out;
}

std::wstring Trim(std::wstring_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsSpace(text[first])) ++first;
  while (last > first && IsSpace(text[last - 1])) --last;
  return std::wstring(text.substr(first, last - first));
}

struct Tag {
  std::wstring name;  // lower case, without the slash
  bool closing = false;
  std::map<std::wstring, std::wstring> attributes;  // names in lower case, values decoded
};

// Parses the tag that starts at text[at] == '<'; returns the index after '>'.
size_t ParseTag(std::wstring_view text, size_t at, Tag& tag) {
  size_t i = at + 1;
  if (i < text.size() && text[i] == L'/') {
    tag.closing = true;
    ++i;
  }
  const size_t name_start = i;
  while (i < text.size() && !IsSpace(text[i]) && text[i] != L'>' && text[i] != L'/') ++i;
  tag.name = Lower(text.substr(name_start, i - name_start));
  while (i < text.size() && text[i] != L'>') {
    while (i < text.size() && (IsSpace(text[i]) || text[i] == L'/')) ++i;
    const size_t attr_start = i;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != L'=' && text[i] != L'>') ++i;
    std::wstring name = Lower(text.substr(attr_start, i - attr_start));
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::wstring value;
    if (i < text.size() && text[i] == L'=') {
      ++i;
      while (i < text.size() && IsSpace(text[i])) ++i;
      if (i < text.size() && (text[i] == L'"' || text[i] == L'\'')) {
        const wchar_t quote = text[i++];
        const size_t value_start = i;
        while (i < text.size() && text[i] != quote) ++i;
        value = DecodeEntities(text.substr(value_start, i - value_start));
        if (i < text.size()) ++i;
      } else {
        const size_t value_start = i;
        while (i < text.size() && !IsSpace(text[i]) && text[i] != L'>') ++i;
        value = DecodeEntities(text.substr(value_start, i - value_start));
      }
    }
    if (!name.empty() && !tag.attributes.contains(name)) tag.attributes[name] = value;
    if (name.empty() && i < text.size() && text[i] != L'>') ++i;
  }
  return i < text.size() ? i + 1 : i;
}

bool IsBlock(const std::wstring& name) {
  static const wchar_t* const blocks[] = {
      L"p",   L"div",  L"br",    L"h1",      L"h2",     L"h3",     L"h4",    L"h5",
      L"h6",  L"li",   L"ul",    L"ol",      L"tr",     L"table",  L"section", L"header",
      L"footer", L"pre", L"blockquote", L"hr", L"article", L"nav", L"form", L"body"};
  return std::any_of(std::begin(blocks), std::end(blocks),
                     [&](const wchar_t* block) { return name == block; });
}

std::wstring Resolve(const std::wstring& base, const std::wstring& href) {
  if (base.empty()) return href;
  wchar_t out[INTERNET_MAX_URL_LENGTH];
  DWORD size = INTERNET_MAX_URL_LENGTH;
  if (UrlCombineW(base.c_str(), href.c_str(), out, &size, URL_DONT_SIMPLIFY) != S_OK) return href;
  return out;
}

// "x=10, y=20,width=300" as window.open's features string names them.
void ParseFeatures(const std::wstring& features, PageLink& link) {
  link.has_features = true;
  size_t at = 0;
  while (at <= features.size()) {
    size_t end = features.find(L',', at);
    if (end == std::wstring::npos) end = features.size();
    const std::wstring item = features.substr(at, end - at);
    const size_t equals = item.find(L'=');
    if (equals != std::wstring::npos) {
      const std::wstring name = Lower(Trim(item.substr(0, equals)));
      const std::wstring value = Trim(item.substr(equals + 1));
      wchar_t* stop = nullptr;
      const long number = std::wcstol(value.c_str(), &stop, 10);
      if (!value.empty() && stop && *stop == 0) {
        const int n = static_cast<int>(number);
        if (name == L"x" || name == L"left") link.x = n, link.x_set = true;
        if (name == L"y" || name == L"top") link.y = n, link.y_set = true;
        if (name == L"width") link.width = n, link.width_set = true;
        if (name == L"height") link.height = n, link.height_set = true;
      }
    }
    at = end + 1;
  }
}

class Builder {
 public:
  explicit Builder(HtmlPage& page) : page_(page) {}

  void Text(std::wstring_view raw) {
    std::wstring text = Collapse(DecodeEntities(raw));
    if (text.empty()) return;
    if (at_line_start_ && text.front() == L' ') text.erase(0, 1);
    if (text.empty()) return;
    if (!page_.runs.empty() && page_.runs.back().link == link_ && !break_pending_) {
      page_.runs.back().text += text;
    } else {
      page_.runs.push_back({text, link_, break_pending_});
    }
    at_line_start_ = text.back() == L' ';
    break_pending_ = false;
  }
  void Break() {
    if (!page_.runs.empty()) break_pending_ = true;
    at_line_start_ = true;
  }
  void OpenLink(PageLink link) {
    page_.links.push_back(std::move(link));
    link_ = static_cast<int>(page_.links.size()) - 1;
    // One link per line keeps every link easy to reach.
    Break();
  }
  void CloseLink() {
    if (link_ < 0) return;
    PageLink& link = page_.links[link_];
    for (const PageRun& run : page_.runs) {
      if (run.link == link_) link.text += run.text;
    }
    link.text = Trim(link.text);
    if (link.text.empty()) {
      // An anchor without text still shows something to click.
      page_.runs.push_back({link.url, link_, break_pending_});
      link.text = link.url;
    }
    link_ = -1;
    Break();
  }

 private:
  HtmlPage& page_;
  int link_ = -1;
  bool break_pending_ = false;
  bool at_line_start_ = true;
};

// Index of the closing tag </name> from `from` (case-insensitive), or npos.
size_t FindClosing(std::wstring_view text, size_t from, const std::wstring& name) {
  const std::wstring lower = Lower(text.substr(from));
  const size_t at = lower.find(L"</" + name);
  return at == std::wstring::npos ? std::wstring_view::npos : from + at;
}

}  // namespace

HtmlPage ParseHtml(std::wstring_view html, const std::wstring& base_url) {
  HtmlPage page;
  Builder builder(page);
  size_t i = 0;
  while (i < html.size()) {
    if (html[i] != L'<') {
      const size_t next = html.find(L'<', i);
      const size_t end = next == std::wstring_view::npos ? html.size() : next;
      builder.Text(html.substr(i, end - i));
      i = end;
      continue;
    }
    if (html.substr(i, 4) == L"<!--") {
      const size_t end = html.find(L"-->", i + 4);
      i = end == std::wstring_view::npos ? html.size() : end + 3;
      continue;
    }
    if (i + 1 < html.size() && (html[i + 1] == L'!' || html[i + 1] == L'?')) {
      const size_t end = html.find(L'>', i);
      i = end == std::wstring_view::npos ? html.size() : end + 1;
      continue;
    }
    if (i + 1 >= html.size() || !(std::iswalpha(html[i + 1]) || html[i + 1] == L'/')) {
      builder.Text(html.substr(i, 1));
      ++i;
      continue;
    }
    Tag tag;
    i = ParseTag(html, i, tag);
    if (tag.closing) {
      if (tag.name == L"a") builder.CloseLink();
      else if (IsBlock(tag.name)) builder.Break();
      continue;
    }
    if (tag.name == L"script" || tag.name == L"style" || tag.name == L"title") {
      const size_t end = FindClosing(html, i, tag.name);
      const std::wstring_view body =
          html.substr(i, (end == std::wstring_view::npos ? html.size() : end) - i);
      if (tag.name == L"script" && !tag.attributes.contains(L"src")) {
        page.scripts.emplace_back(body);
      } else if (tag.name == L"title" && page.title.empty()) {
        page.title = Trim(Collapse(DecodeEntities(body)));
      }
      if (end == std::wstring_view::npos) break;
      Tag closing;
      i = ParseTag(html, end, closing);
      continue;
    }
    if (tag.name == L"a") {
      builder.CloseLink();  // anchors do not nest
      const auto href = tag.attributes.find(L"href");
      if (href == tag.attributes.end()) continue;
      PageLink link;
      link.url = Resolve(base_url, Trim(href->second));
      if (const auto target = tag.attributes.find(L"target"); target != tag.attributes.end())
        link.target = target->second;
      if (const auto features = tag.attributes.find(L"data-popup-features");
          features != tag.attributes.end())
        ParseFeatures(features->second, link);
      builder.OpenLink(std::move(link));
      continue;
    }
    if (IsBlock(tag.name)) builder.Break();
  }
  builder.CloseLink();
  return page;
}

HtmlPage PlainTextPage(std::wstring_view text) {
  HtmlPage page;
  size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    size_t end = text.find(L'\n', at);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring line(text.substr(at, end - at));
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    page.runs.push_back({line, -1, !first});
    first = false;
    at = end + 1;
  }
  return page;
}

}  // namespace quirel::standin

namespace quirel::standin {

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& href) {
  return Resolve(base, href);
}

}  // namespace quirel::standin
