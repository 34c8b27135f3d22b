#include "platform/dataset/Currency.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using i128 = __int128;

qint64 checked(i128 v)
{
    if (v > std::numeric_limits<qint64>::max() || v < std::numeric_limits<qint64>::min())
        throw CurrencyError("Currency value out of range");
    return qint64(v);
}

// n / d rounded to nearest, halves away from zero.
i128 divRound(i128 n, i128 d)
{
    if (d == 0)
        throw CurrencyError("Currency division by zero");
    if (d < 0) {
        n = -n;
        d = -d;
    }
    i128 q = n / d;
    i128 r = n % d;
    if (r < 0)
        r = -r;
    if (2 * r >= d)
        q += (n < 0) ? -1 : 1;
    return q;
}

qint64 roundDouble(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
        throw CurrencyError("Currency value out of range");
    return qint64(std::round(v)); // std::round: halves away from zero
}

} // namespace

Currency Currency::fromDouble(double value)
{
    // Below 10^8 the decimal text below keeps at least seven decimals, so it
    // and the scaled double differ by less than 0.0005 of a ten-thousandth:
    // away from a half ten-thousandth both round the same way, and the text
    // (slow: the reports run this for every line) is needed only near one.
    const double scaled = value * double(Scale);
    if (std::fabs(scaled) < 1e12) {
        const double fraction = std::fabs(scaled - std::trunc(scaled));
        if (std::fabs(fraction - 0.5) > 1e-3)
            return fromRaw(std::llround(scaled));
    }
    if (std::isfinite(value) && std::fabs(value) < 1e14) {
        // Round the decimal the double stands for, not its binary neighbour:
        // 2.00005 is stored as 2.0000499999..., printed as 2.0000500000.
        int intDigits = 1;
        for (double a = std::fabs(value); a >= 10.0 && intDigits < 15; a /= 10.0)
            ++intDigits;
        const int decimals = std::clamp(15 - intDigits, 5, 10);
        bool ok = false;
        Currency c = fromString(QString::number(value, 'f', decimals), &ok);
        if (ok)
            return c;
    }
    return fromRaw(roundDouble(value * double(Scale)));
}

Currency Currency::fromString(QStringView text, bool *ok)
{
    if (ok)
        *ok = false;
    QStringView s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    i128 whole = 0;
    int wholeDigits = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        whole = whole * 10 + (s[i].unicode() - u'0');
        if (whole > std::numeric_limits<qint64>::max())
            return {};
        ++wholeDigits;
        ++i;
    }
    i128 frac = 0;     // first four decimals
    int fracDigits = 0;
    bool roundUp = false;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            int digit = s[i].unicode() - u'0';
            if (fracDigits < 4)
                frac = frac * 10 + digit;
            else if (fracDigits == 4)
                roundUp = digit >= 5;
            ++fracDigits;
            ++i;
        }
    }
    if (i != s.size() || wholeDigits + fracDigits == 0)
        return {};
    for (int k = fracDigits; k < 4; ++k)
        frac *= 10;
    i128 raw = whole * Scale + frac + (roundUp ? 1 : 0);
    if (negative)
        raw = -raw;
    if (raw > std::numeric_limits<qint64>::max() || raw < std::numeric_limits<qint64>::min())
        return {};
    if (ok)
        *ok = true;
    return fromRaw(qint64(raw));
}

QString Currency::toString() const
{
    // Work on the magnitude as unsigned so the minimum value prints too.
    quint64 mag = m_raw < 0 ? quint64(0) - quint64(m_raw) : quint64(m_raw);
    QString out = QString::number(mag / Scale);
    quint64 frac = mag % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        out += u'.' + f;
    }
    if (m_raw < 0)
        out.prepend(u'-');
    return out;
}

qint64 Currency::Round() const
{
    return qint64(divRound(m_raw, Scale));
}

Currency Currency::operator-() const
{
    return fromRaw(checked(-i128(m_raw)));
}

Currency &Currency::operator+=(Currency o)
{
    m_raw = checked(i128(m_raw) + o.m_raw);
    return *this;
}

Currency &Currency::operator-=(Currency o)
{
    m_raw = checked(i128(m_raw) - o.m_raw);
    return *this;
}

Currency operator*(Currency a, Currency b)
{
    return Currency::fromRaw(checked(divRound(i128(a.m_raw) * b.m_raw, Currency::Scale)));
}

Currency operator/(Currency a, Currency b)
{
    return Currency::fromRaw(checked(divRound(i128(a.m_raw) * Currency::Scale, b.m_raw)));
}

Currency operator*(Currency a, double b)
{
    return Currency::fromRaw(roundDouble(double(a.m_raw) * b));
}

Currency operator/(Currency a, double b)
{
    if (b == 0.0)
        throw CurrencyError("Currency division by zero");
    return Currency::fromRaw(roundDouble(double(a.m_raw) / b));
}

Currency Currency::mulInt(Currency a, qint64 b)
{
    return fromRaw(checked(i128(a.m_raw) * b));
}

Currency Currency::divInt(Currency a, qint64 b)
{
    return fromRaw(checked(divRound(a.m_raw, b)));
}
