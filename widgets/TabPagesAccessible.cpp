#include "widgets/TabPagesAccessible.h"

#include <QStackedWidget>
#include <QTabWidget>

namespace {

QAccessibleInterface *tabPagesFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QStackedWidget") || !object || !qobject_cast<QTabWidget *>(object->parent()))
        return nullptr;
    return new TTabPagesAccessible(static_cast<QStackedWidget *>(object));
}

} // namespace

TTabPagesAccessible::TTabPagesAccessible(QStackedWidget *pages) : QAccessibleWidget(pages) {}

void TTabPagesAccessible::installFactory()
{
    QAccessible::installFactory(tabPagesFactory);
}
