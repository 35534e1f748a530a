#include "standin/script/ScriptTime.h"

#include <cmath>

namespace quirel::standin::script {
namespace {

constexpr long long kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace

double ToTimeValue(const cef_time_t& time) {
  const long long days = DaysFromCivil(time.year, time.month, time.day_of_month);
  return static_cast<double>(days * kMsPerDay + time.hour * 3600000LL + time.minute * 60000LL +
                             time.second * 1000LL + time.millisecond);
}

cef_time_t FromTimeValue(double milliseconds) {
  cef_time_t time{};
  if (!std::isfinite(milliseconds)) return time;
  const auto ms = static_cast<long long>(std::floor(milliseconds));
  long long days = ms / kMsPerDay;
  long long rest = ms % kMsPerDay;
  if (rest < 0) {
    rest += kMsPerDay;
    --days;
  }
  // Civil from days (Howard Hinnant's algorithm).
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long day = doy - (153 * mp + 2) / 5 + 1;
  const long long month = mp < 10 ? mp + 3 : mp - 9;
  time.year = static_cast<int>(yoe + era * 400 + (month <= 2));
  time.month = static_cast<int>(month);
  time.day_of_month = static_cast<int>(day);
  time.day_of_week = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday (4)
  time.hour = static_cast<int>(rest / 3600000);
  time.minute = static_cast<int>(rest / 60000 % 60);
  time.second = static_cast<int>(rest / 1000 % 60);
  time.millisecond = static_cast<int>(rest % 1000);
  return time;
}

}  // namespace quirel::standin::script
