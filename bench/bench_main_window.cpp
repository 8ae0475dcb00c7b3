// The main window's own costs with the engine's pauses taken out: setting one problem,
// and the time from an Enter key event to the verdict painted in the feedback panel.
#include "app/application.h"
#include "bench/no_pause.h"
#include "engine/drill_engine.h"
#include "main_window/form1.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using sumbrook::bench::NoPause;

struct Window {
    Window() : form(pauses, nullptr) {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowExposed(&form) || !QTest::qWaitForWindowActive(&form))
            qFatal("the main window did not come up");
    }
    NoPause pauses;
    TForm1 form;
};

Window* g_window = nullptr;

void SetOneProblemInWindow(benchmark::State& state) {
    TForm1& form = g_window->form;
    for ([[maybe_unused]] auto _ : state)
        form.gett();
}
BENCHMARK(SetOneProblemInWindow)->Unit(benchmark::kMicrosecond);

// Paints of the feedback panel, stamped.
class PaintClock final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            nanoseconds = timer.nsecsElapsed();
        }
        return false;
    }
    QElapsedTimer timer;
    bool painted = false;
    qint64 nanoseconds = 0;
};

void EnterToVerdict(benchmark::State& state) {
    const bool right = state.range(0) == 1;
    TForm1& form = g_window->form;
    PaintClock clock;
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        state.SkipWithError("the main window is not active");
    form.lbl2->installEventFilter(&clock);
    for ([[maybe_unused]] auto _ : state) {
        form.edt1->setFocus();
        const int answer = form.engine().state().CorrectAnswer;
        form.edt1->setText(QString::number(right ? answer : answer + 1));
        QCoreApplication::processEvents();
        clock.painted = false;
        clock.timer.start();
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
        if (!clock.painted)
            state.SkipWithError("the verdict was not painted");
        state.SetIterationTime(static_cast<double>(clock.nanoseconds) / 1e9);
    }
    form.lbl2->removeEventFilter(&clock);
}
BENCHMARK(EnterToVerdict)
    ->ArgName("right")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The same two figures for a bare Qt window: one line edit and one label whose text is
// set (and painted at once) on Enter, and a new text painted into the label.
struct BareWindow {
    BareWindow() {
        edit = new QLineEdit(&window);
        label = new QLabel(&window);
        label->setGeometry(0, 40, 265, 177);
        QObject::connect(edit, &QLineEdit::returnPressed, label, [this] {
            label->setText(QStringLiteral("真聪明!\n答对了!"));
            label->repaint();
        });
        window.resize(681, 513);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitForWindowActive(&window))
            qFatal("the bare window did not come up");
    }
    QWidget window;
    QLineEdit* edit;
    QLabel* label;
};

BareWindow* g_bare = nullptr;

void BareWindowNewText(benchmark::State& state) {
    int n = 0;
    for ([[maybe_unused]] auto _ : state) {
        g_bare->label->setText(QString::number(++n) + QStringLiteral("＋7＝"));
        g_bare->label->repaint();
    }
}
BENCHMARK(BareWindowNewText)->Unit(benchmark::kMicrosecond);

void BareWindowEnterToLabel(benchmark::State& state) {
    PaintClock clock;
    g_bare->window.activateWindow();
    if (!QTest::qWaitForWindowActive(&g_bare->window))
        state.SkipWithError("the bare window is not active");
    g_bare->label->installEventFilter(&clock);
    g_bare->edit->setFocus();
    for ([[maybe_unused]] auto _ : state) {
        g_bare->label->clear();
        QCoreApplication::processEvents();
        clock.painted = false;
        clock.timer.start();
        QTest::keyClick(g_bare->window.windowHandle(), Qt::Key_Return);
        if (!clock.painted)
            state.SkipWithError("the label was not painted");
        state.SetIterationTime(static_cast<double>(clock.nanoseconds) / 1e9);
    }
    g_bare->label->removeEventFilter(&clock);
}
BENCHMARK(BareWindowEnterToLabel)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    sumbrook::Application app(argc, argv);
    Window window;
    g_window = &window;
    BareWindow bare;
    g_bare = &bare;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
