// The list calculator's program-wide state, the list-pure parts of its commands
// and its total.
#include "calc/global.h"
#include "calc/global_Wid.h"

#include <QTest>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

Datensatz ohm(double wert)
{
    return Datensatz{QStringLiteral("Ohm"), wert, 0};
}

// Stores the values one after the other as "Ok und neu" does (the window's FelderSichern is
// played by setting ArbeitsSatz).
void store(std::initializer_list<double> werte)
{
    for (double w : werte) {
        ArbeitsSatz = ohm(w);
        OkUndNeuUebernehmen();
    }
}

std::vector<double> storedValues()
{
    std::vector<double> out;
    for (qint32 p = 1; p < Belegt; ++p)
        out.push_back(Liste[p].Wert);
    return out;
}

QString totalText(std::vector<Datensatz> records)
{
    return GesamtText(GesamtOhm(records));
}

} // namespace

class TestListState : public QObject
{
    Q_OBJECT

private slots:
    // Runs before any test function: the program-wide variables start zeroed.
    void initTestCase()
    {
        QCOMPARE(Belegt, 0);
        QCOMPARE(Aktuell, 0);
        QVERIFY(ArbeitsSatz.Einheit.isEmpty());
        QCOMPARE(ArbeitsSatz.Wert, 0.0);
        QCOMPARE(ArbeitsSatz.EinheitIndex, 0);
        QVERIFY(Einheit_Wid.isEmpty());
        for (qint32 p = 1; p <= 20; ++p)
            QCOMPARE(Liste[p], Datensatz{});
    }

    void init() { ListeZuruecksetzen(); }

    void blankRecord()
    {
        QVERIFY(LeerSatz.Einheit.isEmpty());
        QCOMPARE(LeerSatz.Wert, 0.0);
        QCOMPARE(LeerSatz.EinheitIndex, 0);
    }

    void reset()
    {
        store({100, 200, 300});
        GeheZu(2);
        ListeZuruecksetzen();
        QCOMPARE(Belegt, 1);
        QCOMPARE(Aktuell, 1);
        QCOMPARE(Liste[1], LeerSatz);
        QCOMPARE(ArbeitsSatz, LeerSatz);
        // Records 2..20 are not blanked by the reset.
        QCOMPARE(Liste[2].Wert, 200.0);
        QCOMPARE(GesamtOhm(), 0.0);
        QCOMPARE(GesamtText(GesamtOhm()), QStringLiteral(" 0,00  Ohm  "));
    }

    void checkedPositions()
    {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Liste[0]);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Liste[21]);
        Liste[20] = ohm(5);
        QCOMPARE(Liste[20].Wert, 5.0);
        // Position 21 reads as the blank record and takes nothing.
        SatzSetzen(21, ohm(7));
        QCOMPARE(SatzAn(21), LeerSatz);
        QCOMPARE(SatzAn(20).Wert, 5.0);
    }

    void factors()
    {
        QCOMPARE(EinheitFaktor("Ohm", 0), 1.0);
        QCOMPARE(EinheitFaktor("k Ohm", 0), 1000.0);
        QCOMPARE(EinheitFaktor("M Ohm", 0), 1000000.0);
        // Whole, case-sensitive comparison: no match keeps the factor before.
        QCOMPARE(EinheitFaktor("kOhm", 0), 0.0);
        QCOMPARE(EinheitFaktor("kOhm", 1000000), 1000000.0);
        QCOMPARE(EinheitFaktor("ohm", 1), 1.0);
        QCOMPARE(EinheitFaktor("Ohm ", 1000), 1000.0);
        QCOMPARE(EinheitFaktor(QString(), 1000), 1000.0);
        QCOMPARE(EinheitFaktor("MOhm", 0), 0.0);
    }

    void recordsInOhm()
    {
        QCOMPARE(GesamtOhm(std::vector<Datensatz>{{"k Ohm", 4.7, 1}}), 4700.0);
        QCOMPARE(GesamtOhm(std::vector<Datensatz>{{"M Ohm", 1.5, 2}}), 1500000.0);
        // First record without a match: factor 0.
        QCOMPARE(GesamtOhm(std::vector<Datensatz>{{"kOhm", 4.7, 1}}), 0.0);
    }

    void factorCarriesOver()
    {
        // "kOhm" (no blank) takes the factor 1000 of the record before: 2 kOhm || 2 kOhm.
        const std::vector<Datensatz> carried{{"k Ohm", 2, 1}, {"kOhm", 2, 1}};
        QCOMPARE(GesamtOhm(carried), 1000.0);
        // The first record has no match: factor 0, the total is 0 and stays 0.
        const std::vector<Datensatz> first{{"kOhm", 2, 1}, {"Ohm", 100, 0}};
        QCOMPARE(GesamtOhm(first), 0.0);
        // The carried factor is the previous record's, not the first one's.
        const std::vector<Datensatz> chain{{"Ohm", 3000, 0}, {"k Ohm", 3, 1}, {"", 3, 0}};
        QCOMPARE(GesamtText(GesamtOhm(chain)), QStringLiteral(" 1,00  kOhm  "));
    }

    void totalTexts_data()
    {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << std::vector<double>{} << " 0,00  Ohm  ";
        QTest::newRow("single 100") << std::vector<double>{100} << " 100,00  Ohm  ";
        QTest::newRow("1000 || 1000") << std::vector<double>{1000, 1000} << " 500,00  Ohm  ";
        QTest::newRow("999") << std::vector<double>{999} << " 999,00  Ohm  ";
        QTest::newRow("1500") << std::vector<double>{1500} << " 1,50  kOhm  ";
        QTest::newRow("999999") << std::vector<double>{999999} << " 1.000,00  kOhm  ";
        QTest::newRow("1000000") << std::vector<double>{1000000} << " 1,00  MOhm  ";
        QTest::newRow("2e9") << std::vector<double>{2e9} << " 2.000,00  MOhm  ";
        QTest::newRow("4700 || 4700") << std::vector<double>{4700, 4700} << " 2,35  kOhm  ";
        QTest::newRow("a 0 among others") << std::vector<double>{100, 0, 200} << " 0,00  Ohm  ";
        QTest::newRow("0 with 0") << std::vector<double>{0, 0} << " 0,00  Ohm  ";
        QTest::newRow("0 with 0, then more") << std::vector<double>{0, 0, 100} << " 0,00  Ohm  ";
        QTest::newRow("cancelling") << std::vector<double>{100, -100} << " 0,00  Ohm  ";
        QTest::newRow("cancelling, then more") << std::vector<double>{100, -100, 47} << " 0,00  Ohm  ";
        QTest::newRow("cancelling later") << std::vector<double>{200, 200, -100, 300} << " 0,00  Ohm  ";
    }
    void totalTexts()
    {
        QFETCH(std::vector<double>, values);
        QFETCH(QString, text);
        std::vector<Datensatz> records;
        for (double v : values)
            records.push_back(ohm(v));
        QCOMPARE(totalText(records), text);
        // The same through the program-wide list.
        ListeZuruecksetzen();
        for (double v : values) {
            ArbeitsSatz = ohm(v);
            OkUndNeuUebernehmen();
        }
        QCOMPARE(GesamtText(GesamtOhm()), text);
    }

    void largestValues()
    {
        // The entry field admits up to 1.7e308; T*x stays within the extended range.
        const QString text = totalText({ohm(1.7e308), ohm(1.7e308)});
        QCOMPARE(GesamtOhm(std::vector<Datensatz>{ohm(1.7e308), ohm(1.7e308)}), 0.85e308);
        QVERIFY2(text.startsWith(QStringLiteral(" 84.999.999.999.999.99")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral(",00  MOhm  ")), qPrintable(text));
    }

    void totalIsNeverNoNumber()
    {
        for (const std::vector<Datensatz> &records :
             {std::vector<Datensatz>{{"M Ohm", 1e308, 2}, {"M Ohm", 1e308, 2}},
              std::vector<Datensatz>{ohm(5), ohm(-5)}, std::vector<Datensatz>{ohm(0), ohm(-0.0)}}) {
            const double t = GesamtOhm(records);
            QVERIFY(!std::isnan(t));
            QCOMPARE(t, 0.0);
        }
    }

    void newSlotNeverCounts()
    {
        store({100});
        ArbeitsSatz = ohm(50);
        SatzSichern(); // typed at the new slot and stored there by navigation
        QCOMPARE(Liste[2].Wert, 50.0);
        QCOMPARE(GesamtText(GesamtOhm()), QStringLiteral(" 100,00  Ohm  "));
    }

    void okUndNeu()
    {
        store({100});
        QCOMPARE(Belegt, 2);
        QCOMPARE(Aktuell, 2);
        QCOMPARE(Liste[1], ohm(100));
        QCOMPARE(Liste[2], LeerSatz);
        QCOMPARE(ArbeitsSatz, LeerSatz);
        // Changing a stored resistor: stored, back to the new slot, Belegt unchanged.
        store({200, 300});
        SatzLaden(2);
        ArbeitsSatz.Wert = 250;
        OkUndNeuUebernehmen();
        QCOMPARE(storedValues(), (std::vector<double>{100, 250, 300}));
        QCOMPARE(Belegt, 4);
        QCOMPARE(Aktuell, 4);
    }

    void fullList()
    {
        for (int i = 1; i <= 20; ++i)
            store({double(i)});
        QCOMPARE(Belegt, 21);
        QCOMPARE(Aktuell, 21);
        QVERIFY(ListeVoll());
        QCOMPARE(SatzAn(Aktuell), LeerSatz);
        QCOMPARE(storedValues().size(), size_t(20));
        QCOMPARE(LeerSatz, Datensatz{});
        // The refusal of "Ok und neu" loads position 19.
        SatzLaden(19);
        QCOMPARE(ArbeitsSatz.Wert, 19.0);
        // Navigation away from position 21 keeps nothing.
        SatzLaden(21);
        ArbeitsSatz = ohm(47);
        GeheZu(1);
        QCOMPARE(SatzAn(21), LeerSatz);
        QCOMPARE(storedValues().back(), 20.0);
    }

    void navigationTargets()
    {
        // Empty list.
        QCOMPARE(NavigationsZiel(Schritt::Anfang), std::optional<qint32>(1));
        QCOMPARE(NavigationsZiel(Schritt::Zurueck), std::nullopt);
        QCOMPARE(NavigationsZiel(Schritt::Vor), std::nullopt);
        QCOMPARE(NavigationsZiel(Schritt::Ende), std::nullopt);
        store({100, 200, 300});
        QCOMPARE(NavigationsZiel(Schritt::Zurueck), std::optional<qint32>(3));
        QCOMPARE(NavigationsZiel(Schritt::Vor), std::nullopt);
        QCOMPARE(NavigationsZiel(Schritt::Ende), std::optional<qint32>(3));
        SatzLaden(1);
        QCOMPARE(NavigationsZiel(Schritt::Zurueck), std::nullopt);
        QCOMPARE(NavigationsZiel(Schritt::Vor), std::optional<qint32>(2));
    }

    void navigationStoresWithoutChecks()
    {
        store({100, 200, 300});
        // Typed at the new slot, "<": stored into the new slot's record; ">" shows it again.
        ArbeitsSatz = ohm(55);
        GeheZu(3);
        QCOMPARE(Liste[4].Wert, 55.0);
        QCOMPARE(ArbeitsSatz.Wert, 300.0);
        GeheZu(4);
        QCOMPARE(ArbeitsSatz.Wert, 55.0);
        // At resistor 2, 250 and ">": stored at once; 0 is stored as well.
        SatzLaden(2);
        ArbeitsSatz.Wert = 250;
        GeheZu(3);
        QCOMPARE(storedValues(), (std::vector<double>{100, 250, 300}));
        SatzLaden(2);
        ArbeitsSatz.Wert = 0;
        GeheZu(3);
        QCOMPARE(storedValues(), (std::vector<double>{100, 0, 300}));
        QCOMPARE(GesamtText(GesamtOhm()), QStringLiteral(" 0,00  Ohm  "));
    }

    void removeShifts()
    {
        store({100, 200, 300});
        SatzLaden(2);
        ArbeitsSatz.Wert = 999; // unsaved change, dropped
        QCOMPARE(Entfernen(), EntfernenErgebnis::Entfernt);
        QCOMPARE(storedValues(), (std::vector<double>{100, 300}));
        QCOMPARE(Aktuell, 2);
        QCOMPARE(Belegt, 3);
        QCOMPARE(ArbeitsSatz, ohm(300));
        QCOMPARE(Liste[3], LeerSatz);
    }

    void removeLast()
    {
        store({100, 200, 300});
        SatzLaden(3);
        QCOMPARE(Entfernen(), EntfernenErgebnis::Entfernt);
        QCOMPARE(storedValues(), (std::vector<double>{100, 200}));
        QCOMPARE(Aktuell, 3);
        QCOMPARE(Belegt, 3); // the position is now the new slot
        QCOMPARE(ArbeitsSatz, LeerSatz);
    }

    void removeFromFullList()
    {
        for (int i = 1; i <= 20; ++i)
            store({double(i)});
        SatzLaden(5);
        QCOMPARE(Entfernen(), EntfernenErgebnis::Entfernt);
        QCOMPARE(Belegt, 20);
        QCOMPARE(storedValues().size(), size_t(19));
        QCOMPARE(Liste[5].Wert, 6.0);
        QCOMPARE(Liste[19].Wert, 20.0);
        QCOMPARE(Liste[20], LeerSatz); // read from position 21: the blank record
    }

    void removeAtNewSlot()
    {
        store({100, 200});
        QCOMPARE(Entfernen(), EntfernenErgebnis::NeuerPlatz);
        QCOMPARE(storedValues(), (std::vector<double>{100, 200}));
        QCOMPARE(Aktuell, 3);
    }

    void removeEmptiesSmallList()
    {
        store({100});
        QCOMPARE(Aktuell, 2); // at the new slot
        QCOMPARE(Entfernen(), EntfernenErgebnis::Geleert);
        QCOMPARE(Belegt, 1);
        QCOMPARE(Aktuell, 1);
        QCOMPARE(Liste[1], LeerSatz);
        QCOMPARE(ArbeitsSatz, LeerSatz);
        QCOMPARE(GesamtText(GesamtOhm()), QStringLiteral(" 0,00  Ohm  "));
        QCOMPARE(Entfernen(), EntfernenErgebnis::Geleert); // also on an empty list
    }

    void insertShift()
    {
        store({100, 200, 300});
        SatzLaden(2);
        QCOMPARE(EinfuegenVerschieben(), EinfuegenErgebnis::Verschoben);
        QCOMPARE(Belegt, 5);
        QCOMPARE(Liste[3].Wert, 200.0);
        QCOMPARE(Liste[4].Wert, 300.0);
        // The window then saves the entry field into position 2 and loads it.
        ArbeitsSatz = ohm(150);
        SatzSichern();
        SatzLaden(Aktuell);
        QCOMPARE(storedValues(), (std::vector<double>{100, 150, 200, 300}));

        SatzLaden(Belegt);
        QCOMPARE(EinfuegenVerschieben(), EinfuegenErgebnis::NeuerPlatz);
        QCOMPARE(Belegt, 5);
    }

    void insertIntoFullList()
    {
        for (int i = 1; i <= 20; ++i)
            store({double(i)});
        SatzLaden(3);
        QCOMPARE(EinfuegenVerschieben(), EinfuegenErgebnis::Voll);
        QCOMPARE(Belegt, 21);
        QCOMPARE(Liste[3].Wert, 3.0);
    }

    void unitWord()
    {
        Einheit_Wid = QStringLiteral("kOhm");
        QCOMPARE(Einheit_Wid, QStringLiteral("kOhm"));
        Einheit_Wid = QStringLiteral("Ohm");
    }
};

QTEST_APPLESS_MAIN(TestListState)
#include "tst_liststate.moc"
