#include "app/Kontakt.h"

#include "common/WindowPlacement.h"

TFrm_Kontakt *Frm_Kontakt = nullptr;

TFrm_Kontakt::TFrm_Kontakt(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_Kontakt"));
    FormCreate();
}

void TFrm_Kontakt::FormCreate()
{
    setWindowTitle(QStringLiteral(" Kontakt"));
    resize(383, 166);
    WindowPlacement::centre(this);
}
