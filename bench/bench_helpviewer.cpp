// The built-in help viewer: opening the help file and showing the first topic, and
// switching topics. Each case ends with the viewer drawn once, as the user sees it.
#include "platform/HelpBrowser.h"
#include "platform/HelpViewer.h"
#include "platform/ViewerHelpControl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

const std::string kHelpFile = LUMAKVEX_HELP_FILE;

void draw(HelpViewer *viewer)
{
    QImage image(viewer->size(), QImage::Format_ARGB32_Premultiplied);
    viewer->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_OpenFileAndShowTopic1001(benchmark::State &state)
{
    for (auto _ : state) {
        ViewerHelpControl control;
        control.showContext(kHelpFile, 1001);
        draw(control.viewer());
        state.PauseTiming();
        control.closeAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFileAndShowTopic1001)->Unit(benchmark::kMillisecond);

void BM_SwitchTopic(benchmark::State &state)
{
    ViewerHelpControl control;
    control.showContext(kHelpFile, 1001);
    HelpViewer *viewer = control.viewer();
    const QString topics[] = {QStringLiteral("/paarsuche.html"), QStringLiteral("/liste.html")};
    int next = 0;
    for (auto _ : state) {
        viewer->showTopic(topics[next]);
        next = 1 - next;
        draw(viewer);
    }
    control.closeAll();
}
BENCHMARK(BM_SwitchTopic)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
