#include "update/webcopy/TransferFormat.h"

#include <cmath>

namespace quirel::webcopy {
namespace {

std::wstring FormatUnits(int64_t n, const wchar_t* suffix, const TFormatSettings& settings) {
  if (n < 1000) return std::to_wstring(n) + L" bytes" + suffix;
  if (n < 1000000) return FormatNumber(static_cast<double>(n) / 1000, 2, false, settings) + L" Kb" + suffix;
  return FormatNumber(static_cast<double>(n) / 1000000, 2, false, settings) + L" Mb" + suffix;
}

}  // namespace

int64_t RoundHalfEven(double value) {
  // Independent of the floating-point rounding mode, which a host program may have changed.
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) result = floor + 1;
  return static_cast<int64_t>(result);
}

std::wstring FormatSize(int64_t bytes, const TFormatSettings& settings) {
  return FormatUnits(bytes, L"", settings);
}

std::wstring FormatRate(int64_t bytesPerSecond, const TFormatSettings& settings) {
  return FormatUnits(bytesPerSecond, L"/sec", settings);
}

std::wstring FormatDuration(double elapsedMs, int64_t total, int64_t received,
                            const std::wstring& secLabel, const std::wstring& minLabel) {
  double t = elapsedMs;
  if (received > 0 && total > 0 && received < total)
    t = static_cast<double>(total - received) / static_cast<double>(received) * elapsedMs;
  const int64_t ms = RoundHalfEven(t);
  const int64_t s = RoundHalfEven(static_cast<double>(ms) / 1000);
  const int64_t m = RoundHalfEven(static_cast<double>(s) / 60);
  const int64_t h = RoundHalfEven(static_cast<double>(m) / 60);
  if (m == 0 && h == 0) return std::to_wstring(s) + L" " + secLabel + L".";
  if (h <= 0) return std::to_wstring(m) + L" " + minLabel + L".";
  return std::to_wstring(m / 60) + L"h " + std::to_wstring(m % 60);
}

}  // namespace quirel::webcopy
