// The main window's handlers, named after the control and the event; key preview
// (form1_keys.cpp) and the signal wiring (form1_layout.cpp) call them.

#include "main_window/form1.h"

#include "main_window/controls.h"
#include "main_window/error_report.h"
#include "main_window/form1_texts.h"
#include "main_window/key_codes.h"
#include "main_window/numeric_filter.h"

#include "about/about_window.h"
#include "engine/drill_engine.h"
#include "engine/text_to_integer.h"
#include "shell/shortcut.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace sumbrook;
using namespace sumbrook::controls;
namespace T = sumbrook::form1_texts;

namespace {

// Clicks on the value-range box that show the diagnostic log, a parent's way in.
constexpr int kClicksToShowLog = 19;

} // namespace

void TForm1::btn1Click(QObject* sender) {
    Element from = Element::btn1;
    if (sender == edt1)
        from = Element::edt1;
    else if (sender == edt3)
        from = Element::edt3;
    m_engine->submit(from);
}

// Enter judges (an empty box as 0); any other key clears the feedback panel and meets
// the digit filter.
void TForm1::edt1KeyPress(QLineEdit* sender, char& key) {
    if (key == kEnter) {
        if (sender->text().isEmpty())
            sender->setText(QStringLiteral("0"));
        btn1Click(sender);
        return;
    }
    lbl2->setText(QString());
    if (key == '.' && sender->text().isEmpty())
        key = kNoKey;
    FilterNumericKey(sender->text().toStdString(), key);
    focusControl(sender);
}

// Setting a box to the text it already holds must change nothing: a plain setText would
// still move the cursor of the box being typed in to the end and drop its undo history.
void TForm1::edt1Change() {
    if (edt3->text() != edt1->text())
        edt3->setText(edt1->text());
}
void TForm1::edt3Change() {
    if (edt1->text() != edt3->text())
        edt1->setText(edt3->text());
}

void TForm1::edt2KeyPress(char& key) {
    if (key == '.' && edt2->text().isEmpty())
        key = kNoKey;
    FilterNumericKey(edt2->text().toStdString(), key);
    if (key == kEnter)
        nextProblem();
}

void TForm1::edt2KeyUp() {
    if (!edt2->text().isEmpty())
        m_engine->setMaxValue(TextToInteger(edt2->text().toStdString()));
}

void TForm1::lbledt1KeyPress(char& key) {
    if (key == '.' && lbledt1->text().isEmpty())
        key = kNoKey;
    FilterNumericKey(lbledt1->text().toStdString(), key);
}

void TForm1::lbledt1KeyUp() {
    if (!lbledt1->text().isEmpty())
        m_engine->setQuestionLimit(TextToInteger(lbledt1->text().toStdString()));
}

void TForm1::chkaddClick() {
    if (!m_engine->setOperationMode(getysmodenum())) {
        // The last operation was switched off and the engine went back to addition.
        // Checking its switch from code runs this handler once more, inside this call.
        chkadd->setChecked(true);
    }
    nextProblem();
}

void TForm1::rg2Click() {
    nextProblem();
}

// Works on the virtual-key code, so the keypad's decimal key (it reads as "n") skips too
// and Ctrl+F11 ("z") shows the answer. Setting key to 0 marks it handled.
void TForm1::FormKeyUp(int& key, Qt::KeyboardModifiers shift) {
    const char c = virtualKeyCharacter(key);
    if (c == 'Z' && (shift & Qt::ControlModifier)) {
        key = 0;
        m_engine->showAnswer();
    } else if (c == 'N' || c == ' ') {
        key = 0;
        nextProblem();
    }
}

void TForm1::grp6Click() {
    if (++grp6Tag == kClicksToShowLog) {
        grp6Tag = 0;
        mmo1->show();
    }
}

void TForm1::mmo1Exit() {
    mmo1->hide();
}

void TForm1::L1Click() {
    if (m_desktop == nullptr)
        return;
    shell::CreateProgramShortcut(*m_desktop);
    ui::reporter().showMessage(u8(T::kShortcutDone));
}

void TForm1::A2Click() {
    if (m_opener == nullptr)
        return;
    // Made on first use, so that start-up does not build a window that may never show.
    if (m_about == nullptr)
        m_about = std::make_unique<TForm2>(this, m_helpText, *m_opener);
    m_about->showAbout();
}

void TForm1::nextProblem() {
    gett();
    focusControl(edt1);
    edt1->clear();
}
