#pragma once

#include <QWidget>

class QLabel;
class TFormScaler;

// What the three information windows (info, notes, contact) share: each opens in
// proportion to the screen's height, its form scaler carries that size to its controls,
// and closing it only hides it.
class TInfoForm : public QWidget
{
    Q_OBJECT

public:
    // The screen height at which the windows keep their design size.
    static constexpr int Bezugshoehe = 1080;

    // The outer size for a screen `screenHeight` pixels high: height, then width, each
    // screenHeight x current / Bezugshoehe with the division truncated, so the window
    // keeps its design proportions; on screens lower than Bezugshoehe the current size.
    static QSize ScreenProportional(const QSize &outer, int screenHeight);

    // The author credit line in full (the windows' designs hold a short form).
    static QString CreditLine();

    TFormScaler *FormScaler1;

protected:
    // screenHeight 0: the height of the screen the window opens on.
    TInfoForm(QWidget *parent, int screenHeight);

    // Labels size themselves to their text; call once the window's controls exist.
    void FitLabelsToText();
    // The first steps of every information window's creation: capture the layout while
    // the window has its design size, then size the window to the screen.
    void SizeToScreen();
    // Sets a label's text; the label takes the size its text needs.
    static void SetFittedText(QLabel *label, const QString &text);

    // The texts the windows renew each time they are shown.
    virtual void FormShow() {}

    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int m_screenHeight;
};
