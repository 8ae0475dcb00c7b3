// Many problems across every mode, operand count and a range of maximums: what the
// equation line shows must be what the engine expects, and never below zero.

#include "engine/drill_engine.h"
#include "engine/wrap32.h"
#include "tests/support/fake_pause_source.h"
#include "tests/support/recording_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using sumbrook::DrillEngine;
using sumbrook::Element;
using namespace sumbrook::testing;

namespace {

struct Equation {
    std::vector<std::int64_t> operands;
    std::int64_t value = 0;   // exact
    std::int32_t wrapped = 0; // as 32-bit arithmetic gives it
};

// Reads "12＋7－3＝" back into numbers and signs.
Equation evaluate(const std::string& line) {
    static const std::string plus = "＋", minus = "－", equals = "＝";
    Equation eq;
    std::size_t i = 0;
    int sign = 1;
    while (true) {
        std::size_t end = i;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9')
            ++end;
        if (end == i)
            throw std::runtime_error("no number in " + line);
        const std::int64_t v = std::stoll(line.substr(i, end - i));
        eq.operands.push_back(v);
        eq.value += sign * v;
        eq.wrapped = sign > 0 ? sumbrook::wrap32::add(eq.wrapped, static_cast<std::int32_t>(v))
                              : sumbrook::wrap32::sub(eq.wrapped, static_cast<std::int32_t>(v));
        if (line.compare(end, plus.size(), plus) == 0)
            sign = 1, i = end + plus.size();
        else if (line.compare(end, minus.size(), minus) == 0)
            sign = -1, i = end + minus.size();
        else if (line.compare(end, equals.size(), equals) == 0 &&
                 end + equals.size() == line.size())
            return eq;
        else
            throw std::runtime_error("unexpected text in " + line);
    }
}

struct Setting {
    std::int32_t mode;
    int rg2;
    std::int32_t maxValue;
};

class EveryProblem : public ::testing::TestWithParam<Setting> {};

TEST_P(EveryProblem, ShowsWhatItExpectsAndIsNeverNegative) {
    const auto [mode, rg2, maxValue] = GetParam();
    FakePauseSource pauses;
    pauses.next = static_cast<std::uint32_t>(mode * 7919 + rg2 * 104729 + maxValue);
    RecordingDisplay display;
    display.rg2 = rg2;
    DrillEngine engine(display, pauses);
    engine.start(std::to_string(maxValue));
    engine.setOperationMode(mode);

    constexpr int kProblems = 3000;
    for (int n = 0; n < kProblems; ++n) {
        display.log.clear();
        engine.gett();
        const Equation eq = evaluate(display.text(Element::lbl6));
        ASSERT_EQ(eq.operands.size(), rg2 == 1 ? 3u : 2u) << display.text(Element::lbl6);
        for (std::int64_t v : eq.operands)
            ASSERT_TRUE(v >= 0 && v <= maxValue) << display.text(Element::lbl6);
        ASSERT_EQ(eq.value, engine.state().CorrectAnswer) << display.text(Element::lbl6);
        ASSERT_GE(eq.value, 0) << display.text(Element::lbl6);
        ASSERT_EQ(display.log.size(), 3u);
    }
}

std::vector<Setting> allSettings() {
    std::vector<Setting> settings;
    for (std::int32_t mode : {1, 2, 3})
        for (int rg2 : {0, 1})
            for (std::int32_t maxValue : {0, 1, 2, 5, 20, 1000})
                settings.push_back({mode, rg2, maxValue});
    return settings;
}

INSTANTIATE_TEST_SUITE_P(Settings, EveryProblem, ::testing::ValuesIn(allSettings()),
                         [](const auto& info) {
                             const Setting& s = info.param;
                             return "mode" + std::to_string(s.mode) +
                                    (s.rg2 ? "_three_" : "_two_") + "max" +
                                    std::to_string(s.maxValue);
                         });

// At the largest maximum the sums leave the 32-bit range; they must wrap, not overflow
// (the sanitizer build turns any signed overflow into a failure).
TEST(LargestMaximum, ArithmeticWraps) {
    for (std::int32_t mode : {1, 2, 3}) {
        for (int rg2 : {0, 1}) {
            FakePauseSource pauses;
            RecordingDisplay display;
            display.rg2 = rg2;
            DrillEngine engine(display, pauses);
            engine.start("2147483647");
            engine.setOperationMode(mode);
            for (int n = 0; n < 2000; ++n) {
                engine.gett();
                const Equation eq = evaluate(display.text(Element::lbl6));
                ASSERT_EQ(eq.wrapped, engine.state().CorrectAnswer) << display.text(Element::lbl6);
            }
        }
    }
}

} // namespace
