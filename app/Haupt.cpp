#include "app/Haupt.h"

#include "app/HelpHook.h"
#include "app/Hinweise.h"
#include "app/HtmlHelp.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"
#include "common/Fonts.h"
#include "common/HelpRequest.h"
#include "common/Messages.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"
#include "widgets/scaler/FormScaler.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>

TFrm_Haupt *Frm_Haupt = nullptr;
THelpHook *Hilfe_Hook = nullptr;

namespace {
constexpr quint32 kHelpContext = 1001;
// Oldest help viewer the program can work with: 4.73.
constexpr quint16 kMinHelpMajor = 4;
constexpr quint16 kMinHelpMinor = 73;
} // namespace

TFrm_Haupt::TFrm_Haupt(QWidget *parent) : QMainWindow(parent), FormScaler1(new TFormScaler(this))
{
    Fonts::buildWithDesignPixelSizes(this, [this] { ui.setupUi(this); });
    // Menus use the system's menu font, not the window's bold design font.
    ui.MainMenu1->setFont(QApplication::font("QMenuBar"));
    FormScaler1->ResizeFonts = true;
    FormScaler1->MinFontSize = 4;
    FormScaler1->MaxFontSize = 48;

    // The separators are named too, and the leading one must stay visible.
    auto *sepTop = new QAction(this);
    sepTop->setSeparator(true);
    sepTop->setObjectName(QStringLiteral("Rgesgegeben1"));
    ui.Berechnung1->insertAction(ui.Rgesgegeben2, sepTop);
    auto *sepEnd = new QAction(this);
    sepEnd->setSeparator(true);
    sepEnd->setObjectName(QStringLiteral("N1"));
    ui.Berechnung1->insertAction(ui.Programmbeenden1, sepEnd);
    ui.Berechnung1->setSeparatorsCollapsible(false);
    ui.Hilfe1->setSeparatorsCollapsible(false);

    SystemColors::setBackground(this, SystemColors::system(SystemColors::InactiveBorder));

    connect(ui.Rgesgegeben2, &QAction::triggered, this, &TFrm_Haupt::Rgesgegeben2Click);
    connect(ui.Rgesgesucht1, &QAction::triggered, this, &TFrm_Haupt::Rgesgesucht1Click);
    connect(ui.Programmbeenden1, &QAction::triggered, this, &TFrm_Haupt::Programmbeenden1Click);
    connect(ui.Hinweise, &QAction::triggered, this, &TFrm_Haupt::HinweiseClick);
    connect(ui.Info, &QAction::triggered, this, &TFrm_Haupt::InfoClick);
    connect(ui.Hilfeaufrufen1, &QAction::triggered, this, &TFrm_Haupt::Hilfeaufrufen1Click);

    // Fixed border, no maximise button: the client area keeps its design size.
    // Client area 733 x 198 inside its 4-pixel border, below the menu bar.
    setFixedSize(733 + 2 * 4, 198 + 2 * 4 + menuBar()->sizeHint().height());
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint |
                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint) &
                   ~Qt::WindowMaximizeButtonHint);

    FormCreate();
}

TFrm_Haupt::~TFrm_Haupt()
{
    FormDestroy();
    if (Frm_Haupt == this) Frm_Haupt = nullptr;
}

QString TFrm_Haupt::windowCaption()
{
    return QStringLiteral("lumaKvex :  Version 3.0 (2015 - 2016)  -  Parallelschaltung von Widerständen (Freeware)");
}

QString TFrm_Haupt::helpFilePath()
{
    return HtmlHelp::programFolder() + QStringLiteral("lumaKvex.chm");
}

void TFrm_Haupt::FormCreate()
{
    FormScaler1->CaptureLayout();
    setWindowTitle(windowCaption());
    m_helpFile = helpFilePath();
    Hilfe_Hook = nullptr;

    if (!QFileInfo(m_helpFile).isFile())
        Messages::plain(nullptr, QStringLiteral("Hilfe-Datei nicht gefunden in: \r\r") + m_helpFile);

    const HelpControl::Version v = HtmlHelp::status().version;
    const bool tooOld = v.major < kMinHelpMajor || (v.major == kMinHelpMajor && v.minor < kMinHelpMinor);
    if (!HtmlHelp::isLoaded() || tooOld)
        Messages::plain(nullptr, QStringLiteral("Diese Anwendung erfordert die Installation der MS HTML Help 1.2 oder höher"));

    Hilfe_Hook = new THelpHook(m_helpFile, QString(), THelpHook::HostHtmlHelpApi);
    WindowPlacement::centre(this);
}

void TFrm_Haupt::FormDestroy()
{
    HtmlHelp::HtmlHelpCloseAll();
    delete Hilfe_Hook;
    Hilfe_Hook = nullptr;
}

bool TFrm_Haupt::FormCloseQuery()
{
    return Messages::confirm(this, QStringLiteral("Wirklich beenden?"));
}

void TFrm_Haupt::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    // The other windows end with the main window, whatever their state.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isWindow() && w->isVisible()) w->hide();
    QCoreApplication::quit();
}

void TFrm_Haupt::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormScaler1->ApplyLayout();
}

namespace {
void showWindow(QWidget *w)
{
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}
} // namespace

void TFrm_Haupt::Rgesgegeben2Click()
{
    if (!Frm_Wid) return;
    showWindow(Frm_Wid);
    Frm_Wid->showPage(0);
}

void TFrm_Haupt::Rgesgesucht1Click()
{
    if (!Frm_Wid) return;
    showWindow(Frm_Wid);
    Frm_Wid->showPage(1);
}

void TFrm_Haupt::Programmbeenden1Click()
{
    close();
}

void TFrm_Haupt::HinweiseClick()
{
    showWindow(Frm_Hinweise);
}

void TFrm_Haupt::InfoClick()
{
    showWindow(Frm_Info);
}

void TFrm_Haupt::KontaktClick()
{
    showWindow(Frm_Kontakt);
}

void TFrm_Haupt::Hilfeaufrufen1Click()
{
    HelpRequest::showTopic(kHelpContext);
}
