#include "attendance/U680_Vacamng.h"
#include "ui_U680_Vacamng.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ModalWindows.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QShowEvent>

#include <exception>

namespace {

const QString kScreenName = QStringLiteral("F680_Vacamng");
const QString kReversed = QStringLiteral("날짜를 반대로 선택하셨습니다, 다시 확인해 주세요!");
const QString kChooseEmployee = QStringLiteral("사원을 선택해 주세요");

QString dayText(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }

void addColumn(TMirelGrid *grid, const char *field, const char *title, int width)
{
    AddGridColumn(grid, QString::fromLatin1(field), QString::fromUtf8(title), width)->Title()->setAlignment(Qt::AlignCenter);
}

} // namespace

TF680_Vacamng::TF680_Vacamng(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF680_Vacamng>())
{
    ui->setupUi(this);
    KeepOpenOnEscape(this);
    setFixedSize(800, 600);

    cds_F0100 = NewRemoteCall(this, "cds_F0100", "dspStoredProc1",
                              QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    cds_F0100_Vacamng = NewRemoteCall(this, "cds_F0100_Vacamng", "dspStoredProc1",
                                      QStringLiteral("[GP_SELECT_F0100_Vacamng]"));
    cds_F0150_Humuil = NewRemoteCall(this, "cds_F0150_Humuil", "dspStoredProc1",
                                     QStringLiteral("[GP_SELECT_F0150_Vacamng_Humuil]"));
    cds_F0150_i = NewRemoteCall(this, "cds_F0150_i", "dspStoredProc1",
                                QStringLiteral("[GP_INSERT_F0150_POS_ATTENDMODIFY]"));
    cds_F0150_d = NewRemoteCall(this, "cds_F0150_d", "dspStoredProc1",
                                QStringLiteral("[GP_DELETE_F0150_VacamngDelte]"));

    for (TMirelGrid *grid : {ui->grid_Vacamng1, ui->grid_Vacamng2}) {
        grid->setOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
        grid->setReadOnly(true);
    }
    ui->grid_Vacamng1->setDataSource(cds_F0100_Vacamng);
    addColumn(ui->grid_Vacamng1, "BUUT_NAME", "사업단위", 150);
    addColumn(ui->grid_Vacamng1, "jik", "구분", 150);
    addColumn(ui->grid_Vacamng1, "NAME", "사원명", 105);
    ui->grid_Vacamng2->setDataSource(cds_F0150_Humuil);
    addColumn(ui->grid_Vacamng2, "ddate", "휴무일", 273);

    connect(ui->grid_Vacamng1, &TMCustomDBGrid::OnCellClick, this, [this] {
        if (cds_F0100_Vacamng->Active() && !cds_F0100_Vacamng->IsEmpty())
            m_employee = cds_F0100_Vacamng->FieldByName(QStringLiteral("adnb")).AsString();
    });
    connect(ui->grid_Vacamng2, &TMCustomDBGrid::OnCellClick, this, [this] {
        if (!cds_F0150_Humuil->Active() || cds_F0150_Humuil->IsEmpty())
            return;
        m_holidayDate = cds_F0150_Humuil->FieldByName(QStringLiteral("date")).AsString();
        m_holidayUnit = cds_F0150_Humuil->FieldByName(QStringLiteral("ebuut")).AsString();
        m_holidayChosen = true;
    });
    connect(ui->date_Search1, &QDateEdit::dateChanged, this, &TF680_Vacamng::datesChanged);
    connect(ui->date_Search2, &QDateEdit::dateChanged, this, &TF680_Vacamng::datesChanged);
    connect(ui->combo_Post, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling)
            return;
        ui->ComboBox1->setCurrentIndex(index);
        ui->Edit1->setText(index >= 0 ? ui->ComboBox1->itemText(index) : QString());
        loadEmployees();
    });
    connect(ui->btn_Search, &TMirelImgBtn::OnClick, this, &TF680_Vacamng::btn_SearchClick);
    connect(ui->btn_VacationAccount, &TMirelImgBtn::OnClick, this, &TF680_Vacamng::btn_VacationAccountClick);
    connect(ui->btn_VacationCancel, &TMirelImgBtn::OnClick, this, &TF680_Vacamng::btn_VacationCancelClick);
    connect(ui->btnClose, &TMirelImgBtn::OnClick, this, [this] { done(2); });
    const struct {
        TMirelImgBtn *button;
        TMirelGrid *grid;
    } pagers[] = {{ui->btn_Vacamng1up, ui->grid_Vacamng1},
                  {ui->btn_Vacamng1down, ui->grid_Vacamng1},
                  {ui->btn_Vacamng2up, ui->grid_Vacamng2},
                  {ui->btn_Vacamng2down, ui->grid_Vacamng2}};
    for (const auto &p : pagers)
        connect(p.button, &TMirelImgBtn::OnClick, this,
                [grid = p.grid, button = p.button] { PageGrid(grid, button->Tag(), RowsPerPage); });
}

TF680_Vacamng::~TF680_Vacamng() = default;

void TF680_Vacamng::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnOwner(this);
    {
        const QScopedValueRollback<bool> filling(m_filling, true);
        const QDate today = os::Now().date();
        ui->date_Search1->setDate(today.addDays(-1));
        ui->date_Search2->setDate(today);
        loadUnits();
        const int own = ui->ComboBox1->findText(MyConfig.StoreCode);
        ui->combo_Post->setCurrentIndex(own);
        ui->ComboBox1->setCurrentIndex(own);
        ui->Edit1->setText(MyConfig.StoreCode);
    }
    loadEmployees();
}

void TF680_Vacamng::loadUnits()
{
    const QScopedValueRollback<bool> filling(m_filling, true);
    ui->combo_Post->clear();
    ui->ComboBox1->clear();
    ClientDataSet &q = *cds_F0100;
    q.Params().Clear();
    q.Params().CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setValue(MyConfig.CompanyCode);
    q.Params().CreateParam(FieldType::Integer, QStringLiteral("OPTION")).setValue(5);
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        ui->combo_Post->addItem(q.FieldByName(QStringLiteral("ABSNAM")).AsString());
        ui->ComboBox1->addItem(q.FieldByName(QStringLiteral("ABBUUT")).AsString());
    }
    q.Close();
}

void TF680_Vacamng::loadEmployees()
{
    // The employee chosen in the previous list is not one of these.
    m_employee.clear();
    ClientDataSet &q = *cds_F0100_Vacamng;
    q.Params().Clear();
    q.Params().CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setValue(MyConfig.CompanyCode);
    q.Params().CreateParam(FieldType::String, QStringLiteral("STORECODE")).setValue(ui->Edit1->text());
    q.Open();
}

void TF680_Vacamng::LoadHolidays()
{
    loadHolidaysOf(m_employee);
}

void TF680_Vacamng::loadHolidaysOf(const QString &employee)
{
    ClientDataSet &q = *cds_F0150_Humuil;
    q.Params().Clear();
    auto param = [&](const char *name, const QString &value) {
        q.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
    };
    param("COMPCODE", MyConfig.CompanyCode);
    param("STORECODE", ui->Edit1->text());
    param("STDATE", dayText(ui->date_Search1->date()));
    param("ENDATE", dayText(ui->date_Search2->date()));
    param("a_adnb", employee);
    q.Open();
    m_listedEmployee = employee;
    m_holidayChosen = false;
}

bool TF680_Vacamng::rangeReversed()
{
    if (ui->date_Search2->date() >= ui->date_Search1->date())
        return false;
    ShowMessageBox(kReversed, mkNotice, 3000);
    return true;
}

void TF680_Vacamng::datesChanged()
{
    if (!m_filling)
        rangeReversed();
}

void TF680_Vacamng::btn_SearchClick()
{
    if (m_employee.isEmpty()) {
        ShowMessageBox(kChooseEmployee, mkNotice, 2000);
        return;
    }
    LoadHolidays();
}

void TF680_Vacamng::btn_VacationAccountClick()
{
    const QDate start = ui->date_Search1->date();
    const QDate end = ui->date_Search2->date();
    if (rangeReversed())
        return;
    // Holidays are registered one month at a time, at most up to the end of
    // the current month.
    const QDate today = os::Now().date();
    const QDate lastOfMonth(today.year(), today.month(), today.daysInMonth());
    if (end > lastOfMonth || start.year() != end.year() || start.month() != end.month()) {
        ShowMessageBox(QStringLiteral("휴뮤등록은 월단위로 끊어서 등록해 주세요!"), mkNotice, 3000);
        return;
    }
    if (m_employee.isEmpty()) {
        ShowMessageBox(kChooseEmployee, mkNotice, 2000);
        return;
    }
    LoadHolidays();
    const QString question = start.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('~')
                             + end.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("까지 등록 하시겠습니까?");
    if (AskMessageBox(question, mkOkCancel) != mrYes)
        return;

    QStringList taken;
    ClientDataSet &h = *cds_F0150_Humuil;
    for (h.First(); !h.Eof(); h.Next())
        taken << h.FieldByName(QStringLiteral("date")).AsString();

    for (QDate day = start; day <= end; day = day.addDays(1)) {
        if (taken.contains(dayText(day))) {
            ShowMessageBox(QStringLiteral("휴일 중복 불가입니다, 확인해 주세요"), mkNotice, 3000);
            LoadHolidays();
            return;
        }
        ClientDataSet &c = *cds_F0150_i;
        c.Params().Clear();
        auto param = [&](const char *name, const QString &value) {
            c.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
        };
        param("COMPCODE", MyConfig.CompanyCode);
        param("STORECODE", MyConfig.StoreCode);
        param("EIDATE", dayText(day));
        param("Edit3", m_employee);
        param("EIKUNT", QStringLiteral("009"));
        param("WORK", MyConfig.UIADNB);
        param("PGID", kScreenName);
        c.Params().CreateParam(FieldType::Integer, QStringLiteral("EISEQ"));
        c.Params().CreateParam(FieldType::DateTime, QStringLiteral("EITIME"));
        if (!RunLogged(QStringLiteral("F680_Vacamng.cds_F0150_i Error:"), [&] {
            c.Execute();
        })) {
            // The days before this one stay registered; the list shows which.
            ShowMessageBox(QStringLiteral("휴무 등록이 서버에 전달되지 않았습니다."), mkNotice, 3000);
            LoadHolidays();
            return;
        }
    }
    LoadHolidays();
}

void TF680_Vacamng::btn_VacationCancelClick()
{
    // Only a holiday row touched in the list as it is now, of the employee
    // whose holidays it shows.
    if (!cds_F0150_Humuil->Active() || !m_holidayChosen)
        return;
    if (AskMessageBox(QStringLiteral("삭제 하시겠습니까?"), mkOkCancel) == mrYes) {
        ClientDataSet &c = *cds_F0150_d;
        c.Params().Clear();
        auto param = [&](const char *name, const QString &value) {
            c.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
        };
        param("COMPCODE", MyConfig.CompanyCode);
        param("STORECODE", m_holidayUnit);
        param("date", m_holidayDate);
        param("adnb", m_listedEmployee);
        param("KUNT", QStringLiteral("009"));
        param("TYPE", QStringLiteral("0"));
        c.Execute();
    }
    loadHolidaysOf(m_listedEmployee);
}
