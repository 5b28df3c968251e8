#include "common/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

namespace {

QPointer<QWidget> g_mainWindow;
const QString kPendingName = QStringLiteral("WindowPlacement_firstShow");

QScreen *screenOf(Monitor monitor)
{
    if (monitor == Monitor::MainWindow && g_mainWindow && g_mainWindow->screen()) return g_mainWindow->screen();
    return QGuiApplication::primaryScreen();
}

void centreNow(QWidget *window, Monitor monitor)
{
    QScreen *screen = screenOf(monitor);
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    // A window larger than the screen keeps its title bar within reach.
    const int x = avail.x() + std::max(0, (avail.width() - outer.width()) / 2);
    const int y = avail.y() + std::max(0, (avail.height() - outer.height()) / 2);
    window->move(x, y);
}

bool frameKnown(const QWidget *window)
{
    return window->frameGeometry().size() != window->geometry().size();
}

// Centres its window when it is next shown: only then is its frame known. Under an X11
// window manager not even then: the frame becomes known some events after the window is
// mapped, and the window is centred once more as soon as it is.
class FirstShowCentring : public QObject
{
public:
    FirstShowCentring(QWidget *window, Monitor monitor) : QObject(window), m_monitor(monitor)
    {
        setObjectName(kPendingName);
        window->installEventFilter(this);
    }
    void setMonitor(Monitor monitor) { m_monitor = monitor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent()) return false;
        auto *window = static_cast<QWidget *>(watched);
        if (!m_shown) {
            if (event->type() != QEvent::Show) return false;
            centreNow(window, m_monitor);
            m_shown = true;
        } else if (frameKnown(window)) {
            // Not from inside whatever event brought the frame (a paint, say).
            QTimer::singleShot(0, window, [window, monitor = m_monitor] { centreNow(window, monitor); });
        }
        if (frameKnown(window)) {
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    Monitor m_monitor;
    bool m_shown = false;
};

} // namespace

void centre(QWidget *window, Monitor monitor)
{
    if (window->isVisible()) {
        centreNow(window, monitor);
        return;
    }
    if (QObject *pending = window->findChild<QObject *>(kPendingName, Qt::FindDirectChildrenOnly))
        static_cast<FirstShowCentring *>(pending)->setMonitor(monitor);
    else
        new FirstShowCentring(window, monitor);
}

void setMainWindow(QWidget *window)
{
    g_mainWindow = window;
}

} // namespace WindowPlacement
