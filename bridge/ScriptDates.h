// The engine's instants (cef_time_t, UTC) and the program's local date-times (days since
// 30 December 1899, time of day as fraction), through the current time-zone rules.
#pragma once

#include "engine/capi/cef_types.h"

namespace quirel {

// Local date-time of a UTC instant.
double LocalDateTimeFromCefTime(const cef_time_t& utc);
// UTC instant of a local date-time.
cef_time_t CefTimeFromLocalDateTime(double dateTime);

}  // namespace quirel
