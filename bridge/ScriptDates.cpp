#include "bridge/ScriptDates.h"

#include <windows.h>

#include <cmath>
#include <cstdint>

#include "common/Errors.h"

namespace quirel {
namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

constexpr int64_t kDateTimeEpochDays = -25569;  // 1899-12-30 counted from 1970-01-01

// A date-time's fraction is the time of day even before the epoch (-1.25 is 29 December
// 1899, 06:00), so the day and the time are taken apart, not the whole value.
int64_t MsFromDateTime(double dateTime) {
  const double day = std::trunc(dateTime);
  const double time = std::fabs(dateTime - day);
  return (static_cast<int64_t>(day) + kDateTimeEpochDays) * kMsPerDay +
         static_cast<int64_t>(std::llround(time * kMsPerDay));
}

double DateTimeFromMs(int64_t ms) {
  int64_t days = ms / kMsPerDay;
  int64_t rest = ms % kMsPerDay;
  if (rest < 0) {
    rest += kMsPerDay;
    --days;
  }
  const double day = static_cast<double>(days - kDateTimeEpochDays);
  const double time = static_cast<double>(rest) / kMsPerDay;
  return day >= 0 ? day + time : day - time;
}

SYSTEMTIME SystemTimeFromMs(int64_t ms) {
  int64_t days = ms / kMsPerDay;
  int64_t rest = ms % kMsPerDay;
  if (rest < 0) {
    rest += kMsPerDay;
    --days;
  }
  int y = 0, m = 0, d = 0;
  CivilFromDays(days, y, m, d);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  st.wHour = static_cast<WORD>(rest / 3600000);
  st.wMinute = static_cast<WORD>(rest / 60000 % 60);
  st.wSecond = static_cast<WORD>(rest / 1000 % 60);
  st.wMilliseconds = static_cast<WORD>(rest % 1000);
  return st;
}

int64_t MsFromSystemTime(const SYSTEMTIME& st) {
  return DaysFromCivil(st.wYear, st.wMonth, st.wDay) * kMsPerDay + st.wHour * 3600000LL +
         st.wMinute * 60000LL + st.wSecond * 1000LL + st.wMilliseconds;
}

}  // namespace

double LocalDateTimeFromCefTime(const cef_time_t& utc) {
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(utc.year);
  system.wMonth = static_cast<WORD>(utc.month);
  system.wDay = static_cast<WORD>(utc.day_of_month);
  system.wHour = static_cast<WORD>(utc.hour);
  system.wMinute = static_cast<WORD>(utc.minute);
  system.wSecond = static_cast<WORD>(utc.second);
  system.wMilliseconds = static_cast<WORD>(utc.millisecond);
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &system, &local)) RaiseLastOSError();
  return DateTimeFromMs(MsFromSystemTime(local));
}

cef_time_t CefTimeFromLocalDateTime(double dateTime) {
  if (!std::isfinite(dateTime)) throw Exception(L"Invalid date-time value");
  const SYSTEMTIME local = SystemTimeFromMs(MsFromDateTime(dateTime));
  SYSTEMTIME system{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &system)) RaiseLastOSError();
  cef_time_t utc{};
  utc.year = system.wYear;
  utc.month = system.wMonth;
  utc.day_of_week = system.wDayOfWeek;
  utc.day_of_month = system.wDay;
  utc.hour = system.wHour;
  utc.minute = system.wMinute;
  utc.second = system.wSecond;
  utc.millisecond = system.wMilliseconds;
  return utc;
}

}  // namespace quirel
