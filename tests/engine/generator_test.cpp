#include "engine/drill_engine.h"
#include "tests/engine/lcg_inverse.h"
#include "tests/support/fake_pause_source.h"
#include "tests/support/recording_display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

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

// The counter value that makes an operand draw (ReseedAndDraw(maxValue) + 1) give value.
constexpr std::uint32_t draw(std::uint32_t value, std::uint32_t maxValue = 20) {
    return counterForDraw(value - 1, maxValue);
}

constexpr std::uint32_t kPlus = kPlusCounter;
constexpr std::uint32_t kMinus = kMinusCounter;

// One problem set from chosen counter values (after them the fake's own sequence). A row
// leaves a column it does not compare empty ("" or -1); every row also meets the
// properties in expectAConsistentProblem.
struct ProblemCase {
    const char* name;
    std::int32_t mode; // 1 addition, 2 subtraction, 3 both
    int rg2;           // 0 two numbers, 1 three
    std::int32_t maxValue;
    const char* equation; // lbl6
    int pauses;
    const char* log;                    // the three log lines, joined by " | "
    std::deque<std::uint32_t> counters; // the counter values the draws see, in order
};

// clang-format off
const ProblemCase kProblems[] = {
    // One pause per draw: the reseed, the operator draws, the operands, a redrawn third.
    {"addition_pauses",          1, 1, 20, "", 4, "", {}},
    {"subtraction_pauses",       2, 1, 20, "", 5, "", {}},
    {"subtraction_two_pauses",   2, 0, 20, "", 5, "", {}},
    {"both_two_pauses",          3, 0, 20, "", 4, "", {}},
    {"plus_plus_pauses",         3, 1, 20, "", 5, "", {kPlus, kPlus}},
    {"plus_minus_pauses",        3, 1, 20, "", 6, "", {kPlus, kMinus}},
    {"minus_minus_pauses",       3, 1, 20, "", 6, "", {kMinus, kMinus}},
    {"minus_plus_pauses",        3, 1, 20, "", 8, "", {kMinus, kPlus}},
    {"two_number_texts",         1, 0, 20, "12＋7＝", -1, "v0:12 tibz:1 | v1:7 tijbz2:1 | v2:3",
        {0, draw(12), draw(7), draw(3)}},
    // 4, 15, 9 are ordered to 15, 9, 4; a two-number problem shows the first two.
    {"two_number_ordered",       2, 0, 20, "15－9＝", -1, "",
        {0, draw(4), draw(15), draw(9), draw(1)}},
    // op1 + op2 = 21, so the third operand is drawn from 1 … 20, here 5.
    {"plus_minus_third_redrawn", 3, 1, 20, "15＋6－5＝", -1, "v0:15 tibz:1 | v1:6 tijbz2:2 | v2:5",
        {kPlus, kMinus, draw(6), draw(15), draw(2), draw(5)}},
    // op1 + op2 = 38; a third operand drawn above 20 is clamped to 0.
    {"plus_minus_over_max_is_0", 3, 1, 20, "19＋19－0＝", -1, "",
        {kPlus, kMinus, draw(19), draw(19), draw(2), draw(31, 37)}},
    {"minus_plus_all_redrawn",   3, 1, 20, "17－9＋4＝", 8, "",
        {kMinus, kPlus, draw(1), draw(2), draw(3), draw(4), draw(17), draw(9)}},
    // creatrandnum's swaps leave op1 largest but op2 and op3 unordered here.
    {"third_operand_largest",    1, 1, 20, "9＋3＋5＝", -1, "", {0, draw(3), draw(5), draw(9)}},
    // op1 == op2 makes the third draw come from NextRandom(-1), here landing on 5: the
    // answer stays 0 rather than -5, and the draw and its pause stay.
    {"equal_subtraction",        2, 1, 20, "8－8－0＝", 5, "",
        {0, draw(8), draw(8), draw(3), counterForSeed(5)}},
    {"equal_minus_minus",        3, 1, 20, "8－8－0＝", 6, "",
        {kMinus, kMinus, draw(8), draw(8), draw(3), counterForSeed(5)}},
    {"difference_1_third_is_1",  2, 1, 20, "8－7－1＝", -1, "", {0, draw(8), draw(7), draw(3), 0}},
    {"maximum_0",                2, 0, 0,  "0－0＝", -1, "", {}},
    {"maximum_1",                2, 0, 1,  "1－1＝", -1, "", {}},
    // Both operations but two numbers: no second operator is drawn, and the log says 0.
    {"mixed_two_no_second_sign", 3, 0, 20, "9－4＝", -1, "v0:9 tibz:2 | v1:4 tijbz2:0 | v2:2",
        {kMinus, draw(9), draw(4), draw(2)}},
};
// clang-format on

void PrintTo(const ProblemCase& c, std::ostream* os) {
    *os << c.name;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : " | ") + line;
    return text;
}

// What holds for every problem: the equation line shows the operands in order with an
// answer that is its value and never negative; the column sum shows the same numbers,
// each right-aligned in two places, and the same signs; the header numbers it the first
// problem; the log holds the operands and the codes of the signs shown.
void expectAConsistentProblem(const Drill& drill) {
    const auto& d = drill.display;
    const auto& op = drill.engine.state().Operands;
    const bool three = d.rg2 == 1;
    const std::string equation = d.text(Element::lbl6);
    std::vector<std::string> signs;
    std::string rebuilt = std::to_string(op[0]);
    std::int64_t value = op[0];
    for (std::size_t at = rebuilt.size(), i = 1; i < (three ? 3u : 2u); ++i) {
        const std::string sign = equation.substr(at, std::string("＋").size());
        ASSERT_TRUE(sign == "＋" || sign == "－") << equation;
        signs.push_back(sign);
        rebuilt += sign + std::to_string(op[i]);
        value += sign == "＋" ? op[i] : -std::int64_t{op[i]};
        at = rebuilt.size();
    }
    EXPECT_EQ(equation, rebuilt + "＝");
    EXPECT_EQ(drill.engine.state().CorrectAnswer, value) << equation;
    EXPECT_GE(value, 0) << equation;

    const auto row = [](std::int32_t v) {
        return (v >= 0 && v < 10 ? " " : "") + std::to_string(v);
    };
    EXPECT_EQ(d.visible(Element::lbl5), three);
    if (three) {
        EXPECT_EQ(d.text(Element::lbl5), row(op[0]));
    }
    EXPECT_EQ(d.text(Element::lbl1), row(op[three ? 1 : 0]));
    EXPECT_EQ(d.text(Element::lbl4), row(op[three ? 2 : 1]));
    EXPECT_EQ(d.text(Element::lbl8), three ? signs[0] : "");
    EXPECT_EQ(d.text(Element::lbl9), signs.back());
    EXPECT_EQ(d.text(Element::grp4), "请计算:第1题:");

    const auto code = [](const std::string& sign) { return sign == "＋" ? "1" : "2"; };
    ASSERT_EQ(d.log.size(), 3u);
    EXPECT_EQ(d.log[0], "v0:" + std::to_string(op[0]) + " tibz:" + code(signs[0]));
    const std::string second = "v1:" + std::to_string(op[1]) + " tijbz2:";
    EXPECT_EQ(d.log[1].substr(0, second.size()), second);
    if (three) {
        EXPECT_EQ(d.log[1], second + code(signs[1]));
    }
    EXPECT_EQ(d.log[2], "v2:" + std::to_string(op[2]));
}

class Problems : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(Problems, AreSetAsDrawn) {
    const ProblemCase& c = GetParam();
    Drill drill(c.mode, c.rg2, c.maxValue);
    drill.pauses.queued = c.counters;
    drill.engine.gett();
    expectAConsistentProblem(drill);
    if (*c.equation != '\0') {
        EXPECT_EQ(drill.display.text(Element::lbl6), c.equation);
    }
    if (c.pauses >= 0) {
        EXPECT_EQ(drill.pauses.pauses, c.pauses);
    }
    if (*c.log != '\0') {
        EXPECT_EQ(joined(drill.display.log), c.log);
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, Problems, ::testing::ValuesIn(kProblems),
                         [](const auto& info) { return std::string(info.param.name); });

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
