#include "common/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace WindowPlacement {

namespace {

QPointer<QWidget> g_mainWindow;
const QString kPendingName = QStringLiteral("WindowPlacement_firstShow");
// A window manager that will not put the window where it is asked to is not asked forever.
constexpr int kMaxAttempts = 5;

QScreen *screenOf(Monitor monitor)
{
    if (monitor == Monitor::MainWindow && g_mainWindow && g_mainWindow->screen()) return g_mainWindow->screen();
    return QGuiApplication::primaryScreen();
}

// The frame as the platform knows it now. The widget's copy is renewed only when the window
// next moves, which under an X11 window manager may be after the frame has changed.
QMargins frameOf(const QWidget *window)
{
    if (const QWindow *handle = window->windowHandle(); handle && handle->handle())
        return handle->frameMargins();
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// A window larger than the area shrinks to fit it, keeping its proportions; its form
// scaler carries the new size to its controls. A resizable window may then be made as small
// as that and no smaller.
void fitInto(QWidget *window, const QRect &avail, const QMargins &frame)
{
    const QSize outer = window->size().grownBy(frame);
    if (outer.isEmpty() || (outer.width() <= avail.width() && outer.height() <= avail.height())) return;
    const double ratio = std::min(double(avail.width()) / outer.width(), double(avail.height()) / outer.height());
    const QSize fitted =
        QSize(int(outer.width() * ratio), int(outer.height() * ratio)).shrunkBy(frame).expandedTo(QSize(1, 1));
    if (window->minimumSize() == window->maximumSize()) {
        window->setFixedSize(fitted);
        return;
    }
    window->setMinimumSize(window->minimumSize().boundedTo(fitted));
    window->resize(fitted);
}

// Where the frame's top left corner belongs.
QPoint targetOf(const QWidget *window, Monitor monitor, const QMargins &frame)
{
    const QRect avail = screenOf(monitor)->availableGeometry();
    const QSize outer = window->size().grownBy(frame);
    // A window larger than the screen keeps its title bar within reach.
    return {avail.x() + std::max(0, (avail.width() - outer.width()) / 2),
            avail.y() + std::max(0, (avail.height() - outer.height()) / 2)};
}

void centreNow(QWidget *window, Monitor monitor)
{
    if (!screenOf(monitor)) return;
    const QMargins frame = frameOf(window);
    fitInto(window, screenOf(monitor)->availableGeometry(), frame);
    const QPoint target = targetOf(window, monitor, frame);
    const QPoint client = target + QPoint(frame.left(), frame.top());
    // Through the platform window: QWidget::move adds the frame as the widget last heard of
    // it and asks for nothing when the widget believes it stands there already, which it
    // may well do while the window manager has put it elsewhere.
    if (QWindow *handle = window->windowHandle(); handle && handle->handle())
        handle->setGeometry(QRect(client, window->size()));
    else
        window->move(target);
}

// Centres its window when it is next shown, and again whenever the window turns out not to
// stand there once it is on the screen: under an X11 window manager the frame arrives some
// events after the window is mapped, and the manager may place the window meanwhile. The
// window counts as placed once it is exposed and its frame stands centred where the platform
// reports it; a frame that has not arrived by the first exposure does not exist.
class FirstShowCentring : public QObject
{
public:
    FirstShowCentring(QWidget *window, Monitor monitor) : QObject(window), m_window(window), m_monitor(monitor)
    {
        setObjectName(kPendingName);
        window->installEventFilter(this);
    }
    void setMonitor(Monitor monitor) { m_monitor = monitor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !m_handle) {
            centreNow(m_window, m_monitor);
            m_frame = frameOf(m_window);
            m_handle = m_window->windowHandle();
            if (m_handle) m_handle->installEventFilter(this);
            return false;
        }
        // Under Wayland Qt draws the frame itself and knows it only once the window is on its
        // way to the screen: fitted and placed with it before the window's first paint, the
        // window never shows larger than the area.
        if (m_handle && watched == m_window && event->type() == QEvent::UpdateRequest &&
            frameOf(m_window) != m_frame) {
            m_frame = frameOf(m_window);
            centreNow(m_window, m_monitor);
        }
        // The widget hears of a move or resize once the platform has reported it; its window
        // knows of the exposure.
        const bool widgetEvent =
            watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Resize);
        if (m_handle && (widgetEvent || (watched == m_handle && event->type() == QEvent::Expose))) check();
        return false;
    }

private:
    bool placed() const
    {
        // Where the platform last reported the window: its own window's geometry is where
        // it was last asked to go.
        const QMargins frame = frameOf(m_window);
        return m_window->geometry().topLeft() - QPoint(frame.left(), frame.top()) ==
               targetOf(m_window, m_monitor, frame);
    }
    void finish()
    {
        m_done = true;
        if (m_handle) m_handle->removeEventFilter(this);
        m_window->removeEventFilter(this);
        deleteLater();
    }
    void check()
    {
        if (m_done || !m_handle || !m_handle->isExposed()) return;
        if (placed() || m_attempts >= kMaxAttempts) {
            finish();
            return;
        }
        if (m_centringPending) return;
        // Not from inside the platform's event: the window's own handling of it runs first.
        m_centringPending = true;
        QTimer::singleShot(0, this, [this] {
            m_centringPending = false;
            if (m_done || !m_handle) return;
            ++m_attempts;
            centreNow(m_window, m_monitor);
            // Asked for where it already stands, the window hears of no move.
            if (placed()) finish();
        });
    }

    QWidget *m_window;
    QPointer<QWindow> m_handle;
    QMargins m_frame;
    Monitor m_monitor;
    bool m_centringPending = false;
    bool m_done = false;
    int m_attempts = 0;
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
