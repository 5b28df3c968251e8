#pragma once

#include <QString>
#include <QStringList>

#include <limits>
#include <vector>

// The pair finder's arithmetic, free of widgets.
//
// Precision: every operation is evaluated in 80-bit extended precision (x87 `long double`,
// 64-bit significand, rounding to nearest, ties to even) and every named result is rounded
// to a double when it is stored: this decides on which side an exact half falls (the tie
// table, the band of 1,5 at 5 %). The inputs (header values, field values) enter
// as doubles; the constants 0.05 and 0.005 are the extended values closest to them.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the pair finder needs 80-bit extended long double (x86 g++/clang, MinGW)");
static_assert(std::numeric_limits<double>::digits == 53, "IEEE double expected");

namespace PairMath {

// Limits (plain numbers, the same in Ohm and kOhm).
inline constexpr double kMinTolerance = 1.0;     // a smaller tolerance is replaced by 1
inline constexpr double kMaxTolerance = 20.0;    // a larger tolerance is replaced by 20
inline constexpr double kMaxWanted = 2481.2;     // accepted up to and including
inline constexpr double kMinWanted = 0.5;        // only stated in the range text; no check
inline constexpr double kScrollThreshold = 60.0; // a wanted value above it scrolls to the end

// Parallel value p = a*b/(a+b), evaluated in extended precision, stored as a double.
double parallel(double a, double b);

// Displayed tenth: d = trunc((p + 0.05) * 10) / 10, stored as a double.
// The matrix cell shows NumberText::fixed(d, 1).
double displayTenth(double p);

// Classification value: k = p/0.1 rounded to the nearest whole number (ties to
// even), q = k*0.1 stored as a double (0.1 being the double closest to one tenth), then
// v = displayTenth(q).
double classValue(double p);

// The text of the body cell for column value a and row value b: "%0.1f" of d(p(a, b)).
QString cellText(double a, double b);

// The tolerance band; each member stored as a double.
struct Band
{
    double U = 0;     // (100 + t) * w / 100
    double d = 0;     // U - w
    double delta = 0; // trunc((d + 0.005) * 100) / 100
    double upper = 0; // w + delta
    double lower = 0; // w - delta
};
Band band(double w, double t);

// Tolerance limits (step 7): true when the field must be corrected (t < 1 or t > 20);
// clampTolerance gives the corrected value (1 or 20), any other t unchanged.
bool toleranceNeedsCorrection(double t);
double clampTolerance(double t);

// Step 14: a wanted value above 2481,2 is refused.
bool wantedAccepted(double w);
// Positioning: a wanted value above 60 scrolls the matrix to its bottom-right end.
bool scrollsToEnd(double w);

enum class CellClass { Outside, Smaller, Equal, Greater };

// Class of classification value v for the wanted value w and the band [lower, upper]; exact
// double comparisons, both bounds included. A v that is no number (NaN) lies in no band.
CellClass classify(double v, double w, double lower, double upper);

// Deviation shown by the hover readout: x*100/w - 100, evaluated in extended precision and
// stored as a double. Meant for w > 0 only (the readout shows no deviation otherwise).
double deviation(double x, double w);

// One full search over the body, without the controls.
struct MatrixResult
{
    int rows = 0;         // number of row headers (43 for the E12 matrix)
    int columns = 0;      // number of column headers (49)
    double tolerance = 0; // the tolerance used, after clamping to 1..20
    Band band;            // band of w and the used tolerance
    bool accepted = true; // w <= 2481,2 (step 14); when false the window shows all cells neutral
    int total = 0;        // cells in the band
    int smaller = 0;
    int equal = 0;
    int greater = 0;              // = total - smaller - equal
    std::vector<CellClass> cells; // row-major, rows x columns

    bool found() const { return total > 0; }
    // Class of the body cell in grid row m (1..rows) and grid column n (1..columns), as the
    // search computed it, also when the wanted value was refused.
    CellClass cell(int m, int n) const;
    // The class whose colour the cell shows after the run: Outside everywhere when refused.
    CellClass shownClass(int m, int n) const { return accepted ? cell(m, n) : CellClass::Outside; }
};

// Classifies every body cell (row header m with column header n) for wanted value w and
// tolerance t (clamped to 1..20 first, as the search's correction does). The header texts are
// read with NumberText::parse; a header text that is no number makes its whole row or column
// outside.
MatrixResult classifyMatrix(const QStringList &columnTexts, const QStringList &rowTexts, double w, double t);
// The same on the E12 axes.
MatrixResult classifyMatrix(double w, double t);

} // namespace PairMath
