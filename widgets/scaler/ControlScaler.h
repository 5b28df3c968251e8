#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>

class QLabel;

// One control managed by a form scaler: its design bounds and font together with the
// window size they belong to, and the rule that turns them into bounds for another size.
class TControlScaler
{
public:
    // Records the control's bounds and font and the window's outer size as they are now.
    // Throws EScalerException without a control or without a window.
    TControlScaler(QWidget *control, QWidget *window, bool resizeFonts, qint32 minFontSize,
                   qint32 maxFontSize);

    // Gives the control the bounds (and font) for a window of outer size H x W whose ratios
    // to the design size are heightRatio and widthRatio.
    void ScaleControl(double windowHeight, double windowWidth, double heightRatio, double widthRatio);

    // Empty once the control has been destroyed; such an entry is skipped.
    QWidget *Control() const { return m_control; }
    bool ScalesWidth() const { return m_scaleWidth; }
    bool HasFont() const { return m_hasFont; }
    qint32 DesignFontSize() const { return m_designFontSize; }
    QRect DesignBounds() const { return {m_designLeft, m_designTop, m_designWidth, m_designHeight}; }
    // True once the control is a label that has been fitted to its text: from then on it
    // keeps fitting itself whenever its text changes.
    bool FitsItsText() const { return m_fitsText; }
    // Fits a label to its current text within the box of the last scaling step: away from
    // the design size it takes its text's size and keeps the edge its text is aligned to
    // (right, centre, else left); at the design size it keeps its design bounds, widened
    // about that edge only where its text needs more. A label that the window code has
    // moved since that step keeps the place it was moved to: the box moves with it.
    void Refit();

    // A plain text label: its width is not scaled and it fits its text after each step.
    // Pictures (labels showing a pixmap), boxed static texts and the decorative labels
    // (classes of their own) are ordinary controls.
    static bool IsLabel(const QWidget *widget);
    // Fits a label to its text the way a self-sizing label does: a wrapping label keeps its
    // width and takes the height its text needs; any other takes the size of its text,
    // keeping its right edge when its text is right-aligned and its left edge otherwise.
    static void FitToText(QLabel *label);
    // The size a label that is not wrapping needs for its text: its size hint.
    static QSize TextSize(const QLabel *label);
    // A font's size in points; sizes given in pixels count at 96 pixels per inch.
    static qint32 FontPoints(const QFont &font);
    // The font with `points` as its size, in the unit (points or pixels) it was given in.
    static QFont WithPoints(QFont font, qint32 points);
    // To the nearest integer, halves to the even neighbour.
    static int RoundHalfEven(double value);

private:
    QPointer<QWidget> m_control;
    bool m_scaleHeight = true;
    bool m_scaleLeft = true;
    bool m_scaleTop = true;
    bool m_scaleWidth = true;
    bool m_resizeFonts;
    qint32 m_minFontSize;
    qint32 m_maxFontSize;
    bool m_hasFont = false;
    // Qt fonts are values: the entry keeps the design font itself.
    QFont m_font;
    qint32 m_designHeight;
    qint32 m_windowDesignHeight;
    qint32 m_designLeft;
    qint32 m_designTop;
    qint32 m_designWidth;
    qint32 m_windowDesignWidth;
    qint32 m_designFontSize = 0;
    QPointer<QWidget> m_window;
    bool m_isLabel = false;
    bool m_fitsText = false;
    QRect m_anchor;
    bool m_atDesign = false;
    // Where the scaler last put the label; a label found elsewhere has been moved since.
    QRect m_placed;
};
