#include "engine/drill_engine.h"
#include "tests/support/fake_pause_source.h"
#include "tests/support/recording_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using sumbrook::DrillEngine;
using sumbrook::Element;
using namespace sumbrook::testing;

namespace {

class Scoring : public ::testing::Test {
protected:
    void SetUp() override {
        engine.start("20");
        engine.gett();
        display.focus.clear();
    }
    std::string answer() const { return std::to_string(engine.state().CorrectAnswer); }
    std::string wrongAnswer() const { return std::to_string(engine.state().CorrectAnswer + 1); }

    FakePauseSource pauses;
    RecordingDisplay display;
    DrillEngine engine{display, pauses};
};

TEST_F(Scoring, CorrectAnswerPraisesCountsAndMovesOn) {
    display.setText(Element::edt1, answer());
    EXPECT_TRUE(engine.checkisgood());
    EXPECT_EQ(display.text(Element::lbl2), "真聪明!\r答对了!");
    EXPECT_EQ(display.text(Element::lbl3), "正确个数:1\r错误次数:0");
    EXPECT_EQ(engine.state().CorrectCount, 1);
}

TEST_F(Scoring, WrongAnswerPromptsCountsAndClears) {
    display.setText(Element::edt1, wrongAnswer());
    EXPECT_FALSE(engine.checkisgood());
    EXPECT_EQ(display.text(Element::lbl2), "再想想!\r答错了!");
    EXPECT_EQ(display.text(Element::lbl3), "正确个数:0\r错误次数:1");
    EXPECT_EQ(display.text(Element::edt1), "");
    EXPECT_EQ(engine.state().WrongCount, 1);
}

TEST_F(Scoring, ScorePanelWordingChangesAfterTheFirstJudgement) {
    EXPECT_EQ(display.text(Element::lbl3), "正确个数:\r错误个数:");
    display.setText(Element::edt1, wrongAnswer());
    engine.submit(Element::btn1);
    EXPECT_NE(display.text(Element::lbl3).find("错误次数:"), std::string::npos);
}

TEST_F(Scoring, TextThatIsNoNumberIsClearedSilently) {
    for (const char* text : {"abc", "99999999999", "1 "}) {
        display.setText(Element::lbl2, "提示：");
        display.setText(Element::edt1, text);
        const std::string lbl6 = display.text(Element::lbl6);
        engine.submit(Element::edt1);
        EXPECT_EQ(display.text(Element::edt1), "") << text;
        EXPECT_EQ(display.text(Element::lbl2), "提示：") << text;
        EXPECT_EQ(display.text(Element::lbl6), lbl6) << "same problem for " << text;
        EXPECT_EQ(engine.state().CorrectCount + engine.state().WrongCount, 0);
    }
}

TEST_F(Scoring, EmptyAnswerSkipsWithoutJudging) {
    const std::string header = display.text(Element::grp4);
    pauses.pauses = 0;
    engine.submit(Element::edt3);
    EXPECT_GT(pauses.pauses, 0) << "a new problem was set";
    EXPECT_EQ(display.text(Element::grp4), header);
    EXPECT_EQ(engine.state().CorrectCount + engine.state().WrongCount, 0);
    EXPECT_EQ(display.focus, std::vector<Element>{Element::edt1});
}

struct FocusCase {
    const char* name;
    Element sender;
    bool correct;
    Element focused;
};

class FocusRule : public Scoring, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusRule, SenderBoxOrAnswerBox) {
    const auto& c = GetParam();
    display.setText(Element::edt1, c.correct ? answer() : wrongAnswer());
    pauses.pauses = 0;
    engine.submit(c.sender);
    EXPECT_EQ(display.focus, std::vector<Element>{c.focused});
    EXPECT_EQ(display.text(Element::edt1), "");
    EXPECT_EQ(pauses.pauses > 0, c.correct) << "only a right answer sets a new problem";
    EXPECT_EQ(display.text(Element::grp4), c.correct ? "请计算:第2题:" : "请计算:第1题:");
}

INSTANTIATE_TEST_SUITE_P(
    Senders, FocusRule,
    ::testing::Values(FocusCase{"right_from_edt1", Element::edt1, true, Element::edt1},
                      FocusCase{"right_from_edt3", Element::edt3, true, Element::edt3},
                      FocusCase{"right_from_button", Element::btn1, true, Element::edt1},
                      FocusCase{"wrong_from_edt3", Element::edt3, false, Element::edt3},
                      FocusCase{"wrong_from_button", Element::btn1, false, Element::edt1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Scoring, AnswersAfterTheLimitAreStillJudged) {
    engine.setQuestionLimit(1);
    display.setText(Element::edt1, answer());
    engine.submit(Element::edt1);
    EXPECT_EQ(display.text(Element::lbl3), "已经做了1道题了,休息吧.");
    display.setText(Element::edt1, answer());
    engine.submit(Element::edt1);
    EXPECT_EQ(engine.state().CorrectCount, 2);
}

TEST_F(Scoring, AnswerText) {
    EXPECT_EQ(engine.answerText(), "正确答案\r" + answer());
}

} // namespace

namespace {

using sumbrook::Announcement;

struct AnnouncementCase {
    const char* name;
    const char* typed; // "=" the answer, "+" a wrong one, "" nothing
    int limit;
    std::vector<Announcement> told;
};

class Announcements : public Scoring, public ::testing::WithParamInterface<AnnouncementCase> {};

// Each action tells a listener what it showed, once, verdict first.
TEST_P(Announcements, EachActionTellsOnce) {
    const AnnouncementCase& c = GetParam();
    engine.setQuestionLimit(c.limit);
    display.announcements.clear();
    const std::string typed = c.typed;
    display.setText(Element::edt1, typed == "=" ? answer() : typed == "+" ? wrongAnswer() : "");
    if (typed == "?")
        engine.showAnswer();
    else
        engine.submit(Element::edt1);
    std::vector<Announcement> kinds;
    for (const auto& [kind, text] : display.announcements) {
        kinds.push_back(kind);
        const Element shownIn = kind == Announcement::Problem ? Element::lbl6
                                : kind == Announcement::Rest  ? Element::lbl3
                                                              : Element::lbl2;
        EXPECT_NE(text.find(display.text(shownIn)), std::string::npos) << text;
    }
    EXPECT_EQ(kinds, c.told);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Announcements,
    ::testing::Values(
        AnnouncementCase{"Right", "=", 25, {Announcement::Verdict, Announcement::Problem}},
        AnnouncementCase{"Wrong", "+", 25, {Announcement::Verdict}},
        AnnouncementCase{"Skip", "", 25, {Announcement::Problem}},
        AnnouncementCase{"RightAtTheLimit", "=", 1, {Announcement::Verdict, Announcement::Rest}},
        AnnouncementCase{"Peek", "?", 25, {Announcement::Answer}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
