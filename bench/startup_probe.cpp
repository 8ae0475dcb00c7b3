// Start-up probe: runs a child process that starts the program's windows the way the
// program does and stops at the first paint; reports the median time from process start
// to first paint, the same without the first problem's deliberate pauses, and the peak
// resident memory. "--bare" measures a bare Qt 6 window the same way, for comparison;
// "--no-about" gives the window no link opener, so that it can never make its About
// window.
//
//   startup_probe [--runs N] [--bare | --no-about]
#include "app/application.h"
#include "engine/pause_source.h"
#include "main_window/form1.h"
#include "shell/platform.h"

#include <QMainWindow>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The system's pauses, timed, so that they can be taken out of the figure.
class TimedPauses final : public sumbrook::PauseSource {
public:
    TimedPauses() : m_real(sumbrook::makeSystemPauseSource()) {}
    void pause50ms() override {
        const std::int64_t start = nowNs();
        m_real->pause50ms();
        pausedNs += nowNs() - start;
    }
    std::uint32_t counter() override { return m_real->counter(); }
    std::int64_t pausedNs = 0;

private:
    std::unique_ptr<sumbrook::PauseSource> m_real;
};

// Reports once the first paint of the window has been flushed.
class FirstPaint final : public QObject {
public:
    FirstPaint(std::int64_t t0, const std::int64_t* paused) : m_t0(t0), m_paused(paused) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Runs after the whole tree has been painted and flushed.
            QTimer::singleShot(0, [this] {
                const std::int64_t total = nowNs() - m_t0;
                std::printf("%lld %lld\n", static_cast<long long>(total),
                            static_cast<long long>(m_paused ? *m_paused : 0));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    std::int64_t m_t0;
    const std::int64_t* m_paused;
    bool m_seen = false;
};

enum class Mode { Program, NoAbout, Bare };

int child(int argc, char** argv, std::int64_t t0, Mode mode) {
    sumbrook::Application app(argc, argv);
    if (mode == Mode::Bare) {
        QMainWindow window;
        window.resize(681, 533);
        FirstPaint probe(t0, nullptr);
        window.installEventFilter(&probe);
        window.show();
        return app.exec();
    }
    TimedPauses pauses;
    auto desktop = sumbrook::shell::makeSystemDesktop();
    auto opener = sumbrook::shell::makeSystemLinkOpener();
    TForm1 form1(pauses, desktop.get());
    if (mode == Mode::Program)
        form1.setLinkOpener(opener.get());
    FirstPaint probe(t0, &pauses.pausedNs);
    form1.installEventFilter(&probe);
    form1.show();
    form1.activateWindow();
    return app.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty()
               ? 0
               : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

} // namespace

int main(int argc, char** argv) {
    const auto modeNamed = [](const char* arg) {
        if (std::strcmp(arg, "--bare") == 0)
            return Mode::Bare;
        return std::strcmp(arg, "--no-about") == 0 ? Mode::NoAbout : Mode::Program;
    };
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, std::atoll(argv[2]),
                     argc >= 4 ? modeNamed(argv[3]) : Mode::Program);

    int runs = 7;
    const char* modeArg = "--program";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            modeArg = argv[i];
    }
    const Mode mode = modeNamed(modeArg);
    std::vector<double> total, beyondPauses, rss;
    for (int run = 0; run < runs; ++run) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        const std::string t0 = std::to_string(nowNs());
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl("/proc/self/exe", argv[0], "--child", t0.c_str(), modeArg,
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char line[128] = {};
        const ssize_t n = read(out[0], line, sizeof line - 1);
        close(out[0]);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        long long totalNs = 0, pausedNs = 0;
        if (n <= 0 || std::sscanf(line, "%lld %lld", &totalNs, &pausedNs) != 2) {
            std::fprintf(stderr, "run %d: no first paint\n", run);
            return 1;
        }
        total.push_back(static_cast<double>(totalNs) / 1e6);
        beyondPauses.push_back(static_cast<double>(totalNs - pausedNs) / 1e6);
        rss.push_back(static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    std::printf("%s, %d runs (median): first paint %.1f ms, beyond the pauses %.1f ms, "
                "peak RSS %.1f MB\n",
                mode == Mode::Bare      ? "bare Qt window"
                : mode == Mode::NoAbout ? "Sumbrook without the About window"
                                        : "Sumbrook",
                runs, median(total), median(beyondPauses), median(rss));
    return 0;
}
