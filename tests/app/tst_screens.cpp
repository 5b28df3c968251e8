// The windows on the screens people have: each one opens inside the screen's available area,
// shrunk to fit where it must, every text label as wide as its text and inside its window,
// and resizable windows stop at the size they opened with. Each screen runs in a process of
// its own, as the offscreen platform takes its screens from a file read at start.
#include "OffscreenScreens.h"
#include "ProgramStart.h"

#include "app/AppWindows.h"
#include "calc/WidTabelle.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"
#include "widgets/scaler/ControlScaler.h"
#include "widgets/scaler/FormScaler.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>

namespace {

const char kInspect[] = "-inspect";
const char kScreenVariable[] = "LUMAKVEX_TEST_SCREEN";

QByteArray screenConfig(const QByteArray &screen)
{
    return R"({ "windowFrameMargins": true, "screens": [ )" + screen + " ] }";
}

QString describe(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Every fault of a window as it stands, one line each.
QStringList faultsOf(QWidget *window, const QString &what)
{
    QStringList faults;
    const QRect area = window->screen()->availableGeometry();
    if (!area.contains(window->frameGeometry()))
        faults << what + QStringLiteral(": frame ") + describe(window->frameGeometry()) +
                      QStringLiteral(" outside ") + describe(area);
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!TControlScaler::IsLabel(label) || !label->isVisibleTo(window) || label->text().isEmpty()) continue;
        const QRect r(label->mapTo(window, QPoint()), label->size());
        const QString name = what + QLatin1Char(' ') + label->objectName();
        if (!label->wordWrap() && label->width() < TControlScaler::TextSize(label).width())
            faults << name + QStringLiteral(" narrower than its text: ") + describe(r);
        if (!window->rect().contains(r)) faults << name + QStringLiteral(" outside its window: ") + describe(r);
    }
    // A table without scroll bars has no other way to show a text than to have it inside.
    for (TCellGrid *grid : window->findChildren<TCellGrid *>()) {
        if (grid->ScrollBars() != TCellGrid::ssNone || !grid->isVisibleTo(window)) continue;
        const QAbstractItemModel *model = grid->model();
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int col = 0; col < grid->ColCount(); ++col) {
                const QModelIndex cell = model->index(row, col);
                const QString text = cell.data(Qt::DisplayRole).toString();
                if (text.trimmed().isEmpty()) continue;
                const QRect r = grid->CellRect(col, row);
                const int width = QFontMetrics(cell.data(Qt::FontRole).value<QFont>()).horizontalAdvance(text);
                const int align = cell.data(Qt::TextAlignmentRole).toInt();
                const int left = align & Qt::AlignLeft ? r.left()
                                 : align & Qt::AlignRight ? r.right() + 1 - width
                                                          : r.left() + (r.width() - width) / 2;
                if (r.isEmpty() || r.bottom() >= grid->viewport()->height() ||
                    left + width > grid->viewport()->width())
                    faults << what + QLatin1Char(' ') + grid->objectName() + QStringLiteral(" cuts \"") + text +
                                  QStringLiteral("\" at ") + describe(r) + QStringLiteral(" in ") +
                                  describe(grid->viewport()->rect());
            }
    }
    return faults;
}

// The child's work: start the program, open every window and page, report what is wrong.
int inspect()
{
    ProgramStart::createAllWindows();
    QStringList faults;
    const auto look = [&](QWidget *window, const QString &what) {
        faults << faultsOf(window, what);
    };
    for (const char *name : {"Frm_Haupt", "Frm_Wid", "Frm_Info", "Frm_Hinweise", "Frm_Kontakt"}) {
        QWidget *w = ProgramStart::window(name);
        w->show();
        if (!QTest::qWaitForWindowExposed(w)) faults << QString::fromLatin1(name) + " not shown";
        const QSize opened = w->size();
        if (auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))) {
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                look(w, QStringLiteral("%1 page %2").arg(name).arg(i));
            }
        } else {
            look(w, QString::fromLatin1(name));
        }
        // A resizable window stops at the size it opened with: its design size or the size
        // that fits the screen.
        if (w->minimumSize() != w->maximumSize()) {
            w->resize(1, 1);
            if (w->size() != opened)
                faults << QStringLiteral("%1 made %2x%3, opened at %4x%5")
                              .arg(name)
                              .arg(w->width())
                              .arg(w->height())
                              .arg(opened.width())
                              .arg(opened.height());
            w->resize(opened);
        }
        if (w != ProgramStart::window("Frm_Haupt")) w->hide();
    }
    std::fputs(qPrintable(faults.join(QLatin1Char('\n'))), stdout);
    AppWindows::destroyAll();
    return faults.isEmpty() ? 0 : 1;
}

} // namespace

class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowFitsTheScreen_data()
    {
        QTest::addColumn<QByteArray>("screen");
        // 120 dots per inch make Qt scale by 1.25: a logical screen of 1093 x 614.
        const auto screen = [](int width, int height, int dpi) {
            return QStringLiteral(R"({ "name": "s", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": %3 })")
                .arg(width)
                .arg(height)
                .arg(dpi)
                .toUtf8();
        };
        QTest::newRow("1920 x 1080") << screen(1920, 1080, 96);
        QTest::newRow("1366 x 768") << screen(1366, 768, 96);
        QTest::newRow("1024 x 768") << screen(1024, 768, 96);
        QTest::newRow("1366 x 768 at 125 %") << screen(1366, 768, 120);
    }
    void everyWindowFitsTheScreen()
    {
        QFETCH(QByteArray, screen);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kScreenVariable), QString::fromUtf8(screen));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kInspect)});
        QVERIFY(child.waitForFinished(120000));
        const QString faults = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        QCOMPARE(child.exitCode(), 0);
    }

    // Back at its design size, the calculator has every control where it was designed,
    // whatever sizes it passed through; on both tabs.
    void calculatorReturnsToItsDesignLayout_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Rges gegeben") << 0;
        QTest::newRow("Rges gesucht") << 1;
    }
    void calculatorReturnsToItsDesignLayout()
    {
        QFETCH(int, page);
        if (!Frm_Wid) ProgramStart::createAllWindows();
        Frm_Wid->show();
        Frm_Wid->showPage(page);
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Wid));
        const QSize design = Frm_Wid->size();
        QList<QRect> bounds;
        for (const auto &e : Frm_Wid->FormScaler1->Entries()) bounds << e->Control()->geometry();

        // Below its minimum only for this trip: the scaler's arithmetic is what is tried.
        Frm_Wid->setMinimumSize(0, 0);
        for (const double ratio : {0.75, 1.5, 1.0}) {
            Frm_Wid->resize((QSizeF(design) * ratio).toSize());
            QCoreApplication::processEvents();
        }
        Frm_Wid->setMinimumSize(design);
        QCOMPARE(Frm_Wid->size(), design);
        int i = 0;
        for (const auto &e : Frm_Wid->FormScaler1->Entries()) {
            QWidget *c = e->Control();
            QVERIFY2(c->geometry() == bounds[i], qPrintable(c->objectName() + QLatin1String(": ") +
                                                            describe(c->geometry()) + QLatin1String(" for ") +
                                                            describe(bounds[i])));
            ++i;
        }
        Frm_Wid->hide();
    }

    void cleanupTestCase() { AppWindows::destroyAll(); }
};

int main(int argc, char **argv)
{
    const bool child = argc > 1 && qstrcmp(argv[1], kInspect) == 0;
    const QByteArray screen = child ? qgetenv(kScreenVariable)
                                    : R"({ "name": "s", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96 })";
    QTemporaryFile config;
    if (!OffscreenScreens::use(config, screenConfig(screen))) return 2;
    QApplication app(argc, argv);
    if (child) return inspect();
    TestScreens test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screens.moc"
