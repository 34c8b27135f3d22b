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

namespace Ui {
class TF680_Vacamng;
}

class TF680_Vacamng : public QDialog {
    Q_OBJECT

public:
    explicit TF680_Vacamng(QWidget *parent = nullptr);
    ~TF680_Vacamng() override;

    // The generated form: every control under its component name.
    Ui::TF680_Vacamng &form() const { return *ui; }

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
