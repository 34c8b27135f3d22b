#include "inquiries/HistoryListForm.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "platform/remote/ClientDataSet.h"
#include "platform/report/ReportItems.h"
#include "production/SqlWaitCursor.h"

const char *const kHistoryListNoData = "미리보기나 인쇄할 데이타가 존재하지 않읍니다.";

namespace {

TableFormLayout listLayout(const HistoryListDef &def)
{
    TableFormLayout layout;
    layout.kind = QString::fromLatin1(def.kind);
    layout.title = QString::fromUtf8(def.title);
    layout.orientation = QPageLayout::Landscape;
    layout.issueDateTime = def.issueDateTime;
    return layout;
}

QString dayText(const QDate &day) { return day.toString(QStringLiteral("yyyy-MM-dd")); }

} // namespace

THistoryListForm::THistoryListForm(const HistoryListDef &def, const QDate &from, const QDate &to, QObject *parent)
    : TablePrintForm(def.table, listLayout(def),
                     NewRemoteCall(nullptr, "Cds_Procedure1", "dspStoredProc1", QString::fromLatin1(def.procedure)),
                     parent),
      Cds_Procedure1(static_cast<ClientDataSet *>(result())), m_def(def)
{
    Cds_Procedure1->setParent(this);
    setPeriodText(QString::fromUtf8(def.dateLabel) + dayText(from) + QStringLiteral(" ~ ") + dayText(to));
    setFillDetail([this](TablePrintForm &form, DataSet &row) {
        for (int c = 0; c < int(m_def.cells.size()); ++c) {
            QString format = QString::fromLatin1(m_def.cells[size_t(c)].second);
            const bool blankAfter = format.endsWith(QLatin1Char(' '));
            QString text = report::FieldText(row, QString::fromLatin1(m_def.cells[size_t(c)].first),
                                             format.trimmed());
            if (blankAfter)
                text += QLatin1Char(' ');
            form.cell(u'D', 0, c)->setCaption(text);
        }
    });

    const SqlWaitCursor wait;
    ClientDataSet &q = *Cds_Procedure1;
    q.Close();
    const std::pair<const char *, QString> common[] = {
        {"a_cmcd", MyConfig.CompanyCode},
        {"a_buut", MyConfig.StoreCode},
        {"a_stdt", from.toString(QStringLiteral("yyyyMMdd"))},
        {"a_eddt", to.toString(QStringLiteral("yyyyMMdd"))},
        {"a_gkid", QString()},
        {"a_mkid", QString()},
        {"a_gname", QString()},
        {"a_jname", QString()},
        {"a_st_han", QString()},
        {"a_ed_han", QStringLiteral("zzzzzzzzzz")},
    };
    for (const auto &[name, value] : common)
        SetTextParam(q, QLatin1String(name), value);
    for (const auto &[name, value] : def.ownParams)
        SetTextParam(q, QLatin1String(name), QString::fromLatin1(value));
    q.Open();
}

void PreviewHistoryList(std::unique_ptr<THistoryListForm> form)
{
    ClientDataSet &rows = *form->Cds_Procedure1;
    if (!rows.Active() || rows.IsEmpty()) {
        ShowMessageBox(QString::fromUtf8(kHistoryListNoData), mkNotice, 2000);
        return;
    }
    rows.First();
    PrepareAndPreview(*form);
}
