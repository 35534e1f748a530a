#include "update/UpdateAnswer.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace quirel::update {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

TUpdateAnswer ParseUpdateAnswer(const std::wstring& text) {
  TUpdateAnswer answer;
  if (text.empty()) return answer;
  const std::vector<std::wstring> lines = SplitLines(text);
  // Text made only of line ends still has an (empty) first line.
  if (!lines.empty()) answer.FirstLine = lines[0];
  if (!answer.NewVersion()) return answer;
  if (lines.size() < 2) {
    answer.MissingLine = 1;
    return answer;
  }
  answer.VersionText = lines[1];
  if (lines.size() < 3) {
    answer.MissingLine = 2;
    return answer;
  }
  answer.FileName = lines[2];
  return answer;
}

bool IsPlainFileName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  for (wchar_t c : name) {
    if (c < 32) return false;
    if (std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
  }
  // Windows drops trailing dots and blanks, so "a." and "a " would name another file.
  if (name.back() == L'.' || name.back() == L' ') return false;
  // Device names are devices whatever their extension: "CON.exe" is the console.
  std::wstring stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  static const std::array<const wchar_t*, 6> kDevices = {L"CON", L"PRN", L"AUX", L"NUL",
                                                         L"CONIN$", L"CONOUT$"};
  for (const wchar_t* device : kDevices)
    if (stem == device) return false;
  if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
      ((stem[3] >= L'1' && stem[3] <= L'9') || stem[3] == L'\u00B9' || stem[3] == L'\u00B2' ||
       stem[3] == L'\u00B3'))
    return false;
  return true;
}

}  // namespace quirel::update
