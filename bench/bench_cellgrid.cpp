// Colouring the pair matrix: an evaluation rewrites the background colour of every body cell
// (49 x 43 = 2,107 cells) in one handler, and the grid must repaint once afterwards.
// Target on a development machine: BM_CellColorWritesAndRepaint under 1 ms.
#include "common/Fonts.h"
#include "common/SystemColors.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QApplication>
#include <QString>

#include <vector>

#include <benchmark/benchmark.h>

namespace {

constexpr int Cols = 54, Rows = 47, BodyCols = 49, BodyRows = 43;

// A grid laid out like the pair matrix: 54 x 47 cells, one fixed row and column, narrow
// columns, 15-pixel rows, short numbers in every cell, the last rows and columns hidden.
TCellGrid &matrix()
{
    static TCellGrid *grid = [] {
        auto *g = new TCellGrid;
        g->setColCount(Cols);
        g->setRowCount(Rows);
        g->setDefaultRowHeight(15);
        g->setColWidths(0, 35);
        g->setColWidths(1, 22);
        for (int c = 2; c < Cols; ++c)
            g->setColWidths(c, c <= 36 ? 27 : c <= 38 ? 29 : c <= 43 ? 34 : 35);
        for (int c = 50; c < Cols; ++c)
            g->setColWidths(c, -1);
        for (int r = 44; r < Rows; ++r)
            g->setRowHeights(r, -1);
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(9);
        g->setFont(f);
        g->setColor(SystemColors::system(SystemColors::InfoBk));
        g->setDrawSelection(false);
        g->setEditable(false);
        g->setAlignment(alRight);
        // The E12 axes and the parallel values, as the pair matrix shows them.
        static const double e12[] = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
        std::vector<double> axis;
        for (double decade : {1.0, 10.0, 100.0, 1000.0})
            for (double v : e12)
                axis.push_back(v * decade);
        axis.push_back(10000.0);
        const auto text = [](double v, int decimals) {
            return QString::number(v, 'f', decimals).replace(u'.', u',');
        };
        g->setCells(0, 0, QStringLiteral("Ohm"));
        for (int c = 1; c <= BodyCols; ++c)
            g->setCells(c, 0, text(axis[c - 1], axis[c - 1] < 10 ? 1 : 0));
        for (int r = 1; r <= BodyRows; ++r)
            g->setCells(0, r, text(axis[r - 1], axis[r - 1] < 10 ? 1 : 0));
        for (int c = 1; c <= BodyCols; ++c)
            for (int r = 1; r <= BodyRows; ++r) {
                const double a = axis[c - 1], b = axis[r - 1];
                g->setCells(c, r, text(a * b / (a + b), 1));
            }
        g->resize(1088, 542);
        g->show();
        QCoreApplication::processEvents();
        return g;
    }();
    return *grid;
}

void writeColours(TCellGrid &g, int round)
{
    static const QColor classes[] = {SystemColors::yellow(), SystemColors::lime(), SystemColors::aqua(),
                                     SystemColors::lightRose(), SystemColors::system(SystemColors::InfoBk)};
    for (int c = 1; c <= BodyCols; ++c)
        for (int r = 1; r <= BodyRows; ++r)
            g.setCellColor(c, r, classes[(c + r + round) % 5]);
}

// The writes and the deferred update they schedule (repaint request and model notice).
void BM_CellColorWrites(benchmark::State &state)
{
    TCellGrid &g = matrix();
    int round = 0;
    for (auto _ : state) {
        writeColours(g, ++round);
        QCoreApplication::sendPostedEvents(&g, QEvent::MetaCall);
    }
    QCoreApplication::processEvents();
    state.SetItemsProcessed(state.iterations() * BodyCols * BodyRows);
}
BENCHMARK(BM_CellColorWrites)->Unit(benchmark::kMicrosecond);

// The same, followed by the one repaint of the whole visible grid.
void BM_CellColorWritesAndRepaint(benchmark::State &state)
{
    TCellGrid &g = matrix();
    int round = 0;
    for (auto _ : state) {
        writeColours(g, ++round);
        QCoreApplication::sendPostedEvents(&g, QEvent::MetaCall);
        g.viewport()->repaint();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_CellColorWritesAndRepaint)->Unit(benchmark::kMicrosecond);

// A repaint after a change of texts (or of anything but colours), which lays the shown
// texts out again: what scrolling or filling the matrix costs.
void BM_RepaintWithTexts(benchmark::State &state)
{
    TCellGrid &g = matrix();
    for (auto _ : state) {
        g.Invalidate();
        QCoreApplication::sendPostedEvents(&g, QEvent::MetaCall);
        g.viewport()->repaint();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_RepaintWithTexts)->Unit(benchmark::kMicrosecond);

// Reading the colour of a cell back, as the readout under the mouse does.
void BM_CellColorRead(benchmark::State &state)
{
    TCellGrid &g = matrix();
    writeColours(g, 0);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g.CellColor(1 + i % BodyCols, 1 + i % BodyRows));
        ++i;
    }
}
BENCHMARK(BM_CellColorRead);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SystemColors::applyApplicationLook();
    Fonts::install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
