#pragma once

#include <QObject>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QWidget;
class TControlScaler;
class TFormScaler;

// Told after each control has been scaled: the scaler, the control and the two ratios.
using TPostResizeEvent =
    std::function<void(TFormScaler *Sender, QWidget *Comp, double HeightRatio, double WidthRatio)>;

// Makes a window's contents scale with the window. CaptureLayout records the bounds (and
// fonts) of every control once, while the window has its design size; ApplyLayout, run
// after every change of the window's size, gives each control its design bounds times the
// ratio of the window's outer size to its design outer size, and where ResizeFonts is on
// its design font size times the height ratio, kept within MinFontSize..MaxFontSize
// (points; pixel fonts count at 96 pixels per inch).
class TFormScaler : public QObject
{
    Q_OBJECT

public:
    // The owner is the window (or panel) the scaler serves; its size drives the scaling.
    // Throws EScalerException without an owner or when the owner is no widget.
    explicit TFormScaler(QObject *owner);
    ~TFormScaler() override;

    // Settings; each control's entry takes a copy at capture.
    bool ResizeFonts = false;
    qint32 MinFontSize = 8;
    qint32 MaxFontSize = 48;
    // Keeps the window at least as large as its design size (from capture on, its minimum
    // size; whoever shrinks the window below that to fit a screen lowers the minimum).
    bool EnforceMinSize = false;
    TPostResizeEvent OnPostResize;

    virtual void NotifyPostResize(TFormScaler *sender, QWidget *control, double heightRatio,
                                  double widthRatio);
    // Records the layout; only the first call has an effect.
    virtual void CaptureLayout();
    // Scales every recorded control to the window's current size.
    virtual void ApplyLayout();

    // The window's outer size as the scaler counts it: its size plus the frame the platform
    // reported at capture. A frame that the platform reports only once the window is on
    // the screen is left out both at capture and afterwards, so the design size always
    // comes back as ratio 1.
    QSize OuterSize() const;
    void SetOuterSize(const QSize &outer);
    QSize DesignSize() const { return {m_designWidth, m_designHeight}; }
    bool Captured() const { return m_captured; }
    // The current ratios of the outer size to the design size (1 before capture).
    double HeightRatio() const;
    double WidthRatio() const;
    // A horizontal design position or width at the current ratio, rounded as the controls
    // are: for window code that places controls after capture.
    int ScaleHorizontal(int designPixels) const;

    const std::vector<std::unique_ptr<TControlScaler>> &Entries() const { return m_entries; }

protected:
    // Keeps fitted labels fitted to their texts (see ApplyLayout).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepFitting(QLabel *label);

    QWidget *m_window;
    qint32 m_designHeight = 0;
    qint32 m_designWidth = 0;
    std::vector<std::unique_ptr<TControlScaler>> m_entries;
    bool m_captured = false;
    QSize m_frame;
};
