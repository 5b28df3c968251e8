#include "app/Info.h"

#include "common/WindowPlacement.h"

TFrm_Info *Frm_Info = nullptr;

TFrm_Info::TFrm_Info(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_Info"));
    FormCreate();
}

void TFrm_Info::FormCreate()
{
    setWindowTitle(QStringLiteral("   Info"));
    resize(268, 228);
    WindowPlacement::centre(this);
}
