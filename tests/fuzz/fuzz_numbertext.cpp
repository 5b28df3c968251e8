// German number texts of any content: reading gives a finite number or "no number", and each
// text the program writes for a number it read reads back to that number, shown the same.
#include "FuzzSupport.h"
#include "common/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>

namespace {

QString withoutThousands(QString text)
{
    return text.remove(NumberText::settings().thousand);
}

void checkWrittenText(const QString &input, double value, const QString &written, int decimals,
                      const std::function<QString(double)> &write)
{
    const auto back = NumberText::parse(withoutThousands(written));
    if (!back)
        FuzzSupport::fail(QStringLiteral("the written text %1 reads as no number").arg(written), input);
    const double unit = decimals < 0 ? 0.0 : 0.5 * std::pow(10.0, -decimals);
    if (std::fabs(*back - value) > unit + std::fabs(value) * 1e-14)
        FuzzSupport::fail(QStringLiteral("%1 reads back as %2").arg(written).arg(*back, 0, 'g', 17), input);
    if (write(*back) != written)
        FuzzSupport::fail(QStringLiteral("%1 reads back to a number shown as %2").arg(written, write(*back)),
                          input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<double> value = NumberText::parse(text);
    if (!value) return 0;
    if (!std::isfinite(*value))
        FuzzSupport::fail(QStringLiteral("reads as a number that is not finite"), text);
    for (int decimals = 0; decimals <= 2; ++decimals) {
        checkWrittenText(text, *value, NumberText::fixed(*value, decimals), decimals,
                         [decimals](double v) { return NumberText::fixed(v, decimals); });
        checkWrittenText(text, *value, NumberText::number(*value, decimals), decimals,
                         [decimals](double v) { return NumberText::number(v, decimals); });
    }
    // The general form keeps 15 significant digits, so it reads back close, not exactly.
    const QString general = NumberText::general(*value);
    const auto back = NumberText::parse(general);
    const double slack = std::fabs(*value) * 1e-14 + 2 * std::numeric_limits<double>::denorm_min();
    if (!back || std::fabs(*back - *value) > slack)
        FuzzSupport::fail(QStringLiteral("the general form %1 does not read back").arg(general), text);
    return 0;
}
