#pragma once
// The A4 prints of the production reports, each a table-driven list
// (TablePrintForm) over the rows of its screen's result, from its first row:
//   TF30_PRODUCTDAILYREPORT  "생산 일보", landscape, one row per production
//                            line, a rule under every row;
//   TF30_DAILYPRODUCTSUM     "일별 생산 집계", portrait, one row per day and item;
//   TF30_ITEMPRODUCTSUM      "품목별 생산 집계", landscape, day and time beside
//                            "발행일:", two lines per item (quantities, then
//                            amounts under the same months), a rule under
//                            every item.
// Each is given the period label of the rows it prints ("생산일 : …",
// "기간 : …", "년도 : …"). Quantities print "%10.2n" (the item totals'
// "%10.0n"), amounts "%10.0n" on their fixed-point value.

#include "production/ReportColumns.h"

class TF30_PRODUCTDAILYREPORT : public TablePrintForm
{
    Q_OBJECT
public:
    static const ReportColumnTable &Columns();
    TF30_PRODUCTDAILYREPORT(DataSet *rows, const QString &period, QObject *parent = nullptr);
};

class TF30_DAILYPRODUCTSUM : public TablePrintForm
{
    Q_OBJECT
public:
    static const ReportColumnTable &Columns();
    TF30_DAILYPRODUCTSUM(DataSet *rows, const QString &period, QObject *parent = nullptr);
};

class TF30_ITEMPRODUCTSUM : public TablePrintForm
{
    Q_OBJECT
public:
    static const ReportColumnTable &Columns();
    TF30_ITEMPRODUCTSUM(DataSet *rows, const QString &period, QObject *parent = nullptr);
};
