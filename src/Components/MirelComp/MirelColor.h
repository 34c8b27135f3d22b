#pragma once
// Colours of the control library are stored as 32-bit colour references in
// decimal, as the form layouts keep them: red in the low byte, green in the
// next, blue in the third. A reference whose top byte is set names a system
// colour (button face, window, ...) by its index in the low byte.

#include <QColor>

namespace mirel {

QColor colorFromRef(int ref);
int refFromColor(const QColor &color);

} // namespace mirel
