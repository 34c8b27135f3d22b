#include "production/ProductionSlip.h"

#include "core/uKV_Common_Text.h"
#include "documents/SlipColumns.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U656_StockDetail_SengSan.h"

namespace {

QString whole(double quantity) { return FormatAmount(Currency::fromDouble(quantity)); }

} // namespace

QString ProductionSlipTimeLabel() { return QStringLiteral(" 생산 시각: "); }

QList<ProductionSlipLine> ReadProductionSlipLines(QWidget *parent, const QDate &day, qint64 number)
{
    TF656_StockDetail_SengSan list(parent); // never shown: the holder of the two queries
    list.OpenProductions(day, day);
    list.OpenProductionLines(day.toString(QStringLiteral("yyyyMM")), number);
    QList<ProductionSlipLine> lines;
    DataSet &d = *list.cds_F3301_det;
    for (d.First(); !d.Eof(); d.Next()) {
        ProductionSlipLine line;
        line.name = d.FieldByName(QStringLiteral("IMNAME")).AsString();
        line.unit = d.FieldByName(QStringLiteral("RDUNIT")).AsString();
        line.quantity = d.FieldByName(QStringLiteral("RDQTY")).AsFloat();
        line.loss = d.FieldByName(QStringLiteral("RDLQTY")).AsFloat();
        line.total = d.FieldByName(QStringLiteral("chongsengsan")).AsFloat();
        lines.append(line);
    }
    return lines;
}

QStringList ProductionSlipBody(const QList<ProductionSlipLine> &lines)
{
    QStringList out{QStringLiteral("제품명             총생산량  손실량 생산량"), QString(42, QLatin1Char('-'))};
    for (const ProductionSlipLine &line : lines)
        out << SlipRow({SlipText(line.name, 14), SlipNumber(line.unit, 3), SlipNumber(whole(line.total), 10),
                        SlipNumber(whole(line.loss), 8), SlipNumber(whole(line.quantity), 7)});
    return out;
}

QStringList ProductionSlip(const QString &title, const QList<ProductionSlipLine> &lines)
{
    return EntrySlipFrame(title, ProductionSlipTimeLabel(), ProductionSlipBody(lines), false);
}
