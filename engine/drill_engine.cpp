#include "engine/drill_engine.h"

#include "engine/exceptions.h"
#include "engine/pause_source.h"
#include "engine/text_to_integer.h"
#include "engine/wrap32.h"

#include <cstdio>
#include <utility>

namespace sumbrook {
namespace {

using wrap32::add;
using wrap32::sub;

const char* signOf(std::int32_t code) {
    switch (code) {
    case 1:
        return texts::kPlus;
    case 2:
        return texts::kMinus;
    default:
        return "";
    }
}

std::string columnRow(std::int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", static_cast<int>(v));
    return buf;
}

} // namespace

std::int32_t OperationModeFromSwitches(bool add, bool subtract, bool multiply, bool divide) {
    return (add ? OpAdd : 0) + (subtract ? OpSubtract : 0) + (multiply ? OpMultiply : 0) +
           (divide ? OpDivide : 0);
}

DrillEngine::DrillEngine(DrillDisplay& display, PauseSource& pauses)
    : m_display(display), m_random(pauses) {}

void DrillEngine::start(const std::string& maxValueText) {
    m_state.MaxValue = TextToInteger(maxValueText);
    m_state.OperationMode = OpAdd | OpSubtract;
    m_state.CorrectCount = 0;
    m_state.QuestionLimit = kStartQuestionLimit;
    m_state.WrongCount = 0;
    m_display.setText(Element::lbl3, texts::kScoreStart);
}

bool DrillEngine::setOperationMode(std::int32_t mode) {
    m_state.OperationMode = mode == 0 ? OpAdd : mode;
    return mode != 0;
}

// One operand: a fresh draw in 1 … n (n taken as unsigned), kept only if it fits the range.
std::int32_t DrillEngine::drawOperand(std::int32_t n) {
    return ClampToRange(add(m_random.ReseedAndDraw(n), 1), m_state.MaxValue);
}

void DrillEngine::creatrandnum(std::int32_t order) {
    auto& op = m_state.Operands;
    op[0] = op[1] = op[2] = 0;
    m_state.CorrectAnswer = 0;
    op[0] = drawOperand(m_state.MaxValue);
    op[1] = drawOperand(m_state.MaxValue);
    op[2] = drawOperand(m_state.MaxValue);
    if (order == 0)
        return;
    if (op[0] < op[1])
        std::swap(op[0], op[1]);
    if (op[0] < op[2])
        std::swap(op[0], op[2]);
    else if (op[1] < op[2])
        std::swap(op[1], op[2]);
}

void DrillEngine::gett() {
    m_display.setText(Element::lbl6, texts::kWaiting);
    if (m_state.CorrectCount >= m_state.QuestionLimit) {
        const std::string rest =
            texts::kRestBefore + std::to_string(m_state.QuestionLimit) + texts::kRestAfter;
        m_display.setText(Element::lbl3, rest);
        m_display.announce(Announcement::Rest, rest);
        return;
    }

    m_random.Reseed();
    const bool threeNumbers = m_display.rg2ItemIndex() == 1;
    const std::int32_t mode = m_state.OperationMode;
    std::int32_t c1 = 0;
    std::int32_t c2 = 0;
    if (mode == OpAdd || mode == OpSubtract) {
        c1 = c2 = mode;
    } else if (mode == (OpAdd | OpSubtract)) {
        c1 = m_random.NextRandom(2) + 1;
        if (threeNumbers)
            c2 = m_random.ReseedAndDraw(2) + 1;
    }
    const std::string sign1 = signOf(c1);
    const std::string sign2 = signOf(c2);

    creatrandnum(c1);
    auto& op = m_state.Operands;
    auto& answer = m_state.CorrectAnswer;

    // A second subtraction draws op3 below op1 - op2 so the result stays non-negative.
    // When op1 == op2 the draw is from 2^32 - 1 values and could land in range, giving a
    // negative answer; the draw (and its pause) is kept but op3 is then 0.
    const auto subtractTwice = [&] {
        const std::int32_t drawn = drawOperand(sub(sub(op[0], op[1]), 1));
        op[2] = op[0] == op[1] ? 0 : drawn;
        answer = sub(sub(op[0], op[1]), op[2]);
    };
    if (mode == OpAdd || (mode == (OpAdd | OpSubtract) && c1 == 1 && c2 == 1)) {
        answer = add(add(op[0], op[1]), op[2]);
    } else if (mode == OpSubtract || (mode == (OpAdd | OpSubtract) && c1 == 2 && c2 == 2)) {
        subtractTwice();
    } else if (mode == (OpAdd | OpSubtract) && c1 == 1 && c2 == 2) {
        op[2] = drawOperand(sub(add(op[0], op[1]), 1));
        answer = sub(add(op[0], op[1]), op[2]);
    } else if (mode == (OpAdd | OpSubtract) && c1 == 2 && c2 == 1) {
        creatrandnum(1);
        answer = add(sub(op[0], op[1]), op[2]);
    }

    std::string equation;
    if (!threeNumbers) {
        answer = sign1 == texts::kPlus ? add(op[0], op[1]) : sub(op[0], op[1]);
        m_display.setVisible(Element::lbl5, false);
        m_display.setText(Element::lbl1, columnRow(op[0]));
        m_display.setText(Element::lbl4, columnRow(op[1]));
        m_display.setText(Element::lbl8, "");
        m_display.setText(Element::lbl9, sign1);
        equation = std::to_string(op[0]) + sign1 + std::to_string(op[1]) + texts::kEquals;
    } else {
        m_display.setVisible(Element::lbl5, true);
        m_display.setText(Element::lbl5, columnRow(op[0]));
        m_display.setText(Element::lbl1, columnRow(op[1]));
        m_display.setText(Element::lbl4, columnRow(op[2]));
        m_display.setText(Element::lbl8, sign1);
        m_display.setText(Element::lbl9, sign2);
        equation = std::to_string(op[0]) + sign1 + std::to_string(op[1]) + sign2 +
                   std::to_string(op[2]) + texts::kEquals;
    }
    m_display.setText(Element::lbl6, equation);

    const std::string number = std::to_string(add(m_state.CorrectCount, 1));
    m_display.setText(Element::grp4, texts::kHeaderBefore + number + texts::kHeaderAfter);
    // Spoken without the header's colons, which a reader would pronounce.
    m_display.announce(Announcement::Problem,
                       texts::kSpokenBefore + number + texts::kSpokenAfter + equation);
    m_display.appendLog(texts::kLogOperand1 + std::to_string(op[0]) + texts::kLogFirstOperator +
                        std::to_string(c1));
    m_display.appendLog(texts::kLogOperand2 + std::to_string(op[1]) + texts::kLogSecondOperator +
                        std::to_string(c2));
    m_display.appendLog(texts::kLogOperand3 + std::to_string(op[2]));
}

std::string DrillEngine::scoreText() const {
    return texts::kScoreCorrect + std::to_string(m_state.CorrectCount) + texts::kScoreWrong +
           std::to_string(m_state.WrongCount);
}

bool DrillEngine::checkisgood() {
    std::int32_t value = 0;
    try {
        value = TextToInteger(m_display.text(Element::edt1));
    } catch (const EConvertError&) {
        // The one place an error is absorbed: a text that is no number is just cleared.
        m_display.setText(Element::edt1, "");
        return false;
    }
    if (value == m_state.CorrectAnswer) {
        m_display.setText(Element::lbl2, texts::kCorrect);
        m_display.announce(Announcement::Verdict, texts::kCorrect);
        m_state.CorrectCount = add(m_state.CorrectCount, 1);
        m_display.setText(Element::lbl3, scoreText());
        return true;
    }
    m_display.setText(Element::lbl2, texts::kWrong);
    m_display.announce(Announcement::Verdict, texts::kWrong);
    m_state.WrongCount = add(m_state.WrongCount, 1);
    m_display.setText(Element::lbl3, scoreText());
    m_display.setText(Element::edt1, "");
    return false;
}

void DrillEngine::applyFocusRule(Element sender) {
    const bool fromAnswerBox = sender == Element::edt1 || sender == Element::edt3;
    m_display.setFocus(fromAnswerBox ? sender : Element::edt1);
}

void DrillEngine::submit(Element sender) {
    if (m_display.text(Element::edt1).empty()) {
        gett();
        m_display.setFocus(Element::edt1);
    } else if (!checkisgood()) {
        applyFocusRule(sender);
    } else {
        gett();
        applyFocusRule(sender);
        m_display.setText(Element::edt1, "");
    }
}

std::string DrillEngine::answerText() const {
    return texts::kAnswer + std::to_string(m_state.CorrectAnswer);
}

void DrillEngine::showAnswer() {
    const std::string text = answerText();
    m_display.setText(Element::lbl2, text);
    m_display.announce(Announcement::Answer, text);
}

} // namespace sumbrook
