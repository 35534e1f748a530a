// What the update service's plain-text answer says, and whether the installer name it gives
// may be used as a file name in the download folder.
#pragma once

#include <string>
#include <vector>

namespace quirel::update {

// Lines end at CR LF, a lone LF or a lone CR; a last line without an ending counts.
std::vector<std::wstring> SplitLines(const std::wstring& text);

struct TUpdateAnswer {
  std::wstring FirstLine;
  std::wstring VersionText;
  std::wstring FileName;
  // The index (1 or 2) of the first line a "SI" answer lacks; 0 when nothing is missing.
  int MissingLine = 0;
  bool NewVersion() const { return FirstLine == L"SI"; }
};

TUpdateAnswer ParseUpdateAnswer(const std::wstring& text);

// The answer is not authenticated, so the name must stay inside the download folder: a plain
// name without path parts, drive, stream or device meaning, and nothing Windows forbids.
bool IsPlainFileName(const std::wstring& name);

}  // namespace quirel::update
