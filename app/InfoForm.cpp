#include "app/InfoForm.h"

#include "widgets/scaler/ControlScaler.h"
#include "widgets/scaler/FormScaler.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TInfoForm::TInfoForm(QWidget *parent, int screenHeight)
    : QWidget(parent), FormScaler1(new TFormScaler(this)), m_screenHeight(screenHeight)
{
    // Title bar with the system menu (and its close button) only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // Fonts stay as designed; only positions and sizes follow the window.
    FormScaler1->ResizeFonts = false;
    FormScaler1->MinFontSize = 8;
    FormScaler1->MaxFontSize = 48;
    FormScaler1->EnforceMinSize = true;
}

QSize TInfoForm::ScreenProportional(const QSize &outer, int screenHeight)
{
    // Their fonts keep their size, so a smaller window would cut its texts off.
    if (screenHeight < Bezugshoehe) return outer;
    return {screenHeight * outer.width() / Bezugshoehe, screenHeight * outer.height() / Bezugshoehe};
}

QString TInfoForm::CreditLine()
{
    return QStringLiteral("© 2016 lumaKvex-Team");
}

void TInfoForm::FitLabelsToText()
{
    for (QLabel *label : findChildren<QLabel *>())
        if (TControlScaler::IsLabel(label)) TControlScaler::FitToText(label);
}

void TInfoForm::SizeToScreen()
{
    FormScaler1->CaptureLayout();
    int screenHeight = m_screenHeight;
    if (screenHeight <= 0) {
        const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        screenHeight = s ? s->geometry().height() : Bezugshoehe;
    }
    const QSize outer = FormScaler1->OuterSize();
    const QSize sized = ScreenProportional(outer, screenHeight);
    FormScaler1->SetOuterSize({outer.width(), sized.height()});
    FormScaler1->SetOuterSize(sized);
}

void TInfoForm::SetFittedText(QLabel *label, const QString &text)
{
    label->setText(text);
    TControlScaler::FitToText(label);
}

void TInfoForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormScaler1->ApplyLayout();
}

void TInfoForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}
