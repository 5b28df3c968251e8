#include "common/SystemColors.h"

#include "common/AppStyle.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#ifdef _WIN32
#include <windows.h>
#endif

namespace SystemColors {

namespace {

// What every index that names no system colour shows (25, anything above 30, and whatever
// else the low byte of a stored value holds): black, which is also what Windows itself
// answers for an index it does not know.
constexpr QRgb kNoSystemColour = qRgb(0, 0, 0);

bool namesSystemColour(int index)
{
    return index >= ScrollBar && index <= MenuBar && index != 25;
}

#ifndef _WIN32
// Windows asks the system; elsewhere the colours are those of a freshly installed Windows 10.
QRgb windows10Default(Index index)
{
    switch (index) {
    case ScrollBar: return qRgb(200, 200, 200);
    case Background: return qRgb(0, 0, 0);
    case ActiveCaption: return qRgb(153, 180, 209);
    case InactiveCaption: return qRgb(191, 205, 219);
    case Menu: return qRgb(240, 240, 240);
    case Window: return qRgb(255, 255, 255);
    case WindowFrame: return qRgb(100, 100, 100);
    case MenuText: return qRgb(0, 0, 0);
    case WindowText: return qRgb(0, 0, 0);
    case CaptionText: return qRgb(0, 0, 0);
    case ActiveBorder: return qRgb(180, 180, 180);
    case InactiveBorder: return qRgb(244, 247, 252);
    case AppWorkspace: return qRgb(171, 171, 171);
    case Highlight: return qRgb(0, 120, 215);
    case HighlightText: return qRgb(255, 255, 255);
    case BtnFace: return qRgb(240, 240, 240);
    case BtnShadow: return qRgb(160, 160, 160);
    case GrayText: return qRgb(109, 109, 109);
    case BtnText: return qRgb(0, 0, 0);
    case InactiveCaptionText: return qRgb(0, 0, 0);
    case BtnHighlight: return qRgb(255, 255, 255);
    case DkShadow3D: return qRgb(105, 105, 105);
    case Light3D: return qRgb(227, 227, 227);
    case InfoText: return qRgb(0, 0, 0);
    case InfoBk: return qRgb(255, 255, 225);
    case HotLight: return qRgb(0, 102, 204);
    case GradientActiveCaption: return qRgb(185, 209, 234);
    case GradientInactiveCaption: return qRgb(215, 228, 242);
    case MenuHighlight: return qRgb(51, 153, 255);
    case MenuBar: return qRgb(240, 240, 240);
    }
    return kNoSystemColour;
}
#endif

} // namespace

QColor system(int index)
{
    if (!namesSystemColour(index)) return QColor(kNoSystemColour);
#ifdef _WIN32
    const DWORD c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
#else
    return QColor(windows10Default(Index(index)));
#endif
}

QColor fromStored(quint32 value)
{
    if (value & 0x80000000u) return system(int(value & 0xFFu));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 toStored(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

void setBackground(QWidget *widget, const QColor &color)
{
    // Always the widget's own colour, even when it already inherits the same one: an
    // inherited colour follows whatever its parent is given later.
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

void setFieldBackground(QWidget *field, const QColor &color)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, color);
    field->setPalette(p);
}

QColor fieldBackground(const QWidget *field)
{
    return field->palette().color(QPalette::Base);
}

void applyApplicationLook()
{
    QApplication::setStyle(new AppStyle);
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, Index index) { p.setColor(role, system(index)); };
    set(QPalette::Window, BtnFace);
    set(QPalette::WindowText, WindowText);
    set(QPalette::Base, Window);
    set(QPalette::AlternateBase, BtnFace);
    set(QPalette::Text, WindowText);
    set(QPalette::Button, BtnFace);
    set(QPalette::ButtonText, BtnText);
    set(QPalette::Highlight, Highlight);
    set(QPalette::HighlightedText, HighlightText);
    set(QPalette::ToolTipBase, InfoBk);
    set(QPalette::ToolTipText, InfoText);
    set(QPalette::Light, BtnHighlight);
    set(QPalette::Midlight, Light3D);
    set(QPalette::Mid, BtnShadow);
    set(QPalette::Dark, BtnShadow);
    set(QPalette::Shadow, DkShadow3D);
    set(QPalette::Link, HotLight);
    set(QPalette::PlaceholderText, GrayText);
    p.setColor(QPalette::Disabled, QPalette::WindowText, system(GrayText));
    p.setColor(QPalette::Disabled, QPalette::Text, system(GrayText));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, system(GrayText));
    QApplication::setPalette(p);
}

} // namespace SystemColors
