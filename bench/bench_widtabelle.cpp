// The pair finder on the real calculator window: one search as it runs after every key
// release (classification, 2,107 colour writes, every panel text), and a full repaint of
// the matrix rendered into an image. Targets on a development machine: BM_PairSearch
// under 1 ms, BM_MatrixRepaintToImage under 10 ms.
#include "app/AppWindows.h"
#include "calc/WidTabelle.h"
#include "widgets/grid/CellGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

TFrm_Wid &window()
{
    static TFrm_Wid *w = [] {
        auto *win = Frm_Wid = new TFrm_Wid;
        win->show();
        QCoreApplication::processEvents();
        return win;
    }();
    return *w;
}

// One search including the deferred grid update it schedules.
void BM_PairSearch(benchmark::State &state)
{
    TFrm_Wid &w = window();
    for (auto _ : state) {
        w.Paare_suchen();
        QCoreApplication::sendPostedEvents(w.ui.Grid1, QEvent::MetaCall);
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_PairSearch)->Unit(benchmark::kMicrosecond);

// What the user waits for after a key: the search and the one repaint of the matrix.
void BM_PairSearchAndRepaint(benchmark::State &state)
{
    TFrm_Wid &w = window();
    for (auto _ : state) {
        w.Paare_suchen();
        QCoreApplication::sendPostedEvents(w.ui.Grid1, QEvent::MetaCall);
        w.ui.Grid1->viewport()->repaint();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_PairSearchAndRepaint)->Unit(benchmark::kMicrosecond);

// The whole matrix drawn from scratch (texts laid out again) into an image.
void BM_MatrixRepaintToImage(benchmark::State &state)
{
    TFrm_Wid &w = window();
    TCellGrid *grid = w.ui.Grid1;
    QImage image(grid->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid->Invalidate();
        QCoreApplication::sendPostedEvents(grid, QEvent::MetaCall);
        QPainter p(&image);
        grid->render(&p);
    }
}
BENCHMARK(BM_MatrixRepaintToImage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppWindows::setUpApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
