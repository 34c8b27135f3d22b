#include "attendance/U637_DiligenceDetailsEdit.h"
#include "ui_U637_DiligenceDetailsEdit.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/os/Keys.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ModalWindows.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QShowEvent>
#include <QTimeEdit>

#include <exception>

namespace {

const QString kScreenName = QStringLiteral("F637_DiligenceDetailsEdit");

// The zero date-time: what an empty or unreadable end value reads as.
const QDateTime kZero(QDate(1899, 12, 30), QTime(0, 0));

bool isZero(const QDateTime &value)
{
    return !value.isValid() || value <= kZero;
}

QDateTime dateOf(const QString &text)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : kZero;
}

QDateTime timeOf(const QString &text)
{
    const QTime t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
    return t.isValid() ? QDateTime(kZero.date(), t) : kZero;
}

QDateTime stampOf(const QString &text)
{
    const QDateTime dt = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return dt.isValid() ? dt : kZero;
}

struct Registration {
    int tag;
    const char *kind, *noTime, *noUnit, *question;
};

const Registration kRegistrations[] = {
    {638301, "001", "출근 시간을 입력해 주세요!", "출근하실 사업단위를 선택해 주세요!", "출근 시간을 등록 하시겠습니까?"},
    {638302, "002", "퇴근 시간을 입력해 주세요!", "퇴근하실 사업단위를 선택해 주세요!", "퇴근 시간을 등록 하시겠습니까?"},
    {638303, "006", "외출 시간을 입력해 주세요!", "외출하실 사업단위를 선택해 주세요!", "외출 시간을 등록 하시겠습니까?"},
    {638304, "012", "파견 시간을 입력해 주세요!", "파견가실 사업단위를 선택해 주세요!", "파견 시간을 등록 하시겠습니까?"},
    {638305, "013", "출장 시간을 입력해 주세요!", "출장가실 사업단위를 선택해 주세요!", "출장 시간을 등록 하시겠습니까?"},
    {638306, "010", "휴게 시간을 입력해 주세요!", "휴게하실 사업단위를 선택해 주세요!", "휴게 시간을 등록 하시겠습니까?"},
    {638307, "011", "복귀 시간을 입력해 주세요!", "복귀하실 사업단위를 선택해 주세요!", "복귀 시간을 등록 하시겠습니까? "},
    {638308, "003", "결근 시간을 입력해 주세요!", "결근하신 사업단위를 선택해 주세요!", "결근 시간을 등록 하시겠습니까? "},
    {638310, "005", "조퇴 시간을 입력해 주세요!", "조퇴하신 사업단위를 선택해 주세요!", "조퇴 시간을 등록 하시겠습니까? "},
};

} // namespace

TF637_DiligenceDetailsEdit::TF637_DiligenceDetailsEdit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TF637_DiligenceDetailsEdit>())
{
    ui->setupUi(this);
    KeepOpenOnEscape(this);
    setFixedSize(1024, 768);

    vtb_Dide = new DataSet(this);
    vtb_Dide->setObjectName(QStringLiteral("vtb_Dide"));
    using FT = FieldType;
    vtb_Dide->AddFields({{QStringLiteral("cmcd"), FT::String, 4},      {QStringLiteral("stdate"), FT::String, 8},
                         {QStringLiteral("sdate"), FT::DateTime},      {QStringLiteral("stseq"), FT::Integer},
                         {QStringLiteral("sttime"), FT::DateTime},     {QStringLiteral("stime"), FT::DateTime},
                         {QStringLiteral("stkunt"), FT::String, 3},    {QStringLiteral("stkunt_name"), FT::String, 4},
                         {QStringLiteral("stbuut"), FT::String, 4},    {QStringLiteral("stbuut_name"), FT::String, 40},
                         {QStringLiteral("edseq"), FT::Integer},       {QStringLiteral("edtime"), FT::String},
                         {QStringLiteral("etime"), FT::DateTime},      {QStringLiteral("edkunt"), FT::String, 3},
                         {QStringLiteral("edkunt_name"), FT::String, 4}, {QStringLiteral("edbuut"), FT::String, 4},
                         {QStringLiteral("edbuut_name"), FT::String, 40}, {QStringLiteral("eddate"), FT::String, 8},
                         {QStringLiteral("edate"), FT::DateTime},      {QStringLiteral("bketime"), FT::DateTime},
                         {QStringLiteral("bkeddate"), FT::String, 8},  {QStringLiteral("bkedate"), FT::DateTime}});
    vtb_Dide->FieldByName(QStringLiteral("sdate")).setDisplayFormat(QStringLiteral("yyyy-mm-dd"));
    vtb_Dide->FieldByName(QStringLiteral("stime")).setDisplayFormat(QStringLiteral("hh:nn:ss"));
    vtb_Dide->FieldByName(QStringLiteral("etime")).setDisplayFormat(QStringLiteral("hh:nn:ss"));
    vtb_Dide->FieldByName(QStringLiteral("edate")).setDisplayFormat(QStringLiteral("yyyy-mm-dd"));
    vtb_Dide->Open();

    cds_F0100 = NewRemoteCall(this, "cds_F0100", "dspStoredProc1", QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    cds_F0150_Dide = NewRemoteCall(this, "cds_F0150_Dide", "dspStoredProc1", QStringLiteral("[GP_SELECT_F0150_DiligenceDetails_POS]"));
    cds_F0150_i = NewRemoteCall(this, "cds_F0150_i", "dspStoredProc1", QStringLiteral("[GP_INSERT_F0150_DiligenceDetailsEdit]"));
    cds_F0150_u = NewRemoteCall(this, "cds_F0150_u", "dspStoredProc1", QStringLiteral("[GP_UPDATE_F0150_DiligenceDetails]"));
    cds_F0150_d = NewRemoteCall(this, "cds_F0150_d", "dspStoredProc1", QStringLiteral("[GP_DELETE_F0150_DiligenceDetails]"));

    auto *grid = ui->grid_DiligenceDetails;
    grid->setOptions(dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection);
    grid->setReadOnly(true);
    grid->setDefaultDrawing(false);
    grid->setDataSource(vtb_Dide);
    const struct {
        const char *field, *title;
        int width;
    } columns[] = {{"sdate", "시작일자", 101}, {"stime", "시작시간", 70},  {"stkunt_name", "근태", 47},
                   {"stbuut_name", "사업명", 109}, {"edate", "종료일자", 100}, {"etime", "종료시간", 70},
                   {"edkunt_name", "근태", 47},   {"edbuut_name", "사업명", 109}};
    for (const auto &c : columns) {
        AddGridColumn(grid, QString::fromLatin1(c.field), QString::fromUtf8(c.title), c.width)
            ->Title()
            ->setAlignment(Qt::AlignCenter);
    }
    connect(grid, &TMCustomDBGrid::OnCellClick, this, &TF637_DiligenceDetailsEdit::gridCellClick);
    connect(grid, &TMCustomDBGrid::OnDrawColumnCell, this,
            [this](QWidget *, QPainter *canvas, const QRect &rect, int dataCol, TColumn *column,
                   TGridDrawState state) { drawCell(canvas, rect, dataCol, column, int(state)); });

    connect(ui->combo_Client1, &QComboBox::currentIndexChanged, this, [this](int index) {
        ui->ComboBox1->setCurrentIndex(index);
        ui->Edit1->setText(index >= 0 ? ui->ComboBox1->itemText(index) : QString());
    });

    for (const Registration &r : kRegistrations) {
        for (TMirelImgBtn *b : findChildren<TMirelImgBtn *>())
            if (b->Tag() == r.tag)
                connect(b, &TMirelImgBtn::OnClick, this, &TF637_DiligenceDetailsEdit::registerClick);
    }
    connect(ui->btn_New, &TMirelImgBtn::OnClick, this, &TF637_DiligenceDetailsEdit::btn_NewClick);
    connect(ui->btn_Edit, &TMirelImgBtn::OnClick, this, &TF637_DiligenceDetailsEdit::btn_EditClick);
    connect(ui->btn_Del, &TMirelImgBtn::OnClick, this, &TF637_DiligenceDetailsEdit::btn_DelClick);
    connect(ui->btnClose, &TMirelImgBtn::OnClick, this, [this] { done(2); });
    for (TMirelImgBtn *b : {ui->btn_Up, ui->btn_Down})
        connect(b, &TMirelImgBtn::OnClick, this,
                [this, b] { PageGrid(ui->grid_DiligenceDetails, b->Tag(), RowsPerPage); });
    for (TMirelImgBtn *b : {ui->btn_0, ui->btn_1, ui->btn_2, ui->btn_3, ui->btn_4, ui->btn_5, ui->btn_6, ui->btn_7,
                            ui->btn_8, ui->btn_9, ui->btn_Enter, ui->btn_Back, ui->btn_Clear})
        connect(b, &TMirelImgBtn::OnMouseUp, this, &TF637_DiligenceDetailsEdit::keyPadUp);
}

TF637_DiligenceDetailsEdit::~TF637_DiligenceDetailsEdit() = default;

void TF637_DiligenceDetailsEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnOwner(this);
    LoadDiligenceDetails();
}

void TF637_DiligenceDetailsEdit::resetInputs()
{
    ui->Date1->setDate(os::Now().date());
    ui->Time1->setTime(QTime(0, 0));
    ui->combo_Client1->setCurrentIndex(-1);
    ui->Edit1->clear();
}

void TF637_DiligenceDetailsEdit::LoadDiligenceDetails()
{
    // A side chosen before the reload may no longer exist as it was.
    m_side.reset();
    RunLogged(QStringLiteral("F637_DiligenceDetailsEdit.cds_F0150_Dide Error:"), [&] {
        loadUnits();
        resetInputs();
        loadPairs();
    });
}

void TF637_DiligenceDetailsEdit::loadUnits()
{
    ui->combo_Client1->clear();
    ui->ComboBox1->clear();
    cds_F0100->Params().Clear();
    cds_F0100->Params().CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setValue(MyConfig.CompanyCode);
    cds_F0100->Params().CreateParam(FieldType::String, QStringLiteral("STORECODE")).setValue(MyConfig.StoreCode);
    cds_F0100->Params().CreateParam(FieldType::Integer, QStringLiteral("OPTION")).setValue(7);
    cds_F0100->Open();
    for (cds_F0100->First(); !cds_F0100->Eof(); cds_F0100->Next()) {
        ui->combo_Client1->addItem(cds_F0100->FieldByName(QStringLiteral("ABSNAM")).AsString());
        ui->ComboBox1->addItem(cds_F0100->FieldByName(QStringLiteral("ABBUUT")).AsString());
    }
    cds_F0100->Close();
}

void TF637_DiligenceDetailsEdit::loadPairs()
{
    ClientDataSet &q = *cds_F0150_Dide;
    q.Params().Clear();
    q.Params().CreateParam(FieldType::String, QStringLiteral("a_cmcd")).setValue(MyConfig.CompanyCode);
    q.Params().CreateParam(FieldType::String, QStringLiteral("a_date1")).setValue(RangeStart.toString(QStringLiteral("yyyyMMdd")));
    q.Params().CreateParam(FieldType::String, QStringLiteral("a_date2")).setValue(RangeEnd.toString(QStringLiteral("yyyyMMdd")));
    q.Params().CreateParam(FieldType::String, QStringLiteral("a_adnb")).setValue(EmployeeNo);
    q.Open();

    DataSet &t = *vtb_Dide;
    const ControlsOff quiet(t);
    t.EmptyTable();
    auto text = [&](const char *name) { return q.FieldByName(QString::fromLatin1(name)).AsString(); };
    auto set = [&](const char *name, const QVariant &value) {
        t.FieldByName(QString::fromLatin1(name)).setAsVariant(value);
    };
    for (q.First(); !q.Eof(); q.Next()) {
        t.Append();
        for (const char *copied : {"cmcd", "stdate", "stkunt", "stkunt_name", "stbuut", "stbuut_name", "edkunt",
                                   "edkunt_name", "edbuut", "edbuut_name", "eddate"})
            set(copied, text(copied));
        set("sdate", dateOf(text("sdate")));
        set("stime", timeOf(text("stime")));
        set("stseq", text("stseq").trimmed().toInt());
        set("sttime", q.FieldByName(QStringLiteral("sttime")).AsVariant());
        set("edseq", text("edseq").trimmed().toInt());
        const QDateTime edtime = stampOf(text("edtime"));
        set("edtime", isZero(edtime) ? QString() : edtime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        const QDateTime etime = timeOf(text("etime"));
        const QDateTime edate = dateOf(text("edate"));
        set("etime", etime);
        set("edate", edate);
        set("bketime", etime);
        set("bkeddate", text("eddate"));
        set("bkedate", edate);
        t.Post();
    }
    q.Close();
    t.First();
}

void TF637_DiligenceDetailsEdit::chooseUnit(const QString &code)
{
    ui->combo_Client1->setCurrentIndex(ui->ComboBox1->findText(code));
    ui->Edit1->setText(code);
}

void TF637_DiligenceDetailsEdit::gridCellClick(TColumn *column)
{
    DataSet &t = *vtb_Dide;
    if (!t.Active() || t.IsEmpty() || !column)
        return;
    auto text = [&](const char *name) { return t.FieldByName(QString::fromLatin1(name)).AsString(); };
    auto time = [&](const char *name) { return t.FieldByName(QString::fromLatin1(name)).AsDateTime(); };
    if (column->Index() <= 3) {
        m_side = Side{text("cmcd"), text("stbuut"), text("stdate"), text("stkunt"),
                      t.FieldByName(QStringLiteral("stseq")).AsInteger()};
        ui->Date1->setDate(time("sdate").date());
        ui->Time1->setTime(time("stime").time());
        chooseUnit(text("stbuut"));
    } else {
        // A pair without an end has no end event to correct.
        if (text("edtime").isEmpty())
            m_side.reset();
        else
            m_side = Side{text("cmcd"), text("edbuut"), text("eddate"), text("edkunt"),
                          t.FieldByName(QStringLiteral("edseq")).AsInteger()};
        ui->Date1->setDate(time("edate").date());
        ui->Time1->setTime(time("etime").time());
        chooseUnit(text("edbuut"));
    }
    ui->lab_Alrim->setText(QStringLiteral("리스트 선택"));
}

void TF637_DiligenceDetailsEdit::drawCell(QPainter *canvas, const QRect &rect, int dataCol, TColumn *column,
                                          int state)
{
    // The grid reads the painted row for us (its row scope).
    const char *endField = dataCol == 4 ? "edate" : dataCol == 5 ? "etime" : nullptr;
    if (endField && isZero(vtb_Dide->FieldByName(QString::fromLatin1(endField)).AsDateTime()))
        canvas->setPen(QColor(255, 255, 255));
    ui->grid_DiligenceDetails->DefaultDrawColumnCell(canvas, rect, dataCol, column, TGridDrawState(state));
}

void TF637_DiligenceDetailsEdit::registerClick(QWidget *sender)
{
    const auto *button = qobject_cast<TMirelImgBtn *>(sender);
    const Registration *reg = nullptr;
    for (const Registration &r : kRegistrations)
        if (button && r.tag == button->Tag())
            reg = &r;
    if (!reg)
        return;
    if (ui->Time1->time() == QTime(0, 0)) {
        ShowMessageBox(QString::fromUtf8(reg->noTime), mkNotice, 2000);
        return;
    }
    if (ui->Edit1->text().isEmpty()) {
        ShowMessageBox(QString::fromUtf8(reg->noUnit), mkNotice, 2000);
        return;
    }
    if (AskMessageBox(QString::fromUtf8(reg->question), mkOkCancel) != mrYes)
        return;
    ClientDataSet &c = *cds_F0150_i;
    c.Params().Clear();
    auto param = [&](const char *name, const QString &value) {
        c.Params().CreateParam(FieldType::String, QString::fromLatin1(name)).setValue(value);
    };
    param("@COMPCODE", MyConfig.CompanyCode);
    param("@BUUT", ui->Edit1->text());
    param("@DATE", ui->Date1->date().toString(QStringLiteral("yyyyMMdd")));
    param("@ABNB", EmployeeNo);
    param("@time", ui->Date1->date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
                       + ui->Time1->time().toString(QStringLiteral("HH:mm:ss")));
    param("@k00", QString::fromLatin1(reg->kind));
    param("@WORK", MyConfig.UIADNB);
    param("@PGID", kScreenName);
    c.Execute();
    LoadDiligenceDetails();
}

void TF637_DiligenceDetailsEdit::btn_NewClick()
{
    resetInputs();
    ui->lab_Alrim->setText(QStringLiteral("신규등록중"));
}

void TF637_DiligenceDetailsEdit::btn_EditClick()
{
    // Nothing to correct: no rows, or no side of a pair chosen since the load.
    if (vtb_Dide->IsEmpty() || !m_side) {
        ShowMessageBox(QStringLiteral("수정할 내역이 없습니다."), mkNotice, 2000);
        return;
    }
    if (AskMessageBox(QStringLiteral("근태 상세내역을 수정 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    ClientDataSet &c = *cds_F0150_u;
    c.Params().Clear();
    auto param = [&](const char *name, FieldType type, const QVariant &value) {
        c.Params().CreateParam(type, QString::fromLatin1(name)).setValue(value);
    };
    param("COMPCODE", FieldType::String, m_side->cmcd);
    param("STORECODE", FieldType::String, m_side->unit);
    param("EEDATE", FieldType::String, m_side->day);
    param("EDATE", FieldType::String, ui->Date1->date().toString(QStringLiteral("yyyyMMdd")));
    param("ETIME", FieldType::DateTime, QDateTime(ui->Date1->date(), ui->Time1->time()));
    param("EKUNT", FieldType::String, m_side->kind);
    param("BUUT", FieldType::String, ui->Edit1->text());
    param("ESEQ", FieldType::Integer, m_side->seq);
    param("WORK", FieldType::String, MyConfig.UIADNB);
    param("PGID", FieldType::String, kScreenName);
    c.Execute();
    LoadDiligenceDetails();
}

void TF637_DiligenceDetailsEdit::btn_DelClick()
{
    DataSet &t = *vtb_Dide;
    if (t.IsEmpty()) {
        ShowMessageBox(QStringLiteral("삭제할 내역이 없습니다."), mkNotice, 2000);
        return;
    }
    if (AskMessageBox(QStringLiteral("근태 상세내역을 삭제 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    ClientDataSet &c = *cds_F0150_d;
    c.Params().Clear();
    for (const char *name : {"cmcd", "stbuut", "stdate", "stseq", "sttime", "stkunt", "edbuut", "eddate", "edseq",
                             "edtime", "edkunt"}) {
        const Field &f = t.FieldByName(QString::fromLatin1(name));
        c.Params().CreateParam(f.DataType(), QString::fromLatin1(name)).setValue(f.AsVariant());
    }
    // A pair with an end event deletes both events; one without only its start.
    c.Params().CreateParam(FieldType::Integer, QStringLiteral("OPTION"))
        .setValue(t.FieldByName(QStringLiteral("edtime")).AsString().isEmpty() ? 1 : 0);
    c.Execute();
    LoadDiligenceDetails();
}

void TF637_DiligenceDetailsEdit::keyPadUp(QWidget *sender)
{
    const auto *button = qobject_cast<TMirelImgBtn *>(sender);
    if (!button)
        return;
    const int tag = button->Tag();
    if (tag >= 48 && tag <= 57)
        KeyPress(tag);
    else if (tag == 9)
        KeyPress(9);
    else if (tag == -10)
        KeyPress(8); // backspace
    else if (tag == 31)
        for (int i = 0; i < 5; ++i)
            KeyPress(27);
}
