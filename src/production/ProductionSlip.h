#pragma once
// The production slip, printed by production entry for its last saved
// production and by the production-pattern screen for the production saved
// there: the lines are read again from the server through a production status
// list that is never shown, and laid out in 42 columns with the name, the
// unit, the total (produced + lost), the loss and the quantity produced, all
// quantities as whole numbers with thousands separators. A number never loses
// a digit: the name gives way (SlipRow, documents/SlipColumns.h). The slip
// ends with a "=" rule and has no thanks line.

#include "documents/ItemEntryScreen.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

using ProductionSlipLine = TItemEntryScreen::SlipLine;

// " 생산 시각: ", the slip's time label.
QString ProductionSlipTimeLabel();

// Reads production `number` of the month of `day` as the status list does
// (its header query for that day, then the lines), in line order. A server
// error propagates.
QList<ProductionSlipLine> ReadProductionSlipLines(QWidget *parent, const QDate &day, qint64 number);

// The column heading, the "-" rule and a row per line.
QStringList ProductionSlipBody(const QList<ProductionSlipLine> &lines);

// The whole slip under `title` ("[생   산]", "[생산 수정]"), timed now.
QStringList ProductionSlip(const QString &title, const QList<ProductionSlipLine> &lines);
