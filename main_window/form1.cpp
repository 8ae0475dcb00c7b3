#include "form1.h"

#include "error_report.h"
#include "form1_texts.h"
#include "key_codes.h"
#include "numeric_filter.h"

#include "about/about_window.h"
#include "assets/assets.h"
#include "engine/drill_engine.h"
#include "engine/exceptions.h"
#include "engine/text_to_integer.h"
#include "shell/shortcut.h"
#include "widgets/announcer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

using namespace sumbrook;
namespace T = sumbrook::form1_texts;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// The program's texts break lines with '\r'; a label draws a lone '\r' as a blank.
QString forDisplay(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

std::string fromDisplay(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')).toStdString();
}

QFont yaHei(int pixelSize) {
    QFont font(u8(T::kYaHei));
    font.setPixelSize(pixelSize);
    return font;
}

template <class Widget>
Widget* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel* columnLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                    const char* designText) {
    auto* label = place<QLabel>(parent, name, left, top, width, height);
    label->setFont(yaHei(48));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setText(u8(designText));
    return label;
}

// An answer box: keeps its selection drawn when it loses the focus and does not select
// everything when tabbed into.
class AnswerEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent*) override {
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
    }
    void focusOutEvent(QFocusEvent*) override {
        QFocusEvent keep(QEvent::FocusOut, Qt::PopupFocusReason);
        QLineEdit::focusOutEvent(&keep);
    }
};

QLineEdit* answerEdit(QWidget* parent, const char* name, int left, int top, int width, int height,
                      int pixelSize) {
    QLineEdit* edit = place<AnswerEdit>(parent, name, left, top, width, height);
    edit->setFont(yaHei(pixelSize));
    edit->setFrame(false);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false); // only typed digits enter a number box
    edit->setAccessibleName(u8(T::kAnswerBoxName));
    edit->setAccessibleDescription(u8(T::kAnswerBoxDescription));
    return edit;
}

// A labelled box: the caption sits left of the box, 2 pixels away, centred vertically.
QLineEdit* labelledEdit(QWidget* parent, const char* name, int left, int top, int width, int height,
                        const char* caption, const char* text, QLabel** label) {
    auto* edit = place<QLineEdit>(parent, name, left, top, width, height);
    edit->setText(u8(text));
    edit->setAcceptDrops(false); // only typed digits enter a number box
    edit->setAccessibleName(u8(caption).trimmed());
    *label = new QLabel(u8(caption), parent);
    (*label)->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
    (*label)->adjustSize();
    const QSize size = (*label)->sizeHint();
    (*label)->setGeometry(left - 2 - size.width(), top + (height - size.height()) / 2, size.width(),
                          size.height());
    (*label)->setBuddy(edit);
    return edit;
}

void installFontSubstitutes() {
    // Where these faces are missing, a CJK face draws every text the window shows.
    const QStringList cjk = {QStringLiteral("WenQuanYi Micro Hei")};
    for (const char* face : {T::kYaHei, T::kDefaultFace, "Tahoma"})
        if (QFont::substitutes(u8(face)).isEmpty())
            QFont::insertSubstitutions(u8(face), cjk);
}

// The help box is small for its text: the lines are drawn whole, in the largest size up
// to the box's own font at which all of them fit.
void fitTextToLabel(QLabel* label) {
    QFont font = label->font();
    const QRect box = label->contentsRect();
    for (int pixels = font.pixelSize(); pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed =
            QFontMetrics(font).boundingRect(box, int(label->alignment()), label->text());
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    label->setFont(font);
}

bool isTextEntry(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

} // namespace

// The engine writes into the controls through this view.
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
    setWindowIcon(assets::programIcon());
    QFont font(u8(T::kDefaultFace));
    font.setPixelSize(11);
    setFont(font);

    buildControls();
    m_announcer = new Announcer(centralWidget());
    buildMenu();
    setTabOrders();
    // Key preview: the window sees every key before the focused control does.
    qApp->installEventFilter(this);

    ui::guarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(681, 513);
    client->setAutoFillBackground(true);
    QPalette face = client->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    client->setPalette(face);
    setCentralWidget(client);
    // The client area keeps its size: a resize snaps back.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    //                               parent  name     left top  width height
    grp4 = place<QGroupBox>(client, "grp4", 0, 0, 681, 70);
    lbl6 = place<QLabel>(grp4, "lbl6", 5, 16, 501, 52);
    edt3 = answerEdit(grp4, "edt3", 506, 12, 169, 54, 48);
    grp1 = place<QGroupBox>(client, "grp1", 0, 67, 681, 374);
    grp9 = place<QGroupBox>(grp1, "grp9", 5, 8, 400, 273);
    lbl5 = columnLabel(grp9, "lbl5", 166, 11, 107, 57, T::kColumnDesign);
    lbl1 = columnLabel(grp9, "lbl1", 166, 67, 107, 57, T::kColumnDesign);
    lbl4 = columnLabel(grp9, "lbl4", 166, 123, 107, 57, T::kColumnDesign);
    lbl8 = columnLabel(grp9, "lbl8", 130, 67, 55, 57, T::kSignDesign);
    lbl9 = columnLabel(grp9, "lbl9", 130, 123, 55, 57, T::kSignDesign);
    pnl1 = place<QFrame>(grp9, "pnl1", 16, 184, 365, 4);
    edt1 = answerEdit(grp9, "edt1", 88, 191, 233, 71, 56);
    grp10 = place<QGroupBox>(grp1, "grp10", 5, 280, 400, 89);
    lbl3 = place<QLabel>(grp10, "lbl3", 8, 10, 377, 75);
    grp8 = place<QGroupBox>(grp1, "grp8", 408, 7, 271, 189);
    lbl2 = place<QLabel>(grp8, "lbl2", 4, 7, 265, 177);
    mmo1 = place<QPlainTextEdit>(grp1, "mmo1", 448, 16, 217, 137);
    grp3 = place<QGroupBox>(grp1, "grp3", 408, 192, 271, 177);
    grp6 = place<QGroupBox>(grp3, "grp6", 3, 9, 150, 72);
    edt2 = labelledEdit(grp6, "edt2", 82, 16, 55, 21, T::kEdt2Label, T::kEdt2Start, &edt2Label);
    lbledt1 = labelledEdit(grp6, "lbledt1", 82, 40, 55, 21, T::kLbledt1Label, T::kLbledt1Start,
                           &lbledt1Label);
    grp7 = place<QGroupBox>(grp3, "grp7", 160, 8, 108, 73);
    chkadd = place<QCheckBox>(grp7, "chkadd", 4, 22, 49, 17);
    chkdel = place<QCheckBox>(grp7, "chkdel", 55, 22, 49, 17);
    chkche = place<QCheckBox>(grp7, "chkche", 4, 49, 49, 17);
    chkdiv = place<QCheckBox>(grp7, "chkdiv", 55, 49, 49, 17);
    rg2 = place<QGroupBox>(grp3, "rg2", 3, 80, 126, 89);
    rg2Two = place<QRadioButton>(rg2, "rg2Two", 8, 24, 114, 20);
    rg2Three = place<QRadioButton>(rg2, "rg2Three", 8, 54, 114, 20);
    grp5 = place<QGroupBox>(grp3, "grp5", 131, 80, 137, 89);
    lbl7 = place<QLabel>(grp5, "lbl7", 8, 16, 121, 65);
    grp2 = place<QGroupBox>(client, "grp2", 0, 440, 681, 73);
    btn1 = place<QPushButton>(grp2, "btn1", 6, 11, 669, 57);

    grp4->setTitle(u8(T::kGrp4));
    lbl6->setFont(yaHei(48));
    lbl6->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl6->setTextFormat(Qt::PlainText);
    setTextColor(lbl6, palette().color(QPalette::WindowText));
    grp9->setTitle(u8(T::kGrp9));
    pnl1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    edt1->setAlignment(Qt::AlignLeft); // FormCreate right-aligns it
    lbl3->setFont(yaHei(32));
    lbl3->setTextFormat(Qt::PlainText);
    lbl3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(lbl3, QColor(128, 0, 0));
    lbl2->setFont(yaHei(56));
    lbl2->setTextFormat(Qt::PlainText);
    lbl2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl2->setText(u8(T::kFeedbackStart));
    setTextColor(lbl2, QColor(255, 0, 0));
    mmo1->setPlainText(u8(T::kLogStart));
    mmo1->setAccessibleName(u8(T::kLogName));
    mmo1->hide();
    mmo1->raise(); // the log lies over the feedback panel
    grp6->setTitle(u8(T::kGrp6));
    grp7->setTitle(u8(T::kGrp7));
    chkadd->setText(u8(T::kAdd));
    chkdel->setText(u8(T::kSubtract));
    chkche->setText(u8(T::kMultiply));
    chkdiv->setText(u8(T::kDivide));
    chkadd->setChecked(true);
    chkdel->setChecked(true);
    chkche->setEnabled(false);
    chkdiv->setEnabled(false);
    rg2->setTitle(u8(T::kRg2));
    rg2Two->setText(u8(T::kTwoNumbers));
    rg2Three->setText(u8(T::kThreeNumbers));
    rg2Three->setChecked(true);
    grp5->setTitle(u8(T::kGrp5));
    lbl7->setTextFormat(Qt::PlainText);
    lbl7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl7->setText(u8(T::kLbl7Design));
    btn1->setFont(yaHei(35));
    btn1->setText(u8(T::kBtn1));
    for (const auto& [control, name, description] :
         {std::tuple<QWidget*, const char*, const char*>{edt2, nullptr, T::kEdt2Description},
          {lbledt1, nullptr, T::kLbledt1Description},
          {chkadd, nullptr, T::kAddDescription},
          {chkdel, nullptr, T::kSubtractDescription},
          {rg2Two, nullptr, T::kTwoNumbersDescription},
          {rg2Three, nullptr, T::kThreeNumbersDescription},
          {btn1, T::kBtn1Name, T::kBtn1Description}}) {
        if (name)
            control->setAccessibleName(u8(name));
        control->setAccessibleDescription(u8(description));
    }
    // Alt+N is handled by key preview, so that the press is judged before the release
    // of N sets a new problem; the button's own mnemonic would click too late.
    btn1->setShortcut(QKeySequence());
    btn1->setAutoDefault(true);

    connect(edt1, &QLineEdit::textChanged, this, [this] { ui::guarded([this] { edt1Change(); }); });
    connect(edt3, &QLineEdit::textChanged, this, [this] { ui::guarded([this] { edt3Change(); }); });
    for (QCheckBox* box : {chkadd, chkdel, chkche, chkdiv})
        connect(box, &QCheckBox::toggled, this, [this] { ui::guarded([this] { chkaddClick(); }); });
    for (QRadioButton* item : {rg2Two, rg2Three})
        connect(item, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ui::guarded([this] { rg2Click(); });
        });
    connect(btn1, &QPushButton::clicked, this,
            [this] { ui::guarded([this] { btn1Click(btn1); }); });
    // The log is left only when the focus goes to another control of this window; a
    // context menu or a switch to another application keeps it shown.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old == mmo1 && now && now->window() == this)
            ui::guarded([this] { mmo1Exit(); });
    });
}

void TForm1::buildMenu() {
    A1 = menuBar()->addMenu(u8(T::kMenuSystem));
    A1->setObjectName(QStringLiteral("A1"));
    L1 = A1->addAction(u8(T::kMenuShortcut));
    L1->setObjectName(QStringLiteral("L1"));
    A2 = A1->addAction(u8(T::kMenuAbout));
    A2->setObjectName(QStringLiteral("A2"));
    connect(L1, &QAction::triggered, this, [this] { ui::guarded([this] { L1Click(); }); });
    connect(A2, &QAction::triggered, this, [this] { ui::guarded([this] { A2Click(); }); });
}

void TForm1::setTabOrders() {
    QWidget* const order[] = {rg2Two, rg2Three, edt2, lbledt1, chkadd, chkche,
                              chkdiv, chkdel,   mmo1, edt1,    btn1,   edt3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
    // Restoring a minimised window is a show the window system makes: not a show of the
    // program's, so the show handler does not run and the focus stays where it was.
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
    // The first problem is told once the window is there to be read: before that a
    // screen reader would speak it, then the window over it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activatedOnce) {
        m_activatedOnce = true;
        scheduleAnnouncement();
    }
}

void TForm1::queueAnnouncement(Announcement kind, const QString& text) {
    m_pendingAnnouncements[kind] = text; // a later problem replaces an earlier one
    scheduleAnnouncement();
}

// Everything one action brings is said in one announcement, after the action: a reader
// interrupts itself for each announcement, so a second one would cut the first short.
void TForm1::scheduleAnnouncement() {
    if (m_announcementScheduled || !m_activatedOnce || m_pendingAnnouncements.empty())
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
            m_announcer->announce(parts.join(QLatin1Char(' ')));
        },
        Qt::QueuedConnection);
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

void TForm1::focusControl(QWidget* control) {
    if (!control->isVisible() || !control->isEnabled())
        throw EInvalidOperation(T::kCannotFocus);
    control->setFocus(Qt::OtherFocusReason);
}

void TForm1::nextProblem() {
    gett();
    focusControl(edt1);
    edt1->clear();
}

// ---- Handlers ----

void TForm1::btn1Click(QObject* sender) {
    Element from = Element::btn1;
    if (sender == edt1)
        from = Element::edt1;
    else if (sender == edt3)
        from = Element::edt3;
    m_engine->submit(from);
}

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

void TForm1::FormKeyUp(int& key, Qt::KeyboardModifiers shift) {
    const char c = virtualKeyCharacter(key);
    if (c == 'Z' && (shift & Qt::ControlModifier)) {
        key = 0;
        m_engine->showAnswer();
    } else if (c == 'N' || (key & 0xFF) == 32) {
        key = 0;
        nextProblem();
    }
}

void TForm1::grp6Click() {
    if (++grp6Tag == 19) {
        grp6Tag = 0;
        mmo1->show();
    }
}

void TForm1::mmo1Exit() {
    mmo1->hide();
}

void TForm1::L1Click() {
    if (!m_desktop)
        return;
    shell::CreateProgramShortcut(*m_desktop);
    ui::reporter().showMessage(u8(T::kShortcutDone));
}

void TForm1::A2Click() {
    if (m_about)
        m_about->showAbout();
}

// ---- Key preview and mouse routing ----

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* target = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        // Only the first delivery, to the focused control, not its propagation upwards.
        if (!target || target->window() != this || target != (focus ? focus : this))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        bool consumed = true; // a handler that fails swallows its key
        ui::guarded([&] {
            consumed = type == QEvent::KeyPress ? keyPressPreview(target, key)
                                                : keyReleasePreview(target, key);
        });
        return consumed;
    }
    if (watched == grp6)
        return grp6MousePreview(event);
    if ((watched == edt2Label || watched == lbledt1Label) &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick)) {
        return true; // the boxes' captions are not part of the value-range box's free area
    }
    if (type == QEvent::InputMethod && isNumberBox(qobject_cast<QWidget*>(watched)))
        return inputMethodPreview(static_cast<QLineEdit*>(watched),
                                  static_cast<QInputMethodEvent*>(event));
    return false;
}

bool TForm1::keyPressPreview(QWidget* target, QKeyEvent* event) {
    const auto mods = event->modifiers();
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    // The button's accelerator: Alt+N anywhere, or plain N where nothing takes typing.
    if (event->key() == Qt::Key_N && !ctrl && (alt || !isTextEntry(target))) {
        if (btn1->isEnabled())
            btn1Click(btn1);
        return true;
    }
    if (alt)
        return isNumberBox(target); // system keys: they type nothing into a box
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        // Space never acts on a button, check box or radio button: its release skips
        // the problem instead, and the control is not left drawn pressed.
        if (event->key() == Qt::Key_Space)
            return true;
        if (button == btn1 && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            btn1Click(btn1);
            return true;
        }
        return false;
    }

    char key = kNoKey;
    if (!isNumberBox(target) || !keyCharacter(*event, key))
        return false;
    numberBoxKeyPress(target, key);
    return key == kNoKey || key == kEnter;
}

bool TForm1::isNumberBox(const QWidget* widget) const {
    return widget == edt1 || widget == edt3 || widget == edt2 || widget == lbledt1;
}

void TForm1::numberBoxKeyPress(QWidget* box, char& key) {
    if (box == edt1 || box == edt3)
        edt1KeyPress(static_cast<QLineEdit*>(box), key);
    else if (box == edt2)
        edt2KeyPress(key);
    else if (box == lbledt1)
        lbledt1KeyPress(key);
}

// An input method's text reaches a number box one character at a time through the box's
// key-press handler, so it meets the digit filter as typed keys do.
bool TForm1::inputMethodPreview(QLineEdit* box, QInputMethodEvent* event) {
    const QString committed = event->commitString();
    if (committed.isEmpty())
        return false; // composing: the box shows the pre-edit text as usual
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    composing.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(box, &composing);
    ui::guarded([&] {
        for (const QChar c : committed) {
            char key = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : kWideCharacter;
            numberBoxKeyPress(box, key);
            if (key != kNoKey && key != kEnter)
                box->insert(QString(c));
        }
        // A commit ends the typing, as a key release does: the setting follows the text.
        if (box == edt2)
            edt2KeyUp();
        else if (box == lbledt1)
            lbledt1KeyUp();
    });
    return true;
}

bool TForm1::keyReleasePreview(QWidget* target, QKeyEvent* event) {
    if (event->isAutoRepeat())
        return false; // a held key is released once, at the end
    const int code = virtualKeyCode(event->key(), event->modifiers());
    int key = code;
    FormKeyUp(key, event->modifiers());
    if (code != 0 && key == 0)
        return true;
    if (target == edt2)
        edt2KeyUp();
    else if (target == lbledt1)
        lbledt1KeyUp();
    return false;
}

bool TForm1::grp6MousePreview(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_grp6Pressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonDblClick:
        m_grp6Pressed = false; // the second click of a double click is not counted
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_grp6Pressed && mouse->button() == Qt::LeftButton &&
            grp6->rect().contains(mouse->position().toPoint()))
            ui::guarded([this] { grp6Click(); });
        m_grp6Pressed = false;
        break;
    }
    default:
        break;
    }
    return false;
}
