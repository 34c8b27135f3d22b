#pragma once
// Writing one production document (GP_INSERT_F3300_PRODUCTENTRY): the header
// with A_GUBUN 1, then every line of a table, in table order and whatever its
// quantity, with A_GUBUN 2 and A_RDSEQ counting 1, 2, .... Production entry
// and the production-pattern screen both save this way; they differ in the
// production line each line sends and in its raw-material cost, which the
// caller gives per line. Header and line rows share the one parameter list
// of the call.

#include <QString>
#include <QtGlobal>

#include <functional>

class ClientDataSet;
class DataSet;

struct ProductionHeader {
    qint64 number = 0;
    QString month; // "yyyymm"
    QString year;  // "yyyy"
    QString day;   // "yyyymmdd"
    QString line;  // A_RHLINB
    QString program; // A_RHPGID / A_RDPGID, the form name
};

// Per line, read with the line as the table's current record (a RowScope):
// its production line (A_RDLINB) and its raw-material cost (A_RDWPRC; 0 lets
// the server cost it from the recipe).
struct ProductionLineValues {
    std::function<QString(const DataSet &)> line;
    std::function<double(const DataSet &)> cost;
};

// Executes the header and every line of `lines`; throws what the server
// answered (rows already executed stay written; a header sent again under the
// same key replaces the document). A_RHADNB and the work user are
// MyConfig.UIADNB.
void WriteProductionDocument(ClientDataSet &call, const ProductionHeader &header, DataSet &lines,
                             const ProductionLineValues &values);
