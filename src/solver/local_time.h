// The local date and time as the Solve command uses it: a number of days
// since 1899-12-30 00:00 (with a fraction for the time of day), its text
// form for the start line, and the elapsed-time text of the timing line.
#pragma once

#include <string>

namespace varnokit {

// The current local date and time, in days since 1899-12-30, to the millisecond.
double localNowDays();

// The start line's form of a time: "YYYY/MM/DD HH:MM:SS" (24-hour clock,
// zero-padded, seconds truncated), e.g. "2026/12/08 16:07:06".
std::string formatLocalTime(double days);

// Seconds between two times in days, at least 0.001, rounded to a multiple
// of 0.001 (a tie to the even multiple), in general format: "0.001", "1.5".
std::string formatElapsed(double startDays, double endDays);

}  // namespace varnokit
