#include "bridge/IntegerText.h"

namespace quirel {
namespace {

int DigitValue(wchar_t c, int base) {
  int v = -1;
  if (c >= L'0' && c <= L'9') v = c - L'0';
  else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

int64_t StrToInt64(const std::wstring& text) {
  const auto invalid = [&] {
    return EConvertError(L"'" + text + L"' is not a valid integer value");
  };
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  int base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) throw invalid();
  // Hexadecimal texts may fill all 64 bits; decimal ones must stay within the signed range.
  uint64_t value = 0;
  const uint64_t limit = base == 16 ? UINT64_MAX : (negative ? 1ULL << 63 : INT64_MAX);
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) throw invalid();
    if (value > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) throw invalid();
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

}  // namespace quirel
