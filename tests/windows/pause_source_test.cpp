// The system's pause and reseed counter, and the draws made with them.
#include "engine/pause_source.h"
#include "engine/random_source.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

std::uint64_t ticks() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return static_cast<std::uint64_t>(value.QuadPart);
}

double milliseconds(std::uint64_t from, std::uint64_t to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

TEST(WindowsPauseSource, PausesAboutFiftyMilliseconds) {
    const auto source = sumbrook::makeSystemPauseSource();
    for (int i = 0; i < 3; ++i) {
        const std::uint64_t before = ticks();
        source->pause50ms();
        const double elapsed = milliseconds(before, ticks());
        // Sleep may end up to a timer tick early or late; it must not be skipped.
        EXPECT_GE(elapsed, 40.0);
        EXPECT_LT(elapsed, 1000.0);
    }
}

TEST(WindowsPauseSource, CounterIsTheLowHalfOfThePerformanceCounter) {
    const auto source = sumbrook::makeSystemPauseSource();
    int checked = 0;
    for (int attempt = 0; attempt < 10 && checked < 3; ++attempt) {
        const std::uint64_t before = ticks();
        const std::uint32_t value = source->counter();
        const std::uint64_t after = ticks();
        if ((before >> 32) != (after >> 32)) {
            continue; // the low half wrapped between the readings
        }
        EXPECT_GE(value, static_cast<std::uint32_t>(before));
        EXPECT_LE(value, static_cast<std::uint32_t>(after));
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST(WindowsPauseSource, ReseededDrawsStayInRangeWithFreshSeeds) {
    const auto source = sumbrook::makeSystemPauseSource();
    sumbrook::RandomSource random(*source);
    std::set<std::uint32_t> seeds;
    const std::int32_t bounds[] = {1, 2, 7, 21, 100};
    int draws = 0;
    for (const std::int32_t n : bounds) {
        for (int i = 0; i < 3; ++i) {
            const std::int32_t value = random.ReseedAndDraw(n);
            EXPECT_GE(value, 0) << "n = " << n;
            EXPECT_LT(value, n) << "n = " << n;
            // One generator step past the counter value: a step is a bijection, so distinct
            // seeds here mean distinct counter readings.
            seeds.insert(random.seed());
            ++draws;
        }
    }
    // The counter moves on during each 50 ms pause, so no two draws share a seed.
    EXPECT_EQ(seeds.size(), static_cast<std::size_t>(draws));
}

} // namespace
