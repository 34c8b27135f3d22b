#pragma once
// Pixel drawing shared by the buttons and the plate.

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <vector>

namespace mirel {

// One segment of a polyline: from the current point to `to` in `color`.
struct Segment {
    QPoint to;
    QColor color;
};

// Draws a one-pixel polyline from start through the segments; each segment
// includes its start pixel and leaves out its end pixel, so consecutive
// segments never draw a corner twice. Segments are horizontal, vertical or
// diagonal.
void drawPolyline(QPainter &p, QPoint start, const std::vector<Segment> &segments);

// The two-ring bevel of the buttons: the border pixels and the ring one pixel
// inside, light on the top and left, shadow on the bottom and right.
void drawBevel(QPainter &p, int w, int h, const QColor &light, const QColor &shadow);

// Caption placement of the buttons: measured in a rectangle
// max(0, w - 2 * margin) wide (lines break only at line breaks), centred on
// the control (offsets truncated toward zero), shifted by shift, drawn
// horizontally centred with a transparent background.
void drawCaption(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                 int w, int h, int margin, QPoint shift);

// An amount rounded to whole units (halves away from zero) with thousands
// separators and no decimals: 12500 -> "12,500", 0 -> "0".
QString formatWhole(double amount);

// "\r\n" and "\r" become "\n": captions built for slips carry CR LF.
QString normalizeBreaks(const QString &text);

} // namespace mirel
