#pragma once
// Holiday management, for managers: the employees of a business unit and the
// holidays of the chosen employee in a range of days; registers holidays day
// by day (within one month) and cancels them. Opened modally by the time
// clock; the close button returns 2.

#include <QDate>
#include <QDialog>
#include <QString>

#include <memory>

class ClientDataSet;
class QComboBox;
class QDateEdit;
class QLineEdit;
class TMirelGrid;

namespace Ui {
class TF680_Vacamng;
}

class TF680_Vacamng : public QDialog {
    Q_OBJECT

public:
    explicit TF680_Vacamng(QWidget *parent = nullptr);
    ~TF680_Vacamng() override;

    QDateEdit *date_Search1 = nullptr;
    QDateEdit *date_Search2 = nullptr;
    QComboBox *combo_Post = nullptr;  // business-unit names
    QComboBox *ComboBox1 = nullptr;   // their codes, index-parallel (hidden)
    QLineEdit *Edit1 = nullptr;       // the chosen unit's code (hidden)
    TMirelGrid *grid_Vacamng1 = nullptr;
    TMirelGrid *grid_Vacamng2 = nullptr;

    ClientDataSet *cds_F0100 = nullptr;          // business units
    ClientDataSet *cds_F0100_Vacamng = nullptr;  // employees of the unit
    ClientDataSet *cds_F0150_Humuil = nullptr;   // holidays of the employee
    ClientDataSet *cds_F0150_i = nullptr;
    ClientDataSet *cds_F0150_d = nullptr;

    void LoadHolidays();

    static constexpr int RowsPerPage = 17;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadUnits();
    void loadEmployees();
    void loadHolidaysOf(const QString &employee);
    void datesChanged();
    bool rangeReversed();
    void btn_SearchClick();
    void btn_VacationAccountClick();
    void btn_VacationCancelClick();

    std::unique_ptr<Ui::TF680_Vacamng> ui;
    bool m_filling = false;
    QString m_employee;        // the employee row touched last
    QString m_listedEmployee;  // whose holidays the list shows
    QString m_holidayDate, m_holidayUnit; // the holiday row touched last
    bool m_holidayChosen = false;         // since the list was loaded
};
