// The texts of the timing line: start time, elapsed seconds and clock rate.
#include <gtest/gtest.h>

#include "solver/local_time.h"
#include "solver/processor_clock.h"
#include "support/text.h"

namespace varnokit {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

TEST(LocalTime, StartLineForm) {
    // 46000 days after 1899-12-30 is 2025-12-09.
    EXPECT_EQ(formatLocalTime(46000.0), "2025/12/09 00:00:00");
    EXPECT_EQ(formatLocalTime(46000.0 + (13 * 3600 + 5 * 60 + 9) * kSecond), "2025/12/09 13:05:09");
    EXPECT_EQ(formatLocalTime(2.0), "1900/01/01 00:00:00");
    EXPECT_EQ(formatLocalTime(60.0), "1900/02/28 00:00:00");
    EXPECT_EQ(formatLocalTime(61.0), "1900/03/01 00:00:00");  // 1900 has no 29 February
    EXPECT_EQ(formatLocalTime(36585.0), "2000/02/29 00:00:00");
    // A time a hair below a whole second is that second, not the one before.
    EXPECT_EQ(formatLocalTime(46000.0 + 59 * kSecond - 1e-11), "2025/12/09 00:00:59");
}

TEST(LocalTime, NowIsNearTheClock) {
    const double now = localNowDays();
    EXPECT_GT(now, 45000.0);  // after 2023
    EXPECT_LT(now, 80000.0);
    EXPECT_EQ(formatLocalTime(now).size(), 19u);
}

TEST(LocalTime, ElapsedSeconds) {
    EXPECT_EQ(formatElapsed(100.0, 100.0), "0.001");  // at least a millisecond
    EXPECT_EQ(formatElapsed(100.0, 100.0 + 0.0004 * kSecond), "0.001");
    EXPECT_EQ(formatElapsed(100.0, 100.0 + 1.5 * kSecond), "1.5");
    EXPECT_EQ(formatElapsed(100.0, 100.0 + 12.3456 * kSecond), "12.346");
    EXPECT_EQ(formatElapsed(100.0 + 2 * kSecond, 100.0), "2");  // the absolute difference
    EXPECT_EQ(formatElapsed(0.0, 3600 * kSecond), "3600");
}

TEST(ProcessorClock, RateText) {
    EXPECT_EQ(clockTextForCycles(2596123456u), "2596 MHz");
    EXPECT_EQ(clockTextForCycles(2399999999u), "2399 MHz");  // truncated
    EXPECT_EQ(clockTextForCycles(0u), "0 MHz");
}

TEST(ProcessorClock, LowWordWrapsOnce) {
    EXPECT_EQ(lowWordCycles(1000, 2500), 1500u);
    // The low word passes 2^32 between the readings.
    EXPECT_EQ(lowWordCycles(0x1FFFFFF00ull, 0x200000100ull), 0x200u);
    // Only the low word counts: 5 GHz reads as 5e9 - 2^32.
    EXPECT_EQ(lowWordCycles(0, 5000000000ull), static_cast<uint32_t>(5000000000ull - 4294967296ull));
}

TEST(ProcessorClock, MeasuresOrSaysItCannot) {
    const std::string text = clockDescription();
    const bool rate = text.size() > 4 && text.compare(text.size() - 4, 4, " MHz") == 0;
    EXPECT_TRUE(rate || text == testing::sjis("クロック測定不能")) << testing::utf8(text);
}

}  // namespace
}  // namespace varnokit
