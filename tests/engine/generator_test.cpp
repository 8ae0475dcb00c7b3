#include "engine/drill_engine.h"
#include "fake_pause_source.h"
#include "lcg_inverse.h"
#include "recording_display.h"

#include <gtest/gtest.h>

#include <string>

using sumbrook::DrillEngine;
using sumbrook::Element;
using namespace sumbrook::testing;

namespace {

struct Drill {
    explicit Drill(std::int32_t mode, int rg2 = 1, std::int32_t maxValue = 20) {
        engine.start(std::to_string(maxValue));
        engine.setOperationMode(mode);
        display.rg2 = rg2;
    }
    // Answers n problems right, each setting the next (or the limit message).
    void answerCorrectly(int n) {
        for (int i = 0; i < n; ++i) {
            display.setText(Element::edt1, std::to_string(engine.state().CorrectAnswer));
            engine.submit(Element::edt1);
        }
    }
    FakePauseSource pauses;
    RecordingDisplay display;
    DrillEngine engine{display, pauses};
};

// Counter values that make operand draws (ReseedAndDraw(maxValue) + 1) give these values.
std::uint32_t operand(std::uint32_t value, std::uint32_t maxValue = 20) {
    return counterForDraw(value - 1, maxValue);
}

struct PauseCase {
    const char* name;
    std::int32_t mode;
    int rg2;
    std::deque<std::uint32_t> operatorCounters;
    int pauses;
};

class PausesPerProblem : public ::testing::TestWithParam<PauseCase> {};

TEST_P(PausesPerProblem, MatchesTheDrawsMade) {
    const auto& c = GetParam();
    Drill drill(c.mode, c.rg2);
    drill.pauses.queued = c.operatorCounters;
    drill.engine.gett();
    EXPECT_EQ(drill.pauses.pauses, c.pauses);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PausesPerProblem,
    ::testing::Values(PauseCase{"addition_only", 1, 1, {}, 4},
                      PauseCase{"subtraction_only", 2, 1, {}, 5},
                      PauseCase{"subtraction_only_two_numbers", 2, 0, {}, 5},
                      PauseCase{"both_two_numbers", 3, 0, {}, 4},
                      PauseCase{"plus_plus", 3, 1, {kPlusCounter, kPlusCounter}, 5},
                      PauseCase{"plus_minus", 3, 1, {kPlusCounter, kMinusCounter}, 6},
                      PauseCase{"minus_minus", 3, 1, {kMinusCounter, kMinusCounter}, 6},
                      PauseCase{"minus_plus", 3, 1, {kMinusCounter, kPlusCounter}, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Generator, TwoNumberTexts) {
    Drill drill(1, 0);
    drill.pauses.queued = {0u, operand(12), operand(7), operand(3)};
    drill.engine.gett();
    const auto& d = drill.display;
    EXPECT_EQ(d.text(Element::lbl6), "12＋7＝");
    EXPECT_EQ(d.text(Element::lbl1), "12");
    EXPECT_EQ(d.text(Element::lbl4), " 7");
    EXPECT_EQ(d.text(Element::lbl8), "");
    EXPECT_EQ(d.text(Element::lbl9), "＋");
    EXPECT_FALSE(d.visible(Element::lbl5));
    EXPECT_EQ(d.text(Element::grp4), "请计算:第1题:");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 19);
    EXPECT_EQ(d.log, (std::vector<std::string>{"v0:12 tibz:1", "v1:7 tijbz2:1", "v2:3"}));
}

TEST(Generator, TwoNumberSubtractionIsOrdered) {
    Drill drill(2, 0);
    drill.pauses.queued = {0u, operand(4), operand(15), operand(9), operand(1)};
    drill.engine.gett();
    // 4, 15, 9 are ordered to 15, 9, 4; a two-number problem shows the first two.
    EXPECT_EQ(drill.display.text(Element::lbl6), "15－9＝");
    EXPECT_EQ(drill.display.text(Element::lbl1), "15");
    EXPECT_EQ(drill.display.text(Element::lbl4), " 9");
    EXPECT_EQ(drill.display.text(Element::lbl9), "－");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 6);
}

TEST(Generator, ThreeNumbersPlusMinusRedrawsTheThirdOperand) {
    Drill drill(3, 1);
    // op1 + op2 = 21, so the third operand is drawn from 1 … 20: draw 5 (value 4 + 1).
    drill.pauses.queued = {kPlusCounter, kMinusCounter, operand(6),
                           operand(15),  operand(2),    counterForDraw(4, 20)};
    drill.engine.gett();
    const auto& d = drill.display;
    EXPECT_TRUE(d.visible(Element::lbl5));
    EXPECT_EQ(d.text(Element::lbl6), "15＋6－5＝");
    EXPECT_EQ(d.text(Element::lbl5), "15");
    EXPECT_EQ(d.text(Element::lbl1), " 6");
    EXPECT_EQ(d.text(Element::lbl4), " 5");
    EXPECT_EQ(d.text(Element::lbl8), "＋");
    EXPECT_EQ(d.text(Element::lbl9), "－");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 16);
    EXPECT_EQ(d.log, (std::vector<std::string>{"v0:15 tibz:1", "v1:6 tijbz2:2", "v2:5"}));
}

TEST(Generator, PlusMinusAboveTheMaximumGivesZero) {
    Drill drill(3, 1);
    // op1 + op2 = 38; a third operand drawn above 20 is clamped to 0.
    drill.pauses.queued = {kPlusCounter, kMinusCounter, operand(19),
                           operand(19),  operand(2),    counterForDraw(30, 37)};
    drill.engine.gett();
    EXPECT_EQ(drill.display.text(Element::lbl6), "19＋19－0＝");
    EXPECT_EQ(drill.display.text(Element::lbl4), " 0");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 38);
}

TEST(Generator, MinusPlusDrawsAllOperandsAgain) {
    Drill drill(3, 1);
    drill.pauses.queued = {kMinusCounter, kPlusCounter, operand(1),  operand(2),
                           operand(3),    operand(4),   operand(17), operand(9)};
    drill.engine.gett();
    EXPECT_EQ(drill.display.text(Element::lbl6), "17－9＋4＝");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 12);
    EXPECT_EQ(drill.pauses.pauses, 8);
}

TEST(Generator, OrderingWhenTheThirdOperandIsLargest) {
    // creatrandnum's swaps leave op1 largest but op2 and op3 unordered in this case.
    Drill drill(1, 1);
    drill.pauses.queued = {0u, operand(3), operand(5), operand(9)};
    drill.engine.gett();
    const auto& op = drill.engine.state().Operands;
    EXPECT_EQ(op[0], 9);
    EXPECT_EQ(op[1], 3);
    EXPECT_EQ(op[2], 5);
}

TEST(Generator, EqualOperandsInADoubleSubtractionGiveZero) {
    // op1 == op2 makes the third draw come from NextRandom(-1); here it would land on 5.
    // The answer must stay 0 rather than -5.
    for (std::int32_t mode : {2, 3}) {
        Drill drill(mode, 1);
        std::deque<std::uint32_t> counters = {mode == 3 ? kMinusCounter : 0u};
        if (mode == 3)
            counters.push_back(kMinusCounter);
        for (std::uint32_t c : {operand(8), operand(8), operand(3), counterForSeed(5)})
            counters.push_back(c);
        drill.pauses.queued = counters;
        drill.engine.gett();
        EXPECT_EQ(drill.display.text(Element::lbl6), "8－8－0＝") << "mode " << mode;
        EXPECT_EQ(drill.engine.state().CorrectAnswer, 0);
        EXPECT_EQ(drill.pauses.pauses, mode == 3 ? 6 : 5) << "the draw and its pause stay";
    }
}

TEST(Generator, DifferenceOfOneGivesThirdOperandOne) {
    Drill drill(2, 1);
    drill.pauses.queued = {0u, operand(8), operand(7), operand(3), 0u};
    drill.engine.gett();
    EXPECT_EQ(drill.display.text(Element::lbl6), "8－7－1＝");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, 0);
}

TEST(Generator, SmallestMaximums) {
    for (std::int32_t maxValue : {0, 1}) {
        Drill drill(2, 0, maxValue);
        drill.engine.gett();
        const std::string v = std::to_string(maxValue);
        EXPECT_EQ(drill.display.text(Element::lbl6), v + "－" + v + "＝");
        EXPECT_EQ(drill.engine.state().CorrectAnswer, 0);
    }
}

TEST(Generator, LimitMessageLeavesEverythingElse) {
    Drill drill(1, 1);
    drill.engine.gett();
    drill.answerCorrectly(24);
    drill.display.setText(Element::edt1, std::to_string(drill.engine.state().CorrectAnswer));
    ASSERT_TRUE(drill.engine.checkisgood()); // the 25th: the limit is reached
    auto before = drill.display;
    const std::int32_t answer = drill.engine.state().CorrectAnswer;
    drill.pauses.pauses = 0;

    drill.engine.gett();
    EXPECT_EQ(drill.pauses.pauses, 0);
    EXPECT_EQ(drill.display.text(Element::lbl3), "已经做了25道题了,休息吧.");
    EXPECT_EQ(drill.display.text(Element::lbl6), "稍等，出题中... ...");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, answer);
    EXPECT_EQ(drill.display.log, before.log);
    for (Element e : {Element::grp4, Element::lbl5, Element::lbl1, Element::lbl4, Element::lbl8,
                      Element::lbl9, Element::lbl2})
        EXPECT_EQ(drill.display.text(e), before.text(e));

    // Raising the limit lets problems come again.
    drill.engine.setQuestionLimit(30);
    drill.engine.gett();
    EXPECT_EQ(drill.display.text(Element::grp4), "请计算:第26题:");
}

TEST(Generator, HeaderCountsCorrectAnswers) {
    Drill drill(1, 1);
    drill.answerCorrectly(6);
    EXPECT_EQ(drill.display.text(Element::grp4), "请计算:第7题:");
}

TEST(Generator, MixedTwoNumberProblemLogsNoSecondOperator) {
    Drill drill(3, 0);
    drill.pauses.queued = {kMinusCounter};
    drill.engine.gett();
    EXPECT_EQ(drill.display.log.at(1).substr(drill.display.log.at(1).find(" ")), " tijbz2:0");
}

} // namespace

namespace {

// The drill always has an operation: switching the last one off falls back to addition.
TEST(Settings, OperationModeIsNeverZero) {
    const struct {
        std::int32_t asked, kept;
        bool accepted;
    } rows[] = {{0, 1, false}, {1, 1, true}, {2, 2, true}, {3, 3, true}};
    for (const auto& row : rows) {
        Drill drill(3);
        EXPECT_EQ(drill.engine.setOperationMode(row.asked), row.accepted) << row.asked;
        EXPECT_EQ(drill.engine.state().OperationMode, row.kept) << row.asked;
    }
}

} // namespace
