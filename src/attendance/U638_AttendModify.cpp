#include "attendance/U638_AttendModify.h"
#include "ui_U638_AttendModify.h"
#include "ui_U637_DiligenceDetailsEdit.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "attendance/U637_DiligenceDetailsEdit.h"
#include "attendance/U680_Vacamng.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/MenuTags.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include <exception>

TF638_AttendModify *F638_AttendModify = nullptr;

namespace {

const QString kScreenName = QStringLiteral("F638_AttendModify");

struct Answer {
    int code;
    const char *text;
    bool onlyForChosenEmployee = false; // shown only when a manager registers for a touched row
};

struct AttendanceButton {
    int tag;
    const char *kind, *question;
    QList<Answer> answers;
};

const QList<AttendanceButton> &attendanceButtons()
{
    static const QList<AttendanceButton> buttons = {
        {638301, "001", "출근 하시겠습니까? ", {{3, "이미 출근 하셨습니다"}, {111, "이미 출근 하셨습니다"}}},
        {638302, "002", "퇴근 하시겠습니까? ", {{3, "이미 퇴근 하셨습니다"}, {333, "이미 퇴근 하셨습니다"}}},
        {638303, "006", "외출 하시겠습니까? ", {{3, "이미 외출 하셨습니다"}}},
        {638304, "012", "파견 등록 하시겠습니까? ", {{3, "이미 파견중 입니다"}}},
        {638305, "013", "출장 등록 하시겠습니까? ", {{3, "이미 출장 나가셨습니다"}}},
        {638306, "010", "휴게 하시겠습니까? ", {{3, "이미 휴게중 입니다"}}},
        {638307, "011", "복귀 하시겠습니까? ", {{3, "복귀 하셨습니다!"}, {5, "복귀를 처리할 내용이 없습니다!"}}},
        {638308, "003", "결근 하시겠습니까? ", {{3, "결근중 입니다"}, {9, "퇴근하셨습니다.", true}}},
        {638310, "005", "조퇴 하시겠습니까? ", {{3, "이미 조퇴 하셨습니다"}}},
    };
    return buttons;
}

constexpr int kHolidayTag = 638309;

} // namespace

TF638_AttendModify::TF638_AttendModify(QWidget *parent)
    : TWorkScreen(MenuTag::TimeClock, parent), ui(std::make_unique<Ui::TF638_AttendModify>())
{
    ui->setupUi(this);
    bindMenuButton(ui->btn_AllMenuView);

    cds_F0150_s = NewRemoteCall(this, "cds_F0150_s", "dspStoredProc3",
                                QStringLiteral("[GP_SELECT_F0150_EMPLOYEEINQUIRY_POS]"));
    cds_Attention = NewRemoteCall(this, "cds_Attention", "dspStoredProc5",
                                  QStringLiteral("[GP_INSERT_F0150_USER_ATTENTION]"));

    auto *grid = ui->grid_AttendModify;
    grid->setOptions(dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection);
    grid->setReadOnly(true);
    grid->setDataSource(cds_F0150_s);
    auto addColumn = [grid](const QString &field, const QString &title, int width) {
        AddGridColumn(grid, field, title, width)->Title()->setAlignment(Qt::AlignCenter);
    };
    addColumn(QStringLiteral("abname"), QStringLiteral("사원명"), 101);
    addColumn(QStringLiteral("abjikj_name"), QStringLiteral("구 분"), 105);
    // A day cell ("hh:nn~hh:nn") fits its 75 pixels in a slightly smaller,
    // tighter face.
    QFont dayFont = grid->font();
    dayFont.setPointSize(9);
    dayFont.setLetterSpacing(QFont::PercentageSpacing, 92);
    for (int k = 1; k <= 10; ++k) {
        addColumn(QStringLiteral("m%1").arg(k), QString(), 75);
        grid->Columns().Items(k + 1)->setFont(dayFont);
    }

    connect(grid, &TMCustomDBGrid::OnMouseUp, this, &TF638_AttendModify::gridMouseUp);
    connect(ui->date_Search1, &QDateEdit::dateChanged, this, &TF638_AttendModify::date_Search1Change);
    connect(ui->btn_Search, &TMirelImgBtn::OnClick, this, &TF638_AttendModify::LoadEmployees);
    for (TMirelImgBtn *b : {ui->btn_AttendModifyup, ui->btn_AttendModifydown})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageGrid(ui->grid_AttendModify, b->Tag(), RowsPerPage); });
    connect(ui->btn_SangSeList, &TMirelImgBtn::OnClick, this, &TF638_AttendModify::btn_SangSeListClick);
    for (TMirelImgBtn *b : {ui->btn_Office, ui->btn_leave, ui->btn_Out, ui->btn_Pagen, ui->btn_Chuljang, ui->bnt_Rest,
                            ui->btn_Return, ui->btn_Absence, ui->btn_Closed, ui->btn_Early})
        connect(b, &TMirelImgBtn::OnClick, this, &TF638_AttendModify::attendanceClick);
    connect(ui->btnClose, &TMirelImgBtn::OnClick, this, &TF638_AttendModify::btnCloseClick);
}

TF638_AttendModify::~TF638_AttendModify() = default;

void TF638_AttendModify::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event); // menu state "0"
    if (event->spontaneous())
        return;
    RowChosen = 0;
    const QDate today = os::Now().date();
    ui->date_Search1->setDate(today);
    ui->date_Search2->setDate(today);
    LoadEmployees();
}

void TF638_AttendModify::btnCloseClick()
{
    done(2);
}

void TF638_AttendModify::date_Search1Change()
{
    // The end always follows the start at nine days' distance.
    ui->date_Search2->setDate(ui->date_Search1->date().addDays(9));
}

void TF638_AttendModify::LoadEmployees()
{
    const QDate first = ui->date_Search1->date();
    for (int k = 0; k < 10; ++k)
        ui->grid_AttendModify->Columns().Items(2 + k)->Title()->setCaption(first.addDays(k).toString(QStringLiteral("MM-dd")));
    ui->date_Search2->setDate(first.addDays(9));
    ClientDataSet &q = *cds_F0150_s;
    q.Params().Clear();
    auto param = [&](const char *name, const QString &value) {
        q.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
    };
    param("a_cmcd", MyConfig.CompanyCode);
    param("a_buut", MyConfig.StoreCode);
    param("a_stdt", first.toString(QStringLiteral("yyyyMMdd")));
    param("a_eddt", first.addDays(9).toString(QStringLiteral("yyyyMMdd")));
    q.Open();
}

QString TF638_AttendModify::currentText(const char *field) const
{
    if (!cds_F0150_s->Active() || cds_F0150_s->IsEmpty())
        return {};
    return cds_F0150_s->FieldByName(QString::fromLatin1(field)).AsString();
}

void TF638_AttendModify::gridMouseUp()
{
    if (!cds_F0150_s->Active())
        return;
    RowChosen = 1;
    ui->edt_aName->setText(currentText("ABNAME"));
}

std::optional<int> TF638_AttendModify::UpsertAttention(const QString &employee, const QString &day,
                                                       const QString &programId, const QString &worker,
                                                       const QString &kind)
{
    ClientDataSet &c = *cds_Attention;
    try {
        c.Params().Clear();
        auto param = [&](const char *name, const QString &value) {
            c.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
        };
        param("@CMCD", MyConfig.CompanyCode);
        param("@BUUT", MyConfig.StoreCode);
        param("@ADNB", employee);
        param("@DATE", day);
        param("@KUNT", kind);
        param("@WORK", worker);
        param("@PGID", programId);
        c.Open();
        const int result = c.FieldByName(QStringLiteral("RESULT")).AsInteger();
        c.Close();
        return result;
    } catch (const std::exception &e) {
        WriteLog(QStringLiteral("TF638_AttendModify.UpsertAttention Error:") + QString::fromUtf8(e.what()));
        return std::nullopt;
    }
}

void TF638_AttendModify::attendanceClick(QWidget *sender)
{
    const auto *button = qobject_cast<TMirelImgBtn *>(sender);
    if (!button)
        return;
    if (button->Tag() == kHolidayTag) {
        holidayManagement();
        return;
    }
    const AttendanceButton *row = nullptr;
    for (const AttendanceButton &b : attendanceButtons())
        if (b.tag == button->Tag())
            row = &b;
    if (!row)
        return;

    if (AskMessageBox(QString::fromUtf8(row->question), mkOkCancel) == mrYes) {
        // A manager who touched a row registers for that row's employee;
        // everybody else for themselves.
        const bool forChosen = IsManager && RowChosen == 1;
        const QString employee = forChosen ? currentText("ABADNB") : ui->Edit3->text();
        const std::optional<int> result =
            UpsertAttention(employee, MyConfig.StartDate.date().toString(QStringLiteral("yyyyMMdd")), kScreenName,
                            ui->Edit3->text(), QString::fromLatin1(row->kind));
        if (!result) {
            ShowMessageBox(QStringLiteral("근태 등록이 서버에 전달되지 않았습니다."), mkNotice, 3000);
        } else {
            for (const Answer &a : row->answers) {
                if (a.code == *result && (!a.onlyForChosenEmployee || forChosen)) {
                    ShowMessageBox(QString::fromUtf8(a.text), mkNotice, 3000);
                    return;
                }
            }
        }
    }
    const QString current = currentText("abadnb");
    LoadEmployees();
    if (!current.isEmpty())
        cds_F0150_s->Locate(QStringLiteral("abadnb"), current);
}

void TF638_AttendModify::holidayManagement()
{
    if (!IsManager) {
        ShowMessageBox(QStringLiteral("관리자가 아닙니다."), mkNotice, 3000);
        return;
    }
    auto screen = std::make_unique<TF680_Vacamng>(this);
    screen->exec();
}

void TF638_AttendModify::btn_SangSeListClick()
{
    // A user who is not a manager opens only their own details: the row the
    // details would open (the current one) must be theirs.
    if (!IsManager && (currentText("abadnb").isEmpty() || currentText("abadnb") != ui->Edit3->text())) {
        ShowMessageBox(ui->Label3->text() + QStringLiteral("님만 선택 할수 있습니다"), mkNotice, 2000);
        return;
    }
    auto details = std::make_unique<TF637_DiligenceDetailsEdit>(this);
    details->form().edt_AddName->setText(currentText("abname"));
    details->form().edt_AddJikjong->setText(currentText("abjikj_name"));
    const int column = ui->grid_AttendModify->SelectedIndex();
    const QDateTime first(ui->date_Search1->date(), QTime(0, 0));
    if (column == 0) {
        details->EmployeeNo = currentText("abadnb");
        details->RangeStart = first;
        details->RangeEnd = QDateTime(ui->date_Search2->date(), QTime(0, 0));
    } else if (column >= 2 && column <= 11) {
        details->EmployeeNo = currentText("abadnb");
        details->RangeStart = first.addDays(column - 2);
        details->RangeEnd = details->RangeStart;
    }
    if (details->exec() != 1)
        LoadEmployees();
}
