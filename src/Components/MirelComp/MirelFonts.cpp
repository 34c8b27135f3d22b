#include "Components/MirelComp/MirelFonts.h"

#include <QStringList>
#include <cmath>

namespace mirel {

void installFontSubstitutions()
{
    static const char *const proportional[] = {
        "굴림", "돋움", "맑은 고딕", "Tahoma", "Gulim", "Dotum", "Malgun Gothic",
        "MS Sans Serif", "Arial", "Verdana",
    };
    static const char *const fixedPitch[] = {
        "굴림체", "돋움체", "GulimChe", "DotumChe", "Fixedsys", "Courier New",
    };
    for (const char *name : proportional)
        QFont::insertSubstitutions(QString::fromUtf8(name), {"NanumGothic", "NanumBarunGothic"});
    for (const char *name : fixedPitch)
        QFont::insertSubstitutions(QString::fromUtf8(name), {"NanumGothicCoding", "NanumGothic"});
}

QFont makeFont(const QString &family, int height, bool bold)
{
    QFont font(family);
    if (height != 0)
        font.setPixelSize(std::abs(height));
    font.setBold(bold);
    return font;
}

int fontPointSize(const QFont &font)
{
    int points = font.pointSize();
    if (points <= 0 && font.pixelSize() > 0)
        points = int(std::lround(font.pixelSize() * 72.0 / 96.0));
    return points < 1 ? 1 : points;
}

} // namespace mirel
