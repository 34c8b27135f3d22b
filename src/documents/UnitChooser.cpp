#include "documents/UnitChooser.h"

#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/U405_Dialog.h"

namespace {

QString literal(QString value)
{
    return value.replace(QLatin1Char('\''), QStringLiteral("''"));
}

} // namespace

QString UnitQuerySql(const QString &company, const QString &store, const QString &item)
{
    const QChar cr(13);
    return QStringLiteral(" SELECT  IMMDAN,IMLDAN from f0200 ") + cr + QStringLiteral(" WHERE imcmcd = '")
           + literal(company) + QStringLiteral("' ") + cr + QStringLiteral(" AND imbuut   = '") + literal(store)
           + QStringLiteral("' ") + cr + QStringLiteral(" and imitnb   = '") + literal(item) + QStringLiteral("' ");
}

int ChooseLineUnit(DataSet &lines, QWidget *parent)
{
    ClientDataSet &query = *DM->Cds_QryPrc;
    query.Close();
    query.setCommandText(UnitQuerySql(MyConfig.CompanyCode, MyConfig.StoreCode,
                                      lines.FieldByName(QStringLiteral("IMITNB")).AsString()));
    query.Open();
    const bool found = !query.IsEmpty();
    TF405_Dialog dialog(parent);
    dialog.SetUnits(found ? query.FieldByName(QStringLiteral("IMLDAN")).AsString() : QString(),
                    found ? query.FieldByName(QStringLiteral("IMMDAN")).AsString() : QString());
    query.Close();
    const int result = dialog.exec();
    if (result != 1 && result != 6)
        return result;
    const QString unit = dialog.UnitOf(result);
    lines.Edit();
    lines.FieldByName(QStringLiteral("ADUNIT")).setAsString(unit);
    lines.Post();
    return result;
}
