#pragma once

#include <functional>

// The clock of the practice screens' stopwatch: "now" as a count of days (a
// date-time value). Only differences of two readings are used, so the real
// clock is monotonic: changing the system clock or daylight-saving time
// during an attempt does not change its time. Tests replace it.
namespace PracticeClock {

// Now, in days.
double now();

// Test seam: now() returns what the function gives; an empty function puts
// the real clock back.
void setNowForTests(std::function<double()> now);

inline constexpr double SecondsPerDay = 86400.0;
inline double fromSeconds(double seconds) { return seconds / SecondsPerDay; }

} // namespace PracticeClock
