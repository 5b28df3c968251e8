#include "calc/E12Axes.h"

namespace E12Axes {

const QStringList &columnTexts()
{
    static const QStringList texts = [] {
        // The first decade with one decimal and a decimal comma, the others as whole numbers
        // without thousands separators.
        const QStringList first = {QStringLiteral("1,0"), QStringLiteral("1,2"), QStringLiteral("1,5"),
                                   QStringLiteral("1,8"), QStringLiteral("2,2"), QStringLiteral("2,7"),
                                   QStringLiteral("3,3"), QStringLiteral("3,9"), QStringLiteral("4,7"),
                                   QStringLiteral("5,6"), QStringLiteral("6,8"), QStringLiteral("8,2")};
        const int mantissa[12] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
        QStringList all = first;
        for (int scale : {1, 10, 100})
            for (int m : mantissa)
                all << QString::number(m * scale);
        all << QStringLiteral("10000");
        return all;
    }();
    return texts;
}

const QStringList &rowTexts()
{
    static const QStringList texts = columnTexts().mid(0, kRows);
    return texts;
}

} // namespace E12Axes
