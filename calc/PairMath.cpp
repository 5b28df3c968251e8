#include "calc/PairMath.h"

#include "calc/E12Axes.h"
#include "common/NumberText.h"

#include <cmath>
#include <optional>

namespace PairMath {

namespace {

using Ext = long double;

// The constants as the design states them: 0.05 and 0.005 as the extended values closest to
// them, 0.1 as the double closest to one tenth, 10 and 100 exact.
constexpr Ext kHalfTenth = 0.05L;
constexpr Ext kHalfHundredth = 0.005L;
constexpr Ext kTenthDouble = static_cast<Ext>(0.1);

// x rounded to the nearest whole number, an exact half to the even neighbour, whatever the
// floating-point environment's rounding mode is. x - floorl(x) is exact in extended precision.
Ext roundHalfEven(Ext x)
{
    Ext r = std::floor(x);
    const Ext diff = x - r;
    if (diff > 0.5L) {
        r += 1;
    } else if (diff == 0.5L) {
        if (std::fmod(r, Ext(2)) != 0) r += 1;
    }
    return r;
}

} // namespace

double parallel(double a, double b)
{
    const Ext ea = a;
    const Ext eb = b;
    return static_cast<double>(ea * eb / (ea + eb));
}

double displayTenth(double p)
{
    // (p + 0.05) * 10 stays extended; trunc is the extended trunc (truncl).
    const Ext scaled = (static_cast<Ext>(p) + kHalfTenth) * 10;
    return static_cast<double>(std::trunc(scaled) / 10);
}

double classValue(double p)
{
    const Ext k = roundHalfEven(static_cast<Ext>(p) / kTenthDouble);
    const double q = static_cast<double>(k * kTenthDouble);
    return displayTenth(q);
}

QString cellText(double a, double b)
{
    return NumberText::fixed(displayTenth(parallel(a, b)), 1);
}

Band band(double w, double t)
{
    Band b;
    b.U = static_cast<double>((100 + static_cast<Ext>(t)) * w / 100);
    b.d = static_cast<double>(static_cast<Ext>(b.U) - w);
    b.delta = static_cast<double>(std::trunc((static_cast<Ext>(b.d) + kHalfHundredth) * 100) / 100);
    b.upper = static_cast<double>(static_cast<Ext>(w) + b.delta);
    b.lower = static_cast<double>(static_cast<Ext>(w) - b.delta);
    return b;
}

bool toleranceNeedsCorrection(double t)
{
    return t < kMinTolerance || t > kMaxTolerance;
}

double clampTolerance(double t)
{
    if (t < kMinTolerance) return kMinTolerance;
    if (t > kMaxTolerance) return kMaxTolerance;
    return t;
}

bool wantedAccepted(double w)
{
    return !(w > kMaxWanted);
}

bool scrollsToEnd(double w)
{
    return w > kScrollThreshold;
}

CellClass classify(double v, double w, double lower, double upper)
{
    // The class table's condition lower <= v <= upper (false for NaN), not its negation.
    if (!(lower <= v && v <= upper)) return CellClass::Outside;
    if (v < w) return CellClass::Smaller;
    if (v == w) return CellClass::Equal;
    // v > w (a w that is no number gives a band that is no number, handled above).
    return CellClass::Greater;
}

double deviation(double x, double w)
{
    return static_cast<double>(static_cast<Ext>(x) * 100 / w - 100);
}

CellClass MatrixResult::cell(int m, int n) const
{
    if (m < 1 || m > rows || n < 1 || n > columns) return CellClass::Outside;
    return cells[static_cast<size_t>((m - 1) * columns + (n - 1))];
}

MatrixResult classifyMatrix(const QStringList &columnTexts, const QStringList &rowTexts, double w, double t)
{
    MatrixResult r;
    r.rows = static_cast<int>(rowTexts.size());
    r.columns = static_cast<int>(columnTexts.size());
    r.tolerance = clampTolerance(t);
    r.band = band(w, r.tolerance);
    r.accepted = wantedAccepted(w);
    r.cells.assign(static_cast<size_t>(r.rows) * static_cast<size_t>(r.columns), CellClass::Outside);

    // Each header is read once; a text that is no number leaves its row or column outside.
    std::vector<std::optional<double>> colValues;
    colValues.reserve(static_cast<size_t>(r.columns));
    for (const QString &text : columnTexts)
        colValues.push_back(NumberText::parse(text));

    size_t index = 0;
    for (const QString &rowText : rowTexts) {
        const std::optional<double> b = NumberText::parse(rowText);
        for (const std::optional<double> &a : colValues) {
            CellClass c = CellClass::Outside;
            if (a && b) c = classify(classValue(parallel(*a, *b)), w, r.band.lower, r.band.upper);
            r.cells[index++] = c;
            switch (c) {
            case CellClass::Outside:
                break;
            case CellClass::Smaller:
                ++r.total;
                ++r.smaller;
                break;
            case CellClass::Equal:
                ++r.total;
                ++r.equal;
                break;
            case CellClass::Greater:
                ++r.total;
                break;
            }
        }
    }
    r.greater = r.total - r.smaller - r.equal;
    return r;
}

MatrixResult classifyMatrix(double w, double t)
{
    return classifyMatrix(E12Axes::columnTexts(), E12Axes::rowTexts(), w, t);
}

} // namespace PairMath
