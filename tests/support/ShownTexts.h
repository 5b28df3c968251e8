#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QWidget;

// Every text a window shows, with the font it is drawn in: labels, buttons, entry fields,
// group box titles, tabs, menu bar items and grid cells.
namespace ShownTexts {

struct Text
{
    QString where; // "<window>/<control>"
    QString text;
    QFont font;
};

QList<Text> of(QWidget *window);

} // namespace ShownTexts
