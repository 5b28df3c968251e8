#pragma once

#include "app/InfoForm.h"

#include "ui_Kontakt.h"

// The contact window: the project's web address as a link. Created hidden at start-up;
// no menu offers it (the main window's KontaktClick would show it).
class TFrm_Kontakt : public TInfoForm
{
    Q_OBJECT

public:
    // screenHeight: the screen height the window is sized for (0: the screen it opens on).
    explicit TFrm_Kontakt(QWidget *parent = nullptr, int screenHeight = 0);

    Ui::TFrm_Kontakt ui;

public slots:
    void FormCreate();
    // "zurück": closes (hides) the window.
    void AntialiasButton1Click();
};

extern TFrm_Kontakt *Frm_Kontakt;
