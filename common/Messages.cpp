#include "common/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Messages {

QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

namespace {

QString titleOf(Kind kind)
{
    switch (kind) {
    case Kind::Plain:
    case Kind::Warning:
        return applicationTitle();
    case Kind::Information:
        return QStringLiteral("Information");
    case Kind::Error:
        return QStringLiteral("Fehler");
    case Kind::Confirmation:
        return QStringLiteral("Bestätigung");
    }
    return {};
}

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Plain:
        return QMessageBox::NoIcon;
    case Kind::Information:
        return QMessageBox::Information;
    case Kind::Error:
        return QMessageBox::Critical;
    case Kind::Confirmation:
        return QMessageBox::Question;
    case Kind::Warning:
        return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Answer show(QWidget *parent, Kind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(titleOf(kind));
    box.setIcon(iconOf(kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    if (buttons == Buttons::Ok) {
        QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton *yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

} // namespace Messages
