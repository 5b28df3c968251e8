#include "app/Kontakt.h"

#include "common/Fonts.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"

TFrm_Kontakt *Frm_Kontakt = nullptr;

TFrm_Kontakt::TFrm_Kontakt(QWidget *parent, int screenHeight) : TInfoForm(parent, screenHeight)
{
    Fonts::buildWithDesignPixelSizes(this, [this] { ui.setupUi(this); });
    FitLabelsToText();
    SystemColors::setBackground(this, SystemColors::system(SystemColors::BtnFace));
    connect(ui.AntialiasButton1, &QAbstractButton::clicked, this, &TFrm_Kontakt::AntialiasButton1Click);
    FormCreate();
}

void TFrm_Kontakt::FormCreate()
{
    SizeToScreen();
    // A fixed border: the user cannot resize the window.
    setFixedSize(size());
    WindowPlacement::centre(this);
}

void TFrm_Kontakt::AntialiasButton1Click()
{
    close();
}
