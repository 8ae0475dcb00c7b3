#pragma once
// TForm1, the working window.
//
// Architecture: the window owns its controls and a DrillEngine (engine/), which knows
// nothing of Qt and writes its results back through the DrillDisplay interface that this
// class implements, addressing the controls by name. Key preview is an application event
// filter: every key press and release in the window reaches FormKeyUp and the per-box
// key-press handlers before the focused control sees it. Every handler runs under
// ui::guarded, so an exception leaving it goes to the general error report and the
// window goes on working. The published methods creatrandnum, gett, checkisgood and
// getysmodenum delegate to the engine.

#include "engine/drill_display.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QCheckBox;
class QInputMethodEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace sumbrook {
class Announcer;
class DrillEngine;
class PauseSource;
namespace shell {
class Desktop;
}
} // namespace sumbrook

class TForm2;

class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    // desktop may be null until the shortcut command is wired; pauses feed the engine.
    TForm1(sumbrook::PauseSource& pauses, sumbrook::shell::Desktop* desktop,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // The About window that A2Click shows.
    void setAboutWindow(TForm2* about) { m_about = about; }
    const QString& helpText() const { return m_helpText; }

    void creatrandnum(int order);
    void gett();
    bool checkisgood();
    int getysmodenum() const;

    sumbrook::DrillEngine& engine() { return *m_engine; }

    // Controls, named as in the window's description.
    QGroupBox* grp4 = nullptr;
    QLabel* lbl6 = nullptr;
    QLineEdit* edt3 = nullptr;
    QGroupBox* grp1 = nullptr;
    QGroupBox* grp9 = nullptr;
    QLabel* lbl5 = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl4 = nullptr;
    QLabel* lbl8 = nullptr;
    QLabel* lbl9 = nullptr;
    QFrame* pnl1 = nullptr;
    QLineEdit* edt1 = nullptr;
    QGroupBox* grp10 = nullptr;
    QLabel* lbl3 = nullptr;
    QGroupBox* grp8 = nullptr;
    QLabel* lbl2 = nullptr;
    QPlainTextEdit* mmo1 = nullptr;
    QGroupBox* grp3 = nullptr;
    QGroupBox* grp6 = nullptr;
    QLabel* edt2Label = nullptr;
    QLineEdit* edt2 = nullptr;
    QLabel* lbledt1Label = nullptr;
    QLineEdit* lbledt1 = nullptr;
    QGroupBox* grp7 = nullptr;
    QCheckBox* chkadd = nullptr;
    QCheckBox* chkdel = nullptr;
    QCheckBox* chkche = nullptr;
    QCheckBox* chkdiv = nullptr;
    QGroupBox* rg2 = nullptr;
    QRadioButton* rg2Two = nullptr;
    QRadioButton* rg2Three = nullptr;
    QGroupBox* grp5 = nullptr;
    QLabel* lbl7 = nullptr;
    QGroupBox* grp2 = nullptr;
    QPushButton* btn1 = nullptr;
    QMenu* A1 = nullptr;
    QAction* L1 = nullptr;
    QAction* A2 = nullptr;

    // grp6's Tag: clicks counted towards revealing the log.
    int grp6Tag = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void setTabOrders();
    void FormCreate();
    void FormShow();

    // Handlers.
    void btn1Click(QObject* sender);
    void edt1KeyPress(QLineEdit* sender, char& key);
    void edt1Change();
    void edt3Change();
    void edt2KeyPress(char& key);
    void edt2KeyUp();
    void lbledt1KeyPress(char& key);
    void lbledt1KeyUp();
    void chkaddClick();
    void rg2Click();
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift);
    void grp6Click();
    void mmo1Exit();
    void L1Click();
    void A2Click();

    // Key preview: the handlers above, called in the order the window promises.
    bool keyPressPreview(QWidget* target, QKeyEvent* event);
    bool keyReleasePreview(QWidget* target, QKeyEvent* event);
    bool grp6MousePreview(QEvent* event);
    bool inputMethodPreview(QLineEdit* box, QInputMethodEvent* event);
    bool isNumberBox(const QWidget* widget) const;
    void numberBoxKeyPress(QWidget* box, char& key);
    void nextProblem();

    QWidget* widgetFor(sumbrook::Element element) const;
    void queueAnnouncement(sumbrook::Announcement kind, const QString& text);
    void scheduleAnnouncement();
    void focusControl(QWidget* control);

    // The engine's view of the controls (DrillDisplay).
    class Display;
    std::unique_ptr<Display> m_display;
    std::unique_ptr<sumbrook::DrillEngine> m_engine;
    sumbrook::shell::Desktop* m_desktop;
    TForm2* m_about = nullptr;
    QString m_helpText;
    bool m_shownOnce = false;
    bool m_activatedOnce = false;
    // What the current action tells a listener, said once the action is done.
    sumbrook::Announcer* m_announcer = nullptr;
    std::map<sumbrook::Announcement, QString> m_pendingAnnouncements;
    bool m_announcementScheduled = false;
    bool m_grp6Pressed = false;
};
