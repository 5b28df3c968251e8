#include "app/Hinweise.h"

#include "app/Haupt.h"
#include "common/Fonts.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>
#include <QWindow>

TFrm_Hinweise *Frm_Hinweise = nullptr;

TFrm_Hinweise::TFrm_Hinweise(QWidget *parent, int screenHeight) : TInfoForm(parent, screenHeight)
{
    Fonts::buildWithDesignPixelSizes(this, [this] { ui.setupUi(this); });
    FitLabelsToText();
    const QColor face = SystemColors::system(SystemColors::BtnFace);
    SystemColors::setBackground(this, face);
    for (QWidget *page : {ui.TabSheet1, ui.TabSheet2, ui.TabSheet3})
        SystemColors::setBackground(page, face);
    for (QAbstractButton *b : {ui.AntialiasButton1, ui.AntialiasButton2, ui.AntialiasButton3})
        connect(b, &QAbstractButton::clicked, this, &TFrm_Hinweise::HauptmenueClick);
    FormCreate();
}

void TFrm_Hinweise::FormCreate()
{
    SizeToScreen();
    // A fixed border: the user cannot resize the window.
    setFixedSize(size());
    // The program folder holds what the text lists, the executable under its real name.
    SetFittedText(ui.Label7, InstallationText(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    WindowPlacement::centre(this);
}

QString TFrm_Hinweise::InstallationText(const QString &executable)
{
    const auto quoted = [](const QString &file) { return QLatin1Char('"') + file + QLatin1Char('"'); };
    return QStringLiteral("Das Programm kann in ein beliebiges Verzeichnis\n"
                          "nach eigener Wahl kopiert werden. Ein Eintrag\n"
                          "in die Registrierung erfolgt nicht, sodass das Pro-\n"
                          "gramm durch Löschen deinstalliert werden kann.\n"
                          "\n"
                          "Zum Programmumfang gehören: ") +
           quoted(executable) + QStringLiteral(", \n") + quoted(QStringLiteral("lumaKvex.chm")) +
           QStringLiteral(" und ") + quoted(QStringLiteral("Hinweise.txt")) + QLatin1Char('.');
}

QString TFrm_Hinweise::ResolutionText(const QSize &screen)
{
    return QStringLiteral("vorhandene Bildschirmauflösung: ") + QString::number(screen.width()) +
           QStringLiteral(" x ") + QString::number(screen.height()) + QStringLiteral(" Pixel");
}

void TFrm_Hinweise::FormShow()
{
    SetFittedText(ui.Label5, QStringLiteral("Programmversion Version 3.0 "));
    SetFittedText(ui.Label4, CreditLine());
    setWindowTitle(QStringLiteral("lumaKvex :  Parallelschaltung von Widerständen (Freeware)"));
    ScreenChanged();
}

void TFrm_Hinweise::FollowScreen()
{
    if (QWindow *handle = windowHandle())
        connect(handle, &QWindow::screenChanged, this, &TFrm_Hinweise::ScreenChanged, Qt::UniqueConnection);
    QScreen *current = screen();
    if (current == m_screen) return;
    if (m_screen) disconnect(m_screen, nullptr, this, nullptr);
    m_screen = current;
    if (current) connect(current, &QScreen::geometryChanged, this, &TFrm_Hinweise::ScreenChanged);
}

void TFrm_Hinweise::ScreenChanged()
{
    FollowScreen();
    if (m_screen) SetFittedText(ui.Label_Schirm, ResolutionText(m_screen->geometry().size()));
}

void TFrm_Hinweise::HauptmenueClick()
{
    if (!Frm_Haupt) return;
    Frm_Haupt->show();
    Frm_Haupt->raise();
    Frm_Haupt->activateWindow();
}
