#include "engine/spoken_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Spoken {
    const char* name;
    const char* shown;
    const char* spoken;
};

class SpokenText : public ::testing::TestWithParam<Spoken> {};

TEST_P(SpokenText, ReadsSignsAsWords) {
    EXPECT_EQ(sumbrook::spokenText(GetParam().shown), GetParam().spoken);
}

INSTANTIATE_TEST_SUITE_P(
    Announcements, SpokenText,
    ::testing::Values(Spoken{"three_numbers", "第3题 16＋15＋9＝", "第3题 16 加 15 加 9 等于"},
                      Spoken{"subtraction", "第12题 20－7＝", "第12题 20 减 7 等于"},
                      Spoken{"mixed", "第2题 16－6＋9＝", "第2题 16 减 6 加 9 等于"},
                      Spoken{"verdict_then_problem", "真聪明! 答对了! 第4题 3＋4＝",
                             "真聪明! 答对了! 第4题 3 加 4 等于"},
                      Spoken{"line_breaks", "再想想!\r答错了!", "再想想! 答错了!"},
                      Spoken{"answer", "正确答案 44", "正确答案 44"},
                      Spoken{"negative_number_kept", "正确答案 -3", "正确答案 -3"},
                      Spoken{"blank_runs_and_ends", "  已经做了2道题了,休息吧.\r\r ",
                             "已经做了2道题了,休息吧."},
                      Spoken{"empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
