#include "production/ProductionLines.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"

#include <QComboBox>
#include <QLineEdit>

ClientDataSet *NewProductionLineCall(QObject *owner)
{
    return NewRemoteCall(owner, "cds_F0011_SengsanLine", "dspStoredProc11",
                         QStringLiteral("[GP_SELECT_F0011_ProduceLine]"));
}

ProductionLineChoice::ProductionLineChoice(QComboBox *names, QComboBox *codes, QLineEdit *code)
    : m_names(names), m_codes(codes), m_code(code)
{
    // Only a choice of the user: a list set by the program moves no code.
    QObject::connect(m_names, &QComboBox::activated, m_names, [this](int index) { Choose(index); });
}

void ProductionLineChoice::Load(ClientDataSet &lines)
{
    lines.Close();
    SetTextParam(lines, QStringLiteral("COMPCODE"), MyConfig.CompanyCode);
    lines.Open();
    for (lines.First(); !lines.Eof(); lines.Next()) {
        m_names->addItem(lines.FieldByName(QStringLiteral("CDNAME")).AsString());
        m_codes->addItem(lines.FieldByName(QStringLiteral("CDSSCD")).AsString());
    }
    Reset();
}

void ProductionLineChoice::Reset()
{
    m_names->setCurrentIndex(m_names->count() > 0 ? 0 : -1);
    m_codes->setCurrentIndex(m_codes->count() > 0 ? 0 : -1);
    m_code->setText(QStringLiteral("001"));
}

void ProductionLineChoice::Choose(int index)
{
    m_codes->setCurrentIndex(index);
    m_code->setText(m_codes->currentText());
}

void ProductionLineChoice::Show(const QString &name, const QString &code)
{
    m_names->setCurrentIndex(m_names->findText(name));
    m_code->setText(code);
}
