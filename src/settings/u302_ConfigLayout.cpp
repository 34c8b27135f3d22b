#include "settings/u302_ConfigLayout.h"

#include <algorithm>
#include <cmath>

namespace layout {

Grid GridFor(int n)
{
    Grid g;
    if (n <= 0)
        return g;
    g.columns = std::max(1, int(std::sqrt(double(n))));
    // Guard the floating-point square root against landing just below a
    // perfect square.
    while ((g.columns + 1) * (g.columns + 1) <= n)
        ++g.columns;
    g.rows = (n + g.columns - 1) / g.columns;
    g.cellWidth = 775 / g.columns;
    g.cellHeight = 595 / g.rows;
    return g;
}

std::vector<QRect> TileRects(int n)
{
    std::vector<QRect> rects;
    if (n <= 0)
        return rects;
    const Grid g = GridFor(n);
    int column = 0;
    int row = 0;
    for (int k = 0; k < n; ++k) {
        if (column > 0 && (column + 1) * g.cellWidth > 787) {
            column = 0;
            ++row;
        }
        rects.emplace_back(column * g.cellWidth + 3, row * g.cellHeight + 3, g.cellWidth - 2, g.cellHeight - 2);
        ++column;
    }
    return rects;
}

QSize ResetSize(int n)
{
    if (n <= 0)
        return {};
    const Grid g = GridFor(n);
    return QSize(790 / g.columns - 2, 600 / g.rows - 2);
}

namespace {

// One alignment pass; `along` reads the coordinate being aligned, `across`
// the other one, `set` writes the aligned coordinate.
template <typename Along, typename Across, typename Set>
void alignBands(std::vector<QPoint> &points, int bands, Along along, Across across, Set set)
{
    for (int i = 0; i < bands; ++i) {
        const int low = (i - 1) * 16;
        const int high = (i + 1) * 16;
        auto inside = [&](const QPoint &p) { return along(p) > low && along(p) < high; };
        const QPoint *reference = nullptr;
        for (const QPoint &p : points) {
            if (!inside(p))
                continue;
            if (!reference || across(*reference) == 0 || across(p) < across(*reference))
                reference = &p;
        }
        if (!reference)
            continue;
        const int value = along(*reference);
        for (QPoint &p : points)
            if (inside(p))
                set(p, value);
    }
}

} // namespace

void AlignColumns(std::vector<QPoint> &topLefts)
{
    alignBands(
        topLefts, 47, [](const QPoint &p) { return p.x(); }, [](const QPoint &p) { return p.y(); },
        [](QPoint &p, int v) { p.setX(v); });
}

void AlignRows(std::vector<QPoint> &topLefts)
{
    alignBands(
        topLefts, 38, [](const QPoint &p) { return p.y(); }, [](const QPoint &p) { return p.x(); },
        [](QPoint &p, int v) { p.setY(v); });
}

int CountLimit(int other)
{
    return std::max(0, MaxTiles - 1 - other);
}

QString CountNotice(int limit)
{
    const QString m = QString::number(limit);
    return QString::fromUtf8("사용 가능한 테이블 수는 0~") + m + QString::fromUtf8("입니다. 0~") + m
        + QString::fromUtf8(" 사이의 수를 입력해 주세요.");
}

QString FloorCountNotice()
{
    return QString::fromUtf8("사용 가능한 층 수는 1~") + QStringLiteral("20") + QString::fromUtf8("입니다. 1~")
        + QStringLiteral("20") + QString::fromUtf8(" 사이의 수를 입력해 주세요.");
}

} // namespace layout
