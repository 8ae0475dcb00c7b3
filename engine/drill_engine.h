#pragma once
// The practice engine: sets problems, judges answers and keeps the score, writing its
// results straight into the display elements. It knows nothing of any window toolkit.

#include "engine/drill_display.h"
#include "engine/drill_state.h"
#include "engine/engine_texts.h"
#include "engine/random_source.h"

#include <string>

namespace sumbrook {

class PauseSource;

class DrillEngine final {
public:
    DrillEngine(DrillDisplay& display, PauseSource& pauses);
    DrillEngine(const DrillEngine&) = delete;
    DrillEngine& operator=(const DrillEngine&) = delete;

    // Start values, MaxValue read from the max box's text (may throw EConvertError), and
    // the score panel's start text.
    void start(const std::string& maxValueText);

    // The settings, as the window's boxes and switches set them; each takes effect with
    // the next problem.
    void setMaxValue(std::int32_t value) { m_state.MaxValue = value; }
    void setQuestionLimit(std::int32_t value) { m_state.QuestionLimit = value; }
    // The drill always has an operation: a mode of 0 (no switch on) becomes addition, and
    // the call returns false so that the window can check the addition switch.
    bool setOperationMode(std::int32_t mode);

    // Draws op1, op2, op3 (each after a pause and a reseed); orders them, op1 the largest,
    // unless order is 0.
    void creatrandnum(std::int32_t order);
    // Sets the next problem: operators, operands, answer, the equation, the column, the
    // header and three log lines; or, once the limit is reached, the rest message.
    void gett();
    // Judges edt1's text: praise or prompt, a count and the score; true when right.
    bool checkisgood();
    // The Next action; sender is the control it came from (edt1, edt3 or btn1).
    void submit(Element sender);

    // "正确答案" and the answer, as Ctrl+Z shows it.
    std::string answerText() const;
    // Ctrl+Z: the answer in the feedback panel, and told to a listener.
    void showAnswer();

    const DrillState& state() const { return m_state; }

private:
    std::int32_t drawOperand(std::int32_t n);
    void applyFocusRule(Element sender);
    std::string scoreText() const;

    DrillDisplay& m_display;
    RandomSource m_random;
    DrillState m_state;
};

} // namespace sumbrook
