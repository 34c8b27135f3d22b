#include "platform/report/ReportFormat.h"

#include "platform/dataset/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace report {

namespace {

struct Pattern
{
    int width = 0;
    int decimals = 2;
};

Pattern parsePattern(QStringView pattern)
{
    const auto fail = [&] {
        throw FormatError("invalid number format \"" + pattern.toString().toStdString() + "\"");
    };
    qsizetype i = 0;
    const auto readInt = [&](int &out) {
        const qsizetype start = i;
        int v = 0;
        while (i < pattern.size() && pattern[i].isDigit() && i - start < 3)
            v = v * 10 + pattern[i++].digitValue();
        if (i == start || (i < pattern.size() && pattern[i].isDigit()))
            fail();
        out = v;
    };
    Pattern p;
    if (pattern.isEmpty() || pattern[i++] != u'%')
        fail();
    if (i < pattern.size() && pattern[i].isDigit())
        readInt(p.width);
    if (i < pattern.size() && pattern[i] == u'.') {
        ++i;
        readInt(p.decimals);
    }
    if (i + 1 != pattern.size() || (pattern[i] != u'n' && pattern[i] != u'N'))
        fail();
    return p;
}

// Rounds the decimal number "intDigits.fracDigits" to `decimals` places,
// halves away from zero. Both strings hold digits only.
void roundDecimal(std::string &intDigits, std::string &fracDigits, int decimals)
{
    if (int(fracDigits.size()) <= decimals) {
        fracDigits.append(decimals - fracDigits.size(), '0');
        return;
    }
    const bool up = fracDigits[decimals] >= '5';
    fracDigits.resize(decimals);
    if (!up)
        return;
    std::string all = intDigits + fracDigits;
    int k = int(all.size()) - 1;
    while (k >= 0 && all[k] == '9')
        all[k--] = '0';
    if (k >= 0)
        ++all[k];
    else
        all.insert(all.begin(), '1');
    intDigits = all.substr(0, all.size() - decimals);
    fracDigits = all.substr(all.size() - decimals);
}

QString assemble(const Pattern &p, bool negative, std::string intDigits, std::string fracDigits)
{
    roundDecimal(intDigits, fracDigits, p.decimals);
    const auto first = intDigits.find_first_not_of('0');
    intDigits = first == std::string::npos ? "0" : intDigits.substr(first);
    const bool zero = intDigits == "0" && fracDigits.find_first_not_of('0') == std::string::npos;

    QString text = GroupThousands(QString::fromStdString(intDigits));
    if (p.decimals > 0)
        text += u'.' + QString::fromStdString(fracDigits);
    if (negative && !zero)
        text.prepend(u'-');
    return text.rightJustified(p.width, u' ');
}

} // namespace

QString FormatNumber(QStringView pattern, double value)
{
    const Pattern p = parsePattern(pattern);
    if (std::isnan(value))
        return QStringLiteral("NAN").rightJustified(p.width, u' ');
    if (std::isinf(value))
        return QString(value < 0 ? "-INF" : "INF").rightJustified(p.width, u' ');

    // Fifteen significant digits, as the value was typed: 1.005 stays 1.005
    // instead of its binary neighbour 1.00499999...
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string mantissa;
    const char *c = buf;
    for (; *c && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9')
            mantissa += *c;
    const int exponent = *c == 'e' ? std::atoi(c + 1) : 0;

    std::string intDigits, fracDigits;
    if (exponent >= 0) {
        if (int(mantissa.size()) <= exponent + 1) {
            intDigits = mantissa + std::string(exponent + 1 - mantissa.size(), '0');
        } else {
            intDigits = mantissa.substr(0, exponent + 1);
            fracDigits = mantissa.substr(exponent + 1);
        }
    } else {
        intDigits = "0";
        fracDigits = std::string(-exponent - 1, '0') + mantissa;
    }
    return assemble(p, value < 0, intDigits, fracDigits);
}

QString FormatNumber(QStringView pattern, Currency value)
{
    const Pattern p = parsePattern(pattern);
    const qint64 raw = value.raw();
    // Magnitude as unsigned so the most negative value has one too.
    const quint64 mag = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
    std::string intDigits = std::to_string(mag / quint64(Currency::Scale));
    std::string fracDigits = std::to_string(mag % quint64(Currency::Scale));
    fracDigits.insert(fracDigits.begin(), 4 - fracDigits.size(), '0');
    return assemble(p, raw < 0, intDigits, fracDigits);
}

} // namespace report
