#include "standin/script/PopupFeatures.h"

#include <cwctype>
#include <string>

namespace quirel::standin::script {
namespace {

bool IsSeparator(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'=' || c == L','; }

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

// A number's leading digits ("300px" is 300); "yes" and a missing value are 1;
// anything else 0.
int FeatureValue(std::wstring_view value) {
  if (value.empty()) return 1;
  const std::wstring lower = Lower(value);
  if (lower == L"yes" || lower == L"true") return 1;
  size_t at = 0;
  bool negative = false;
  if (value[0] == L'-' || value[0] == L'+') {
    negative = value[0] == L'-';
    at = 1;
  }
  long long number = 0;
  const size_t digits_from = at;
  while (at < value.size() && value[at] >= L'0' && value[at] <= L'9' && number < 100000000) {
    number = number * 10 + (value[at] - L'0');
    ++at;
  }
  if (at == digits_from) return 0;
  return static_cast<int>(negative ? -number : number);
}

}  // namespace

cef_popup_features_t ParseWindowFeatures(std::wstring_view text) {
  cef_popup_features_t features{};
  features.menuBarVisible = features.statusBarVisible = features.toolBarVisible =
      features.scrollbarsVisible = 1;
  if (text.empty()) return features;
  // Once any feature is given, the bars are only there when asked for.
  features.menuBarVisible = features.statusBarVisible = features.toolBarVisible =
      features.scrollbarsVisible = 0;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsSeparator(text[at])) ++at;
    const size_t key_from = at;
    while (at < text.size() && !IsSeparator(text[at])) ++at;
    const std::wstring key = Lower(text.substr(key_from, at - key_from));
    // Spaces may stand around the '='; a value follows only an '='.
    while (at < text.size() && (text[at] == L' ' || text[at] == L'\t' || text[at] == L'\n' || text[at] == L'\r')) ++at;
    std::wstring_view value;
    if (at < text.size() && text[at] == L'=') {
      ++at;
      while (at < text.size() && IsSeparator(text[at]) && text[at] != L',') ++at;
      const size_t value_from = at;
      while (at < text.size() && !IsSeparator(text[at])) ++at;
      value = text.substr(value_from, at - value_from);
    }
    if (key.empty()) continue;
    const int number = FeatureValue(value);
    if (key == L"left" || key == L"x" || key == L"screenx") {
      features.x = number;
      features.xSet = 1;
    } else if (key == L"top" || key == L"y" || key == L"screeny") {
      features.y = number;
      features.ySet = 1;
    } else if (key == L"width" || key == L"innerwidth") {
      features.width = number;
      features.widthSet = 1;
    } else if (key == L"height" || key == L"innerheight") {
      features.height = number;
      features.heightSet = 1;
    } else if (key == L"menubar") {
      features.menuBarVisible = number != 0;
    } else if (key == L"toolbar") {
      features.toolBarVisible = number != 0;
    } else if (key == L"status") {
      features.statusBarVisible = number != 0;
    } else if (key == L"scrollbars") {
      features.scrollbarsVisible = number != 0;
    }
  }
  return features;
}

}  // namespace quirel::standin::script
