// What the user waits for at start-up: from the application object to the main window's
// first paint, with the program's five windows created on the way (BM_ProgramStart),
// against a bare main window with a menu bar and a label shown the same way
// (BM_BareWindowStart). Target on a development machine: BM_ProgramStart at most 1.5
// times BM_BareWindowStart, and the program's peak resident memory under 50 MiB.
//
// Every start runs cold, in a process of its own forked before any Qt object exists, so
// that font database, font engines and style are built as in a real start; both sides
// pay the same process set-up, which is not measured. A start that would show a message
// box (help file or viewer missing beside this executable) is reported as an error,
// not measured.
#include "app/AppWindows.h"
#include "app/Haupt.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

namespace {

struct StartResult
{
    double seconds = 0;
    double cpuSeconds = 0; // steadier than the wall time on a busy machine
    long peakResidentKiB = 0;
    int boxes = 0;
    bool ok = false;
};

// Notices the first paint of any widget of one window. The whole first frame is drawn in
// the same pass, so once the event loop returns after it, the window is on screen.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~FirstPaint() override { qApp->removeEventFilter(this); }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == m_window)
            m_painted = true;
        return false;
    }

private:
    QWidget *m_window;
    bool m_painted = false;
};

void showUntilPainted(QWidget *window)
{
    FirstPaint watch(window);
    window->show();
    while (!watch.painted())
        QCoreApplication::processEvents();
}

// One start in this process: the application object, `start`, which must leave its main
// window painted, and the paint. The application object stays alive: the process ends
// right afterwards, as nobody waits for a program's end. Kept out of line so that a
// profiler can collect exactly this (see main).
[[gnu::noinline]] StartResult measuredStart(const std::function<QWidget *()> &start)
{
    StartResult r;
    const auto begin = std::chrono::steady_clock::now();
    static int argc = 1;
    static char name[] = "lumaKvex";
    static char *argv[] = {name, nullptr};
    auto *app = new QApplication(argc, argv);
    QTimer boxGuard;
    QObject::connect(&boxGuard, &QTimer::timeout, [&r] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++r.boxes;
            box->done(0);
        }
    });
    boxGuard.start(10);
    showUntilPainted(start());
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    r.peakResidentKiB = usage.ru_maxrss;
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    r.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    r.ok = app != nullptr;
    return r;
}

// Runs `start` in a fresh child process.
StartResult startInChild(const std::function<QWidget *()> &start)
{
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child < 0) return {};
    if (child == 0) {
        close(channel[0]);
        const StartResult r = measuredStart(start);
        const ssize_t written = write(channel[1], &r, sizeof r);
        _exit(written == sizeof r ? 0 : 1);
    }
    close(channel[1]);
    StartResult r;
    if (read(channel[0], &r, sizeof r) != sizeof r) r.ok = false;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return r;
}

void measure(benchmark::State &state, const std::function<QWidget *()> &start)
{
    long peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        const StartResult r = startInChild(start);
        if (!r.ok) {
            state.SkipWithError("the start did not finish");
            return;
        }
        if (r.boxes > 0) {
            state.SkipWithError("the start shows a message box: help file or viewer missing");
            return;
        }
        state.SetIterationTime(r.seconds);
        peak = std::max(peak, r.peakResidentKiB);
        cpu += r.cpuSeconds;
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(peak) / 1024.0;
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

QWidget *programStart()
{
    AppWindows::setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    AppWindows::createAll();
    return Frm_Haupt;
}

// The main window without the four windows the program creates hidden beside it: what
// the main window itself costs (for --once only).
QWidget *mainWindowAloneStart()
{
    AppWindows::setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    Frm_Haupt = new TFrm_Haupt;
    return Frm_Haupt;
}

QWidget *bareWindowStart()
{
    auto *window = new QMainWindow;
    QMenu *first = window->menuBar()->addMenu(QStringLiteral("Auswahl"));
    first->addAction(QStringLiteral("Rges gegeben"));
    first->addAction(QStringLiteral("Rges gesucht"));
    first->addSeparator();
    first->addAction(QStringLiteral("Programm beenden"));
    QMenu *second = window->menuBar()->addMenu(QStringLiteral("Hilfe"));
    second->addAction(QStringLiteral("Hinweise"));
    second->addAction(QStringLiteral("Info"));
    second->addAction(QStringLiteral("Hilfe zum Programm"));
    window->setCentralWidget(new QLabel(QStringLiteral("lumaKvex")));
    return window;
}

void BM_ProgramStart(benchmark::State &state)
{
    measure(state, programStart);
}
BENCHMARK(BM_ProgramStart)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BareWindowStart(benchmark::State &state)
{
    measure(state, bareWindowStart);
}
BENCHMARK(BM_BareWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

// `bench_startup --once=program` (or `--once=bare`, `--once=main-window`) makes one start
// in this process and ends, for a profiler: `valgrind --tool=callgrind --collect-atstart=no
// --toggle-collect='*measuredStart*' bench_startup --once=program` counts its instructions.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::pair<const char *, QWidget *(*)()> once[] = {{"--once=program", programStart},
                                                            {"--once=bare", bareWindowStart},
                                                            {"--once=main-window", mainWindowAloneStart}};
    for (const auto &[option, start] : once) {
        if (argc == 2 && qstrcmp(argv[1], option) == 0) {
            const StartResult r = measuredStart(start);
            _exit(r.ok && r.boxes == 0 ? 0 : 1);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
