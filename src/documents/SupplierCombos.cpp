#include "documents/SupplierCombos.h"

#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"

#include <QComboBox>

void OpenPartnerQuery(ClientDataSet &query)
{
    query.Close();
    query.setCommandText(QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    query.Params().CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setAsString(MyConfig.CompanyCode);
    query.Params().CreateParam(FieldType::String, QStringLiteral("STORECODE")).setAsString(MyConfig.StoreCode);
    query.Params().CreateParam(FieldType::Integer, QStringLiteral("OPTION")).setAsInteger(5);
    query.Open();
}

QString PartnerName(const DataSet &row)
{
    const QString shortName = row.FieldByName(QStringLiteral("ABSNAM")).AsString();
    return shortName.isEmpty() ? row.FieldByName(QStringLiteral("ABNAME")).AsString() : shortName;
}

void AppendSusinRow(DataSet &vtb, const DataSet &row, int seq)
{
    if (!vtb.Active())
        vtb.Open();
    vtb.Append();
    for (const char *name : {"ABBUUT", "ABADNB", "ABNAME", "ABSNAM", "MYADNB", "ABTXGU", "ABKSGU"})
        vtb.FieldByName(QLatin1String(name)).setAsString(row.FieldByName(QLatin1String(name)).AsString());
    vtb.FieldByName(QStringLiteral("ABSeq")).setAsInteger(seq);
    vtb.Post();
}

TSupplierCombos::TSupplierCombos(QComboBox *names, QComboBox *codes, QObject *parent)
    : QObject(parent), m_names(names), m_codes(codes)
{
    m_codes->setEditable(true);
    resetEntries();
    m_codes->setEditText(QStringLiteral("99999999"));
    // activated: only a choice by the user, never an index set by code.
    connect(m_names, &QComboBox::activated, this, &TSupplierCombos::onUserChoice);
}

void TSupplierCombos::resetEntries()
{
    m_names->clear();
    m_codes->clear();
    m_names->addItem(QString());
    m_codes->addItem(QStringLiteral("99999999"));
}

void TSupplierCombos::Load(ClientDataSet &query)
{
    resetEntries();
    OpenPartnerQuery(query);
    DataSet &vtb = *DM->vtb_Susin;
    if (!vtb.Active())
        vtb.Open();
    vtb.EmptyTable();
    int seq = 0;
    for (query.First(); !query.Eof(); query.Next()) {
        m_names->addItem(PartnerName(query));
        m_codes->addItem(query.FieldByName(QStringLiteral("MYADNB")).AsString());
        AppendSusinRow(vtb, query, ++seq);
    }
}

void TSupplierCombos::SetSupplier(const QString &code)
{
    const int index = m_codes->findText(code, Qt::MatchExactly);
    m_codes->setCurrentIndex(index);
    m_codes->setEditText(code);
    m_names->setCurrentIndex(index);
}

void TSupplierCombos::ClearSelection()
{
    m_codes->setCurrentIndex(-1);
    m_codes->setEditText(QString());
    m_names->setCurrentIndex(-1);
}

QString TSupplierCombos::Code() const
{
    return m_codes->currentText();
}

QString TSupplierCombos::Name() const
{
    return m_names->currentText();
}

void TSupplierCombos::onUserChoice(int index)
{
    m_codes->setCurrentIndex(index);
    if (DM->CheckOrderBlocked(Code())) {
        ClearSelection();
        return;
    }
    emit userChose(Code());
}
