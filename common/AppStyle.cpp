#include "common/AppStyle.h"

#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {
constexpr int kMenuSeparatorHeight = 9;
}

AppStyle::AppStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QSize AppStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                 const QWidget *widget) const
{
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (item && item->menuItemType == QStyleOptionMenuItem::Separator) s.setHeight(kMenuSeparatorHeight);
    }
    return s;
}
