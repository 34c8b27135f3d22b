#pragma once
// The line tables of the pattern-order family and the item-type words.

#include "platform/dataset/Field.h"

#include <QList>
#include <QString>

// The word a line shows for an item-type code: "1" 제품, "3" 반제, "2" 상품,
// "5" and "6" 재료; any other value is returned unchanged (so a word already
// in place stays).
QString ItemTypeWord(const QString &code);

// The fields of the working lines VTB_PATTERNBALJU, in order: ADNUMB, ADSEQ,
// IMITNB, IMITTY, ADBDAN, ADMDAN, ADLDAN, ADMCAL, ADMQTY, ADSQTY, IMNAME,
// ADUNIT, SoUnitTotalstock, Ttt, REPTQTY, jjgo, JrADQTY, ADQTY, ADUPRC,
// ADUPRC2, ADUPRC000, ADUPRC001, IMPGKI, IMPMKI, IMSDKI, IMSJKI, ADAMT
// (currency), SUSUM, BDFL, SDFL, bigo, sss, SonsilSu, SonPlusIlSu,
// vtb_STOCKField33, SIZE, AHADNB, AHADNB_NAME. The warehouse receipt appends
// its own fields after these.
QList<FieldDef> PatternLineFields();

// One unit price into the four price fields of a working line (ADUPRC,
// ADUPRC000, ADUPRC2, ADUPRC001); the line is in edit or insert.
class DataSet;
void SetLinePrices(DataSet &line, int price);

// Filters the order patterns (rows of GP_SELECT_F2110_RegOrderSearch) by
// the pattern filter's choice: "제품" the patterns of branches and product
// suppliers, "재료" those of material suppliers (codes above "40000000");
// anything else ("전체") switches the filter off.
void FilterPatterns(DataSet &patterns, const QString &choice);

// Lists the store's order patterns of a supplier (TARGETCODE; "99999999"
// every supplier) on a call of GP_SELECT_F2110_RegOrderSearch.
class ClientDataSet;
void OpenPatterns(ClientDataSet &patterns, const QString &target);

// The fields of the temporary-save lines VTB_IMSIDETAIL: PatternLineFields()
// without SIZE.
QList<FieldDef> ImsiDetailFields();
