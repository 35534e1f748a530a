// Dates: the engine's cef_time_t (UTC fields) and a script Date's time value
// (milliseconds since 1970, UTC).
#pragma once

#include "engine/capi/cef_types.h"

namespace quirel::standin::script {

double ToTimeValue(const cef_time_t& time);
cef_time_t FromTimeValue(double milliseconds);

}  // namespace quirel::standin::script
