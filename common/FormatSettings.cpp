#include "common/FormatSettings.h"

#include <windows.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace quirel {
namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t buf[128] = {};
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, 128);
  return n > 1 ? std::wstring(buf, static_cast<size_t>(n - 1)) : std::wstring();
}

void LocaleChar(LCTYPE type, wchar_t& target) {
  const std::wstring text = LocaleText(type);
  if (!text.empty()) target = text[0];
}

// Windows date pictures ("dd/MM/yyyy", "dddd, MMMM d, yyyy") into the program's letters:
// letters outside quotes become lower case, quoted literals stay as they are.
std::wstring TranslateDateFormat(std::wstring_view picture) {
  std::wstring out;
  wchar_t quote = 0;
  for (wchar_t c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (c >= L'A' && c <= L'Z') {
      c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    out.push_back(c);
  }
  return out;
}

// A magnitude rounded to 15 significant digits: value = 0.<digits> * 10^pointPos.
struct Decimal {
  std::string digits;  // no leading zeros unless the value is zero
  int pointPos = 0;    // number of digits before the decimal point (may be <= 0 or > size)
};

Decimal ToDecimal15(double magnitude) {
  Decimal d;
  if (magnitude == 0) {
    d.digits = "0";
    d.pointPos = 1;
    return d;
  }
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  const std::string_view s(buf, static_cast<size_t>(r.ptr - buf));  // d.ddddddddddddde[+-]XX
  const size_t e = s.find('e');
  for (char c : s.substr(0, e))
    if (c != '.') d.digits.push_back(c);
  d.pointPos = std::atoi(std::string(s.substr(e + 1)).c_str()) + 1;
  return d;
}

}  // namespace

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = UserLocaleFormatSettings();
  return settings;
}

TFormatSettings UserLocaleFormatSettings() {
  TFormatSettings s;
  LocaleChar(LOCALE_SDATE, s.DateSeparator);
  LocaleChar(LOCALE_STIME, s.TimeSeparator);
  LocaleChar(LOCALE_STHOUSAND, s.ThousandSeparator);
  LocaleChar(LOCALE_SDECIMAL, s.DecimalSeparator);
  s.ShortDateFormat = TranslateDateFormat(LocaleText(LOCALE_SSHORTDATE));
  s.LongDateFormat = TranslateDateFormat(LocaleText(LOCALE_SLONGDATE));

  // Times as the user's clock shows them: 12- or 24-hour, with or without the hour's leading zero.
  const std::wstring hour = LocaleText(LOCALE_ITLZERO) == L"1" ? L"hh" : L"h";
  const std::wstring ampm = LocaleText(LOCALE_ITIME) == L"0" ? L" AMPM" : L"";
  s.ShortTimeFormat = hour + L":nn" + ampm;
  s.LongTimeFormat = hour + L":nn:ss" + ampm;

  const std::wstring digits = LocaleText(LOCALE_ICURRDIGITS);
  if (!digits.empty()) s.CurrencyDecimals = static_cast<uint8_t>(std::wcstoul(digits.c_str(), nullptr, 10));
  s.CurrencyString = LocaleText(LOCALE_SCURRENCY);
  return s;
}

std::wstring FormatNumber(double value, int decimals, bool thousands, const TFormatSettings& settings) {
  if (std::isnan(value)) return L"NAN";
  if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
  if (decimals < 0) decimals = 0;
  const bool negative = std::signbit(value);
  const Decimal d = ToDecimal15(std::fabs(value));

  // Digits of the result as one integer string: integer part followed by `decimals` digits.
  const int total = d.pointPos + decimals;  // digits kept from d.digits (may be <= 0)
  std::string kept;
  bool roundUp = false;
  if (total >= 0) {
    for (int i = 0; i < total; ++i)
      kept.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0');
    roundUp = total < static_cast<int>(d.digits.size()) && d.digits[static_cast<size_t>(total)] >= '5';
  }
  if (roundUp) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
    if (i >= 0)
      ++kept[static_cast<size_t>(i)];
    else
      kept.insert(kept.begin(), '1');
  }
  if (kept.size() < static_cast<size_t>(decimals) + 1)
    kept.insert(0, static_cast<size_t>(decimals) + 1 - kept.size(), '0');

  const std::string intPart = kept.substr(0, kept.size() - static_cast<size_t>(decimals));
  const std::string fracPart = kept.substr(kept.size() - static_cast<size_t>(decimals));
  const bool zero = kept.find_first_not_of('0') == std::string::npos;

  std::wstring out;
  if (negative && !zero) out.push_back(L'-');
  for (size_t i = 0; i < intPart.size(); ++i) {
    if (thousands && i > 0 && (intPart.size() - i) % 3 == 0) out.push_back(settings.ThousandSeparator);
    out.push_back(static_cast<wchar_t>(intPart[i]));
  }
  if (decimals > 0) {
    out.push_back(settings.DecimalSeparator);
    for (char c : fracPart) out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

}  // namespace quirel
