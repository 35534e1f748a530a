#include "common/LogText.h"

#include <cstdio>

#include "common/Encoding.h"

namespace quirel {

DecodedText DecodeText(std::string_view bytes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  DecodedText out;
  if (starts("\xEF\xBB\xBF")) {
    out.encoding = TextEncoding::Utf8;
    out.text = Utf8ToWide(bytes.substr(3));
  } else if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    const bool big = bytes[0] == '\xFE';
    out.encoding = big ? TextEncoding::Utf16BE : TextEncoding::Utf16LE;
    const std::string_view body = bytes.substr(2);
    out.text.reserve(body.size() / 2);
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {  // an odd last byte is dropped
      const auto b0 = static_cast<unsigned char>(body[i]), b1 = static_cast<unsigned char>(body[i + 1]);
      out.text.push_back(static_cast<wchar_t>(big ? (b0 << 8 | b1) : (b1 << 8 | b0)));
    }
  } else {
    out.text = AnsiToWide(bytes);
  }
  return out;
}

std::string EncodeText(std::wstring_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "\xEF\xBB\xBF" + WideToUtf8(text);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
      const bool big = encoding == TextEncoding::Utf16BE;
      std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
      out.reserve(2 + text.size() * 2);
      for (wchar_t c : text) {
        const auto hi = static_cast<char>((c >> 8) & 0xFF), lo = static_cast<char>(c & 0xFF);
        out.push_back(big ? hi : lo);
        out.push_back(big ? lo : hi);
      }
      return out;
    }
    case TextEncoding::Ansi:
      break;
  }
  return WideToAnsi(text);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = i;
    while (i < text.size() && text[i] != L'\r' && text[i] != L'\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == L'\r') ++i;
    if (i < text.size() && text[i] == L'\n') ++i;
  }
  return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
  std::wstring out;
  out.reserve(LinesTextLength(lines));
  for (const auto& line : lines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

std::size_t LinesTextLength(const std::vector<std::wstring>& lines) {
  std::size_t n = 0;
  for (const auto& line : lines) n += line.size() + 2;
  return n;
}

std::wstring FormatLogStamp(const SYSTEMTIME& t) {
  wchar_t buf[64];
  std::swprintf(buf, 64, L"%04u-%02u-%02u %02u.%02u.%02u.%02u --> ", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return buf;
}

void AppendLogEntry(std::vector<std::wstring>& lines, std::wstring_view text, const SYSTEMTIME& time) {
  if (LinesTextLength(lines) > kLogRestartLength) lines.clear();
  lines.push_back(FormatLogStamp(time) + std::wstring(text));
}

}  // namespace quirel
