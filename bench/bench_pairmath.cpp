// One full run of the pair finder's classification: 43 x 49 cells, header texts
// read as numbers, band, classification values and counts. It runs after every key release.
#include "calc/E12Axes.h"
#include "calc/PairMath.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ClassifyMatrix(benchmark::State &state)
{
    const QStringList &cols = E12Axes::columnTexts();
    const QStringList &rows = E12Axes::rowTexts();
    double w = 73.0;
    for (auto _ : state) {
        PairMath::MatrixResult r = PairMath::classifyMatrix(cols, rows, w, 5.0);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(w);
    }
    state.SetItemsProcessed(state.iterations() * E12Axes::kRows * E12Axes::kColumns);
}
BENCHMARK(BM_ClassifyMatrix);

// The arithmetic of one cell alone, for comparison.
void BM_CellClassValue(benchmark::State &state)
{
    double a = 470.0, b = 82.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        double v = PairMath::classValue(PairMath::parallel(a, b));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_CellClassValue);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
