#include "common/AppStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComplex>
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

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                  const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || !(box->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionGroupBox titleOnly(*box);
    titleOnly.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &titleOnly, painter, widget);

    QRect frame = box->rect.adjusted(0, 0, -1, -1);
    painter->save();
    if (!box->text.isEmpty() || (box->subControls & SC_GroupBoxCheckBox)) {
        const QRect title = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget)
                                .united(subControlRect(CC_GroupBox, box, SC_GroupBoxCheckBox, widget));
        frame.setTop(title.center().y());
        painter->setClipRegion(QRegion(box->rect) - title.adjusted(-2, 0, 2, 0));
    }
    painter->setBrush(Qt::NoBrush);
    if (box->features & QStyleOptionFrame::Flat) {
        painter->setPen(box->palette.color(QPalette::Mid));
        painter->drawRect(frame);
    } else {
        painter->setPen(box->palette.color(QPalette::Light));
        painter->drawRect(frame.adjusted(1, 1, 0, 0));
        painter->setPen(box->palette.color(QPalette::Mid));
        painter->drawRect(frame.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}
