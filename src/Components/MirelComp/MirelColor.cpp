#include "Components/MirelComp/MirelColor.h"

namespace mirel {
namespace {

QColor systemColor(int index)
{
    switch (index) {
    case 5:  return QColor(255, 255, 255); // window
    case 8:  return QColor(0, 0, 0);       // window text
    case 13: return QColor(0, 120, 215);   // highlight
    case 14: return QColor(255, 255, 255); // highlight text
    case 15: return QColor(240, 240, 240); // button face
    case 16: return QColor(160, 160, 160); // button shadow
    case 17: return QColor(109, 109, 109); // grey text
    case 18: return QColor(0, 0, 0);       // button text
    case 20: return QColor(255, 255, 255); // button highlight
    default: return QColor(240, 240, 240);
    }
}

} // namespace

QColor colorFromRef(int ref)
{
    const quint32 v = static_cast<quint32>(ref);
    if (v & 0xFF000000u)
        return systemColor(int(v & 0xFF));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int refFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace mirel
