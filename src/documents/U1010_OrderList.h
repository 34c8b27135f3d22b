#pragma once
// Printing one placed purchase order. TF1010_OrderList is the form that
// holds the order's header (cds_F2100_hed) and lines (cds_F2101_det); it is
// created for one print and never shown. PrintPlacedOrder reads the order
// under its own month and number and then, by TMyConfig.pcprst, prints the
// 42-column slip "[발   주]" on the receipt printer ("1"), shows the A4
// report "발주서" in the preview ("2"), or does nothing (any other value).

#include <QObject>
#include <QString>
#include <QStringList>

class ClientDataSet;

class TF1010_OrderList : public QObject {
    Q_OBJECT

public:
    explicit TF1010_OrderList(QObject *parent = nullptr);
    ~TF1010_OrderList() override;

    ClientDataSet *cds_F2100_hed = nullptr;
    ClientDataSet *cds_F2101_det = nullptr;

    // Opens the header and the lines of order `number` of `month` ("yyyymm").
    void LoadOrder(const QString &month, qint64 number);

    // The slip's lines for the loaded order, laid out by
    // TMyConfig.PrintStockPrice; `now` is the printing time.
    QStringList SlipLines(const QDateTime &now) const;

    // Builds the slip and hands it to the receipt printer with
    // TMyConfig.CountStockOD copies; a failure is logged and nothing printed.
    void PrintSlip();
};

extern TF1010_OrderList *F1010_OrderList;

// The print button of the pattern order entry: order `number` of `month`.
void PrintPlacedOrder(const QString &month, qint64 number);
