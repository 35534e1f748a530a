// The process-wide date, time and number formats, and the number formatting that uses them.
#pragma once

#include <cstdint>
#include <string>

namespace quirel {

// Format strings use d, m, y for the date, h, n (minutes), s, z for the time;
// "/" stands for DateSeparator and ":" for TimeSeparator.
struct TFormatSettings {
  wchar_t DateSeparator = L'/';
  wchar_t TimeSeparator = L':';
  std::wstring ShortDateFormat;
  std::wstring LongDateFormat;
  std::wstring ShortTimeFormat;
  std::wstring LongTimeFormat;
  wchar_t ThousandSeparator = L',';
  wchar_t DecimalSeparator = L'.';
  uint8_t CurrencyDecimals = 2;
  std::wstring CurrencyString;

  bool operator==(const TFormatSettings&) const = default;
};

// The formats of this process: the user's regional settings (read on first use) until the
// program installs its own at module initialisation. No lock: written only then (or on the main
// thread when the regional settings change), read afterwards.
TFormatSettings& FormatSettings();

// The user's current regional settings (LOCALE_NAME_USER_DEFAULT), translated into the
// format-string letters above; a setting the system does not give keeps the member's default.
TFormatSettings UserLocaleFormatSettings();

// value with `decimals` digits after DecimalSeparator (like "%.2f"), the integer part grouped by
// ThousandSeparator when thousands is set (like "%.2n"). Rounds to 15 significant digits first
// (what a double holds reliably), then to `decimals` places with halves away from zero; a result
// of zero carries no minus sign; NaN and infinities give "NAN", "INF" and "-INF".
std::wstring FormatNumber(double value, int decimals, bool thousands,
                          const TFormatSettings& settings = FormatSettings());

}  // namespace quirel
