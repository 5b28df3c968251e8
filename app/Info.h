#pragma once

#include "app/InfoForm.h"

#include "ui_Info.h"

// The info window: what the program does, for whom, and by whom. Created hidden at
// start-up, shown by the main window's menu; the user may resize it.
class TFrm_Info : public TInfoForm
{
    Q_OBJECT

public:
    // screenHeight: the screen height the window is sized for (0: the screen it opens on).
    explicit TFrm_Info(QWidget *parent = nullptr, int screenHeight = 0);

    Ui::TFrm_Info ui;

public slots:
    void FormCreate();
    // "zurück": closes (hides) the window.
    void AntialiasButton1Click();

protected:
    void FormShow() override;
};

extern TFrm_Info *Frm_Info;
