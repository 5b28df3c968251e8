#include "common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

void centre(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(avail.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

} // namespace WindowPlacement
