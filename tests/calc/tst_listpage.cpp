// The calculator window's list tab "Rges gesucht", driven through its real controls and
// real message boxes: the list state, the commands with their messages, the row with its
// markers, the total, and the reference table.
#include "BoxAnswerer.h"
#include "app/AppWindows.h"
#include "calc/ListPage.h"
#include "calc/WidTabelle.h"
#include "calc/global.h"
#include "common/SystemColors.h"
#include "widgets/DekoLabelRotated.h"
#include "widgets/NumInp.h"
#include "widgets/NumberEdit.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <cmath>
#include <vector>

namespace {

using Values = std::vector<double>;

// The values of the stored resistors, positions 1..Belegt-1.
Values stored()
{
    Values out;
    for (qint32 p = 1; p < Belegt; ++p)
        out.push_back(Liste[p].Wert);
    return out;
}

const QString kFehler = QStringLiteral("Fehler");
const QString kInformation = QStringLiteral("Information");

} // namespace

class TestListPage : public QObject
{
    Q_OBJECT

    TFrm_Wid *w = nullptr;
    BoxAnswerer *boxes = nullptr;

    Ui::TFrm_Wid &ui() const { return w->ui; }
    template <class T> T *find(const QString &name) const
    {
        T *c = w->findChild<T *>(name);
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLabel *image(int n) const { return find<QLabel>(QStringLiteral("Image%1").arg(n)); }
    QLabel *nr(int n) const { return find<QLabel>(QStringLiteral("Nr_R_%1").arg(n)); }
    DekoLabelRotated *einheit(int n) const { return find<DekoLabelRotated>(QStringLiteral("E_%1").arg(n)); }
    DekoLabelRotated *wert(int n) const { return find<DekoLabelRotated>(QStringLiteral("R_%1_Text").arg(n)); }
    QString total() const { return ui().Edit_ges->text(); }
    QString entry() const { return ui().Edit_R->text(); }

    // The window again takes the keyboard after a message box (the offscreen platform does
    // not give the activation back by itself).
    void reactivate()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    // Types a value into the entry field as a user would; the field selects its text on entry.
    void type(const QString &value)
    {
        ui().Edit_R->setFocus();
        ui().Edit_R->selectAll();
        QTest::keyClicks(ui().Edit_R, value);
    }

    // Types each value and stores it with "Ok und neu".
    void store(const Values &values)
    {
        for (double v : values) {
            type(QString::number(v, 'f', 0));
            ui().Btn_Neu->click();
        }
    }

    void checkNoBoxes()
    {
        QCOMPARE(boxes->seen().size(), 0);
        QCOMPARE(boxes->unexpected(), 0);
    }

    // The last box seen: its kind (title), text (line breaks shown as such) and buttons.
    void checkBox(int index, const QString &title, const QString &text, const QStringList &buttons)
    {
        QVERIFY(boxes->seen().size() > index);
        const BoxAnswerer::Box &box = boxes->seen().at(index);
        QCOMPARE(box.title, title);
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, buttons);
        QCOMPARE(box.icon, title == kFehler ? QMessageBox::Critical : QMessageBox::Information);
    }

    void checkInvariants()
    {
        QVERIFY(1 <= Aktuell);
        QVERIFY(Aktuell <= Belegt);
        QVERIFY(Belegt <= 21);
    }

    // A horizontal design position in the window's current width (design width 1100),
    // rounded halves to even.
    int atScale(int designX) const { return int(std::nearbyint(designX * w->width() / 1100.0)); }

    // The markers and captions for the current position k.
    void checkMarkers(int k)
    {
        QCOMPARE(Aktuell, k);
        QCOMPARE(ui().Image21->x(), atScale(32 * k + 49));
        QCOMPARE(ui().Image21->width(), atScale(32));
        QCOMPARE(ui().Image23->x(), atScale(32 * k + 59));
        QCOMPARE(ui().Label_Nr->text(), QString::number(k) + QLatin1Char('.'));
        QCOMPARE(ui().Btn_Entf->text(), QStringLiteral("Nr. %1 entfernen").arg(k));
        QCOMPARE(ui().Btn_Einf->text(), QStringLiteral("vor Nr. %1 einfügen").arg(k));
        QCOMPARE(ui().Btn_Anders->text(), QStringLiteral("Nr. %1 ändern").arg(k));
        QCOMPARE(ui().NumInp1->Value(), static_cast<long double>(Belegt));
        QCOMPARE(ui().NumInp2->Value(), static_cast<long double>(k));
        QVERIFY(!ui().Image22->isVisible());
        if (k == Belegt) {
            QCOMPARE(ui().Label16->text(), QString::number(k));
            QCOMPARE(ui().Label17->text(), QStringLiteral("(neu)"));
            QCOMPARE(ui().Label16->x(), atScale(32 * k + 55));
            QCOMPARE(ui().Label17->x(), atScale(32 * k + 53));
        } else {
            QCOMPARE(ui().Label16->text(), QString());
            QCOMPARE(ui().Label17->text(), QString());
        }
    }

    // The row shows exactly the stored resistors, at their pitch.
    void checkRow()
    {
        for (int n = 1; n <= 20; ++n) {
            const bool shown = n < Belegt;
            QCOMPARE(image(n)->isVisible(), shown);
            QCOMPARE(einheit(n)->isVisible(), shown);
            QCOMPARE(wert(n)->isVisible(), shown);
            if (!shown) {
                QCOMPARE(nr(n)->text(), QString());
                QCOMPARE(einheit(n)->text(), QString());
                QCOMPARE(wert(n)->text(), QString());
                continue;
            }
            QCOMPARE(nr(n)->text(), QString::number(n));
            QCOMPARE(einheit(n)->text(), QStringLiteral("Ohm"));
            QCOMPARE(image(n)->geometry(), QRect(32 * n + 49, 156, 32, 32));
            QCOMPARE(nr(n)->pos(), QPoint(32 * n + 58, 191));
            QCOMPARE(einheit(n)->pos(), QPoint(32 * n + 58, 21));
            QCOMPARE(wert(n)->pos(), QPoint(32 * n + 58, 67));
        }
        QCOMPARE(ui().Label_R_1->text(), QString());
    }

    TCellGrid *table() const { return ui().CellGrid1; }
    QVariant cell(int c, int r, int role) const
    {
        return table()->model()->data(table()->model()->index(r, c), role);
    }

private slots:
    void initTestCase()
    {
        AppWindows::setUpApplication();
        w = Frm_Wid = new TFrm_Wid;
        // After creation, before the first showing.
        QCOMPARE(Belegt, 1);
        QCOMPARE(Aktuell, 1);
        QCOMPARE(ArbeitsSatz, LeerSatz);
        w->show();
        w->showPage(1);
        QVERIFY(QTest::qWaitForWindowActive(w));
        boxes = new BoxAnswerer;
    }
    void cleanupTestCase()
    {
        delete boxes;
        delete w;
    }

    void init()
    {
        ui().DekoButton1->click();
        delete boxes;
        boxes = new BoxAnswerer;
        reactivate();
    }
    void cleanup()
    {
        QCOMPARE(boxes->unexpected(), 0);
        checkInvariants();
    }

    // ---- State after creation and the tab's controls ----

    void emptyListAfterCreation()
    {
        QCOMPARE(Belegt, 1);
        QCOMPARE(Aktuell, 1);
        QCOMPARE(Liste[1], LeerSatz);
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(ui().edit_0hm->currentIndex(), 0);
        QCOMPARE(ui().edit_0hm->currentText(), QStringLiteral("Ohm"));
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
        checkRow();
        checkMarkers(1);
        for (QWidget *hidden :
             {static_cast<QWidget *>(ui().Label5), static_cast<QWidget *>(ui().Label6),
              static_cast<QWidget *>(ui().NumInp1), static_cast<QWidget *>(ui().NumInp2),
              static_cast<QWidget *>(ui().Btn_Einf), static_cast<QWidget *>(ui().Btn_Anders),
              static_cast<QWidget *>(ui().edit_0hm), static_cast<QWidget *>(ui().Image22)})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    }

    void controlsAreSetUp()
    {
        auto *e = ui().Edit_R;
        QCOMPARE(e->EditType(), TNumberEdit::etFloat);
        QCOMPARE(e->EditPrecision(), 2);
        QCOMPARE(e->Decimal(), TNumberEdit::spComma);
        QVERIFY(e->UseThousandSeparator());
        QCOMPARE(e->Alignment(), TNumberEdit::taRightJustify);
        QCOMPARE(e->ColorOnFocus(), SystemColors::yellow());
        QCOMPARE(e->ColorOnNoFocus(), SystemColors::yellow());
        QCOMPARE(e->FontOnNoFocus().pixelSize(), 13);
        QVERIFY(e->FontOnNoFocus().bold());
        QCOMPARE(e->MinValue(), 0.0);
        QCOMPARE(e->MaxValue(), 0.0);

        for (TNumInp *n : {ui().NumInp1, ui().NumInp2}) {
            QCOMPARE(n->Datatype(), TNumInp::dtInteger);
            QCOMPARE(n->Decimals(), 0);
            QVERIFY(n->isReadOnly());
            QVERIFY(!(n->focusPolicy() & Qt::TabFocus));
            QCOMPARE(n->Alignment(), TNumInp::taRightJustify);
            QCOMPARE(n->Color(), SystemColors::moneyGreen());
            QCOMPARE(n->NegativeColor(), QColor(Qt::black));
            QVERIFY(!n->Validate());
        }
        QCOMPARE(ui().edit_0hm->count(), 3);
        QCOMPARE(ui().edit_0hm->itemText(0), QStringLiteral("Ohm"));
        QCOMPARE(ui().edit_0hm->itemText(1), QStringLiteral("k Ohm"));
        QCOMPARE(ui().edit_0hm->itemText(2), QStringLiteral("M Ohm"));
        QCOMPARE(SystemColors::background(ui().Edit_ges), SystemColors::lime());
        QVERIFY(ui().Edit_ges->alignment() & Qt::AlignRight);
        QVERIFY(ui().Edit_ges->font().bold());
        QCOMPARE(ui().Image22->x(), 720);
        QVERIFY(!ui().Image1->pixmap().isNull());
        QVERIFY(!ui().Image21->pixmap().isNull());
        QVERIFY(!ui().Image23->pixmap().isNull());
        QCOMPARE(ui().Btn_Neu->text(), QStringLiteral("Ok und neu"));
        QCOMPARE(ui().Btn_Anfang->text(), QStringLiteral("|<"));
        QCOMPARE(ui().Btn_minus->text(), QStringLiteral("<"));
        QCOMPARE(ui().Btn_plus->text(), QStringLiteral(">"));
        QCOMPARE(ui().Btn_Ende->text(), QStringLiteral(">|"));
    }

    // ---- "Ok und neu" ----

    void zeroIsRefused()
    {
        ui().Btn_Neu->setFocus();
        boxes->answer("OK");
        ui().Btn_Neu->click();
        checkBox(0, kFehler, QStringLiteral("bitte Widerstandswert eingeben"), {"OK"});
        QCOMPARE(w->focusWidget(), ui().Edit_R);
        QCOMPARE(Belegt, 1);
        QCOMPARE(Aktuell, 1);
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
    }

    void negativeIsRefusedLikeZero()
    {
        store({100});
        reactivate();
        type(QStringLiteral("-5"));
        QCOMPARE(ui().Edit_R->ValueFloat(), -5.0);
        ui().Btn_Neu->setFocus();
        boxes->answer("OK");
        ui().Btn_Neu->click();
        checkBox(0, kFehler, QStringLiteral("bitte Widerstandswert eingeben"), {"OK"});
        QCOMPARE(w->focusWidget(), ui().Edit_R);
        QCOMPARE(stored(), Values{100});
        QCOMPARE(Aktuell, 2);
        QCOMPARE(total(), QStringLiteral(" 100,00  Ohm  "));
    }

    void hundredIsStored()
    {
        type(QStringLiteral("100"));
        ui().Btn_Neu->click();
        checkNoBoxes();
        QCOMPARE(Liste[1], (Datensatz{QStringLiteral("Ohm"), 100.0, 0}));
        QCOMPARE(Belegt, 2);
        QCOMPARE(Liste[2], LeerSatz);
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(total(), QStringLiteral(" 100,00  Ohm  "));
        QCOMPARE(wert(1)->text(), QStringLiteral("100,00"));
        checkRow();
        checkMarkers(2);
    }

    void valuesShowWithThousandsSeparators()
    {
        store({4700});
        QCOMPARE(wert(1)->text(), QStringLiteral("4.700,00"));
        QCOMPARE(einheit(1)->text(), QStringLiteral("Ohm"));
    }

    void okAtAStoredResistorStoresTheChange()
    {
        store({100, 200, 300});
        ui().Btn_Anfang->click();
        ui().Btn_plus->click();
        type(QStringLiteral("250"));
        ui().Btn_Neu->click();
        QCOMPARE(stored(), (Values{100, 250, 300}));
        QCOMPARE(Belegt, 4);
        checkMarkers(4);
        QCOMPARE(entry(), QStringLiteral("0,00"));
    }

    // ---- Navigation ----

    void navigationKeepsTheNewSlot()
    {
        store({100, 200, 300});
        type(QStringLiteral("55"));
        ui().Btn_minus->click();
        checkMarkers(3);
        QCOMPARE(Liste[4].Wert, 55.0);
        QCOMPARE(entry(), QStringLiteral("300,00"));
        QCOMPARE(total(), QStringLiteral(" 54,55  Ohm  ")); // the new slot never counts
        ui().Btn_plus->click();
        checkMarkers(4);
        QCOMPARE(entry(), QStringLiteral("55,00"));
        checkNoBoxes();
    }

    void navigationStoresTypedValuesUnchecked()
    {
        store({100, 200, 300});
        ui().Btn_Anfang->click();
        ui().Btn_plus->click();
        checkMarkers(2);
        QCOMPARE(entry(), QStringLiteral("200,00"));
        type(QStringLiteral("250"));
        ui().Btn_plus->click();
        QCOMPARE(stored(), (Values{100, 250, 300}));
        QCOMPARE(total(), QStringLiteral(" 57,69  Ohm  ")); // at once
        ui().Btn_minus->click();
        type(QStringLiteral("0"));
        ui().Btn_plus->click();
        QCOMPARE(stored(), (Values{100, 0, 300}));
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
        checkNoBoxes();
    }

    void boundariesDoNothingNotEvenStore()
    {
        store({100, 200, 300});
        type(QStringLiteral("77"));
        ui().Btn_plus->click(); // at the new slot
        checkMarkers(4);
        QCOMPARE(Liste[4], LeerSatz);
        QCOMPARE(entry(), QStringLiteral("77"));
        ui().Btn_Anfang->click();
        checkMarkers(1);
        type(QStringLiteral("999"));
        ui().Btn_minus->click(); // at position 1
        checkMarkers(1);
        QCOMPARE(Liste[1].Wert, 100.0);
        QCOMPARE(entry(), QStringLiteral("999"));
    }

    void firstAndLast()
    {
        store({100, 200, 300});
        ui().Btn_Anfang->click();
        checkMarkers(1);
        ui().Btn_Ende->click();
        checkMarkers(3);
        QCOMPARE(entry(), QStringLiteral("300,00"));
    }

    void lastOnAnEmptyListStaysAtTheNewSlot()
    {
        type(QStringLiteral("12"));
        ui().Btn_Ende->click();
        checkMarkers(1);
        QCOMPARE(Belegt, 1);
        QCOMPARE(Liste[1], LeerSatz);
        ui().Btn_Anfang->click();
        checkMarkers(1);
        checkNoBoxes();
    }

    void numbersAndPicturesSelect()
    {
        store({100, 200, 300});
        type(QStringLiteral("5"));
        QTest::mouseClick(nr(2), Qt::LeftButton);
        checkMarkers(2);
        QCOMPARE(Liste[4].Wert, 5.0); // the new slot's typed value was stored
        QCOMPARE(entry(), QStringLiteral("200,00"));
        QTest::mouseClick(image(1), Qt::LeftButton);
        checkMarkers(1);
        QTest::mouseClick(image(3), Qt::RightButton);
        checkMarkers(1);
        QTest::mouseClick(nr(3), Qt::LeftButton);
        checkMarkers(3);
        checkRow();
    }

    void emptyNumbersDoNotRespond()
    {
        store({100, 200});
        ui().Btn_Anfang->click();
        // The new slot's number and the ones behind it show nothing and do nothing.
        for (int n : {3, 4, 20}) {
            QVERIFY(nr(n)->isVisible());
            QCOMPARE(nr(n)->text(), QString());
            QTest::mouseClick(nr(n), Qt::LeftButton);
            checkMarkers(1);
        }
        QCOMPARE(Belegt, 3);
    }

    // ---- "entfernen" ----

    void removeInTheMiddle()
    {
        store({100, 200, 300});
        QTest::mouseClick(nr(2), Qt::LeftButton);
        type(QStringLiteral("999")); // unsaved, dropped
        boxes->answer("&Ja");
        ui().Btn_Entf->click();
        checkBox(0, kInformation, QStringLiteral("Widerstand wirklich entfernen?"), {"&Ja", "&Nein"});
        QCOMPARE(boxes->seen().at(0).defaultButton, QStringLiteral("&Ja"));
        QCOMPARE(boxes->seen().at(0).escapeButton, QStringLiteral("&Nein"));
        QCOMPARE(stored(), (Values{100, 300}));
        QCOMPARE(Belegt, 3);
        checkMarkers(2);
        QCOMPARE(entry(), QStringLiteral("300,00"));
        // The new slot's record moved down (navigation had stored the entry field there).
        QCOMPARE(Liste[3].Wert, 0.0);
        QCOMPARE(total(), QStringLiteral(" 75,00  Ohm  "));
        checkRow();
    }

    void removeAtTheEnd()
    {
        store({100, 200, 300});
        ui().Btn_Ende->click();
        boxes->answer("&Ja");
        ui().Btn_Entf->click();
        QCOMPARE(stored(), (Values{100, 200}));
        checkMarkers(3); // now the new slot
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(boxes->seen().size(), 1);
    }

    void removeAtTheNewSlot()
    {
        store({100, 200});
        type(QStringLiteral("33"));
        boxes->answer("&Ja");
        boxes->answer("OK");
        ui().Btn_Entf->click();
        checkBox(1, kInformation,
                 QStringLiteral("Ein noch nicht angelegter Widerstand\nkann auch nicht gelöscht werden."),
                 {"OK"});
        // Then "<": the typed value went into the new slot's record.
        QCOMPARE(stored(), (Values{100, 200}));
        QCOMPARE(Liste[3].Wert, 33.0);
        checkMarkers(2);
    }

    void removeTheOnlyOneEmptiesTheList_data()
    {
        QTest::addColumn<bool>("atNewSlot");
        QTest::newRow("at the new slot") << true;
        QTest::newRow("at the resistor") << false;
    }
    void removeTheOnlyOneEmptiesTheList()
    {
        QFETCH(bool, atNewSlot);
        store({100});
        if (!atNewSlot) ui().Btn_Anfang->click();
        boxes->answer("&Ja");
        ui().Btn_Entf->click();
        QCOMPARE(boxes->seen().size(), 1);
        QCOMPARE(Belegt, 1);
        checkMarkers(1);
        QCOMPARE(Liste[1], LeerSatz);
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
        checkRow();
    }

    void onlyYesRemoves_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("Nein") << "&Nein";
        QTest::newRow("Escape") << "<Escape>";
        QTest::newRow("closed") << "<Close>";
    }
    void onlyYesRemoves()
    {
        QFETCH(QString, answer);
        store({100, 200, 300});
        QTest::mouseClick(nr(2), Qt::LeftButton);
        boxes->answer(answer);
        ui().Btn_Entf->click();
        QCOMPARE(boxes->seen().size(), 1);
        QCOMPARE(stored(), (Values{100, 200, 300}));
        checkMarkers(2);
    }

    // ---- The full list ----

    void twentyStoredAndATwentyFirst()
    {
        Values values;
        for (int i = 1; i <= 20; ++i)
            values.push_back(10 * i);
        store(values);
        checkNoBoxes();
        QCOMPARE(Belegt, 21);
        QCOMPARE(stored(), values);
        checkRow();
        checkMarkers(21);
        QCOMPARE(ui().Image21->x(), 721);
        QCOMPARE(ui().Image23->x(), 731);
        QCOMPARE(ui().Btn_Entf->text(), QStringLiteral("Nr. 21 entfernen"));

        type(QStringLiteral("47"));
        boxes->answer("OK");
        ui().Btn_Neu->click();
        checkBox(0, kFehler, QStringLiteral("Nur maximal 20 Widerstände zulässig!"), {"OK"});
        QCOMPARE(stored(), values);
        QCOMPARE(Belegt, 21);
        checkMarkers(19);
        QCOMPARE(entry(), QStringLiteral("190,00"));
        QCOMPARE(SatzAn(21), LeerSatz);

        // From position 20, ">" reaches the new slot 21 and "entfernen" there goes back.
        ui().Btn_Ende->click();
        checkMarkers(20);
        ui().Btn_plus->click();
        checkMarkers(21);
        type(QStringLiteral("5"));
        boxes->answer("&Ja");
        boxes->answer("OK");
        ui().Btn_Entf->click();
        QCOMPARE(boxes->seen().size(), 3);
        checkMarkers(20);
        QCOMPARE(stored(), values); // the value typed at 21 has no record
    }

    void removeFromTheFullList()
    {
        Values values;
        for (int i = 1; i <= 20; ++i)
            values.push_back(i);
        store(values);
        QTest::mouseClick(nr(5), Qt::LeftButton);
        boxes->answer("&Ja");
        ui().Btn_Entf->click();
        values.erase(values.begin() + 4);
        QCOMPARE(stored(), values);
        QCOMPARE(Belegt, 20);
        QCOMPARE(Liste[20], LeerSatz);
        checkMarkers(5);
        checkRow();
    }

    // ---- The total ----

    void totalTexts_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("1000 || 1000") << Values{1000, 1000} << " 500,00  Ohm  ";
        QTest::newRow("999") << Values{999} << " 999,00  Ohm  ";
        QTest::newRow("1500") << Values{1500} << " 1,50  kOhm  ";
        QTest::newRow("999999") << Values{999999} << " 1.000,00  kOhm  ";
        QTest::newRow("above 999999") << Values{1000000} << " 1,00  MOhm  ";
        QTest::newRow("2000000000") << Values{2000000000} << " 2.000,00  MOhm  ";
        QTest::newRow("4700 || 4700") << Values{4700, 4700} << " 2,35  kOhm  ";
    }
    void totalTexts()
    {
        QFETCH(Values, values);
        QFETCH(QString, text);
        store(values);
        checkNoBoxes();
        QCOMPARE(stored(), values);
        QCOMPARE(total(), text);
    }

    void undefinedTotalsShowZero_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("0 with 0") << "0"
                                  << "0";
        QTest::newRow("cancelling") << "100"
                                    << "-100";
    }
    void undefinedTotalsShowZero()
    {
        // Such values reach the list only through the save step of navigation.
        QFETCH(QString, first);
        QFETCH(QString, second);
        store({100, 200, 300});
        ui().Btn_Anfang->click();
        type(first);
        ui().Btn_plus->click();
        type(second);
        ui().Btn_plus->click();
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
    }

    // ---- The hidden buttons' commands ----

    void insertBeforeAStoredResistor()
    {
        store({100, 200, 300});
        QTest::mouseClick(nr(2), Qt::LeftButton);
        ui().Btn_Einf->click();
        checkNoBoxes();
        QCOMPARE(Belegt, 5);
        QCOMPARE(stored(), (Values{100, 200, 200, 300}));
        checkMarkers(2);
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(wert(2)->text(), QStringLiteral("neu"));
        type(QStringLiteral("150"));
        ui().Btn_Neu->click();
        QCOMPARE(stored(), (Values{100, 150, 200, 300}));
        checkMarkers(5);
    }

    void insertAtTheNewSlot()
    {
        store({100, 200, 300});
        boxes->answer("OK");
        ui().Btn_Einf->click();
        checkBox(
            0, kInformation,
            QStringLiteral(
                "Der 4. Widerstand ist noch nicht angelegt!\nDeshalb kann auch nichts eingefügt werden."),
            {"OK"});
        checkMarkers(3);
        QCOMPARE(Belegt, 4);
    }

    void insertIntoTheFullListIsRefused()
    {
        Values values;
        for (int i = 1; i <= 20; ++i)
            values.push_back(i);
        store(values);
        QTest::mouseClick(nr(3), Qt::LeftButton);
        boxes->answer("OK");
        ui().Btn_Einf->click();
        checkBox(0, kFehler, QStringLiteral("Nur maximal 20 Widerstände zulässig!"), {"OK"});
        QCOMPARE(stored(), values);
        checkMarkers(3);
    }

    void changeAtTheNewSlot()
    {
        store({100});
        ui().Btn_Neu->setFocus();
        boxes->answer("OK");
        ui().Btn_Anders->click();
        checkBox(0, kInformation,
                 QStringLiteral(
                     "Der 2. Widerstand ist noch nicht angelegt!\nDeshalb kann auch nichts geändert werden.\n"
                     "Widerstandswert bitte eingeben."),
                 {"OK"});
        QCOMPARE(w->focusWidget(), ui().Edit_R);
        checkMarkers(2);
    }

    void changeAStoredResistor()
    {
        store({100, 200});
        ui().Btn_Anfang->click();
        type(QStringLiteral("150"));
        ui().Btn_Anders->click();
        checkNoBoxes();
        QCOMPARE(stored(), (Values{150, 200}));
        checkMarkers(3);
    }

    // ---- Clear-all, typing, and the window's resets ----

    void clearAllAsksNothing()
    {
        store({100, 200, 300});
        QTest::mouseClick(nr(2), Qt::LeftButton);
        ui().DekoButton1->click();
        checkNoBoxes();
        QCOMPARE(Belegt, 1);
        checkMarkers(1);
        QCOMPARE(entry(), QStringLiteral("0,00"));
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
        checkRow();
        QCOMPARE(ui().DekoButton1->text(), QStringLiteral(" alle Eingabe-\nwerte löschen "));
    }

    void typingRunsOnlyTheSearch()
    {
        store({100});
        QSignalSpy search(w->ListPage, &TListPage::searchRequested);
        type(QStringLiteral("47"));
        QCOMPARE(search.size(), 2);
        QCOMPARE(stored(), Values{100});
        QCOMPARE(Liste[2], LeerSatz);
    }

    void resizeAndRestoreKeepTheListHideAndShowEmptiesIt()
    {
        store({100, 200});
        w->resize(w->width() + 20, w->height() + 10);
        QCoreApplication::processEvents();
        QCOMPARE(stored(), (Values{100, 200}));
        // A restore from the task bar is a show event from the system.
        QShowEvent restored;
        QSpontaneKeyEvent::setSpontaneous(&restored);
        QCoreApplication::instance()->notify(w, &restored); // sendEvent would make it non-spontaneous
        QCOMPARE(stored(), (Values{100, 200}));
        QCOMPARE(total(), QStringLiteral(" 66,67  Ohm  "));
        w->hide();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(Belegt, 1);
        QCOMPARE(total(), QStringLiteral(" 0,00  Ohm  "));
        checkMarkers(1);
        w->resize(w->width() - 20, w->height() - 10);
    }

    // In a window half as large again the row keeps its pitch at the window's scale:
    // pictures, numbers and value boxes stay together and clear of the reference table,
    // after the resize and after each command.
    void rowFollowsAScaledWindow()
    {
        const QSize design = w->size();
        w->resize(design * 3 / 2);
        QCoreApplication::processEvents();
        store({100, 200, 300});
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(image(n)->geometry(), QRect(atScale(32 * n + 49), 234, 48, 48));
            for (QWidget *c : std::initializer_list<QWidget *>{nr(n), einheit(n), wert(n)})
                QCOMPARE(c->x(), atScale(32 * n + 58));
            QVERIFY(qAbs(wert(n)->geometry().center().x() - image(n)->geometry().center().x()) <= 2);
        }
        QVERIFY(atScale(32 * 21 + 49) + 48 < ui().Shape1->x());
        checkMarkers(4);
        ui().Btn_minus->click();
        checkMarkers(3);
        w->resize(design);
        QCoreApplication::processEvents();
        QCOMPARE(image(2)->x(), 32 * 2 + 49);
        checkMarkers(3);
    }

    // ---- The reference table ----

    void referenceTableLayout()
    {
        QCOMPARE(ui().Panel2->geometry(), QRect(872, 18, 173, 546));
        QCOMPARE(SystemColors::background(ui().Panel2),
                 SystemColors::system(SystemColors::GradientInactiveCaption));
        QCOMPARE(ui().Shape1->width(), 3);
        QCOMPARE(SystemColors::background(ui().Shape1), SystemColors::blue());
        QVERIFY(ui().Shape1->x() + 3 <= ui().Panel2->x());
        QCOMPARE(table()->ColCount(), 3);
        QCOMPARE(table()->RowCount(), 27);
        QCOMPARE(table()->FixedCols(), 0);
        QCOMPARE(table()->FixedRows(), 2);
        QCOMPARE(table()->ColWidths(0), 56);
        QCOMPARE(table()->ColWidths(1), 56);
        QCOMPARE(table()->ColWidths(2), 58);
        for (int r = 0; r < 27; ++r)
            QCOMPARE(table()->RowHeights(r), 20);
        QCOMPARE(table()->Options(),
                 TCellGrid::GridOptions(TCellGrid::goFixedVertLine | TCellGrid::goVertLine));
        QCOMPARE(table()->ScrollBars(), TCellGrid::ssNone);
        QVERIFY(!table()->Editable());
        QVERIFY(!table()->DrawSelection());
        QVERIFY(table()->ShowCellHints());
        QCOMPARE(table()->Color(), SystemColors::system(SystemColors::BtnFace));
        QCOMPARE(table()->FixedColor(), SystemColors::system(SystemColors::BtnShadow));
    }

    void referenceTableTexts()
    {
        const QStringList e24 = {"10", "11", "12", "13", "15", "16", "18", "20", "22", "24", "27", "30", "33",
                                 "36", "39", "43", "47", "51", "56", "62", "68", "75", "82", "91", "100"};
        const QStringList heads = {"E 6", "E 12", "E 24"};
        const QStringList tolerances = {"20 %", "10 %", "5 %"};
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(cell(c, 0, Qt::DisplayRole).toString(), heads[c]);
            QCOMPARE(cell(c, 1, Qt::DisplayRole).toString(), tolerances[c]);
            const int step = c == 0 ? 4 : c == 1 ? 2 : 1;
            for (int r = 2; r <= 26; ++r) {
                const QString expected = (r - 2) % step == 0 ? e24[r - 2] : QString();
                QCOMPARE(cell(c, r, Qt::DisplayRole).toString(), expected);
            }
        }
        for (int r = 2; r <= 26; ++r)
            if (!cell(0, r, Qt::DisplayRole).toString().isEmpty()) {
                QCOMPARE(cell(1, r, Qt::DisplayRole), cell(0, r, Qt::DisplayRole));
                QCOMPARE(cell(2, r, Qt::DisplayRole), cell(0, r, Qt::DisplayRole));
            }
    }

    void referenceTableColours()
    {
        const QColor value(255, 255, 223), gap(230, 230, 230);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(cell(c, 0, Qt::BackgroundRole).value<QColor>(), QColor(157, 157, 157));
            QCOMPARE(cell(c, 1, Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
        }
        for (int r = 2; r <= 26; ++r) {
            QCOMPARE(cell(0, r, Qt::BackgroundRole).value<QColor>(), (r - 2) % 4 == 0 ? value : gap);
            QCOMPARE(cell(1, r, Qt::BackgroundRole).value<QColor>(), r % 2 == 0 ? value : gap);
            const QColor e24 =
                r % 2 == 0 ? value : (r % 4 == 3 ? QColor(254, 255, 225) : QColor(255, 255, 225));
            QCOMPARE(cell(2, r, Qt::BackgroundRole).value<QColor>(), e24);
        }
        // Rows 5, 9, .. 25 take their colour from the row.
        for (int r = 5; r <= 25; r += 4) {
            QVERIFY(!table()->Props(TCellGrid::PropTable::Cell, 2, r));
            QVERIFY(table()->Props(TCellGrid::PropTable::Row, r));
        }
    }

    void referenceTableFontsAndAlignment()
    {
        const auto check = [this](int c, int r, int height, const QColor &colour) {
            const TMyFont &f = table()->CellFont(c, r);
            QCOMPARE(f.height(), -height);
            QCOMPARE(f.name(), QStringLiteral("MS Sans Serif"));
            QVERIFY(f.style() & fsBold);
            QCOMPARE(cell(c, r, Qt::ForegroundRole).value<QColor>(), colour);
            QCOMPARE(cell(c, r, Qt::FontRole).value<QFont>().pixelSize(), height);
            QVERIFY(cell(c, r, Qt::FontRole).value<QFont>().bold());
        };
        const QColor text = SystemColors::system(SystemColors::WindowText);
        for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}})
            check(c, r, 13, text);
        for (int r = 2; r <= 26; ++r) {
            check(0, r, 11, text);
            check(1, r, 11, SystemColors::blue());
            check(2, r, 11, text);
        }
        // "E 6" is drawn in the fixed cells' font.
        QVERIFY(table()->CellFont(0, 0) == table()->FixedFont());
        for (int r = 0; r <= 26; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(cell(c, r, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                         int(Qt::AlignHCenter));
        QCOMPARE(table()->CellWordwrap(0, 0), ww_wordwrap);
        QCOMPARE(table()->CellWordwrap(0, 1), ww_none);
    }

    void referenceTableHints()
    {
        const QList<std::pair<int, QString>> hints = {
            {2, "   8 ... 12   "}, {6, "  12 ... 18   "}, {10, " 18 ... 26  "}, {14, " 26 ... 40  "},
            {18, " 38 ... 56  "},  {22, " 54 ... 82  "},  {26, " 80 ... 120  "}};
        for (const auto &[r, hint] : hints)
            QCOMPARE(cell(0, r, Qt::ToolTipRole).toString(), hint);
        // The same rule for all seven: the value's band of plus and minus 20 %, rounded.
        for (const auto &[r, hint] : hints) {
            const double v = cell(0, r, Qt::DisplayRole).toString().toDouble();
            const QStringList parts = hint.simplified().split(QStringLiteral(" ... "));
            QCOMPARE(parts.value(0).toInt(), qRound(v * 0.8));
            QCOMPARE(parts.value(1).toInt(), qRound(v * 1.2));
        }
        int withHint = 0;
        for (int r = 0; r <= 26; ++r)
            for (int c = 0; c < 3; ++c)
                withHint += cell(c, r, Qt::ToolTipRole).isValid();
        QCOMPARE(withHint, 7);
    }

    void referenceTableIgnoresClicksAndTyping()
    {
        QStringList before;
        for (int r = 0; r <= 26; ++r)
            for (int c = 0; c < 3; ++c)
                before << cell(c, r, Qt::DisplayRole).toString();
        QGuiApplication::clipboard()->setText(QStringLiteral("4711"));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->CellRect(1, 4).center());
        QTest::keyClicks(table(), QStringLiteral("5x"));
        QTest::keyClick(table(), Qt::Key_Delete);
        QTest::keyClick(table(), Qt::Key_Backspace);
        QTest::keyClick(table(), Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(table(), Qt::Key_Delete, Qt::ShiftModifier);
        QTest::keyClick(table(), Qt::Key_Return);
        QStringList after;
        for (int r = 0; r <= 26; ++r)
            for (int c = 0; c < 3; ++c)
                after << cell(c, r, Qt::DisplayRole).toString();
        QCOMPARE(after, before);
        QCOMPARE(table()->CellColor(1, 4), QColor(255, 255, 223));
        QCOMPARE(Belegt, 1);
    }
};

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
