#include "app/InfoFormAccessible.h"

#include "app/InfoForm.h"

namespace {

QAccessibleInterface *infoFormFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("TInfoForm") || !object || !object->isWidgetType()) return nullptr;
    return new TInfoFormAccessible(static_cast<TInfoForm *>(object));
}

} // namespace

TInfoFormAccessible::TInfoFormAccessible(TInfoForm *form) : QAccessibleWidget(form, QAccessible::Dialog) {}

void TInfoFormAccessible::installFactory()
{
    QAccessible::installFactory(infoFormFactory);
}
