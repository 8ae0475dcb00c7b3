#pragma once
// TForm1, the working window, and how the program fits together around it.
//
//   DrillEngine (engine/)   sets problems, judges answers, keeps the score. Plain C++: it
//                           writes its results through the DrillDisplay interface, naming
//                           the controls below, and never sees Qt.
//   TForm1 (this class)     owns the controls and the engine and implements DrillDisplay
//                           (class Display). Its handlers turn keys, clicks and menu
//                           commands into engine calls.
//   TForm2 (about/)         the About window, made the first time the menu's A2 shows it.
//   shell/                  the platform layer under both: the desktop shortcut, opening
//                           links, COM on Windows, the voice that reads aloud.
//
// Where a key goes: an application event filter (form1_keys.cpp) sees each key press and
// release at its first delivery, before the focused control does. Presses that type a
// character go through the number boxes' key-press handlers and the digit filter;
// releases go to FormKeyUp, which skips (N, Space) or shows the answer (Ctrl+Z), and then
// to the settings boxes' key-up handlers. Every handler runs under ui::guarded: an
// exception leaving it goes to the general error report and the window goes on.
//
// Files: form1.cpp the window's life (creation, show, the engine's view, announcements),
// form1_layout.cpp the controls and menu, form1_handlers.cpp the handlers,
// form1_keys.cpp key preview; controls.h the kinds of control; form1_texts.h the texts.

#include "engine/drill_display.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <set>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace sumbrook {
class Announcer;
class DrillEngine;
class PauseSource;
namespace shell {
class Desktop;
class LinkOpener;
class Speaker;
} // namespace shell
} // namespace sumbrook

class TForm2;

class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    // desktop may be null (no shortcut command then); pauses feed the engine's draws.
    TForm1(sumbrook::PauseSource& pauses, sumbrook::shell::Desktop* desktop,
           QWidget* parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    // What the About window's link opens with; without one A2Click shows nothing. The
    // About window is made on its first showing and then kept for the run (its position,
    // the link's visited colour); it copies the help text then.
    void setLinkOpener(sumbrook::shell::LinkOpener* opener) { m_opener = opener; }
    // The About window, once A2Click has made it; null before.
    TForm2* aboutWindow() const { return m_about.get(); }
    // The voice R1 reads aloud with; without one, the system's is made when R1 is first
    // switched on (never at start-up).
    void setSpeaker(std::unique_ptr<sumbrook::shell::Speaker> speaker);
    // The help text, with '\r' line breaks; the About window copies it.
    const QString& helpText() const { return m_helpText; }

    // The drill's four methods: the first three hand over to the engine.
    void creatrandnum(int order); // draw the three operands (ordered unless order is 0)
    void gett();                  // set the next problem, or say it is time to rest
    bool checkisgood();           // judge edt1's text; true when right
    int getysmodenum() const;     // the operation mode the four switches make (1 + 2 + 4 + 8)

    sumbrook::DrillEngine& engine() { return *m_engine; }

    // The controls (the glossary; their objectName is the same):
    QGroupBox* grp4 = nullptr;        // the header "请计算:第N题:" over the equation line
    QLabel* lbl6 = nullptr;           // the equation line, e.g. 12＋7＝
    QLineEdit* edt3 = nullptr;        // the answer box after the equation (mirrors edt1)
    QGroupBox* grp1 = nullptr;        // everything between the header and the button
    QGroupBox* grp9 = nullptr;        // "竖式": the written column sum
    QLabel* lbl5 = nullptr;           // the column's top row (three-number problems only)
    QLabel* lbl1 = nullptr;           // its middle row
    QLabel* lbl4 = nullptr;           // its bottom row
    QLabel* lbl8 = nullptr;           // the sign beside the middle row
    QLabel* lbl9 = nullptr;           // the sign beside the bottom row
    QFrame* pnl1 = nullptr;           // the rule under the column
    QLineEdit* edt1 = nullptr;        // the answer box under the column, focused at start
    QGroupBox* grp10 = nullptr;       // frames the score panel
    QLabel* lbl3 = nullptr;           // the score panel (and the rest message)
    QGroupBox* grp8 = nullptr;        // frames the feedback panel
    QLabel* lbl2 = nullptr;           // the feedback panel: praise, prompt, or the answer
    QPlainTextEdit* mmo1 = nullptr;   // the diagnostic log, shown by clicking grp6 19 times
    QGroupBox* grp3 = nullptr;        // the settings and the help
    QGroupBox* grp6 = nullptr;        // "取值范围": the two settings boxes
    QLabel* edt2Label = nullptr;      // edt2's caption "运算最大值"
    QLineEdit* edt2 = nullptr;        // the largest number drawn (MaxValue)
    QLabel* lbledt1Label = nullptr;   // lbledt1's caption "每次最多出"
    QLineEdit* lbledt1 = nullptr;     // problems before a rest (QuestionLimit)
    QGroupBox* grp7 = nullptr;        // "运算选择": the operation switches
    QCheckBox* chkadd = nullptr;      // addition
    QCheckBox* chkdel = nullptr;      // subtraction
    QCheckBox* chkche = nullptr;      // multiplication (shown, disabled)
    QCheckBox* chkdiv = nullptr;      // division (shown, disabled)
    QGroupBox* rg2 = nullptr;         // "参与运算个数": two or three numbers
    QRadioButton* rg2Two = nullptr;   // its item 0
    QRadioButton* rg2Three = nullptr; // its item 1
    QGroupBox* grp5 = nullptr;        // "帮助"
    QLabel* lbl7 = nullptr;           // the help text
    QGroupBox* grp2 = nullptr;        // frames the button
    QPushButton* btn1 = nullptr;      // "下一题(N)": judge, then the next problem
    QMenu* A1 = nullptr;              // the menu "系统(S)"
    QAction* L1 = nullptr;            // its command: a shortcut on the desktop
    QAction* R1 = nullptr;            // its command: read problems and verdicts aloud (checkable)
    QAction* A2 = nullptr;            // its command: the About window

    // grp6's Tag: its clicks, counted towards showing the log.
    int grp6Tag = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Building (form1_layout.cpp).
    void buildControls();
    void describeControls();
    void buildMenu();
    void setTabOrders();
    void rg2TabStop(); // the choice's selected item is its one tab stop
    void connectHandlers();
    template <class Sender, class Signal, class Slot>
    QMetaObject::Connection on(Sender* sender, Signal signal, Slot slot);

    // The window's own events (form1.cpp).
    void FormCreate();
    void FormShow();

    // Handlers (form1_handlers.cpp), named after the control and the event.
    void btn1Click(QObject* sender);                 // the Next action
    void edt1KeyPress(QLineEdit* sender, char& key); // both answer boxes
    void edt1Change();                               // mirror edt1 into edt3
    void edt3Change();                               // and back
    void edt2KeyPress(char& key);                    // the max box: filter; Enter sets a problem
    void edt2KeyUp();                                // the max box's value takes effect
    void lbledt1KeyPress(char& key);                 // the limit box: filter
    void lbledt1KeyUp();                             // the limit's value takes effect
    void chkaddClick();                              // all four operation switches
    void rg2Click();                                 // two or three numbers
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift); // N, Space, Ctrl+Z anywhere
    void grp6Click();                                      // counts towards showing the log
    void mmo1Exit();                                       // the log hides
    void L1Click();                                        // the desktop shortcut
    void A2Click();                                        // the About window
    void R1Click();                                        // read-aloud on or off (form1.cpp)
    void nextProblem();                                    // gett, focus edt1, clear it

    // Key preview (form1_keys.cpp).
    bool keyPressPreview(QWidget* target, QKeyEvent* event);
    bool keyReleasePreview(QWidget* target, QKeyEvent* event);
    bool inputMethodPreview(QLineEdit* box, QInputMethodEvent* event);
    bool grp6MousePreview(QEvent* event);
    void menuBarKeyPreview();
    void menuBarClickPreview();
    bool isNumberBox(const QWidget* widget) const;
    void numberBoxKeyPress(QWidget* box, char& key);

    // The engine's view of the controls (form1.cpp).
    QWidget* widgetFor(sumbrook::Element element) const;
    void focusControl(QWidget* control);
    void queueAnnouncement(sumbrook::Announcement kind, const QString& text);
    void scheduleAnnouncement();

    class Display;
    std::unique_ptr<Display> m_display;
    std::unique_ptr<sumbrook::DrillEngine> m_engine;
    sumbrook::shell::Desktop* m_desktop;
    sumbrook::shell::LinkOpener* m_opener = nullptr;
    std::unique_ptr<TForm2> m_about;
    QString m_helpText;
    bool m_shownOnce = false;
    bool m_activatedOnce = false;
    bool m_grp6Pressed = false;
    // The keys pressed in this window and not yet released (see form1_keys.cpp).
    std::set<qint64> m_keysDown;
    // The application's focus changes: let go of first when the window goes, since
    // destroying its controls moves the focus while the window is half gone.
    QMetaObject::Connection m_focusChanged;
    // The control that had the focus when the menu bar took it.
    QPointer<QWidget> m_focusBeforeMenu;
    // What the current action tells a listener, said once the action is done.
    sumbrook::Announcer* m_announcer = nullptr;
    std::map<sumbrook::Announcement, QString> m_pendingAnnouncements;
    bool m_announcementScheduled = false;
    // Read-aloud: the voice, whether it speaks, and whether this action's verdict has been
    // spoken already (what follows it then waits for it instead of cutting it short).
    bool readingAloud() const;
    std::unique_ptr<sumbrook::shell::Speaker> m_speaker;
    bool m_readAloud = false;
    bool m_verdictSpoken = false;
};
