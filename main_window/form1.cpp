#include "main_window/form1.h"

#include "main_window/controls.h"
#include "main_window/error_report.h"
#include "main_window/form1_texts.h"

#include "about/about_window.h"
#include "assets/assets.h"
#include "engine/drill_engine.h"
#include "engine/exceptions.h"
#include "engine/spoken_text.h"
#include "shell/speaker.h"
#include "widgets/announcer.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

#include <utility>

using namespace sumbrook;
using namespace sumbrook::controls;
namespace T = sumbrook::form1_texts;

// The engine writes into the controls through this view, naming them.
class TForm1::Display final : public DrillDisplay {
public:
    explicit Display(TForm1& form) : m_form(form) {}

    void setText(Element element, const std::string& text) override {
        QWidget* widget = m_form.widgetFor(element);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(forDisplay(text));
            // The verdict, the score and the waiting text must be on screen before the
            // next problem's pauses begin.
            if (label->isVisible() &&
                (element == Element::lbl2 || element == Element::lbl3 || element == Element::lbl6))
                label->repaint();
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            box->setTitle(forDisplay(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(QString::fromStdString(text));
        }
    }

    std::string text(Element element) const override {
        QWidget* widget = m_form.widgetFor(element);
        if (auto* label = qobject_cast<QLabel*>(widget))
            return fromDisplay(label->text());
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            return fromDisplay(box->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text().toStdString();
        return {};
    }

    void setVisible(Element element, bool visible) override {
        m_form.widgetFor(element)->setVisible(visible);
    }

    void setFocus(Element element) override { m_form.focusControl(m_form.widgetFor(element)); }

    void appendLog(const std::string& line) override {
        m_form.mmo1->appendPlainText(QString::fromStdString(line));
    }

    void announce(Announcement kind, const std::string& text) override {
        m_form.queueAnnouncement(
            kind, QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char(' ')));
    }

    int rg2ItemIndex() const override {
        if (m_form.rg2Three->isChecked())
            return 1;
        return m_form.rg2Two->isChecked() ? 0 : -1;
    }

private:
    TForm1& m_form;
};

TForm1::TForm1(PauseSource& pauses, shell::Desktop* desktop, QWidget* parent)
    : QMainWindow(parent), m_display(std::make_unique<Display>(*this)),
      m_engine(std::make_unique<DrillEngine>(*m_display, pauses)), m_desktop(desktop) {
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(u8(T::kCaption));
    setWindowIcon(assets::windowIcon());
    QFont font(installedFace(T::kDefaultFace));
    font.setPixelSize(T::kDefaultPixels);
    setFont(font);

    buildControls();
    describeControls();
    m_announcer = new Announcer(centralWidget());
    buildMenu();
    setTabOrders();
    connectHandlers();
    // Key preview: the window sees every key before the focused control does.
    qApp->installEventFilter(this);

    ui::guarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
    disconnect(m_focusChanged);
}

void TForm1::FormCreate() {
    edt1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_engine->start(edt2->text().toStdString());
    gett();
    m_helpText = u8(T::kHelpText);
    lbl7->setText(forDisplay(T::kHelpText));
    fitTextToLabel(lbl7);
}

void TForm1::FormShow() {
    focusControl(edt1);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window is a show the window system makes, not one of the
    // program's: the show handler does not run and the focus stays where it was.
    if (event->spontaneous())
        return;
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->geometry();
            const QRect frame = frameGeometry();
            move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
        }
    }
    ui::guarded([this] { FormShow(); });
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Keys held while another window takes the keyboard are released there.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        m_keysDown.clear();
    // The first problem is told once the window is there to be read: before that a
    // screen reader would speak it, then the window over it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activatedOnce) {
        m_activatedOnce = true;
        scheduleAnnouncement();
    }
}

void TForm1::queueAnnouncement(Announcement kind, const QString& text) {
    // Read aloud, the verdict is said the moment it is known, not after the next
    // problem's pauses; the rest of the action's texts follow it.
    if (kind == Announcement::Verdict && readingAloud()) {
        m_speaker->say(spokenText(text.toStdString()), shell::Speaker::Mode::Interrupt);
        m_verdictSpoken = true;
    } else {
        m_pendingAnnouncements[kind] = text; // a later problem replaces an earlier one
    }
    scheduleAnnouncement();
}

// Everything one action brings is said in one announcement, after the action: a reader
// interrupts itself for each announcement, so a second one would cut the first short.
// While read-aloud is on, the announcer steps aside: the same texts are spoken by the
// voice, and a screen reader would say each of them a second time.
void TForm1::scheduleAnnouncement() {
    if (m_announcementScheduled || !m_activatedOnce ||
        (m_pendingAnnouncements.empty() && !m_verdictSpoken))
        return;
    m_announcementScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_announcementScheduled = false;
            QStringList parts;
            for (const auto& [kind, text] : m_pendingAnnouncements)
                parts << text;
            m_pendingAnnouncements.clear();
            const bool afterVerdict = std::exchange(m_verdictSpoken, false);
            if (parts.isEmpty())
                return;
            const QString text = parts.join(QLatin1Char(' '));
            if (readingAloud())
                m_speaker->say(spokenText(text.toStdString()),
                               afterVerdict ? shell::Speaker::Mode::After
                                            : shell::Speaker::Mode::Interrupt);
            else
                m_announcer->announce(text);
        },
        Qt::QueuedConnection);
}

void TForm1::setSpeaker(std::unique_ptr<shell::Speaker> speaker) {
    if (m_speaker)
        m_speaker->close();
    m_speaker = std::move(speaker);
    m_readAloud = false;
    R1->setChecked(false);
}

bool TForm1::readingAloud() const {
    return m_readAloud && m_speaker != nullptr;
}

// On: connect to the system's voice and say so at once; where there is no Mandarin voice
// the command stays on and a parent is told what to install, and the screen reader path
// goes on as before. Off: silence at once.
void TForm1::R1Click() {
    m_readAloud = false;
    m_verdictSpoken = false;
    if (!R1->isChecked()) {
        if (m_speaker)
            m_speaker->close();
        return;
    }
    if (!m_speaker)
        m_speaker = shell::makeSystemSpeaker();
    const shell::Speaker::Voice voice = m_speaker->open();
    if (voice == shell::Speaker::Voice::Mandarin) {
        m_readAloud = true;
        m_speaker->say(T::kReadAloudOn, shell::Speaker::Mode::Interrupt);
        return;
    }
    const std::string hint = m_speaker->installHint();
    m_speaker->close();
    ui::reporter().showMessage(forDisplay(
        std::string(voice == shell::Speaker::Voice::Missing ? T::kNoMandarinVoice : T::kNoSpeech) +
        "\r" + hint));
}

void TForm1::creatrandnum(int order) {
    m_engine->creatrandnum(order);
}

void TForm1::gett() {
    m_engine->gett();
}

bool TForm1::checkisgood() {
    return m_engine->checkisgood();
}

int TForm1::getysmodenum() const {
    return OperationModeFromSwitches(chkadd->isChecked(), chkdel->isChecked(), chkche->isChecked(),
                                     chkdiv->isChecked());
}

QWidget* TForm1::widgetFor(Element element) const {
    switch (element) {
    case Element::lbl6:
        return lbl6;
    case Element::grp4:
        return grp4;
    case Element::lbl5:
        return lbl5;
    case Element::lbl1:
        return lbl1;
    case Element::lbl4:
        return lbl4;
    case Element::lbl8:
        return lbl8;
    case Element::lbl9:
        return lbl9;
    case Element::lbl2:
        return lbl2;
    case Element::lbl3:
        return lbl3;
    case Element::edt1:
        return edt1;
    case Element::edt3:
        return edt3;
    case Element::btn1:
        return btn1;
    }
    return nullptr;
}

// Focusing a control that cannot take the focus is an error: the handler ends there and
// the error is reported.
void TForm1::focusControl(QWidget* control) {
    if (!control->isVisible() || !control->isEnabled())
        throw EInvalidOperation(T::kCannotFocus);
    control->setFocus(Qt::OtherFocusReason);
}
