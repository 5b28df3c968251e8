#pragma once

#include <QProxyStyle>

// Fusion with the proportions of the desktop the program was designed on: menu
// separators get the height of a Windows menu separator, so that a separator at the
// very top of a menu is as visible as any other. Group boxes are frames on their parent's
// surface, as on Windows: an etched line (a single one when flat) that the title interrupts,
// without the tinted fill Fusion gives them. The overflow button icons that every menu bar
// asks for when it is created are read when first drawn: reading them would load all image
// format plugins at start-up, for a button that only a very narrow window shows.
class AppStyle : public QProxyStyle
{
    Q_OBJECT

public:
    AppStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                       const QWidget *widget) const override;
};
