#pragma once

#include "app/InfoForm.h"

#include <QPointer>

#include "ui_Hinweise.h"

class QScreen;

// The notes window: copyright, installation and liability on three pages. Created hidden
// at start-up, shown by the main window's menu; it opens on " Haftung " the first time and
// afterwards on the page last chosen.
class TFrm_Hinweise : public TInfoForm
{
    Q_OBJECT

public:
    // screenHeight: the screen height the window is sized for (0: the screen it opens on).
    explicit TFrm_Hinweise(QWidget *parent = nullptr, int screenHeight = 0);

    // The installation page's text; it names the program's executable by `executable`.
    static QString InstallationText(const QString &executable);
    // "vorhandene Bildschirmauflösung: <width> x <height> Pixel".
    static QString ResolutionText(const QSize &screen);

    Ui::TFrm_Hinweise ui;

public slots:
    void FormCreate();
    // Any of the three "zurück" buttons: brings the main window to the front; this window
    // stays open behind it.
    void HauptmenueClick();
    // The screen's size changed, or the window moved to another screen.
    void ScreenChanged();

protected:
    void FormShow() override;

private:
    void FollowScreen();

    QPointer<QScreen> m_screen;
};

extern TFrm_Hinweise *Frm_Hinweise;
