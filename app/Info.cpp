#include "app/Info.h"

#include "common/Fonts.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"

TFrm_Info *Frm_Info = nullptr;

TFrm_Info::TFrm_Info(QWidget *parent, int screenHeight) : TInfoForm(parent, screenHeight)
{
    Fonts::buildWithDesignPixelSizes(this, [this] { ui.setupUi(this); });
    FitLabelsToText();
    SystemColors::setBackground(this, SystemColors::system(SystemColors::ActiveBorder));
    connect(ui.AntialiasButton1, &QAbstractButton::clicked, this, &TFrm_Info::AntialiasButton1Click);
    FormCreate();
}

void TFrm_Info::FormCreate()
{
    SizeToScreen();
    WindowPlacement::centre(this);
}

void TFrm_Info::FormShow()
{
    setWindowTitle(QStringLiteral("Version 3.0  Info"));
    SetFittedText(ui.Label4, CreditLine());
}

void TFrm_Info::AntialiasButton1Click()
{
    close();
}
