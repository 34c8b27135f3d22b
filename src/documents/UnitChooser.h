#pragma once
// The unit column of the order, receipt and release line grids: the item's
// two units from the server on the unit chooser TF405_Dialog.

#include <QString>

class DataSet;
class QWidget;

// The SQL text of the unit query for an item of a store, CR (13) where the
// lines break:
//   " SELECT  IMMDAN,IMLDAN from f0200 " CR " WHERE imcmcd = '<company>' " CR
//   " AND imbuut   = '<store>' " CR " and imitnb   = '<item>' "
// A quote inside a value is doubled, so a value can never end its literal;
// the server reads a doubled quote back as one.
QString UnitQuerySql(const QString &company, const QString &store, const QString &item);

// Runs the unit query for the current line's IMITNB (the terminal's company
// and store) on TDM.Cds_QryPrc and shows TF405_Dialog with IMLDAN on
// MirelImg_ok and IMMDAN on MirelImg_yes (empty captions when the item has no
// row). Result 1 sets the line's ADUNIT to the MirelImg_ok caption, 6 to the
// MirelImg_yes caption, and posts the line; any other result changes
// nothing. Returns the dialog's result. Query errors propagate.
int ChooseLineUnit(DataSet &lines, QWidget *parent = nullptr);
