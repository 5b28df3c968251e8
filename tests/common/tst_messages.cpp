#include "BoxAnswerer.h"

#include "common/Messages.h"

#include <QTest>

using Messages::Answer;
using Messages::Buttons;
using Messages::Kind;

class TestMessages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Vexara")); }

    void kindsCarryTheirTitleAndIcon_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain") << int(Kind::Plain) << "Vexara" << int(QMessageBox::NoIcon);
        QTest::newRow("information") << int(Kind::Information) << "Information" << int(QMessageBox::Information);
        QTest::newRow("error") << int(Kind::Error) << "Fehler" << int(QMessageBox::Critical);
        QTest::newRow("confirmation") << int(Kind::Confirmation) << "Bestätigung" << int(QMessageBox::Question);
        QTest::newRow("warning") << int(Kind::Warning) << "Vexara" << int(QMessageBox::Warning);
    }
    void kindsCarryTheirTitleAndIcon()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        QCOMPARE(Messages::show(nullptr, Kind(kind), QStringLiteral("Text")), Answer::Ok);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen()[0].title, title);
        QCOMPARE(int(boxes.seen()[0].icon), icon);
        QCOMPARE(boxes.seen()[0].buttons, QStringList{"OK"});
    }

    void carriageReturnsBreakLines()
    {
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        Messages::information(nullptr, QStringLiteral("Ein noch nicht angelegter Widerstand\rkann auch nicht gelöscht werden."));
        QCOMPARE(boxes.seen()[0].text,
                 QStringLiteral("Ein noch nicht angelegter Widerstand\nkann auch nicht gelöscht werden."));
    }

    void yesNoAnswers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::newRow("Ja") << "&Ja" << int(Answer::Yes);
        QTest::newRow("Nein") << "&Nein" << int(Answer::No);
        QTest::newRow("Escape") << "<Escape>" << int(Answer::No);
        QTest::newRow("closed") << "<Close>" << int(Answer::No);
    }
    void yesNoAnswers()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        BoxAnswerer boxes;
        boxes.answer(action);
        QCOMPARE(int(Messages::show(nullptr, Kind::Information, QStringLiteral("Widerstand wirklich entfernen?"),
                                    Buttons::YesNo)),
                 answer);
        const BoxAnswerer::Box &box = boxes.seen()[0];
        QCOMPARE(box.buttons, (QStringList{"&Ja", "&Nein"}));
        QCOMPARE(box.defaultButton, QStringLiteral("&Ja"));
        QCOMPARE(box.escapeButton, QStringLiteral("&Nein"));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
