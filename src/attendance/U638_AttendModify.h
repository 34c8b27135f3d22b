#pragma once
// The staff time clock: the store's employees with their attendance over ten
// days, the attendance buttons that register an event for the signed-in user
// (or, for a manager who touched a row, for that row's employee), the
// attendance details of an employee and, for managers, holiday management.
//
// The opener sets Edit3 (employee number), Label3 (name) and IsManager before
// showing it. A work screen of the scroll menu (menu Tag 501315) without a
// work table; its close operation is btnCloseClick.

#include "shell/WorkScreen.h"

#include <QString>

#include <memory>
#include <optional>

class ClientDataSet;

namespace Ui {
class TF638_AttendModify;
}

class TF638_AttendModify : public TWorkScreen {
    Q_OBJECT
    Q_PROPERTY(bool IsManager READ isManager WRITE setIsManager)

public:
    explicit TF638_AttendModify(QWidget *parent = nullptr);
    ~TF638_AttendModify() override;

    // The generated form: every control under its component name.
    Ui::TF638_AttendModify &form() const { return *ui; }

    bool isManager() const { return IsManager; }
    void setIsManager(bool manager) { IsManager = manager; }

    bool IsManager = false;
    int RowChosen = 0;     // 1 once a row of the list was touched since the show

    ClientDataSet *cds_F0150_s = nullptr;
    ClientDataSet *cds_Attention = nullptr;

    void LoadEmployees();
    // Registers one event; the server's RESULT, or nothing when the call
    // failed (logged).
    std::optional<int> UpsertAttention(const QString &employee, const QString &day, const QString &programId,
                                       const QString &worker, const QString &kind);
    // The close button's handler, the scroll menu's close operation: modal result 2.
    void btnCloseClick();
    void CloseOperation() override { btnCloseClick(); }

    static constexpr int RowsPerPage = 16;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void date_Search1Change();
    void gridMouseUp();
    void attendanceClick(QWidget *sender);
    void holidayManagement();
    void btn_SangSeListClick();
    QString currentText(const char *field) const;

    std::unique_ptr<Ui::TF638_AttendModify> ui;
};

extern TF638_AttendModify *F638_AttendModify;
