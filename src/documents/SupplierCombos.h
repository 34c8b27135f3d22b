#pragma once
// The partner list of the store-document screens and the supplier combo pair.
//
// OpenPartnerQuery runs GP_SELECT_F0100_RegOrder_Susin_Search (COMPCODE,
// STORECODE = the terminal's, OPTION 5) on a screen's client data set;
// AppendSusinRow copies one answer row into TDM.vtb_Susin.
//
// TSupplierCombos drives the two index-parallel combos of the order, receipt
// and release screens: CMB_ADNBNAME (visible names) and CMB_ADNB (hidden
// codes, editable so it can hold a code that is not in its list). Both begin
// with the fixed entry empty name <-> "99999999".
//  - Load: the fixed entries, then one entry per partner (ABSNAM, or ABNAME
//    when empty <-> MYADNB); TDM.vtb_Susin is refilled with ABSeq 1, 2, ...
//  - SetSupplier(code) by code: CMB_ADNB text := code, CMB_ADNBNAME index :=
//    the code's index in CMB_ADNB (-1, a blank name, when absent). No block
//    check, no signal.
//  - A choice by the user in CMB_ADNBNAME selects the same index in CMB_ADNB
//    and asks TDM.CheckOrderBlocked(code); on a block both combos lose their
//    selection (index -1), otherwise userChose(code) is emitted. Query errors
//    of the check reach the caller's event loop (its error box).

#include <QObject>
#include <QString>

class ClientDataSet;
class DataSet;
class QComboBox;

void OpenPartnerQuery(ClientDataSet &query);
// Appends row (the query's current row) to vtb with ABSeq = seq.
void AppendSusinRow(DataSet &vtb, const DataSet &row, int seq);
// A partner's shown name: ABSNAM, or ABNAME when ABSNAM is empty.
QString PartnerName(const DataSet &row);

class TSupplierCombos : public QObject {
    Q_OBJECT
public:
    TSupplierCombos(QComboBox *names, QComboBox *codes, QObject *parent = nullptr);

    // Runs the partner query on `query` and fills both combos and
    // TDM.vtb_Susin. Errors propagate (the combos keep the fixed entries).
    void Load(ClientDataSet &query);

    void SetSupplier(const QString &code);
    void ClearSelection();

    QString Code() const;  // CMB_ADNB text
    QString Name() const;  // CMB_ADNBNAME text

    QComboBox *names() const { return m_names; }
    QComboBox *codes() const { return m_codes; }

signals:
    void userChose(const QString &code);

private:
    void resetEntries();
    void onUserChoice(int index);

    QComboBox *m_names;
    QComboBox *m_codes;
};
