// Number texts must read the same whatever locale the machine runs with; CTest runs
// this executable under C, German and US English locales.
#include "common/NumberText.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Whatever the environment says, also disturb the process locale the way
        // QApplication does on start-up.
        std::setlocale(LC_ALL, "");
    }

    void fixedFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("matrix cell") << 2481.2 << 1 << "2481,2";
        QTest::newRow("no grouping") << 1234567.0 << 1 << "1234567,0";
        QTest::newRow("small") << 0.5 << 1 << "0,5";
        QTest::newRow("zero") << 0.0 << 1 << "0,0";
        QTest::newRow("negative") << -12.0 << 1 << "-12,0";
        QTest::newRow("round up") << 0.96 << 1 << "1,0";
        QTest::newRow("double just below a half keeps its side") << 0.95 << 1 << "0,9";
        QTest::newRow("no decimals") << 5.4 << 0 << "5";
        QTest::newRow("half away from zero") << 2.5 << 0 << "3";
        QTest::newRow("negative half") << -2.5 << 0 << "-3";
        QTest::newRow("tiny negative shows no sign") << -0.01 << 1 << "0,0";
        QTest::newRow("carry adds an integer digit") << 99.96 << 1 << "100,0";
        QTest::newRow("carry out of leading zeros") << 0.0096 << 2 << "0,01";
        QTest::newRow("far below the last decimal") << 1e-5 << 2 << "0,00";
        QTest::newRow("more digits than a double holds") << 1e20 << 0 << "100000000000000000000";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1 << "NAN";
        QTest::newRow("negative infinity") << -std::numeric_limits<double>::infinity() << 2 << "-INF";
    }
    void fixedFormat()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(NumberText::fixed(value, decimals), text);
    }

    void numberFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("band bound") << 69.35 << 2 << "69,35";
        QTest::newRow("thousands") << 4700.0 << 2 << "4.700,00";
        QTest::newRow("millions") << 1234567.891 << 2 << "1.234.567,89";
        QTest::newRow("exactly thousand") << 1000.0 << 2 << "1.000,00";
        QTest::newRow("999") << 999.0 << 2 << "999,00";
        QTest::newRow("negative grouped") << -1500.0 << 2 << "-1.500,00";
        QTest::newRow("negative deviation") << -4.38356 << 1 << "-4,4";
        QTest::newRow("exact tie up") << 0.125 << 2 << "0,13";
        QTest::newRow("rounding carries into a group") << 999999.996 << 2 << "1.000.000,00";
        QTest::newRow("no decimals grouped") << 1234.4 << 0 << "1.234";
        QTest::newRow("rounds to zero") << -0.004 << 2 << "0,00";
        QTest::newRow("large") << 2e9 / 1e6 << 2 << "2.000,00";
    }
    void numberFormat()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(NumberText::number(value, decimals), text);
    }

    void listValueFormatHasTwoDecimals()
    {
        QCOMPARE(NumberText::number(4700), QStringLiteral("4.700,00"));
        QCOMPARE(NumberText::number(0), QStringLiteral("0,00"));
    }

    void integerFormat_data()
    {
        QTest::addColumn<long long>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("count") << 15LL << "15";
        QTest::newRow("no grouping") << 1234567LL << "1234567";
        QTest::newRow("negative") << -7LL << "-7";
        QTest::newRow("zero") << 0LL << "0";
    }
    void integerFormat()
    {
        QFETCH(long long, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText::integer(value), text);
    }

    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 20.0 << "20";
        QTest::newRow("fraction") << 2.5 << "2,5";
        QTest::newRow("negative") << -0.75 << "-0,75";
        QTest::newRow("large") << 1e20 << "1E20";
    }
    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText::general(value), text);
    }

    void generalFormatWithChosenDigits()
    {
        QCOMPARE(NumberText::general(2.0 / 3.0, 4), QStringLiteral("0,6667"));
        QCOMPARE(NumberText::general(123456.0, 4), QStringLiteral("1,235E5"));
        QCOMPARE(NumberText::general(1234.5, 12), QStringLiteral("1234,5"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal comma") << "1234,56" << true << 1234.56;
        QTest::newRow("whole") << "73" << true << 73.0;
        QTest::newRow("comma at end") << "5," << true << 5.0;
        QTest::newRow("comma at start") << ",5" << true << 0.5;
        QTest::newRow("negative") << "-12" << true << -12.0;
        QTest::newRow("plus") << "+3,5" << true << 3.5;
        QTest::newRow("blanks around") << "  7,25 " << true << 7.25;
        QTest::newRow("exponent") << "1,5E3" << true << 1500.0;
        QTest::newRow("header value") << "3300" << true << 3300.0;
        QTest::newRow("lone comma") << "," << false << 0.0;
        QTest::newRow("minus comma") << "-," << false << 0.0;
        QTest::newRow("lone minus") << "-" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("point is no decimal") << "1.5" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("letters") << "Ohm" << false << 0.0;
        QTest::newRow("trailing minus") << "12-" << false << 0.0;
        QTest::newRow("overflow") << "1E400" << false << 0.0;
        QTest::newRow("underflow reads as zero") << "1E-400" << true << 0.0;
        // Exponents beyond any integer type: no number, never zero.
        QTest::newRow("exponent at the long limit") << "1e9223372036854775807" << false << 0.0;
        QTest::newRow("exponent past every integer") << "1e99999999999999999999" << false << 0.0;
        QTest::newRow("exponent one below the limit") << "12e9223372036854775806" << false << 0.0;
        QTest::newRow("huge negative exponent") << "1e-99999999999999999999" << true << 0.0;
        QTest::newRow("leading zeros do not count") << "0000,0001e308" << true << 1e304;
        QTest::newRow("zero with a huge exponent") << "0e99999999999999999999" << true << 0.0;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto result = NumberText::parse(text);
        QCOMPARE(result.has_value(), ok);
        if (ok) QCOMPARE(*result, value);
    }

    void roundTripsDisplayedValues()
    {
        for (double v : {0.5, 73.0, 2481.2, 0.7, 14.8, 1938.7}) {
            const auto back = NumberText::parse(NumberText::fixed(v, 1));
            QVERIFY(back.has_value());
            QCOMPARE(*back, v);
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
