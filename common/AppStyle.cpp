#include "common/AppStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <QStyleOptionMenuItem>

namespace {

constexpr int kMenuSeparatorHeight = 9;

// An icon that asks the style for itself the first time it is used.
class DeferredIcon : public QIconEngine
{
public:
    DeferredIcon(const QStyle *style, QStyle::StandardPixmap which) : m_style(style), m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIcon(m_style, m_which); }

private:
    const QIcon &icon()
    {
        if (!m_made) {
            m_icon = m_style->standardIcon(m_which);
            m_made = true;
        }
        return m_icon;
    }

    const QStyle *m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_made = false;
};

} // namespace

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

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                             const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIcon(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
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
