// The main window's own costs with the engine's pauses taken out: setting one problem,
// and the time from an Enter key event to the verdict painted in the feedback panel.
#include "app/application.h"
#include "engine/drill_engine.h"
#include "engine/pause_source.h"
#include "main_window/form1.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

class NoPause final : public sumbrook::PauseSource {
public:
    void pause50ms() override {}
    std::uint32_t counter() override { return m_counter += 2654435761u; }

private:
    std::uint32_t m_counter = 7;
};

struct Window {
    Window() : form(pauses, nullptr) {
        form.show();
        form.activateWindow();
        QTest::qWaitForWindowExposed(&form);
        QTest::qWaitForWindowActive(&form);
    }
    NoPause pauses;
    TForm1 form;
};

Window* g_window = nullptr;

void SetOneProblemInWindow(benchmark::State& state) {
    TForm1& form = g_window->form;
    for (auto _ : state)
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
    form.lbl2->installEventFilter(&clock);
    for (auto _ : state) {
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

} // namespace

int main(int argc, char** argv) {
    sumbrook::Application app(argc, argv);
    Window window;
    g_window = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
