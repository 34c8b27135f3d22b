#pragma once
// One line of a 42-column receipt slip built from cells side by side, widths
// counted in bytes of code page 949 (PadRight / PadLeft / PadCenter of the
// common unit).
//
// A number never loses a digit: a number cell whose text is wider than its
// column takes the bytes it needs from the nearest text cell before it, which
// is cut by lead bytes (never inside a Hangul syllable) and filled to its
// smaller width. So the line keeps its total width as long as that text cell
// can give the bytes; when it cannot, the number still stands whole and the
// line grows. A line whose numbers fit is byte for byte
// PadRight(name, 27) + PadLeft(qty, 8) + PadLeft(unit, 7) and the like.
//
//   SlipRow({SlipText(name, 27), SlipNumber(qty, 8), SlipNumber(unit, 7)})

#include <QList>
#include <QString>

struct SlipCell {
    enum Align { Left, Right, Center };
    QString text;
    int width = 0;
    Align align = Left;
    bool number = false; // kept whole, takes width from the text cell before it
};

inline SlipCell SlipText(const QString &text, int width) { return {text, width, SlipCell::Left, false}; }
inline SlipCell SlipCentred(const QString &text, int width) { return {text, width, SlipCell::Center, false}; }
inline SlipCell SlipRight(const QString &text, int width) { return {text, width, SlipCell::Right, false}; }
inline SlipCell SlipNumber(const QString &text, int width) { return {text, width, SlipCell::Right, true}; }

QString SlipRow(QList<SlipCell> cells);

// A quantity as the slips print it: thousands separators and two decimals,
// 20000 -> "20,000.00", -1.5 -> "-1.50".
QString SlipQuantity(double quantity);
