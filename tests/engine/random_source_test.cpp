#include "engine/drill_state.h"
#include "engine/random_source.h"
#include "tests/support/fake_pause_source.h"

#include <gtest/gtest.h>

#include <climits>

using sumbrook::ClampToRange;
using sumbrook::RandomSource;
using sumbrook::testing::FakePauseSource;

TEST(RandomSource, DrawsFollowTheGenerator) {
    FakePauseSource pauses;
    RandomSource random(pauses);

    // Seed 1: 1 * 134775813 + 1 = 134775814; 134775814 * 100 = 13477581400, which is
    // 3.14 * 2^32, so the draw is 3.
    random.setSeed(1);
    EXPECT_EQ(random.NextRandom(100), 3);
    EXPECT_EQ(random.seed(), 134775814u);

    // Seed 0xFFFFFFFF: -134775813 + 1 = 4160191484 (mod 2^32); times 20 is 83203829680,
    // 19.37 * 2^32, so 19.
    random.setSeed(0xFFFFFFFFu);
    EXPECT_EQ(random.NextRandom(20), 19);
    EXPECT_EQ(random.seed(), 4160191484u);
}

TEST(RandomSource, ZeroAndNegativeBounds) {
    FakePauseSource pauses;
    RandomSource random(pauses);
    random.setSeed(1);
    EXPECT_EQ(random.NextRandom(0), 0);
    EXPECT_EQ(random.seed(), 134775814u) << "the seed advances even for n = 0";

    // n = -1 is 2^32 - 1: the draw is seed - 1, far above any operand.
    random.setSeed(1);
    EXPECT_EQ(random.NextRandom(-1), 134775813);
    // A seed at the top gives a result that reads as negative.
    random.setSeed(0xFFFFFFFFu);
    EXPECT_EQ(random.NextRandom(-1), static_cast<std::int32_t>(4160191483u - 4294967296ll));
}

TEST(RandomSource, ReseedAndDrawPausesThenUsesTheCounter) {
    FakePauseSource pauses;
    pauses.queued = {0u, 0xFFFFFFFFu};
    RandomSource random(pauses);
    random.setSeed(777);

    EXPECT_EQ(random.ReseedAndDraw(100), 0); // counter 0 → seed 1 → 1 * 100 >> 32
    EXPECT_EQ(pauses.pauses, 1);
    EXPECT_EQ(random.ReseedAndDraw(20), 19);
    EXPECT_EQ(pauses.pauses, 2);
}

TEST(RandomSource, ClampToRange) {
    EXPECT_EQ(ClampToRange(-1, 20), 0);
    EXPECT_EQ(ClampToRange(INT_MIN, 20), 0);
    EXPECT_EQ(ClampToRange(21, 20), 0);
    EXPECT_EQ(ClampToRange(20, 20), 20);
    EXPECT_EQ(ClampToRange(0, 20), 0);
    EXPECT_EQ(ClampToRange(7, 20), 7);
    EXPECT_EQ(ClampToRange(1, 0), 0);
}

TEST(RandomSource, OperationModeFromSwitches) {
    using sumbrook::OperationModeFromSwitches;
    EXPECT_EQ(OperationModeFromSwitches(false, true, false, false), 2);
    EXPECT_EQ(OperationModeFromSwitches(true, true, false, false), 3);
    EXPECT_EQ(OperationModeFromSwitches(false, false, false, false), 0);
    EXPECT_EQ(OperationModeFromSwitches(true, false, true, true), 13);
}
