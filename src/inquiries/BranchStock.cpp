#include "inquiries/BranchStock.h"

#include "core/uKV_DataModule.h"
#include "platform/dataset/Currency.h"
#include "platform/report/ReportFormat.h"

#include <QHash>

namespace {

const QString kDelimiter = QStringLiteral("^");

Currency quantityOf(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    bool ok = false;
    const Currency q = Currency::fromString(t, &ok);
    if (!ok)
        throw BranchStockError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
    return q;
}

int countOf(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0)
        throw BranchStockError(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return n;
}

} // namespace

NameRange BranchStockAllBounds()
{
    return {QString(), QStringLiteral("zzzzzzzzzz")};
}

std::optional<NameRange> BranchStockKeyBounds(int tag)
{
    switch (tag) {
    case kNameIndexAll:
        return BranchStockAllBounds();
    case 656315:
        return NameRange{QStringLiteral("하"), QStringLiteral("a")};
    case 656316:
        return NameRange{QStringLiteral("a"), QStringLiteral("z")};
    case 656317:
        return NameRange{QStringLiteral("0"), QStringLiteral("9")};
    default:
        break;
    }
    if (tag < kNameIndexFirst || tag > kNameIndexLast)
        return std::nullopt;
    const NameIndexBounds bounds = NameIndexRange(tag);
    if (bounds.ranges.isEmpty())
        return std::nullopt;
    return bounds.ranges.first();
}

QList<QStringList> BranchStockTable(const QList<BranchStockLine> &lines)
{
    struct Row {
        QHash<int, Currency> byBranch;
        Currency total;
    };
    QStringList branches;
    QHash<QString, int> column;
    QList<Row> rows;
    rows.reserve(lines.size());
    for (const BranchStockLine &line : lines) {
        Row row;
        const int n = countOf(line.count);
        for (int k = 1; k <= n; ++k) {
            const QString branch = TDM::GetToken(line.branches, k, kDelimiter);
            const Currency q = quantityOf(TDM::GetToken(line.quantities, k, kDelimiter));
            auto at = column.constFind(branch);
            if (at == column.constEnd()) {
                at = column.insert(branch, int(branches.size()));
                branches << branch;
            }
            row.byBranch[*at] += q;
            row.total += q;
        }
        rows.append(row);
    }

    QList<QStringList> table;
    table.reserve(rows.size() + 1);
    table.append(QStringList{QStringLiteral("품명"), QStringLiteral("단위")} + branches
                 + QStringList{QStringLiteral("합계")});
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells{lines[r].name, lines[r].unit};
        for (int b = 0; b < branches.size(); ++b)
            cells << report::FormatNumber(u"%7.0n", rows[r].byBranch.value(b));
        cells << report::FormatNumber(u"%10.0n", rows[r].total);
        table.append(cells);
    }
    return table;
}
