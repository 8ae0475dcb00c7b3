#pragma once
// The practice engine: sets problems, judges answers and keeps the score, writing its
// results straight into the display elements. It knows nothing of any window toolkit.

#include "drill_display.h"
#include "drill_state.h"
#include "random_source.h"

#include <string>

namespace sumbrook {

class PauseSource;

namespace texts {
inline constexpr char kWaiting[] = "稍等，出题中... ...";
inline constexpr char kCorrect[] = "真聪明!\r答对了!";
inline constexpr char kWrong[] = "再想想!\r答错了!";
inline constexpr char kScoreStart[] = "正确个数:\r错误个数:";
inline constexpr char kPlus[] = "＋";
inline constexpr char kMinus[] = "－";
inline constexpr char kEquals[] = "＝";
} // namespace texts

class DrillEngine {
public:
    DrillEngine(DrillDisplay& display, PauseSource& pauses);

    // Start values; MaxValue comes from the max-value box's text (may throw EConvertError).
    void start(const std::string& maxValueText);

    void creatrandnum(std::int32_t order);
    void gett();
    bool checkisgood();
    // The Next action; sender is the control it came from (edt1, edt3 or btn1).
    void submit(Element sender);

    // "正确答案" and the answer, as Ctrl+Z shows it.
    std::string answerText() const;
    // Ctrl+Z: the answer in the feedback panel, and told to a listener.
    void showAnswer();

    DrillState& state() { return m_state; }
    const DrillState& state() const { return m_state; }
    RandomSource& random() { return m_random; }

private:
    std::int32_t drawOperand(std::int32_t n);
    void applyFocusRule(Element sender);
    std::string scoreText() const;

    DrillDisplay& m_display;
    RandomSource m_random;
    DrillState m_state;
};

} // namespace sumbrook
