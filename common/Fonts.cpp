#include "common/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QString>
#include <QWidget>

namespace Fonts {

namespace {

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> t = {
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Segoe Print"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
    };
    return t;
}

} // namespace

QString substituteFor(const QString &designFamily)
{
    return table().value(designFamily, designFamily);
}

void install()
{
#ifndef _WIN32
    // On Windows the design fonts are the system's own.
    for (auto it = table().cbegin(); it != table().cend(); ++it)
        QFont::insertSubstitution(it.key(), it.value());
#endif
    // Menus and message boxes: the Windows 10 menu font, 12 pixels.
    QFont menuFont(QStringLiteral("Segoe UI"));
    menuFont.setPixelSize(12);
    QApplication::setFont(menuFont);
}

void applyDesignPixelSizes(QWidget *root)
{
    const auto convert = [](QWidget *w) {
        if (!w->testAttribute(Qt::WA_SetFont)) return;
        QFont f = w->font();
        if (f.pointSize() <= 0) return; // already in pixels
        f.setPixelSize(f.pointSize());
        w->setFont(f);
    };
    convert(root);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children) convert(child);
}

} // namespace Fonts
