// Local time in days since 1899-12-30 and the texts made from it.
#include "solver/local_time.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace varnokit {
namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kEpochOffsetDays = 25569;  // 1899-12-30 to 1970-01-01

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct CivilDate {
    int64_t year;
    int month;
    int day;
};

CivilDate civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return CivilDate{yoe + era * 400 + (month <= 2), month, day};
}

}  // namespace

double localNowDays() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    const int64_t days = daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const int64_t msOfDay =
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * int64_t{1000} + (ms < 0 ? 0 : ms);
    return static_cast<double>(days + kEpochOffsetDays) +
           static_cast<double>(msOfDay) / static_cast<double>(kMsPerDay);
}

std::string formatLocalTime(double days) {
    // Whole milliseconds first, so 0.9999999 of a second does not print as
    // the second before.
    const auto totalMs = static_cast<int64_t>(std::llround(days * static_cast<double>(kMsPerDay)));
    int64_t day = totalMs / kMsPerDay;
    int64_t msOfDay = totalMs % kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
        --day;
    }
    const CivilDate date = civilFromDays(day - kEpochOffsetDays);
    const int64_t secondOfDay = msOfDay / 1000;
    char text[64];
    std::snprintf(text, sizeof text, "%04lld/%02d/%02d %02d:%02d:%02d",
                  static_cast<long long>(date.year), date.month, date.day,
                  static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                  static_cast<int>(secondOfDay % 60));
    return text;
}

std::string formatElapsed(double startDays, double endDays) {
    double elapsed = std::fabs(endDays - startDays) * 86400.0;
    if (elapsed < 0.001) elapsed = 0.001;
    // nearbyint rounds a tie to the even neighbour in the default rounding mode.
    const double thousandths = std::nearbyint(elapsed * 1000.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", thousandths / 1000.0);
    return text;
}

}  // namespace varnokit
