// The main window's controls, menu, tab order and handler wiring.

#include "main_window/form1.h"

#include "main_window/controls.h"
#include "main_window/error_report.h"
#include "main_window/form1_texts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <iterator>
#include <type_traits>

using namespace sumbrook;
using namespace sumbrook::controls;
namespace T = sumbrook::form1_texts;

namespace {

// The client area below the menu bar; a resize by the user snaps back to it.
constexpr QSize kClientSize{681, 513};

} // namespace

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    client->setAutoFillBackground(true);
    QPalette face = client->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    client->setPalette(face);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // clang-format off
    //      kind               parent  name       left top  width height   font, colour, text
    grp4     = groupBox(       client, "grp4",     {0,   0,   681, 70},   T::kGrp4);
    lbl6     = label(          grp4,   "lbl6",     {5,   16,  501, 52},   yaHei(48), Qt::AlignRight);
    edt3     = answerBox(      grp4,   "edt3",     {506, 12,  169, 54},   yaHei(48));
    grp1     = groupBox(       client, "grp1",     {0,   67,  681, 374});
    grp9     = groupBox(       grp1,   "grp9",     {5,   8,   400, 273},  T::kGrp9);
    lbl5     = columnRow(      grp9,   "lbl5",     {166, 11,  107, 57},   T::kColumnDesign);
    lbl1     = columnRow(      grp9,   "lbl1",     {166, 67,  107, 57},   T::kColumnDesign);
    lbl4     = columnRow(      grp9,   "lbl4",     {166, 123, 107, 57},   T::kColumnDesign);
    lbl8     = columnRow(      grp9,   "lbl8",     {130, 67,  55,  57},   T::kSignDesign);
    lbl9     = columnRow(      grp9,   "lbl9",     {130, 123, 55,  57},   T::kSignDesign);
    pnl1     = rule(           grp9,   "pnl1",     {16,  184, 365, 4});
    edt1     = answerBox(      grp9,   "edt1",     {88,  191, 233, 71},   yaHei(56));
    grp10    = groupBox(       grp1,   "grp10",    {5,   280, 400, 89});
    lbl3     = label(          grp10,  "lbl3",     {8,   10,  377, 75},   yaHei(32), Qt::AlignLeft, kMaroon);
    grp8     = groupBox(       grp1,   "grp8",     {408, 7,   271, 189});
    lbl2     = label(          grp8,   "lbl2",     {4,   7,   265, 177},  yaHei(56), Qt::AlignLeft, kRed, T::kFeedbackStart);
    mmo1     = logBox(         grp1,   "mmo1",     {448, 16,  217, 137},  T::kLogStart);
    grp3     = groupBox(       grp1,   "grp3",     {408, 192, 271, 177});
    grp6     = groupBox(       grp3,   "grp6",     {3,   9,   150, 72},   T::kGrp6);
    edt2     = settingBox(     grp6,   "edt2",     {82,  16,  55,  21},   T::kEdt2Label, T::kEdt2Start, &edt2Label);
    lbledt1  = settingBox(     grp6,   "lbledt1",  {82,  40,  55,  21},   T::kLbledt1Label, T::kLbledt1Start, &lbledt1Label);
    grp7     = groupBox(       grp3,   "grp7",     {160, 8,   108, 73},   T::kGrp7);
    chkadd   = operationSwitch(grp7,   "chkadd",   {4,   22,  49,  17},   T::kAdd, Switch::On);
    chkdel   = operationSwitch(grp7,   "chkdel",   {55,  22,  49,  17},   T::kSubtract, Switch::On);
    chkche   = operationSwitch(grp7,   "chkche",   {4,   49,  49,  17},   T::kMultiply, Switch::Disabled);
    chkdiv   = operationSwitch(grp7,   "chkdiv",   {55,  49,  49,  17},   T::kDivide, Switch::Disabled);
    rg2      = groupBox(       grp3,   "rg2",      {3,   80,  126, 89},   T::kRg2);
    rg2Two   = choice(         rg2,    "rg2Two",   {8,   24,  114, 20},   T::kTwoNumbers, false);
    rg2Three = choice(         rg2,    "rg2Three", {8,   54,  114, 20},   T::kThreeNumbers, true);
    grp5     = groupBox(       grp3,   "grp5",     {131, 80,  137, 89},   T::kGrp5);
    lbl7     = label(          grp5,   "lbl7",     {8,   16,  121, 65},   font(), Qt::AlignLeft, {}, T::kLbl7Design);
    grp2     = groupBox(       client, "grp2",     {0,   440, 681, 73});
    btn1     = pushButton(     grp2,   "btn1",     {6,   11,  669, 57},   yaHei(35), T::kBtn1);
    // clang-format on

    // Alt+N is handled by key preview, so that the press is judged before the release
    // of N sets a new problem; the button's own mnemonic would click too late.
    btn1->setShortcut(QKeySequence());
    btn1->setAutoDefault(true);
}

// What a screen reader says of each control a child or parent reaches with Tab.
void TForm1::describeControls() {
    // clang-format off
    describe(edt1,     T::kAnswerBoxName, T::kAnswerBoxDescription);
    describe(edt3,     T::kAnswerBoxName, T::kAnswerBoxDescription);
    describe(edt2,     nullptr,           T::kEdt2Description);
    describe(lbledt1,  nullptr,           T::kLbledt1Description);
    describe(chkadd,   nullptr,           T::kAddDescription);
    describe(chkdel,   nullptr,           T::kSubtractDescription);
    describe(rg2Two,   nullptr,           T::kTwoNumbersDescription);
    describe(rg2Three, nullptr,           T::kThreeNumbersDescription);
    describe(btn1,     T::kBtn1Name,      T::kBtn1Description);
    describe(mmo1,     T::kLogName,       T::kLogDescription);
    // clang-format on
}

void TForm1::buildMenu() {
    A1 = menuBar()->addMenu(u8(T::kMenuSystem));
    A1->setObjectName(QStringLiteral("A1"));
    L1 = A1->addAction(u8(T::kMenuShortcut));
    L1->setObjectName(QStringLiteral("L1"));
    A2 = A1->addAction(u8(T::kMenuAbout));
    A2->setObjectName(QStringLiteral("A2"));
}

void TForm1::setTabOrders() {
    QWidget* const order[] = {rg2Two, rg2Three, edt2, lbledt1, chkadd, chkche,
                              chkdiv, chkdel,   mmo1, edt1,    btn1,   edt3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    rg2TabStop();
}

// The choice is one stop in the tab order, entered at its selected item: the other item
// takes the focus only by a click or an arrow key.
void TForm1::rg2TabStop() {
    for (QRadioButton* item : {rg2Two, rg2Three})
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

// Connects a signal to a handler that runs under ui::guarded; the handler takes the
// signal's arguments or none. (Qt also tries the forwarder with fewer arguments to count
// them; such a call takes neither branch.)
template <class Sender, class Signal, class Slot>
QMetaObject::Connection TForm1::on(Sender* sender, Signal signal, Slot slot) {
    // The return type is given so that Qt can count the arguments without instantiating
    // the body for counts the handler does not take.
    return connect(sender, signal, this, [slot](auto... arguments) -> void {
        ui::guarded([&] {
            if constexpr (std::is_invocable_v<const Slot&, decltype(arguments)...>)
                slot(arguments...);
            else if constexpr (std::is_invocable_v<const Slot&>)
                slot();
        });
    });
}

void TForm1::connectHandlers() {
    on(edt1, &QLineEdit::textChanged, [this] { edt1Change(); });
    on(edt3, &QLineEdit::textChanged, [this] { edt3Change(); });
    for (QCheckBox* box : {chkadd, chkdel, chkche, chkdiv})
        on(box, &QCheckBox::toggled, [this] { chkaddClick(); });
    for (QRadioButton* item : {rg2Two, rg2Three})
        on(item, &QRadioButton::toggled, [this](bool selected) {
            rg2TabStop();
            if (selected)
                rg2Click();
        });
    on(btn1, &QPushButton::clicked, [this] { btn1Click(btn1); });
    on(L1, &QAction::triggered, [this] { L1Click(); });
    on(A2, &QAction::triggered, [this] { A2Click(); });
    // The log is left only when the focus goes to another control of this window; a
    // context menu or a switch to another application keeps it shown. The menu bar taking
    // the focus (Alt alone) is no such control: the control left is the one before it.
    m_focusChanged = on(qApp, &QApplication::focusChanged, [this](QWidget* old, QWidget* now) {
        if (now != nullptr && now == menuBar()) {
            m_focusBeforeMenu = old;
            return;
        }
        if (old != nullptr && old == menuBar())
            old = m_focusBeforeMenu;
        if (old == mmo1 && now != mmo1 && now != nullptr && now->window() == this)
            mmo1Exit();
    });
}
