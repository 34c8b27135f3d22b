// The parts of the report that read a data set.

#include "platform/dataset/DataSet.h"
#include "platform/report/Report.h"
#include "platform/report/ReportFormat.h"

namespace report {

QString FieldText(const DataSet &dataSet, const QString &name, const QString &format)
{
    if (!dataSet.Active() || dataSet.RecordCount() == 0)
        return {};
    const Field &field = dataSet.FieldByName(name);
    if (field.IsNull())
        return {};
    if (format.isEmpty())
        return field.DisplayText();
    if (field.DataType() == FieldType::Currency)
        return FormatNumber(format, field.AsCurrency());
    return FormatNumber(format, field.AsFloat());
}

QString DataText::text() const
{
    return m_dataSet ? FieldText(*m_dataSet, m_field, m_format) : QString();
}

bool CheckBox::isChecked() const
{
    if (!m_dataSet)
        return m_checked;
    if (!m_dataSet->Active() || m_dataSet->RecordCount() == 0)
        return false;
    return m_dataSet->FieldByName(m_field).AsBoolean();
}

// One detail band per row, from the first row to the last. A closed data set
// (or none) prints no detail band. Grids showing the data set are not told
// of every row the report passes, only once at the end.
void Report::runDetails()
{
    Band *detail = band(BandType::Detail);
    if (!detail || !m_dataSet || !m_dataSet->Active())
        return;
    struct ControlsOff
    {
        DataSet *ds;
        explicit ControlsOff(DataSet *d) : ds(d) { ds->DisableControls(); }
        ~ControlsOff() { ds->EnableControls(); }
    } off(m_dataSet);
    m_dataSet->First();
    while (!m_dataSet->Eof()) {
        placeBand(detail, true);
        m_dataSet->Next();
    }
}

} // namespace report
