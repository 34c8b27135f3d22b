#include "production/ProductionWrite.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"

namespace {

QString F(const char *name) { return QLatin1String(name); }

} // namespace

void WriteProductionDocument(ClientDataSet &c, const ProductionHeader &h, DataSet &lines,
                             const ProductionLineValues &values)
{
    const QString user = MyConfig.UIADNB;
    auto text = [&c](const char *name, const QString &value) { SetTextParam(c, F(name), value); };
    auto integer = [&c](const char *name, qint64 value) { SetParam(c, FieldType::Integer, F(name), value); };
    auto real = [&c](const char *name, double value) { SetParam(c, FieldType::Float, F(name), value); };

    // The header.
    SetParam(c, FieldType::SmallInt, F("A_GUBUN"), 1);
    text("A_RHCMCD", MyConfig.CompanyCode);
    text("A_RHBUUT", MyConfig.StoreCode);
    text("A_RHMONTH", h.month);
    integer("A_RHNUMB", h.number);
    text("A_RHYEAR", h.year);
    text("A_RHDATE", h.day);
    text("A_RHLINB", h.line);
    text("A_RHADNB", user);
    for (const char *empty : {"A_RHSTTM", "A_RHEDTM", "A_RHBIGO"})
        text(empty, QString());
    text("A_RHWORK", user);
    text("A_RHPGID", h.program);
    c.Execute();

    // Every line.
    for (int row = 0; row < lines.rowCount(); ++row) {
        const DataSet::RowScope scope(lines, row);
        auto field = [&lines](const char *name) -> const Field & { return lines.FieldByName(F(name)); };
        SetParam(c, FieldType::SmallInt, F("A_GUBUN"), 2);
        text("A_RDCMCD", MyConfig.CompanyCode);
        text("A_RDBUUT", MyConfig.StoreCode);
        text("A_RDMONTH", h.month);
        integer("A_RDNUMB", h.number);
        integer("A_RDSEQ", row + 1);
        text("A_RDITNB", field("IMITNB").AsString());
        text("A_RDBAR", QString());
        text("A_RDRFID", QString());
        text("A_RDLINB", values.line(lines));
        text("A_RDUNIT", field("ADUNIT").AsString());
        real("A_RDQTY", field("ADQTY").AsFloat());
        integer("A_RDUPRC", field("ADUPRC000").AsInteger());
        integer("A_RDAMT", field("ADAMT").AsCurrency().Round());
        text("A_RDBDAN", field("ADBDAN").AsString());
        text("A_RDMDAN", field("ADMDAN").AsString());
        text("A_RDLDAN", field("ADLDAN").AsString());
        real("A_RDMQTY", field("ADMQTY").AsFloat());
        real("A_RDSQTY", field("ADSQTY").AsFloat());
        real("A_RDMCAL", field("ADMCAL").AsFloat());
        real("A_RDLQTY", field("SonsilSu").AsFloat());
        for (const char *empty : {"A_RDSJSY", "A_RDBIGO", "A_RDSTTM", "A_RDEDTM", "A_RDCHMONTH", "A_RDIBMONTH"})
            text(empty, QString());
        for (const char *zero : {"A_RDCHNUMB", "A_RDCHSEQ", "A_RDIBNUMB", "A_RDIBSEQ"})
            integer(zero, 0);
        text("A_RDWORK", user);
        text("A_RDPGID", h.program);
        real("A_RDWPRC", values.cost(lines));
        real("A_RDBPRC", 0);
        c.Execute();
    }
}
