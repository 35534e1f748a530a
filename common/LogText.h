// The log file's text: its encodings, its lines, the restart rule and the time stamp of a line.
// Plain values only; the file itself is read and written by AddLog (Globals.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// The log restarts when its text (every line plus CR LF, in UTF-16 code units) is longer than this.
inline constexpr std::size_t kLogRestartLength = 1024000;

enum class TextEncoding {
  Ansi,     // the system's ANSI code page, no byte-order mark
  Utf8,     // EF BB BF
  Utf16LE,  // FF FE
  Utf16BE,  // FE FF
};

struct DecodedText {
  TextEncoding encoding = TextEncoding::Ansi;
  std::wstring text;
};

// Takes the encoding from the byte-order mark (which is not part of the text); without one, ANSI.
DecodedText DecodeText(std::string_view bytes);

// The text in that encoding, preceded by its byte-order mark (ANSI has none).
std::string EncodeText(std::wstring_view text, TextEncoding encoding);

// CR, LF and CR LF each end a line; a final line break adds no empty line; "" gives no line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// Every line followed by CR LF.
std::wstring JoinLines(const std::vector<std::wstring>& lines);

// Length of JoinLines(lines) in UTF-16 code units.
std::size_t LinesTextLength(const std::vector<std::wstring>& lines);

// "yyyy-mm-dd hh.nn.ss.zz --> ": 24-hour clock, milliseconds with at least two digits.
std::wstring FormatLogStamp(const SYSTEMTIME& time);

// One log call on the loaded lines: empties them when their text is longer than
// kLogRestartLength, then appends the time stamp followed by text as one entry
// (line breaks inside text become separate lines once the file is written and read again).
void AppendLogEntry(std::vector<std::wstring>& lines, std::wstring_view text, const SYSTEMTIME& time);

}  // namespace quirel
