#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include <QVarLengthArray>

namespace NumberText {

const Separators &settings()
{
    static const Separators german;
    return german;
}

namespace {

constexpr long long kExponentCap = 1'000'000;

// The digits of a number text, kept in place: the number's own two thousand matrix cells
// are formatted while the program starts, and each string built on the way costs more
// than the digits themselves.
struct Digits
{
    bool negative = false;
    bool special = false;             // digits holds "NAN" or "INF"
    QVarLengthArray<char, 48> digits; // integer digits (at least one), then the decimals
    qsizetype point = 0;              // number of integer digits
};

// Decimal digits of |value| rounded to `decimals` places (half away from zero on the
// 18-significant-digit decimal form of the double).
Digits roundedDigits(double value, int decimals)
{
    Digits d;
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) {
        d.special = true;
        d.digits.append(std::isnan(value) ? "NAN" : "INF", 3);
        d.point = 3;
        d.negative = value < 0;
        return d;
    }
    char buf[64];
    // The same digits as printf's "%.17e", several times faster.
    const char *const end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17).ptr;
    // buf = "d.ddddddddddddddddde[+-]xx": value = 0.mant * 10^(exp10 + 1)
    const char *e = buf + 2;
    while (e < end && *e != 'e')
        ++e;
    int exp10 = 0;
    std::from_chars(e + 1 + (e[1] == '+'), end, exp10);
    qsizetype point = exp10 + 1; // position of the decimal point within the digits

    QVarLengthArray<char, 48> &all = d.digits;
    if (point <= 0) {
        all.resize(-point, '0');
        point = 0;
    }
    all.append(buf[0]);
    all.append(buf + 2, e - (buf + 2));
    // Keep point + decimals digits, round on the next one.
    const qsizetype keep = point + decimals;
    if (all.size() < keep + 1) all.resize(keep + 1, '0');
    const bool roundUp = all[keep] >= '5';
    all.resize(keep);
    if (roundUp) {
        qsizetype i = keep - 1;
        for (; i >= 0; --i) {
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                break;
            }
        }
        if (i < 0) {
            all.insert(all.begin(), '1');
            ++point;
        }
    }
    // No leading zeros, but at least one integer digit.
    qsizetype lead = 0;
    while (lead < point && all[lead] == '0')
        ++lead;
    if (lead == point) {
        if (point == 0)
            all.insert(all.begin(), '0');
        else
            --lead;
        point = std::max<qsizetype>(point, 1);
    }
    all.remove(0, lead);
    d.point = point - lead;
    // A value that rounds to zero shows no sign.
    const bool allZero = std::all_of(all.cbegin(), all.cend(), [](char c) { return c == '0'; });
    d.negative = value < 0 && !allZero;
    return d;
}

QString assemble(const Digits &d, bool grouped)
{
    const Separators &s = settings();
    const qsizetype intLen = d.point;
    const qsizetype fracLen = d.digits.size() - d.point;
    const qsizetype groups = grouped && !d.special && intLen > 3 ? (intLen - 1) / 3 : 0;
    QString out(qsizetype(d.negative) + intLen + groups + (fracLen > 0 ? 1 + fracLen : 0), Qt::Uninitialized);
    QChar *o = out.data();
    if (d.negative) *o++ = QLatin1Char('-');
    for (qsizetype i = 0; i < intLen; ++i) {
        if (groups && i > 0 && (intLen - i) % 3 == 0) *o++ = s.thousand;
        *o++ = QLatin1Char(d.digits[i]);
    }
    if (fracLen > 0) {
        *o++ = s.decimal;
        for (qsizetype i = intLen; i < d.digits.size(); ++i)
            *o++ = QLatin1Char(d.digits[i]);
    }
    return out;
}

} // namespace

QString fixed(double value, int decimals)
{
    return assemble(roundedDigits(value, decimals), false);
}

QString number(double value, int decimals)
{
    return assemble(roundedDigits(value, decimals), true);
}

QString integer(long long value)
{
    return QString::number(value);
}

QString general(double value, int significantDigits)
{
    if (!std::isfinite(value)) return fixed(value, 0);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", std::clamp(significantDigits, 1, 30), value);
    QString out = QString::fromLatin1(buf);
    // "%G" writes E+20 / E-05; the program's general form has no plus sign and no leading zeros.
    const qsizetype e = out.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString mant = out.left(e);
        QString ex = out.mid(e + 1);
        const bool neg = ex.startsWith(QLatin1Char('-'));
        if (ex.startsWith(QLatin1Char('+')) || neg) ex.remove(0, 1);
        while (ex.size() > 1 && ex.front() == QLatin1Char('0')) ex.remove(0, 1);
        out = mant + QLatin1Char('E') + (neg ? QStringLiteral("-") : QString()) + ex;
    }
    out.replace(QLatin1Char('.'), settings().decimal);
    return out;
}

std::optional<double> parse(const QString &text)
{
    const QString t = text.trimmed();
    const Separators &s = settings();
    std::string norm;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        if (t[i] == QLatin1Char('-')) norm.push_back('-');
        ++i;
    }
    std::string intDigits, fracDigits;
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) intDigits.push_back(char(t[i++].unicode()));
    if (i < n && t[i] == s.decimal) {
        ++i;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) fracDigits.push_back(char(t[i++].unicode()));
    }
    if (intDigits.empty() && fracDigits.empty()) return std::nullopt;
    long long exponent = 0;
    norm += intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty()) norm += "." + fracDigits;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        std::string ex = "e";
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
            if (t[i] == QLatin1Char('-')) ex.push_back('-');
            ++i;
        }
        const size_t before = ex.size();
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            const int digit = t[i].unicode() - '0';
            // Any exponent beyond a million already over- or underflows every mantissa a
            // text can hold; capping it keeps the sum below from overflowing.
            if (exponent < kExponentCap) exponent = exponent * 10 + digit;
            ex.push_back(char(t[i++].unicode()));
        }
        if (ex.size() == before) return std::nullopt;
        if (ex[1] == '-') exponent = -exponent;
        norm += ex;
    }
    if (i != n) return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(norm.data(), norm.data() + norm.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow towards zero is harmless; overflow is no number the program can hold.
        // Which of the two it is follows from the position of the first significant digit.
        const size_t lead = intDigits.find_first_not_of('0');
        const long long magnitude =
            lead != std::string::npos
                ? static_cast<long long>(intDigits.size() - lead)
                : -static_cast<long long>(std::min(fracDigits.find_first_not_of('0'), fracDigits.size()));
        if (exponent + magnitude > 0) return std::nullopt;
        return 0.0;
    }
    if (res.ec != std::errc() || res.ptr != norm.data() + norm.size()) return std::nullopt;
    return value;
}

} // namespace NumberText
