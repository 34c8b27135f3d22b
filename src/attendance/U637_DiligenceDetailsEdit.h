#pragma once
// Attendance details of one employee: the records of a range of days as
// start/end pairs, with registration of a record at a chosen date, time and
// business unit, correction of one side of a pair and deletion of a pair.
// Opened modally by the time clock, which sets EmployeeNo, RangeStart,
// RangeEnd, edt_AddName and edt_AddJikjong before showing it; the close
// button returns 2.

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class ClientDataSet;
class DataSet;
class TColumn;

namespace Ui {
class TF637_DiligenceDetailsEdit;
}

class TF637_DiligenceDetailsEdit : public QDialog {
    Q_OBJECT

public:
    explicit TF637_DiligenceDetailsEdit(QWidget *parent = nullptr);
    ~TF637_DiligenceDetailsEdit() override;

    // The generated form: every control under its component name.
    Ui::TF637_DiligenceDetailsEdit &form() const { return *ui; }

    QString EmployeeNo;
    QDateTime RangeStart;
    QDateTime RangeEnd;

    DataSet *vtb_Dide = nullptr;          // one row per pair
    ClientDataSet *cds_F0100 = nullptr;   // business units
    ClientDataSet *cds_F0150_Dide = nullptr;
    ClientDataSet *cds_F0150_i = nullptr;
    ClientDataSet *cds_F0150_u = nullptr;
    ClientDataSet *cds_F0150_d = nullptr;

    // Refills the unit lists and the pairs; resets the inputs and forgets
    // the side chosen before.
    void LoadDiligenceDetails();

    static constexpr int RowsPerPage = 30;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // One side of a pair, as remembered when a cell of it was touched.
    struct Side {
        QString cmcd, unit, day, kind;
        int seq = 0;
    };

    void loadUnits();
    void loadPairs();
    void resetInputs();
    void chooseUnit(const QString &code);
    void gridCellClick(TColumn *column);
    void drawCell(QPainter *canvas, const QRect &rect, int dataCol, TColumn *column, int state);
    void registerClick(QWidget *sender);
    void btn_NewClick();
    void btn_EditClick();
    void btn_DelClick();
    void keyPadUp(QWidget *sender);

    std::unique_ptr<Ui::TF637_DiligenceDetailsEdit> ui;
    std::optional<Side> m_side;
};
