#include "app/Hinweise.h"

#include "common/WindowPlacement.h"

TFrm_Hinweise *Frm_Hinweise = nullptr;

TFrm_Hinweise::TFrm_Hinweise(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_Hinweise"));
    FormCreate();
}

void TFrm_Hinweise::FormCreate()
{
    setWindowTitle(QStringLiteral("   Hinweise zum Programm "));
    resize(368, 247);
    WindowPlacement::centre(this);
}
