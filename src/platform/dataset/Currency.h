#pragma once
// Money as a 64-bit fixed-point number in ten-thousandths of a unit (four
// decimals), so sums and differences of prices are exact.
//
// Rounding rules (all documented here, nowhere else):
//  - fromDouble, multiplication and division round to the nearest
//    ten-thousandth, halves away from zero (2.00005 -> 2.0001, -2.00005 -> -2.0001).
//  - Trunc() drops the fraction toward zero (-1.9 -> -1); Round() rounds to a
//    whole unit, halves away from zero (2.5 -> 3, -2.5 -> -3).
//  - fromString rounds extra decimals the same way ("0.00005" -> 0.0001).
// A result outside the 64-bit range, a division by zero or a NaN/infinite
// double throws CurrencyError.

#include <QString>
#include <QStringView>
#include <QMetaType>
#include <QtGlobal>
#include <concepts>
#include <stdexcept>

class CurrencyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    // Whole units: Currency(12) is 12.0000.
    template <std::integral T>
    constexpr explicit Currency(T units) : m_raw(qint64(units) * Scale) {}

    static constexpr Currency fromRaw(qint64 raw) { Currency c; c.m_raw = raw; return c; }
    static Currency fromDouble(double value);
    // "1234.5", "-0.25", "+7", ".5", " 12 " (blanks around are allowed); no
    // thousands separators, no exponent. On failure *ok is false and 0 is returned.
    static Currency fromString(QStringView text, bool *ok = nullptr);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Shortest exact text: "1234.5", "-3", "0.0001".
    QString toString() const;

    // Whole units toward zero, and rounded (halves away from zero).
    constexpr qint64 Trunc() const { return m_raw / Scale; }
    qint64 Round() const;

    constexpr bool isZero() const { return m_raw == 0; }

    Currency operator-() const;
    Currency &operator+=(Currency o);
    Currency &operator-=(Currency o);

    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, Currency b);
    friend Currency operator/(Currency a, Currency b);
    friend Currency operator*(Currency a, double b);
    friend Currency operator*(double a, Currency b) { return b * a; }
    friend Currency operator/(Currency a, double b);
    // Integer factors are exact (overflow throws); integer division rounds.
    template <std::integral T>
    friend Currency operator*(Currency a, T b) { return mulInt(a, qint64(b)); }
    template <std::integral T>
    friend Currency operator*(T a, Currency b) { return mulInt(b, qint64(a)); }
    template <std::integral T>
    friend Currency operator/(Currency a, T b) { return divInt(a, qint64(b)); }

    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
    static Currency mulInt(Currency a, qint64 b);
    static Currency divInt(Currency a, qint64 b);
    qint64 m_raw = 0;
};

Q_DECLARE_METATYPE(Currency)
