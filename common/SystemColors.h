#pragma once

#include <QColor>
#include <QtGlobal>

class QWidget;

// The named colours the program's design speaks of. System colours take the
// system's own values on Windows and the Windows 10 defaults elsewhere, so the
// program looks the same on every desktop theme.
namespace SystemColors {

// Windows system colour indexes (COLOR_*).
enum Index {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
    InactiveCaptionText = 19,
    BtnHighlight = 20,
    DkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBk = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

// Any index may come in (stored colour values carry one in their low byte); one that names
// no system colour shows black.
QColor system(int index);

// A stored 32-bit colour value: red in the lowest byte, then green, then blue; with the
// top bit set it names a system colour by its index in the low bits.
QColor fromStored(quint32 value);
// The stored value of a direct (RGB) colour.
quint32 toStored(const QColor &color);
// The stored value of a system colour.
constexpr quint32 storedSystem(Index index) { return 0x80000000u | quint32(index); }

// Named colours of the design that are not system colours.
inline QColor aqua() { return QColor(0, 255, 255); }
inline QColor chartreuse() { return QColor(127, 255, 0); }
inline QColor lightRose() { return QColor(255, 204, 204); }
inline QColor yellow() { return QColor(255, 255, 0); }
inline QColor red() { return QColor(255, 0, 0); }
inline QColor lime() { return QColor(0, 255, 0); }
inline QColor blue() { return QColor(0, 0, 255); }
inline QColor navy() { return QColor(0, 0, 128); }
inline QColor maroon() { return QColor(128, 0, 0); }
inline QColor purple() { return QColor(128, 0, 128); }
inline QColor grey() { return QColor(128, 128, 128); }
inline QColor moneyGreen() { return QColor(192, 220, 192); }
inline QColor cream() { return QColor(255, 251, 240); }

// The background a widget fills itself with (labels, boxes, panels): its palette's
// window colour, painted opaque.
void setBackground(QWidget *widget, const QColor &color);
QColor background(const QWidget *widget);
// The background of an entry field: its palette's base colour.
void setFieldBackground(QWidget *field, const QColor &color);
QColor fieldBackground(const QWidget *field);

// Fusion style and a fixed light palette built from the colours above, for the whole
// application.
void applyApplicationLook();

} // namespace SystemColors
