#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace NumberText {

const Separators &settings()
{
    static const Separators german;
    return german;
}

namespace {

constexpr long long kExponentCap = 1'000'000;

struct Digits
{
    bool negative = false;
    std::string intPart; // at least "0"
    std::string fracPart;
};

// Decimal digits of |value| rounded to `decimals` places (half away from zero on the
// 18-significant-digit decimal form of the double).
Digits roundedDigits(double value, int decimals)
{
    Digits d;
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) {
        d.intPart = std::isnan(value) ? "NAN" : "INF";
        d.negative = value < 0;
        return d;
    }
    char buf[64];
    // The same digits as printf's "%.17e", several times faster: the matrix alone formats
    // two thousand numbers while the program starts.
    *std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 17).ptr = '\0';
    // buf = "d.ddddddddddddddddde[+-]xx"
    std::string mant;
    mant.push_back(buf[0]);
    const char *p = buf + 2;
    while (*p && *p != 'e') mant.push_back(*p++);
    const int exp10 = std::atoi(p + 1);
    // Value = 0.mant * 10^(exp10 + 1). Position of the decimal point within mant:
    int point = exp10 + 1;
    std::string all; // digits with the point at index `point`
    if (point <= 0) {
        all = std::string(static_cast<size_t>(-point), '0') + mant;
        point = 0;
    } else {
        all = mant;
        if (static_cast<int>(all.size()) < point) all.append(static_cast<size_t>(point) - all.size(), '0');
    }
    // Keep point + decimals digits, round on the next one.
    const size_t keep = static_cast<size_t>(point + decimals);
    if (all.size() < keep + 1) all.append(keep + 1 - all.size(), '0');
    const bool roundUp = all[keep] >= '5';
    std::string kept = all.substr(0, keep);
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<size_t>(i)] == '9') {
                kept[static_cast<size_t>(i)] = '0';
            } else {
                ++kept[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++point;
        }
    }
    d.intPart = kept.substr(0, static_cast<size_t>(point));
    d.fracPart = kept.substr(static_cast<size_t>(point));
    const size_t nz = d.intPart.find_first_not_of('0');
    d.intPart = nz == std::string::npos ? "0" : d.intPart.substr(nz);
    // A value that rounds to zero shows no sign.
    const bool allZero = d.intPart == "0" && d.fracPart.find_first_not_of('0') == std::string::npos;
    d.negative = value < 0 && !allZero;
    return d;
}

QString assemble(const Digits &d, bool grouped)
{
    const Separators &s = settings();
    QString out;
    if (d.negative) out += QLatin1Char('-');
    const QString ip = QString::fromLatin1(d.intPart.data(), static_cast<qsizetype>(d.intPart.size()));
    if (grouped && ip.size() > 3 && ip.front().isDigit()) {
        const qsizetype lead = ip.size() % 3 == 0 ? 3 : ip.size() % 3;
        out += ip.left(lead);
        for (qsizetype i = lead; i < ip.size(); i += 3) {
            out += s.thousand;
            out += ip.mid(i, 3);
        }
    } else {
        out += ip;
    }
    if (!d.fracPart.empty()) {
        out += s.decimal;
        out += QString::fromLatin1(d.fracPart.data(), static_cast<qsizetype>(d.fracPart.size()));
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
