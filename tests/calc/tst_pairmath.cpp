// The pair finder's arithmetic: the tie table, the band, the matrix
// edge values and the counts of every edge case on the E12 axes.
#include "calc/E12Axes.h"
#include "calc/PairMath.h"
#include "common/NumberText.h"

#include <QTest>

#include <cstdint>
#include <numeric>

using PairMath::CellClass;

Q_DECLARE_METATYPE(PairMath::CellClass)

namespace {

double header(const QString &text)
{
    const std::optional<double> v = NumberText::parse(text);
    if (!v) qFatal("header text %s is no number", qPrintable(text));
    return *v;
}

// Grid row (1..43) and column (1..49) of a header text.
int rowOf(const QString &text)
{
    return static_cast<int>(E12Axes::rowTexts().indexOf(text)) + 1;
}
int columnOf(const QString &text)
{
    return static_cast<int>(E12Axes::columnTexts().indexOf(text)) + 1;
}

QString shown(double column, double row)
{
    return PairMath::cellText(column, row);
}

// The header value in tenths, exactly.
std::int64_t tenths(const QString &text)
{
    return static_cast<std::int64_t>(std::llround(header(text) * 10));
}

} // namespace

class TestPairMath : public QObject
{
    Q_OBJECT

private slots:
    void axes()
    {
        const QStringList &cols = E12Axes::columnTexts();
        const QStringList &rows = E12Axes::rowTexts();
        QCOMPARE(cols.size(), 49);
        QCOMPARE(rows.size(), 43);
        QCOMPARE(cols.mid(0, 12), QStringList({"1,0", "1,2", "1,5", "1,8", "2,2", "2,7", "3,3", "3,9", "4,7",
                                               "5,6", "6,8", "8,2"}));
        QCOMPARE(cols.mid(12, 12),
                 QStringList({"10", "12", "15", "18", "22", "27", "33", "39", "47", "56", "68", "82"}));
        QCOMPARE(cols.mid(24, 12), QStringList({"100", "120", "150", "180", "220", "270", "330", "390", "470",
                                                "560", "680", "820"}));
        QCOMPARE(cols.mid(36, 12), QStringList({"1000", "1200", "1500", "1800", "2200", "2700", "3300",
                                                "3900", "4700", "5600", "6800", "8200"}));
        QCOMPARE(cols.last(), QStringLiteral("10000"));
        QCOMPARE(rows, cols.mid(0, 43));
        QCOMPARE(rows.last(), QStringLiteral("3300"));
        for (const QString &t : cols)
            QVERIFY2(NumberText::parse(t).has_value(), qPrintable(t));
    }

    void constants()
    {
        QCOMPARE(PairMath::kMaxWanted, 2481.2);
        QCOMPARE(PairMath::kScrollThreshold, 60.0);
        QCOMPARE(PairMath::kMinTolerance, 1.0);
        QCOMPARE(PairMath::kMaxTolerance, 20.0);
        QVERIFY(PairMath::wantedAccepted(2481.2));
        QVERIFY(!PairMath::wantedAccepted(2481.3));
        QVERIFY(!PairMath::wantedAccepted(2500));
        QVERIFY(PairMath::wantedAccepted(0));
        QVERIFY(!PairMath::scrollsToEnd(60));
        QVERIFY(PairMath::scrollsToEnd(60.1));
        QVERIFY(!PairMath::scrollsToEnd(0));
    }

    void tolerance()
    {
        QCOMPARE(PairMath::clampTolerance(0), 1.0);
        QCOMPARE(PairMath::clampTolerance(-3), 1.0);
        QCOMPARE(PairMath::clampTolerance(0.999), 1.0);
        QCOMPARE(PairMath::clampTolerance(1), 1.0);
        QCOMPARE(PairMath::clampTolerance(5), 5.0);
        QCOMPARE(PairMath::clampTolerance(20), 20.0);
        QCOMPARE(PairMath::clampTolerance(25), 20.0);
        QVERIFY(PairMath::toleranceNeedsCorrection(0));
        QVERIFY(PairMath::toleranceNeedsCorrection(25));
        QVERIFY(PairMath::toleranceNeedsCorrection(20.5));
        QVERIFY(!PairMath::toleranceNeedsCorrection(1));
        QVERIFY(!PairMath::toleranceNeedsCorrection(20));
    }

    // The edge values of the matrix body.
    void matrixEdgeValues_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("10 / 1,0") << "10"
                                  << "1,0"
                                  << "0,9";
        QTest::newRow("1,0 / 1,2") << "1,0"
                                   << "1,2"
                                   << "0,5";
        QTest::newRow("1,0 / 1,0") << "1,0"
                                   << "1,0"
                                   << "0,5";
        QTest::newRow("10000 / 3300") << "10000"
                                      << "3300"
                                      << "2481,2";
        QTest::newRow("10 / 390") << "10"
                                  << "390"
                                  << "9,8";
        QTest::newRow("3,3 / 3,3") << "3,3"
                                   << "3,3"
                                   << "1,6";
        QTest::newRow("1,5 / 1,5") << "1,5"
                                   << "1,5"
                                   << "0,8";
        QTest::newRow("470 / 82") << "470"
                                  << "82"
                                  << "69,8";
    }
    void matrixEdgeValues()
    {
        QFETCH(QString, column);
        QFETCH(QString, row);
        QFETCH(QString, text);
        QCOMPARE(shown(header(column), header(row)), text);
    }

    void matrixSmallestAndLargest()
    {
        double smallest = 1e300, largest = -1;
        for (const QString &c : E12Axes::columnTexts())
            for (const QString &r : E12Axes::rowTexts()) {
                const double d = PairMath::displayTenth(PairMath::parallel(header(c), header(r)));
                smallest = std::min(smallest, d);
                largest = std::max(largest, d);
            }
        QCOMPARE(NumberText::fixed(smallest, 1), QStringLiteral("0,5"));
        QCOMPARE(NumberText::fixed(largest, 1), QStringLiteral("2481,2"));
    }

    // The table of the 24 exact halves: text shown and classification value.
    void tieTable_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const struct
        {
            const char *row, *column, *text;
            double value;
        } table[] = {
            {"1,5", "1,5", "0,8", 0.7},         {"2,7", "2,7", "1,4", 1.4},
            {"3,3", "3,3", "1,6", 1.6},         {"3,9", "3,9", "1,9", 1.9},
            {"4,7", "4,7", "2,4", 2.3},         {"10", "390", "9,8", 9.7},
            {"390", "10", "9,8", 9.7},          {"12", "180", "11,3", 11.2},
            {"180", "12", "11,3", 11.2},        {"27", "33", "14,8", 14.8},
            {"33", "27", "14,8", 14.8},         {"100", "220", "68,8", 68.7},
            {"220", "100", "68,8", 68.7},       {"100", "1500", "93,8", 93.7},
            {"1500", "100", "93,8", 93.7},      {"180", "2700", "168,8", 168.7},
            {"2700", "180", "168,8", 168.7},    {"330", "390", "178,8", 178.7},
            {"390", "330", "178,8", 178.7},     {"220", "3300", "206,3", 206.2},
            {"3300", "220", "206,3", 206.2},    {"1500", "3300", "1031,3", 1031.2},
            {"3300", "1500", "1031,3", 1031.2}, {"3300", "4700", "1938,8", 1938.7},
        };
        for (const auto &t : table)
            QTest::addRow("%s / %s", t.row, t.column) << t.row << t.column << t.text << t.value;
    }
    void tieTable()
    {
        QFETCH(QString, row);
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(double, value);
        const double p = PairMath::parallel(header(column), header(row));
        QCOMPARE(NumberText::fixed(PairMath::displayTenth(p), 1), text);
        QCOMPARE(PairMath::cellText(header(column), header(row)), text);
        // Exact double comparison: the search compares v with the typed tenth.
        QVERIFY2(PairMath::classValue(p) == value,
                 qPrintable(QString::number(PairMath::classValue(p), 'g', 17)));
    }

    // The 24 rows are all the exact halves of the matrix, and every other cell has as its
    // classification value the nearest tenth of its exact value (the very double that reading
    // that tenth gives), and shows that tenth.
    void everyOtherCellIsTheNearestTenth()
    {
        int halves = 0;
        for (const QString &c : E12Axes::columnTexts())
            for (const QString &r : E12Axes::rowTexts()) {
                const std::int64_t a = tenths(c), b = tenths(r);
                // exact parallel value in tenths = a*b/(a+b); in hundredths = 10ab/(a+b)
                const std::int64_t num = 10 * a * b, den = a + b;
                const bool half = num % den == 0 && (num / den) % 10 == 5;
                const double p = PairMath::parallel(header(c), header(r));
                if (half) {
                    ++halves;
                    continue;
                }
                // nearest whole number of tenths: floor((2ab + (a+b)) / (2(a+b)))
                const std::int64_t n = (2 * a * b + den) / (2 * den);
                const double tenth = static_cast<double>(n) / 10;
                const QString where = r + " / " + c;
                QVERIFY2(PairMath::classValue(p) == tenth, qPrintable(where));
                QVERIFY2(PairMath::cellText(header(c), header(r)) == NumberText::fixed(tenth, 1),
                         qPrintable(where));
            }
        QCOMPARE(halves, 24);
    }

    void classValueExamples()
    {
        // The double 0.1 lies above one tenth, so an exact half p gives p/0.1 just below the
        // half in extended precision, and k is the lower neighbour.
        QCOMPARE(PairMath::classValue(0.75), 0.7);
        QCOMPARE(PairMath::classValue(0.25), 0.2);
        QCOMPARE(PairMath::classValue(0.76), 0.8);
        QCOMPARE(PairMath::classValue(0), 0.0);
        QCOMPARE(PairMath::classValue(2481.203), 2481.2);
    }

    void bandExamples_data()
    {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("delta");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::newRow("1,5 at 5 %") << 1.5 << 5.0 << 0.07 << "1,43"
                                    << "1,57";
        QTest::newRow("0,5 at 5 %") << 0.5 << 5.0 << 0.03 << "0,47"
                                    << "0,53";
        QTest::newRow("73 at 5 %") << 73.0 << 5.0 << 3.65 << "69,35"
                                   << "76,65";
        QTest::newRow("100 at 1 %") << 100.0 << 1.0 << 1.0 << "99,00"
                                    << "101,00";
        QTest::newRow("0,8 at 1 %") << 0.8 << 1.0 << 0.01 << "0,79"
                                    << "0,81";
        QTest::newRow("0,45 at 20 %") << 0.45 << 20.0 << 0.09 << "0,36"
                                      << "0,54";
        QTest::newRow("2500 at 5 %") << 2500.0 << 5.0 << 125.0 << "2.375,00"
                                     << "2.625,00";
        QTest::newRow("0 at 5 %") << 0.0 << 5.0 << 0.0 << "0,00"
                                  << "0,00";
    }
    void bandExamples()
    {
        QFETCH(double, w);
        QFETCH(double, t);
        QFETCH(double, delta);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        const PairMath::Band b = PairMath::band(w, t);
        QCOMPARE(b.delta, delta);
        QCOMPARE(NumberText::number(b.lower, 2), lower);
        QCOMPARE(NumberText::number(b.upper, 2), upper);
    }

    void bandExactBounds()
    {
        // 1,5 at 5 %: the exact 0,075 is stored just below it, so delta is 0,07.
        const PairMath::Band b15 = PairMath::band(1.5, 5);
        QVERIFY(b15.d < 0.075);
        QCOMPARE(b15.lower, 1.43);
        QCOMPARE(b15.upper, 1.57);
        const PairMath::Band b100 = PairMath::band(100, 1);
        QCOMPARE(b100.lower, 99.0);
        QCOMPARE(b100.upper, 101.0);
        const PairMath::Band b73 = PairMath::band(73, 5);
        QCOMPARE(b73.lower, 69.35);
        QCOMPARE(b73.upper, 76.65);
    }

    void classifyRule()
    {
        QCOMPARE(PairMath::classify(1.0, 1.0, 1.0, 1.0), CellClass::Equal);
        QCOMPARE(PairMath::classify(0.9, 1.0, 0.9, 1.1), CellClass::Smaller);
        QCOMPARE(PairMath::classify(1.1, 1.0, 0.9, 1.1), CellClass::Greater);
        QCOMPARE(PairMath::classify(0.89, 1.0, 0.9, 1.1), CellClass::Outside);
        QCOMPARE(PairMath::classify(1.11, 1.0, 0.9, 1.1), CellClass::Outside);
        QCOMPARE(PairMath::classify(std::nan(""), 1.0, 0.9, 1.1), CellClass::Outside);
        QCOMPARE(PairMath::classify(1.0, 1.0, std::nan(""), std::nan("")), CellClass::Outside);
    }

    void deviation()
    {
        QCOMPARE(NumberText::number(PairMath::deviation(69.8, 73), 1), QStringLiteral("-4,4"));
        QCOMPARE(NumberText::number(PairMath::deviation(0.8, 0.7), 1), QStringLiteral("14,3"));
        QCOMPARE(PairMath::deviation(100, 100), 0.0);
    }

    // The edge cases, counted on the E12 axes.
    void searchCounts_data()
    {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("t");
        QTest::addColumn<int>("smaller");
        QTest::addColumn<int>("equal");
        QTest::addColumn<int>("greater");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("73 / 5") << 73.0 << 5.0 << 6 << 2 << 7 << 15 << true;
        QTest::newRow("100 / 1") << 100.0 << 1.0 << 3 << 0 << 0 << 3 << true;
        QTest::newRow("2481,2 / 1") << 2481.2 << 1.0 << 0 << 1 << 0 << 1 << true;
        QTest::newRow("2500 / 5") << 2500.0 << 5.0 << 1 << 0 << 0 << 1 << false;
        QTest::newRow("0,45 / 20") << 0.45 << 20.0 << 0 << 0 << 3 << 3 << true;
        QTest::newRow("0 / 5") << 0.0 << 5.0 << 0 << 0 << 0 << 0 << true;
        QTest::newRow("0 / 20") << 0.0 << 20.0 << 0 << 0 << 0 << 0 << true;
    }
    void searchCounts()
    {
        QFETCH(double, w);
        QFETCH(double, t);
        QFETCH(int, smaller);
        QFETCH(int, equal);
        QFETCH(int, greater);
        QFETCH(int, total);
        QFETCH(bool, accepted);
        const PairMath::MatrixResult r = PairMath::classifyMatrix(w, t);
        QCOMPARE(r.rows, 43);
        QCOMPARE(r.columns, 49);
        QCOMPARE(r.smaller, smaller);
        QCOMPARE(r.equal, equal);
        QCOMPARE(r.greater, greater);
        QCOMPARE(r.total, total);
        QCOMPARE(r.found(), total > 0);
        QCOMPARE(r.accepted, accepted);
        // The per-cell classes agree with the counts.
        int s = 0, e = 0, g = 0, shownMarked = 0;
        for (int m = 1; m <= r.rows; ++m)
            for (int n = 1; n <= r.columns; ++n) {
                switch (r.cell(m, n)) {
                case CellClass::Smaller:
                    ++s;
                    break;
                case CellClass::Equal:
                    ++e;
                    break;
                case CellClass::Greater:
                    ++g;
                    break;
                case CellClass::Outside:
                    break;
                }
                if (r.shownClass(m, n) != CellClass::Outside) ++shownMarked;
            }
        QCOMPARE(s, smaller);
        QCOMPARE(e, equal);
        QCOMPARE(g, greater);
        QCOMPARE(shownMarked, accepted ? total : 0);
    }

    void start73Cells()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(73, 5);
        QCOMPARE(r.cell(rowOf("100"), columnOf("270")), CellClass::Equal);
        QCOMPARE(r.cell(rowOf("270"), columnOf("100")), CellClass::Equal);
        QCOMPARE(r.cell(rowOf("82"), columnOf("470")), CellClass::Smaller); // 69,8
        QCOMPARE(NumberText::number(r.band.lower, 2), QStringLiteral("69,35"));
        QCOMPARE(NumberText::number(r.band.upper, 2), QStringLiteral("76,65"));
    }

    void hundredAtOnePercent()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(100, 1);
        QCOMPARE(r.cell(rowOf("100"), columnOf("10000")), CellClass::Smaller);
        QCOMPARE(r.cell(rowOf("180"), columnOf("220")), CellClass::Smaller);
        QCOMPARE(r.cell(rowOf("220"), columnOf("180")), CellClass::Smaller);
    }

    void largestWanted()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(2481.2, 1);
        QCOMPARE(r.cell(rowOf("3300"), columnOf("10000")), CellClass::Equal);
    }

    void refusedKeepsCountsButShowsNothing()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(2500, 5);
        QVERIFY(!r.accepted);
        QCOMPARE(r.band.lower, 2375.0);
        QCOMPARE(r.band.upper, 2625.0);
        QCOMPARE(r.cell(rowOf("3300"), columnOf("10000")), CellClass::Smaller);
        QCOMPARE(r.shownClass(rowOf("3300"), columnOf("10000")), CellClass::Outside);
        QVERIFY(r.found()); // the not-found message stays empty
    }

    void pointEightNotMarked()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(0.8, 1);
        QCOMPARE(NumberText::number(r.band.lower, 2), QStringLiteral("0,79"));
        QCOMPARE(NumberText::number(r.band.upper, 2), QStringLiteral("0,81"));
        QCOMPARE(PairMath::cellText(1.5, 1.5), QStringLiteral("0,8"));
        QCOMPARE(r.cell(rowOf("1,5"), columnOf("1,5")), CellClass::Outside);
        // At 0,7 the same cell is the one equal cell.
        QCOMPARE(PairMath::classifyMatrix(0.7, 1).cell(rowOf("1,5"), columnOf("1,5")), CellClass::Equal);
    }

    void pointFourFiveGreater()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(0.45, 20);
        QCOMPARE(r.cell(rowOf("1,0"), columnOf("1,0")), CellClass::Greater);
        QCOMPARE(r.cell(rowOf("1,0"), columnOf("1,2")), CellClass::Greater);
        QCOMPARE(r.cell(rowOf("1,2"), columnOf("1,0")), CellClass::Greater);
    }

    void zeroMarksNothing()
    {
        const PairMath::MatrixResult r = PairMath::classifyMatrix(0, 7);
        QCOMPARE(r.band.lower, 0.0);
        QCOMPARE(r.band.upper, 0.0);
        QVERIFY(!r.found());
        for (PairMath::CellClass c : r.cells)
            QCOMPARE(c, CellClass::Outside);
    }

    void toleranceIsClamped()
    {
        const PairMath::MatrixResult low = PairMath::classifyMatrix(73, 0);
        const PairMath::MatrixResult one = PairMath::classifyMatrix(73, 1);
        QCOMPARE(low.tolerance, 1.0);
        QCOMPARE(low.cells, one.cells);
        QCOMPARE(low.total, one.total);
        const PairMath::MatrixResult high = PairMath::classifyMatrix(73, 25);
        const PairMath::MatrixResult twenty = PairMath::classifyMatrix(73, 20);
        QCOMPARE(high.tolerance, 20.0);
        QCOMPARE(high.cells, twenty.cells);
        QCOMPARE(high.band.upper, twenty.band.upper);
    }

    // A header text that is no number (pasted through the grid's clipboard keys) makes its
    // row or column outside; odd numbers that give no number (0 with 0, a with -a) too.
    void headerTextsThatAreNoNumber()
    {
        QStringList cols = E12Axes::columnTexts();
        QStringList rows = E12Axes::rowTexts();
        const int c270 = columnOf("270");
        cols[c270 - 1] = QStringLiteral("abc");
        rows[0] = QString(); // "1,0" row emptied (Shift+Delete)
        const PairMath::MatrixResult r = PairMath::classifyMatrix(cols, rows, 73, 5);
        for (int m = 1; m <= r.rows; ++m)
            QCOMPARE(r.cell(m, c270), CellClass::Outside);
        for (int n = 1; n <= r.columns; ++n)
            QCOMPARE(r.cell(1, n), CellClass::Outside);
        // 100 with 270 is gone in one orientation: 1 equal left.
        QCOMPARE(r.equal, 1);

        QStringList zeroCols = {"0", "-5", "5", "1e999"};
        QStringList zeroRows = {"0", "5"};
        const PairMath::MatrixResult z = PairMath::classifyMatrix(zeroCols, zeroRows, 0, 20);
        QCOMPARE(z.cell(1, 1), CellClass::Outside); // 0 with 0: no number
        QCOMPARE(z.cell(2, 2), CellClass::Outside); // -5 with 5: no number
        QCOMPARE(z.cell(1, 4), CellClass::Outside); // not readable
        QCOMPARE(z.cell(1, 2), CellClass::Equal);   // 0 with -5 is 0, equal to 0
        QCOMPARE(z.cell(99, 99), CellClass::Outside);
        QCOMPARE(z.total, z.smaller + z.equal + z.greater);
    }
};

QTEST_APPLESS_MAIN(TestPairMath)
#include "tst_pairmath.moc"
