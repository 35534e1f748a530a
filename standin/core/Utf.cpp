#include "standin/core/Utf.h"

namespace quirel::standin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf16(char32_t c, std::wstring& out) {
  if (c < 0x10000) {
    out.push_back(static_cast<wchar_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 | (c >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 | (c & 0x3FF)));
  }
}

// Reads one code point at `i`. An ill-formed sequence yields U+FFFD and is
// consumed as its maximal well-formed prefix (at least one byte), as the
// Unicode standard recommends.
bool ReadUtf8(std::string_view in, size_t& i, char32_t& c) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(in[k]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80) {
    c = lead;
    return true;
  }
  int extra;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the first continuation byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    c = kReplacement;
    return false;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= in.size()) {
      c = kReplacement;
      return false;
    }
    const unsigned char next = byte(i);
    const unsigned char lo = k == 0 ? low : 0x80;
    const unsigned char hi = k == 0 ? high : 0xBF;
    if (next < lo || next > hi) {
      c = kReplacement;
      return false;
    }
    c = (c << 6) | (next & 0x3F);
    ++i;
  }
  return true;
}

}  // namespace

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool Utf16ToUtf8(std::wstring_view in, std::string& out) {
  out.clear();
  out.reserve(in.size());
  bool valid = true;
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = static_cast<char16_t>(in[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
        in[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(in[++i]) - 0xDC00);
    } else if (IsSurrogate(c)) {
      c = kReplacement;
      valid = false;
    }
    AppendUtf8(c, out);
  }
  return valid;
}

bool Utf8ToUtf16(std::string_view in, std::wstring& out) {
  out.clear();
  out.reserve(in.size());
  bool valid = true;
  size_t i = 0;
  while (i < in.size()) {
    char32_t c;
    if (!ReadUtf8(in, i, c)) valid = false;
    AppendUtf16(c, out);
  }
  return valid;
}

std::string ToUtf8(std::wstring_view in) {
  std::string out;
  Utf16ToUtf8(in, out);
  return out;
}

std::wstring ToUtf16(std::string_view in) {
  std::wstring out;
  Utf8ToUtf16(in, out);
  return out;
}

std::wstring ToLowerAscii(std::wstring_view in) {
  std::wstring out(in);
  for (wchar_t& c : out) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return out;
}

}  // namespace quirel::standin
