#include "calc/WidTabelle.h"

#include "app/HelpHook.h"
#include "common/Fonts.h"
#include "common/WindowPlacement.h"
#include "widgets/FormScaler.h"

#include <QApplication>

TFrm_Wid *Frm_Wid = nullptr;

namespace {
constexpr quint32 kHelpContext = 1001;
}

TFrm_Wid::TFrm_Wid(QWidget *parent) : QMainWindow(parent), FormScaler1(new FormScaler(this))
{
    ui.setupUi(this);
    Fonts::applyDesignPixelSizes(this);
    // Menus use the system's menu font, not the window's bold design font.
    ui.MainMenu->setFont(QApplication::font("QMenuBar"));
    FormScaler1->ResizeFonts = true;
    FormScaler1->MinFontSize = 6;
    FormScaler1->MaxFontSize = 48;
    connect(ui.zurAuswahl2, &QAction::triggered, this, &TFrm_Wid::zurAuswahl2Click);
    connect(ui.Programmbeenden1, &QAction::triggered, this, &TFrm_Wid::Programmbeenden1Click);
    connect(ui.HilfezumProgramm1, &QAction::triggered, this, &TFrm_Wid::HilfezumProgramm1Click);
    FormCreate();
}

void TFrm_Wid::FormCreate()
{
    FormScaler1->CaptureLayout();
    setWindowTitle(QStringLiteral("Version 3.0  Parallelschaltung von Widerständen"));
    WindowPlacement::centre(this);
}

void TFrm_Wid::showPage(int index)
{
    ui.PageControl1->setCurrentIndex(index);
}

void TFrm_Wid::zurAuswahl2Click()
{
    close();
}

void TFrm_Wid::Programmbeenden1Click()
{
    close();
}

void TFrm_Wid::HilfezumProgramm1Click()
{
    THelpHook::requestContext(kHelpContext);
}

void TFrm_Wid::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormScaler1->ApplyLayout();
}
