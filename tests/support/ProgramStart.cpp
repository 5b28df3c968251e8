#include "ProgramStart.h"

#include "BoxAnswerer.h"

#include "app/AppWindows.h"

#include <QApplication>
#include <QWidget>

namespace ProgramStart {

void createAllWindows()
{
    AppWindows::setUpApplication();
    BoxAnswerer boxes;
    boxes.answer(QStringLiteral("OK"));
    boxes.answer(QStringLiteral("OK"));
    AppWindows::createAll();
}

QWidget *window(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(objectName)) return w;
    return nullptr;
}

} // namespace ProgramStart
