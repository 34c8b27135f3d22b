#include "documents/SlipColumns.h"

#include "core/uKV_Common_Text.h"
#include "platform/dataset/NumberText.h"
#include "platform/os/CodePage.h"

#include <cmath>

QString SlipRow(QList<SlipCell> cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        SlipCell &cell = cells[i];
        if (!cell.number)
            continue;
        int need = int(os::ToAnsi(cell.text).size()) - cell.width;
        for (int j = i - 1; j >= 0 && need > 0; --j) {
            if (cells[j].number)
                continue;
            const int take = qMin(need, cells[j].width);
            cells[j].width -= take;
            cell.width += take;
            need -= take;
            break; // only the nearest text cell gives
        }
        if (need > 0)
            cell.width += need; // nothing left to give: the line grows
    }
    QString line;
    for (const SlipCell &cell : cells) {
        switch (cell.align) {
        case SlipCell::Left: line += PadRight(cell.text, cell.width); break;
        case SlipCell::Right: line += PadLeft(cell.text, cell.width); break;
        case SlipCell::Center: line += PadCenter(cell.text, cell.width); break;
        }
    }
    return line;
}

QString SlipQuantity(double quantity)
{
    const qint64 hundredths = std::llround(quantity * 100);
    const qint64 a = hundredths < 0 ? -hundredths : hundredths;
    return (hundredths < 0 ? QStringLiteral("-") : QString()) + FormatWholeNumber(a / 100) + QLatin1Char('.')
           + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}
