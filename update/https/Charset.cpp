#include "update/https/Charset.h"

#include <windows.h>

#include <climits>
#include <cstdint>
#include <optional>

#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::wstring OneCharPerByte(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

std::wstring Ascii(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.push_back(b < 0x80 ? static_cast<wchar_t>(b) : L'\uFFFD');
  }
  return text;
}

std::wstring Utf16(std::string_view bytes, bool bigEndian) {
  std::wstring text;
  text.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  if (bytes.size() % 2) text.push_back(L'\uFFFD');
  return text;
}

std::wstring FromCodePage(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) throw EHttpsError(L"Response body too large to decode");
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return OneCharPerByte(bytes);
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), n);
  return text;
}

std::optional<unsigned> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

// The code page of a charset label, if the system has one for it.
std::optional<UINT> CodePageOf(const std::string& charset) {
  struct Alias {
    const char* name;
    UINT codePage;
  };
  static constexpr Alias kAliases[] = {
      {"koi8-r", 20866},  {"koi8-u", 21866},    {"shift_jis", 932}, {"shift-jis", 932},
      {"sjis", 932},      {"euc-jp", 20932},    {"gb2312", 936},    {"gbk", 936},
      {"big5", 950},      {"euc-kr", 949},      {"x-cp1250", 1250}, {"x-cp1251", 1251},
      {"x-cp1252", 1252}, {"macintosh", 10000},
  };
  std::optional<UINT> codePage;
  for (const Alias& alias : kAliases)
    if (charset == alias.name) codePage = alias.codePage;
  if (!codePage) {
    for (std::string_view prefix : {"windows-", "cp", "ibm"})
      if (charset.rfind(prefix, 0) == 0)
        codePage = Number(std::string_view(charset).substr(prefix.size()));
  }
  if (!codePage && charset.rfind("iso-8859-", 0) == 0) {
    if (const auto part = Number(std::string_view(charset).substr(9));
        part && *part >= 2 && *part <= 15)
      codePage = 28590 + *part;
  }
  if (codePage && IsValidCodePage(*codePage)) return codePage;
  return std::nullopt;
}

}  // namespace

std::string EffectiveCharset(std::string_view contentType) {
  const size_t semicolon = contentType.find(';');
  const std::string mediaType = LowerAscii(Trim(contentType.substr(0, semicolon)));
  std::string_view parameters =
      semicolon == std::string_view::npos ? std::string_view() : contentType.substr(semicolon + 1);
  while (!parameters.empty()) {
    const size_t next = parameters.find(';');
    const std::string_view parameter = parameters.substr(0, next);
    parameters = next == std::string_view::npos ? std::string_view() : parameters.substr(next + 1);
    const size_t equals = parameter.find('=');
    if (equals == std::string_view::npos ||
        LowerAscii(Trim(parameter.substr(0, equals))) != "charset")
      continue;
    std::string_view value = Trim(parameter.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (!Trim(value).empty()) return LowerAscii(Trim(value));
  }
  const size_t slash = mediaType.find('/');
  if (slash == std::string::npos || mediaType.substr(0, slash) != "text") return {};
  const std::string_view subtype = std::string_view(mediaType).substr(slash + 1);
  if (subtype == "xml" || EndsWith(subtype, "+xml")) return "us-ascii";
  return "iso-8859-1";
}

std::wstring DecodeResponseText(std::string_view body, std::string_view contentType) {
  const std::string charset = EffectiveCharset(contentType);
  if (charset == "utf-8" || charset == "utf8") return FromCodePage(CP_UTF8, body);
  if (charset == "us-ascii" || charset == "ascii" || charset == "ansi_x3.4-1968" ||
      charset == "iso646-us")
    return Ascii(body);
  if (charset == "utf-16le") return Utf16(body, false);
  if (charset == "utf-16be") return Utf16(body, true);
  if (charset == "utf-16") {
    // Without a byte order mark UTF-16 is big-endian; the mark itself is not text.
    if (body.size() >= 2 && body[0] == '\xFF' && body[1] == '\xFE')
      return Utf16(body.substr(2), false);
    if (body.size() >= 2 && body[0] == '\xFE' && body[1] == '\xFF')
      return Utf16(body.substr(2), true);
    return Utf16(body, true);
  }
  if (!charset.empty() && charset != "iso-8859-1" && charset != "latin1" && charset != "l1" &&
      charset != "iso_8859-1" && charset != "iso8859-1" && charset != "latin-1") {
    if (const auto codePage = CodePageOf(charset)) return FromCodePage(*codePage, body);
  }
  return OneCharPerByte(body);
}

}  // namespace quirel::update
