// The calculator window's pair finder, driven through its real controls.
#include "app/AppWindows.h"
#include "calc/WidTabelle.h"
#include "calc/global_Wid.h"
#include "common/SystemColors.h"
#include "widgets/NumberEdit.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QAction>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace {

// Grid positions of the axis values.
const QStringList kColumns = {"1,0", "1,2", "1,5", "1,8", "2,2", "2,7", "3,3", "3,9", "4,7", "5,6", "6,8", "8,2",
                              "10",  "12",  "15",  "18",  "22",  "27",  "33",  "39",  "47",  "56",  "68",  "82",
                              "100", "120", "150", "180", "220", "270", "330", "390", "470", "560", "680", "820",
                              "1000", "1200", "1500", "1800", "2200", "2700", "3300", "3900", "4700", "5600",
                              "6800", "8200", "10000"};
int col(const QString &value) { return int(kColumns.indexOf(value)) + 1; }
int row(const QString &value) { return int(kColumns.indexOf(value)) + 1; }

QColor neutral() { return SystemColors::system(SystemColors::InfoBk); }

} // namespace

class TestWidTabelle : public QObject
{
    Q_OBJECT

    TFrm_Wid *w = nullptr;

    template <class T> T *find(const char *name) const
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }
    QString text(const char *label) const { return find<QLabel>(label)->text(); }
    TCellGrid *grid() const { return find<TCellGrid>("Grid1"); }
    QColor cellColor(int c, int r) const
    {
        return grid()->model()->data(grid()->model()->index(r, c), Qt::BackgroundRole).value<QColor>();
    }
    QString cellText(int c, int r) const
    {
        return grid()->model()->data(grid()->model()->index(r, c), Qt::DisplayRole).toString();
    }

    // Types a value as a user would: into the field, which selects its text on entry.
    void type(const char *field, const QString &value)
    {
        auto *edit = find<TNumberEdit>(field);
        edit->setFocus();
        edit->selectAll();
        if (value.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
        else QTest::keyClicks(edit, value);
    }
    void typeBoth(const QString &wanted, const QString &tolerance)
    {
        type("Edit_Proz", tolerance);
        type("Edit_Wid", wanted);
    }

    int countMarked(const QColor &color) const
    {
        int n = 0;
        for (int r = 1; r <= 43; ++r)
            for (int c = 1; c <= 49; ++c) n += cellColor(c, r) == color;
        return n;
    }

    // Moves the pointer over the middle of a matrix cell, scrolling it into view first.
    void hover(int c, int r)
    {
        grid()->setCurrentCell(c, r);
        const QRect rect = grid()->CellRect(c, r);
        QVERIFY(!rect.isEmpty());
        QTest::mouseMove(grid()->viewport(), rect.center());
    }

private slots:
    void initTestCase()
    {
        AppWindows::setUpApplication();
        w = Frm_Wid = new TFrm_Wid;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // Created for 73,0: the matrix is scrolled to its end, its last row and column in view
        // and current.
        QCOMPARE(grid()->Col(), 49);
        QCOMPARE(grid()->Row(), 43);
        QVERIFY(!grid()->CellRect(49, 43).isEmpty());
        QCOMPARE(grid()->horizontalScrollBar()->value(), grid()->horizontalScrollBar()->maximum());
        QCOMPARE(grid()->verticalScrollBar()->value(), grid()->verticalScrollBar()->maximum());
        QVERIFY(!find<QLabel>("Label7")->isVisible());
        QCOMPARE(find<QLabel>("Label_Wert")->text(), QString());
    }
    void cleanupTestCase() { delete w; }

    void init()
    {
        find<QRadioButton>("Auswahl1")->click();
        typeBoth(QStringLiteral("73"), QStringLiteral("5"));
    }

    void windowIsBuiltAsDesigned()
    {
        QCOMPARE(w->objectName(), QStringLiteral("Frm_Wid"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Version 3.0  Parallelschaltung von Widerständen"));
        QCOMPARE(text("Label9"), QStringLiteral("Anzeige : "));
        QCOMPARE(text("Label1"), QStringLiteral("gesuchter Widerstand"));
        QCOMPARE(find<QRadioButton>("Auswahl1")->text(), QStringLiteral("  Ohm"));
        QCOMPARE(find<QRadioButton>("Auswahl2")->text(), QStringLiteral("  kOhm"));
        QVERIFY(!find<QWidget>("Button1")->isVisible());
        QVERIFY(!find<QWidget>("Button2")->isVisible());
        QCOMPARE(find<QWidget>("Panel1")->height(), 91);
        QCOMPARE(find<QWidget>("Edit_Wid")->geometry(), QRect(650, 35, 59, 24));
        QCOMPARE(find<QWidget>("Edit_Proz")->geometry(), QRect(790, 35, 21, 24));
        QCOMPARE(find<QWidget>("Label_klein")->geometry(), QRect(80, 52, 33, 17));
        QCOMPARE(find<QWidget>("Label_gesamt")->geometry(), QRect(228, 52, 33, 17));
        QCOMPARE(SystemColors::background(find<QWidget>("Label_gesamt")),
                 SystemColors::system(SystemColors::GradientActiveCaption));
    }

    void matrixHasItsAxesAndBody()
    {
        QCOMPARE(grid()->ColCount(), 54);
        QCOMPARE(grid()->RowCount(), 47);
        QCOMPARE(cellText(1, 0), QStringLiteral("1,0"));
        QCOMPARE(cellText(49, 0), QStringLiteral("10000"));
        QCOMPARE(cellText(0, 43), QStringLiteral("3300"));
        QCOMPARE(cellText(0, 44), QStringLiteral("0"));
        QCOMPARE(cellText(53, 0), QString());
        QCOMPARE(grid()->ColWidths(0), 35);
        QCOMPARE(grid()->ColWidths(1), 22);
        QCOMPARE(grid()->ColWidths(49), 35);
        for (int c = 50; c <= 53; ++c) QCOMPARE(grid()->ColWidths(c), -1);
        for (int r = 44; r <= 46; ++r) QCOMPARE(grid()->RowHeights(r), -1);
        QCOMPARE(grid()->RowHeights(1), 15);
    }

    void matrixCellTexts_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("smallest") << "1,0" << "1,0" << "0,5";
        QTest::newRow("1,0 with 1,2") << "1,0" << "1,2" << "0,5";
        QTest::newRow("10 with 1,0") << "10" << "1,0" << "0,9";
        QTest::newRow("largest") << "10000" << "3300" << "2481,2";
        QTest::newRow("exact half up") << "10" << "390" << "9,8";
        QTest::newRow("exact half below") << "3,3" << "3,3" << "1,6";
        QTest::newRow("3,9 twice") << "3,9" << "3,9" << "1,9";
        QTest::newRow("27 with 33") << "27" << "33" << "14,8";
        QTest::newRow("33 with 27") << "33" << "27" << "14,8";
        QTest::newRow("1,5 twice") << "1,5" << "1,5" << "0,8";
    }
    void matrixCellTexts()
    {
        QFETCH(QString, column);
        QFETCH(QString, row);
        QFETCH(QString, shown);
        QCOMPARE(cellText(col(column), ::row(row)), shown);
    }

    void startValuesMarkFifteenCells()
    {
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->text(), QStringLiteral("73"));
        QCOMPARE(text("Label_Wid"), QStringLiteral(" % Toleranz ergibt einen Bereich\n von  69,35  bis  76,65  Ohm"));
        QCOMPARE(text("Label_klein"), QStringLiteral("6 x"));
        QCOMPARE(text("Label_gleich"), QStringLiteral("2 x"));
        QCOMPARE(text("Label_gross"), QStringLiteral("7 x"));
        QCOMPARE(text("Label_gesamt"), QStringLiteral("15 x"));
        QCOMPARE(text("Label_Wert"), QString());
        QCOMPARE(text("Label2"), QStringLiteral("Ohm   mit"));
        QCOMPARE(text("Label3"),
                 QStringLiteral("Widerstandsbereich : 0,5 Ohm bis 2.481 Ohm\nToleranzbereich      : ± 1 % bis 20 %"));
        QCOMPARE(cellText(0, 0), QStringLiteral("Ohm"));
        QCOMPARE(cellColor(col("270"), row("100")), SystemColors::chartreuse());
        QCOMPARE(cellColor(col("100"), row("270")), SystemColors::chartreuse());
        QCOMPARE(countMarked(SystemColors::aqua()), 6);
        QCOMPARE(countMarked(SystemColors::chartreuse()), 2);
        QCOMPARE(countMarked(SystemColors::lightRose()), 7);
        QCOMPARE(SystemColors::background(find<QWidget>("Label_klein")), SystemColors::aqua());
        QCOMPARE(SystemColors::background(find<QWidget>("Label_gleich")), SystemColors::chartreuse());
        QCOMPARE(SystemColors::background(find<QWidget>("Label_gross")), SystemColors::lightRose());
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->Color(), SystemColors::yellow());
    }

    void searchEdgeCases_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("tolerance");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QStringList>("counts"); // smaller, equal, greater, total
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("marked"); // coloured cells in the matrix
        const QString none = QStringLiteral("Werte nicht gefunden notfalls Toleranz erhöhen");
        QTest::newRow("100 at 1 %") << "100" << "1" << " von  99,00  bis  101,00  Ohm"
                                   << QStringList{"3 x", "0 x", "0 x", "3 x"} << "" << 3;
        QTest::newRow("largest accepted") << "2481,2" << "1" << " von  2.456,39  bis  2.506,01  Ohm"
                                          << QStringList{"0 x", "1 x", "0 x", "1 x"} << "" << 1;
        QTest::newRow("zero") << "0" << "5" << " von  0,00  bis  0,00  Ohm"
                              << QStringList{"0 x", "0 x", "0 x", "0 x"} << none << 0;
        QTest::newRow("1,5 at 5 %") << "1,5" << "5" << " von  1,43  bis  1,57  Ohm"
                                    << QStringList{"0 x", "60 x", "0 x", "60 x"} << "" << 60;
        QTest::newRow("0,5 at 5 %") << "0,5" << "5" << " von  0,47  bis  0,53  Ohm"
                                    << QStringList{"0 x", "3 x", "0 x", "3 x"} << "" << 3;
    }
    void searchEdgeCases()
    {
        QFETCH(QString, wanted);
        QFETCH(QString, tolerance);
        QFETCH(QString, band);
        QFETCH(QStringList, counts);
        QFETCH(QString, message);
        QFETCH(int, marked);
        typeBoth(wanted, tolerance);
        QCOMPARE(text("Label_Wid"), QStringLiteral(" % Toleranz ergibt einen Bereich\n") + band);
        QCOMPARE((QStringList{text("Label_klein"), text("Label_gleich"), text("Label_gross"), text("Label_gesamt")}),
                 counts);
        QCOMPARE(text("Label_Wert"), message);
        QCOMPARE(marked, 43 * 49 - countMarked(neutral()));
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->Color(), SystemColors::yellow());
    }

    void emptiedFieldCountsAsZeroOnceLeft()
    {
        type("Edit_Wid", QString());
        QCOMPARE(text("Label_gesamt"), QStringLiteral("15 x")); // still the last value while typing
        QTest::mouseClick(find<TNumberEdit>("Edit_Proz"), Qt::LeftButton);
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->text(), QStringLiteral("0,0"));
        QCOMPARE(text("Label_Wid"), QStringLiteral(" % Toleranz ergibt einen Bereich\n von  0,00  bis  0,00  Ohm"));
        QCOMPARE(text("Label_gesamt"), QStringLiteral("0 x"));
        QCOMPARE(text("Label_Wert"), QStringLiteral("Werte nicht gefunden notfalls Toleranz erhöhen"));
    }

    void pastedSecondDecimalIsSearchedAsTyped()
    {
        // The field takes one decimal from the keyboard, but a pasted text keeps its value.
        type("Edit_Proz", QStringLiteral("20"));
        auto *wanted = find<TNumberEdit>("Edit_Wid");
        wanted->setText(QStringLiteral("0,45"));
        QTest::mouseClick(wanted, Qt::LeftButton);
        QCOMPARE(text("Label_Wid"), QStringLiteral(" % Toleranz ergibt einen Bereich\n von  0,36  bis  0,54  Ohm"));
        QCOMPARE(text("Label_gross"), QStringLiteral("3 x"));
        QCOMPARE(text("Label_gesamt"), QStringLiteral("3 x"));
        QCOMPARE(cellColor(col("1,0"), row("1,0")), SystemColors::lightRose());
    }

    void halfInTheCellTextIsNotItsClass()
    {
        typeBoth(QStringLiteral("0,8"), QStringLiteral("1"));
        QCOMPARE(cellColor(col("1,5"), row("1,5")), neutral());
        typeBoth(QStringLiteral("0,7"), QStringLiteral("1"));
        QCOMPARE(cellColor(col("1,5"), row("1,5")), SystemColors::chartreuse());
    }

    void tooLargeIsRefusedButCounted()
    {
        typeBoth(QStringLiteral("2500"), QStringLiteral("5"));
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->Color(), SystemColors::red());
        QCOMPARE(text("Label_Wid"), QStringLiteral("% >Fehler: gesuchter Widerstand zu groß"));
        QCOMPARE(countMarked(neutral()), 43 * 49);
        QCOMPARE(text("Label_klein"), QStringLiteral("1 x"));
        QCOMPARE(text("Label_gleich"), QStringLiteral("0 x"));
        QCOMPARE(text("Label_gross"), QStringLiteral("0 x"));
        QCOMPARE(text("Label_gesamt"), QStringLiteral("1 x"));
        QCOMPARE(text("Label_Wert"), QString());
        // The next accepted value puts everything back.
        type("Edit_Wid", QStringLiteral("73"));
        QCOMPARE(find<TNumberEdit>("Edit_Wid")->Color(), SystemColors::yellow());
        QCOMPARE(text("Label_gesamt"), QStringLiteral("15 x"));
    }

    void toleranceIsCorrectedInTheField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("band");
        QTest::newRow("below 1") << "0" << "1" << " von  72,27  bis  73,73  Ohm";
        QTest::newRow("above 20") << "25" << "20" << " von  58,40  bis  87,60  Ohm";
    }
    void toleranceIsCorrectedInTheField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, band);
        type("Edit_Proz", typed);
        QCOMPARE(find<TNumberEdit>("Edit_Proz")->text(), shown);
        QCOMPARE(text("Label_Wid"), QStringLiteral(" % Toleranz ergibt einen Bereich\n") + band);
    }

    void wantedValueAboveSixtyScrollsToTheEnd()
    {
        type("Edit_Wid", QStringLiteral("60"));
        QCOMPARE(grid()->Col(), 1);
        QCOMPARE(grid()->Row(), 1);
        QCOMPARE(grid()->LeftCol(), 1);
        QCOMPARE(grid()->TopRow(), 1);
        type("Edit_Wid", QStringLiteral("60,1"));
        QCOMPARE(grid()->Col(), 49);
        QCOMPARE(grid()->Row(), 43);
        QVERIFY(!grid()->CellRect(49, 43).isEmpty());
        QCOMPARE(grid()->horizontalScrollBar()->value(), grid()->horizontalScrollBar()->maximum());
        QCOMPARE(grid()->verticalScrollBar()->value(), grid()->verticalScrollBar()->maximum());
        // Changing the tolerance does not move the matrix.
        grid()->setCurrentCell(1, 1);
        type("Edit_Proz", QStringLiteral("6"));
        QCOMPARE(grid()->Col(), 1);
    }

    void unitWordFollowsTheRadioButtons()
    {
        find<QRadioButton>("Auswahl2")->click();
        QCOMPARE(Einheit_Wid, QStringLiteral("kOhm"));
        QCOMPARE(cellText(0, 0), QStringLiteral("kOhm"));
        QVERIFY(text("Label3").startsWith(QStringLiteral("Widerstandsbereich : 0,5 kOhm bis 2.481 kOhm\n")));
        QCOMPARE(text("Label2"), QStringLiteral("kOhm   mit"));
        QVERIFY(text("Label_Wid").endsWith(QStringLiteral("  kOhm")));
        QCOMPARE(text("Label_gesamt"), QStringLiteral("15 x"));
        QCOMPARE(cellText(col("10000"), row("3300")), QStringLiteral("2481,2"));
        find<QRadioButton>("Auswahl1")->click();
        QCOMPARE(cellText(0, 0), QStringLiteral("Ohm"));
    }

    void readoutNamesThePairUnderThePointer()
    {
        auto *readout = find<QLabel>("Label7");
        hover(col("470"), row("82"));
        QVERIFY(readout->isVisible());
        QCOMPARE(SystemColors::background(readout), SystemColors::aqua());
        QCOMPARE(readout->text(), QStringLiteral(" Cursor  => 82 Ohm // 470 Ohm = 69,8 Ohm    ( Abweichung -4,4 % ) "));

        hover(col("10"), row("10"));
        QCOMPARE(SystemColors::background(readout), neutral());
        QCOMPARE(readout->text(), QStringLiteral(" Cursor  => 10 Ohm // 10 Ohm = 5,0 Ohm "));

        find<QRadioButton>("Auswahl2")->click();
        hover(col("470"), row("82"));
        QCOMPARE(readout->text(),
                 QStringLiteral(" Cursor  => 82 kOhm // 470 kOhm = 69,8 kOhm    ( Abweichung -4,4 % ) "));
    }

    void readoutOfAnEqualCellUsesTheShownValue()
    {
        typeBoth(QStringLiteral("0,7"), QStringLiteral("1"));
        hover(col("1,5"), row("1,5"));
        auto *readout = find<QLabel>("Label7");
        QCOMPARE(SystemColors::background(readout), SystemColors::chartreuse());
        QVERIFY(readout->text().endsWith(QStringLiteral("= 0,8 Ohm    ( Abweichung 14,3 % ) ")));
    }

    void readoutHidesOverHeadersAndFreeSurfaces()
    {
        auto *readout = find<QLabel>("Label7");
        hover(col("470"), row("82"));
        QVERIFY(readout->isVisible());
        // Over a label or a field of the panel it stays as it is.
        QTest::mouseMove(find<QWidget>("Label3"), QPoint(5, 5));
        QTest::mouseMove(find<QWidget>("Edit_Wid"), QPoint(5, 5));
        QVERIFY(readout->isVisible());
        QTest::mouseMove(find<QWidget>("Panel1"), QPoint(600, 85));
        QVERIFY(!readout->isVisible());

        hover(col("470"), row("82"));
        QTest::mouseMove(grid()->viewport(), QPoint(5, 5)); // the corner cell
        QVERIFY(!readout->isVisible());
        hover(col("470"), row("82"));
        QTest::mouseMove(grid()->viewport(), QPoint(grid()->CellRect(col("470"), row("82")).center().x(), 5));
        QVERIFY(!readout->isVisible());
    }

    void readoutNeverShowsADeviationForZero()
    {
        typeBoth(QStringLiteral("0"), QStringLiteral("5"));
        hover(col("470"), row("82"));
        QCOMPARE(find<QLabel>("Label7")->text(), QStringLiteral(" Cursor  => 82 Ohm // 470 Ohm = 69,8 Ohm "));
    }

    void showingTheWindowSetsTheUnitBackToOhmEverywhere()
    {
        find<QRadioButton>("Auswahl2")->click();
        w->resize(w->width() + 10, w->height());
        QCOMPARE(Einheit_Wid, QStringLiteral("kOhm"));
        QVERIFY(find<QRadioButton>("Auswahl2")->isChecked());
        w->hide();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(Einheit_Wid, QStringLiteral("Ohm"));
        QVERIFY(find<QRadioButton>("Auswahl1")->isChecked());
        QCOMPARE(cellText(0, 0), QStringLiteral("Ohm"));
    }

    void menuItemsHideTheWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("zum Hauptmenü") << "zurAuswahl2";
        QTest::newRow("Programm beenden") << "Programmbeenden1";
    }
    void menuItemsHideTheWindow()
    {
        QFETCH(QString, action);
        w->show();
        find<QAction>(qPrintable(action))->trigger();
        QVERIFY(!w->isVisible());
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void ctrlTabSwitchesPagesFromEveryControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("page");
        for (const char *name : {"Grid1", "Auswahl1", "Auswahl2", "Edit_Wid", "Edit_Proz"})
            QTest::newRow(name) << QString::fromLatin1(name) << 0;
        for (const char *name : {"Edit_R", "Btn_Neu", "Btn_Anfang", "Btn_minus", "Btn_plus", "Btn_Ende", "Btn_Entf",
                                 "DekoButton1", "CellGrid1"})
            QTest::newRow(name) << QString::fromLatin1(name) << 1;
    }
    void ctrlTabSwitchesPagesFromEveryControl()
    {
        QFETCH(QString, control);
        QFETCH(int, page);
        auto *pages = find<QTabWidget>("PageControl1");
        QWidget *c = find<QWidget>(qPrintable(control));
        for (const bool back : {false, true}) {
            pages->setCurrentIndex(page);
            c->setFocus();
            QVERIFY(c->hasFocus());
            QTest::keyClick(c, back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
            QCOMPARE(pages->currentIndex(), 1 - page);
        }
        pages->setCurrentIndex(0);
    }
};

QTEST_MAIN(TestWidTabelle)
#include "tst_widtabelle.moc"
