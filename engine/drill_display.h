#pragma once
// The narrow window the engine writes through. Elements carry the names of the main
// window's controls; the main window implements this, tests use a recording fake.
// Texts are UTF-8; a line break inside a text is a single '\r'.

#include <string>

namespace sumbrook {

// What a listener who cannot see the screen is told, besides what is shown: the window
// speaks it through the screen reader (or its own voice, with read-aloud on), once per
// user action, in this order.
enum class Announcement {
    Verdict, // the praise or the prompt, as the feedback panel shows it
    Problem, // the problem just set, e.g. "第2题 16－6－9＝"
    Rest,    // the limit reached: take a rest
    Answer,  // the correct answer, as Ctrl+Z shows it
};

enum class Element {
    lbl6, // equation line
    grp4, // question header (a group box caption)
    lbl5, // column rows, top to bottom
    lbl1,
    lbl4,
    lbl8, // column signs beside the middle and bottom rows
    lbl9,
    lbl2, // feedback panel
    lbl3, // score panel
    edt1, // answer box under the column
    edt3, // answer box after the equation
    btn1, // the Next button
};

class DrillDisplay {
public:
    virtual ~DrillDisplay() = default;

    virtual void setText(Element element, const std::string& text) = 0;
    virtual std::string text(Element element) const = 0;
    virtual void setVisible(Element element, bool visible) = 0;
    virtual void setFocus(Element element) = 0;
    // Appends one line to the diagnostic log mmo1.
    virtual void appendLog(const std::string& line) = 0;
    // Selected item of rg2: 0 two numbers, 1 three numbers.
    virtual int rg2ItemIndex() const = 0;
    // Hands a text to the screen reader; '\r' breaks it as it breaks shown texts.
    virtual void announce(Announcement kind, const std::string& text) = 0;
};

} // namespace sumbrook
