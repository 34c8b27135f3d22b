#include "documents/PatternLines.h"

#include "Components/MirelComp/MirelGridL.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "documents/DocumentLines.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Keys.h"
#include "platform/remote/ClientDataSet.h"

#include <QApplication>

namespace {

QString F(const char *name) { return QLatin1String(name); }

constexpr int kBackspaceKey = 8;

void copyByLineType(Field &to, const Field &from)
{
    switch (to.DataType()) {
    case FieldType::String: to.setAsString(from.AsString()); break;
    case FieldType::SmallInt:
    case FieldType::Integer: to.setAsInteger(from.AsInteger()); break;
    case FieldType::Float: to.setAsFloat(from.AsFloat()); break;
    case FieldType::Currency: to.setAsCurrency(from.AsCurrency()); break;
    case FieldType::Boolean: to.setAsBoolean(from.AsBoolean()); break;
    case FieldType::DateTime: to.setAsDateTime(from.AsDateTime()); break;
    }
}

} // namespace

// ---- key pad ------------------------------------------------------------------

int PadVirtualKey(int tag) { return tag == kPadBackspaceTag ? kBackspaceKey : tag; }

void ConnectPadKeys(QWidget *screen, const std::function<void(int tag)> &onKey)
{
    for (const char *name : {"btn0", "bnt1", "btn2", "btn3", "btn4", "btn5", "btn6", "btn7", "btn8", "btn9", "btnJem",
                             "btn_ghktkfvy"}) {
        TMirelImgBtn *key = screen->findChild<TMirelImgBtn *>(F(name));
        Q_ASSERT(key);
        QObject::connect(key, &TMirelImgBtn::OnMouseUp, screen, [key, onKey] { onKey(key->Tag()); });
    }
}

void SelectQuantityColumn(TMCustomDBGrid *grid)
{
    const TDBGridColumns &columns = grid->Columns();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i]->FieldName().compare(F("ADQTY"), Qt::CaseInsensitive) == 0) {
            grid->setSelectedIndex(i); // nothing when it is the current column already
            return;
        }
}

void FocusQuantity(TMCustomDBGrid *grid)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus != grid && !grid->isAncestorOf(focus))
        grid->setFocus();
    SelectQuantityColumn(grid);
}

void TypePadKey(TMCustomDBGrid *grid, DataSet &lines, int tag)
{
    // Editing a table without lines would append a line without an item.
    if (!lines.Active() || lines.IsEmpty())
        return;
    FocusQuantity(grid);
    lines.Edit(); // nothing while the line is in edit already
    KeyPress(PadVirtualKey(tag));
}

void NextLine(DataSet &lines)
{
    if (lines.Active() && !lines.IsEmpty())
        lines.Next();
}

// ---- filling the lines ------------------------------------------------------------

void FillLines(DataSet &lines, DataSet &answer, std::initializer_list<LineField> fields, LineCopy copy,
               const LineHook &eachLine)
{
    const ControlsOff quiet(lines);
    lines.EmptyTable();
    for (answer.First(); !answer.Eof(); answer.Next()) {
        lines.Append();
        for (const LineField &f : fields) {
            Field &to = lines.FieldByName(F(f.line));
            const Field &from = answer.FieldByName(F(f.answer));
            if (copy == LineCopy::AsAnswered)
                to.setAsVariant(from.AsVariant());
            else
                copyByLineType(to, from);
        }
        if (eachLine)
            eachLine(lines, answer);
        lines.Post();
    }
    lines.First();
}

void SetPatternLineParams(ClientDataSet &call, int pattern, const QString &target)
{
    SetTextParam(call, "COMPCODE", MyConfig.CompanyCode);
    SetTextParam(call, "STORECODE", MyConfig.StoreCode);
    SetParam(call, FieldType::Integer, "HDNUMB", pattern);
    SetTextParam(call, "TARGETCODE", target);
}

void FillPatternLines(DataSet &lines, DataSet &answer, bool orderedQuantities, const LineHook &eachLine)
{
    FillLines(lines, answer,
              {{"ADNUMB", "ADNUMB"}, {"ADSEQ", "ADSEQ"},   {"IMITNB", "IMITNB"},
               {"ADBDAN", "ADBDAN"}, {"ADMDAN", "ADMDAN"}, {"ADLDAN", "ADLDAN"},
               {"ADMCAL", "ADMCAL"}, {"ADMQTY", "ADMQTY"}, {"ADSQTY", "ADSQTY"},
               {"IMNAME", "IMNAME"}, {"ADUNIT", "ADUNIT"}, {"SoUnitTotalstock", "SoUnitTotalstock"},
               {"REPTQTY", "REPTQTY"}, {"jjgo", "jjgo"},   {"ADQTY", "ADQTY"},
               {"ADAMT", "ADAMT"},   {"IMPGKI", "IMPGKI"}, {"IMPMKI", "IMPMKI"},
               {"IMSDKI", "IMSDKI"}, {"IMSJKI", "IMSJKI"}},
              LineCopy::AsAnswered, [&](DataSet &line, DataSet &row) {
                  line.FieldByName(F("IMITTY")).setAsString(ItemTypeWord(row.FieldByName(F("IMITTY")).AsString()));
                  line.FieldByName(F("SIZE")).setAsString(row.FieldByName(F("size")).AsString());
                  if (orderedQuantities)
                      line.FieldByName(F("ADQTY")).setAsFloat(row.FieldByName(F("PDQTY")).AsFloat());
                  SetLinePrices(line, row.FieldByName(F("ADUPRC")).AsInteger());
                  if (eachLine)
                      eachLine(line, row);
              });
}

void FillGatheredOrderLines(DataSet &lines, DataSet &answer, const LineHook &eachLine)
{
    FillLines(lines, answer,
              {{"ADNUMB", "PDNUMB"}, {"ADSEQ", "PDSEQ"},   {"IMITNB", "PDITNB"}, {"ADBDAN", "PDBDAN"},
               {"ADMDAN", "PDMDAN"}, {"ADLDAN", "PDLDAN"}, {"ADMCAL", "PDMCAL"}, {"ADMQTY", "PDMQTY"},
               {"ADSQTY", "PDSQTY"}, {"IMNAME", "IMNAME"}, {"ADUNIT", "PDUNIT"}, {"ADQTY", "PDQTY"},
               {"ADAMT", "PDAMT"},   {"SIZE", "size"}},
              LineCopy::AsAnswered, [&](DataSet &line, DataSet &row) {
                  line.FieldByName(F("SoUnitTotalstock")).setAsString(QStringLiteral("0"));
                  line.FieldByName(F("REPTQTY")).setAsFloat(0);
                  line.FieldByName(F("jjgo")).setAsFloat(0);
                  SetLinePrices(line, row.FieldByName(F("PDUPRC")).AsInteger());
                  if (eachLine)
                      eachLine(line, row);
              });
}

void ReadPlacedOrderLines(DataSet &order, ClientDataSet &patternLines)
{
    const int pattern = order.FieldByName(F("PHADNUMB")).AsInteger();
    if (pattern == kGatheredPattern)
        return;
    SetPatternLineParams(patternLines, pattern, order.FieldByName(F("phadnb")).AsString());
    SetParam(patternLines, FieldType::Integer, "phnumb", order.FieldByName(F("phnumb")).AsInteger());
    patternLines.Open();
}

void FillPlacedOrderLines(DataSet &lines, DataSet &order, DataSet &orderLines, DataSet &patternLines,
                          const LineHook &eachLine)
{
    if (order.FieldByName(F("PHADNUMB")).AsInteger() == kGatheredPattern)
        FillGatheredOrderLines(lines, orderLines, eachLine);
    else
        FillPatternLines(lines, patternLines, true, eachLine);
}
