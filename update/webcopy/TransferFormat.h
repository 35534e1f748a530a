// Texts of the progress window: sizes, rates and durations.
#pragma once

#include <cstdint>
#include <string>

#include "common/FormatSettings.h"

namespace quirel::webcopy {

// The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int64_t RoundHalfEven(double value);

// Decimal units, two decimals in the given number format: "999 bytes", "1,00 Kb", "1,50 Mb".
std::wstring FormatSize(int64_t bytes, const TFormatSettings& settings = FormatSettings());
// The same units per second: "999 bytes/sec", "1,00 Kb/sec", "2,50 Mb/sec".
std::wstring FormatRate(int64_t bytesPerSecond, const TFormatSettings& settings = FormatSettings());

// The estimated time left while received and total are known and received is short of total,
// else the elapsed time itself: "12 sec.", "3 minutes.", "2h 5" (hours and minutes).
std::wstring FormatDuration(double elapsedMs, int64_t total, int64_t received,
                            const std::wstring& secLabel, const std::wstring& minLabel);

}  // namespace quirel::webcopy
