// Renders the program's windows to PNG files for the README and the package's software
// centre entry: every window and both calculator tabs as they are right after start-up,
// and the pair finder with the wanted value 73 and the readout of a cell under the pointer.
//
//   lumakvex_snapshots <folder>
//
// It runs on the offscreen platform with a 1920 x 1080 screen at 96 pixels per inch, so
// that windows sized to the screen show their design size, whatever machine runs it.
#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/Hinweise.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"
#include "common/NumberText.h"
#include "widgets/NumberEdit.h"
#include "widgets/grid/CellGrid.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryFile>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

constexpr double kWanted = 73;

bool save(QWidget *window, const QString &folder, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void show(QWidget *window)
{
    window->show();
    QCoreApplication::processEvents();
}

// The shown matrix cell whose value lies nearest to the wanted one.
QPoint nearestCellCentre(const TCellGrid *grid)
{
    QPoint best;
    double bestDistance = INFINITY;
    for (int row = 1; row < grid->RowCount(); ++row) {
        for (int col = 1; col < grid->ColCount(); ++col) {
            const QRect rect = grid->CellRect(col, row);
            const auto value = NumberText::parse(grid->Cells(col, row));
            if (rect.isEmpty() || !value) continue;
            const double distance = std::fabs(*value - kWanted);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = rect.center();
            }
        }
    }
    return best;
}

void hover(QWidget *viewport, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    QTemporaryFile screen;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && screen.open()) {
        screen.write(R"({"screens": [{"name": "snapshot", "x": 0, "y": 0, "width": 1920, "height": 1080,
                        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screen.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    AppWindows::setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);

    // The start-up boxes (help file or viewer missing beside this tool) are no part of
    // the pictures.
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) box->done(0);
    });
    boxCloser.start(10);
    AppWindows::createAll();
    boxCloser.stop();

    bool ok = true;
    show(Frm_Haupt);
    ok &= save(Frm_Haupt, folder, QStringLiteral("hauptfenster"));

    show(Frm_Wid);
    Frm_Wid->showPage(0);
    ok &= save(Frm_Wid, folder, QStringLiteral("rges-gegeben"));
    Frm_Wid->showPage(1);
    ok &= save(Frm_Wid, folder, QStringLiteral("rges-gesucht"));

    Frm_Wid->showPage(0);
    Frm_Wid->ui.Edit_Wid->setValueFloat(kWanted);
    Frm_Wid->Edit_WidKeyUp();
    QCoreApplication::processEvents();
    hover(Frm_Wid->ui.Grid1->viewport(), nearestCellCentre(Frm_Wid->ui.Grid1));
    ok &= save(Frm_Wid, folder, QStringLiteral("rges-gegeben-73"));
    Frm_Wid->hide();

    for (const auto &[window, name] : {std::pair<QWidget *, QString>{Frm_Info, QStringLiteral("info")},
                                       {Frm_Hinweise, QStringLiteral("hinweise")},
                                       {Frm_Kontakt, QStringLiteral("kontakt")}}) {
        show(window);
        ok &= save(window, folder, name);
        window->hide();
    }

    AppWindows::destroyAll();
    return ok ? 0 : 1;
}
