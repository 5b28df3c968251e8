#pragma once

#include <QObject>

class QWidget;

// Scales a window's controls (and, where asked, their fonts) in proportion to the
// window's size. A window records its design layout once with CaptureLayout and asks
// for ApplyLayout whenever its size changes.
class FormScaler : public QObject
{
    Q_OBJECT

public:
    explicit FormScaler(QWidget *form);

    bool ResizeFonts = false;
    int MinFontSize = 8;
    int MaxFontSize = 48;

    void CaptureLayout();
    void ApplyLayout();

private:
    QWidget *m_form;
};
