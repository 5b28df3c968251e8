#include "app/AppWindows.h"

#include "app/Haupt.h"
#include "app/Hinweise.h"
#include "app/HtmlHelp.h"
#include "app/Info.h"
#include "app/InfoFormAccessible.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"
#include "common/Fonts.h"
#include "common/Pictures.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"
#include "widgets/NumberEditAccessible.h"
#include "widgets/TabPagesAccessible.h"
#include "widgets/grid/CellGridAccessible.h"

#include <QApplication>
#include <QIcon>

namespace AppWindows {

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral(LUMAKVEX_APPLICATION_NAME));
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMAKVEX_APP_ID));
    // No display name: Qt would append it to every window title.
    SystemColors::applyApplicationLook();
    TCellGridAccessible::installFactory();
    TNumberEditAccessible::installFactory();
    TTabPagesAccessible::installFactory();
    TInfoFormAccessible::installFactory();
    Fonts::install();
    QApplication::setWindowIcon(Pictures::programIcon());
    // The help control is loaded before any window exists.
    HtmlHelp::startUp(QCoreApplication::arguments());
}

void createAll(const std::function<void(QWidget *)> &created)
{
    const auto tell = [&created](QWidget *w) {
        if (created) created(w);
    };
    Frm_Haupt = new TFrm_Haupt;
    WindowPlacement::setMainWindow(Frm_Haupt);
    tell(Frm_Haupt);
    Frm_Kontakt = new TFrm_Kontakt;
    tell(Frm_Kontakt);
    Frm_Info = new TFrm_Info;
    tell(Frm_Info);
    Frm_Hinweise = new TFrm_Hinweise;
    tell(Frm_Hinweise);
    Frm_Wid = new TFrm_Wid;
    tell(Frm_Wid);
    // Qt asks to style every new widget once the event loop runs; a widget is styled
    // anyway before it is first shown, so the hidden windows' three hundred controls need
    // not be styled while the user waits for the main window.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
}

void destroyAll()
{
    delete Frm_Wid;
    Frm_Wid = nullptr;
    delete Frm_Hinweise;
    Frm_Hinweise = nullptr;
    delete Frm_Info;
    Frm_Info = nullptr;
    delete Frm_Kontakt;
    Frm_Kontakt = nullptr;
    delete Frm_Haupt;
    Frm_Haupt = nullptr;
}

} // namespace AppWindows
