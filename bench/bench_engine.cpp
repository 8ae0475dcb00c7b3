// Cost of setting one problem, the 50 ms pauses aside.
#include "bench/no_pause.h"
#include "engine/drill_engine.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using sumbrook::bench::NoPause;

// Stores texts like a window would, so string building is part of the cost.
class Sink final : public sumbrook::DrillDisplay {
public:
    explicit Sink(int rg2) : m_rg2(rg2) {}
    void setText(sumbrook::Element e, const std::string& t) override {
        m_texts[static_cast<int>(e)] = t;
    }
    std::string text(sumbrook::Element e) const override { return m_texts[static_cast<int>(e)]; }
    void setVisible(sumbrook::Element, bool) override {}
    void setFocus(sumbrook::Element) override {}
    void appendLog(const std::string& line) override {
        if (m_log.size() > 1 << 16)
            m_log.clear();
        m_log += line;
        m_log += '\n';
    }
    int rg2ItemIndex() const override { return m_rg2; }
    void announce(sumbrook::Announcement, const std::string&) override {}

private:
    std::string m_texts[12];
    std::string m_log;
    int m_rg2;
};

void SetOneProblem(benchmark::State& state) {
    NoPause pauses;
    Sink display(static_cast<int>(state.range(1)));
    sumbrook::DrillEngine engine(display, pauses);
    engine.start("20");
    engine.setOperationMode(static_cast<std::int32_t>(state.range(0)));
    for ([[maybe_unused]] auto _ : state)
        engine.gett();
}

BENCHMARK(SetOneProblem)
    ->ArgNames({"mode", "three"})
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
