#include "inquiries/U690_NormalStock.h"
#include "ui_U690_NormalStock.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelStringGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "inquiries/BranchStock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/MenuTags.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QShowEvent>

TF690_NormalStock *F690_NormalStock = nullptr;

namespace {

const QString kAll = QStringLiteral("전체");
const QString kAllId = QStringLiteral("0000000000");
constexpr int kHeadingFontColor = 90879; // red 255, green 98, blue 1
constexpr int kNameWidth = 200, kUnitWidth = 50, kTotalWidth = 100;

// Over the grid's own drawing: the heading row filled, its text centred at
// top + 5 in the heading colour; in the other rows every column but the
// first filled, its text right-aligned at top + 5.
void DrawStockCell(const TMStringGrid &grid, QPainter &p, int col, int row, const QRect &rect)
{
    if (row > 0 && col == 0)
        return;
    const QString text = grid.Cells(col, row);
    const QFontMetrics metrics(p.font());
    const int width = metrics.horizontalAdvance(text);
    const int right = rect.left() + rect.width();
    p.fillRect(rect, p.brush());
    if (row == 0) {
        p.setPen(mirel::colorFromRef(kHeadingFontColor));
        p.drawText(QPoint(rect.left() + (rect.width() - width) / 2, rect.top() + 5 + metrics.ascent()), text);
    } else {
        p.drawText(QPoint(right - width, rect.top() + 5 + metrics.ascent()), text);
    }
}

// Appends the rows of a category answer: names to one combo, ids to its
// hidden partner.
void AppendCategories(ClientDataSet &cds, const char *idField, const char *nameField, QComboBox *names,
                      QComboBox *ids)
{
    const Field &id = cds.FieldByName(QLatin1String(idField));
    const Field &name = cds.FieldByName(QLatin1String(nameField));
    for (cds.First(); !cds.Eof(); cds.Next()) {
        names->addItem(name.AsString());
        ids->addItem(id.AsString());
    }
}

// The id at the chosen name's position, or empty for 전체.
QString ChosenId(QComboBox *names, QComboBox *ids)
{
    if (names->currentText() == kAll)
        return {};
    ids->setCurrentIndex(names->currentIndex());
    return ids->currentText();
}

} // namespace

TF690_NormalStock::TF690_NormalStock(QWidget *parent)
    : TWorkScreen(MenuTag::NormalStock, parent), ui(std::make_unique<Ui::TF690_NormalStock>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F690_NormalStock"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    cds_F0060_debun = NewRemoteCall(this, "cds_F0060_debun", "dspStoredProc3",
                                    QStringLiteral("[GP_SELECT_F0060_StockDetail_SengSang_Search]"));
    cds_F0061_jungbun = NewRemoteCall(this, "cds_F0061_jungbun", "dspStoredProc5",
                                      QStringLiteral("[GP_SELECT_F0061_StockDetail_SengSang_Search]"));
    cds_F3400_JijeList = NewRemoteCall(this, "cds_F3400_JijeList", "dspStoredProc2",
                                       QStringLiteral("[GP_SELECT_F3400_StockListOfBranch]"));

    TMStringGrid *grid = ui->grid_JijemList;
    grid->OnDrawCell = [grid](QPainter &p, int col, int row, const QRect &rect, TGridDrawState) {
        DrawStockCell(*grid, p, col, row, rect);
    };

    for (TMirelImgBtn *key : {ui->btn_HanAll, ui->btn_HnaGa, ui->btn_HnaNa, ui->btn_HnaDa, ui->btn_HanRa, ui->btn_HanMa,
                              ui->btn_HanBa, ui->btn_HanSa, ui->btn_HanAa, ui->btn_HanJa, ui->btn_HanCha, ui->btn_HanKa,
                              ui->btn_HanTa, ui->btn_HanPa, ui->btn_HanHa, ui->btn_HanAz, ui->btn_Han09})
        connect(key, &TMirelImgBtn::OnMouseUp, this, [this](QWidget *sender) { btn_HanMouseUp(sender); });
    for (TMirelImgBtn *type : {ui->btn_Jefum, ui->btn_BanJefum})
        connect(type, &TMirelImgBtn::OnMouseUp, this, [this] { btn_JefumMouseUp(); });
    connect(ui->combo_Debun, &QComboBox::activated, this, [this] { combo_DebunChange(); });
    connect(ui->combo_Jungbun, &QComboBox::activated, this, [this] { combo_JungbunChange(); });
    connect(ui->combo_Addgubun, &QComboBox::activated, this, [this] { combo_AddgubunChange(); });
    connect(ui->combo_JekjengJego, &QComboBox::activated, this, [this] { combo_JekjengJegoChange(); });
    connect(ui->Edit2, &QLineEdit::textChanged, this, [this] { ReloadMiddles(); });
    connect(ui->btn_JijemJegoSearch, &TMirelImgBtn::OnClick, this, [this] { btn_JijemJegoSearchClick(); });
    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
}

TF690_NormalStock::~TF690_NormalStock()
{
    if (F690_NormalStock == this)
        F690_NormalStock = nullptr;
}

void TF690_NormalStock::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event); // menu state "0"
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TF690_NormalStock::FormShow()
{
    cds_F0060_debun->Close();
    SetTextParam(*cds_F0060_debun, QStringLiteral("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F0060_debun, QStringLiteral("STORECODE"), MyConfig.StoreCode);
    cds_F0060_debun->Open();
    AppendCategories(*cds_F0060_debun, "GKGKID", "GKNAME", ui->combo_Debun, ui->ComboBox2);
}

void TF690_NormalStock::btn_CloseClick()
{
    done(CloseResult);
}

void TF690_NormalStock::btn_HanMouseUp(QWidget *Sender)
{
    auto *key = qobject_cast<TMirelButtonBase *>(Sender);
    if (!key)
        return;
    const std::optional<NameRange> bounds = BranchStockKeyBounds(key->Tag());
    if (!bounds)
        return;
    ui->Edit9->setText(bounds->lower);
    ui->Edit10->setText(bounds->upper);
}

void TF690_NormalStock::btn_JefumMouseUp()
{
    if (ui->btn_Jefum->Down())
        ui->Edit5->setText(QStringLiteral("1"));
    else if (ui->btn_BanJefum->Down())
        ui->Edit5->setText(QStringLiteral("3"));
}

void TF690_NormalStock::combo_DebunChange()
{
    const QString id = ChosenId(ui->combo_Debun, ui->ComboBox2);
    if (id == ui->Edit2->text() && id.isEmpty())
        ReloadMiddles(); // 전체 again: no change of Edit2 to reload them
    else
        ui->Edit2->setText(id); // a change reloads the middle categories
}

void TF690_NormalStock::combo_JungbunChange()
{
    ui->Edit3->setText(ChosenId(ui->combo_Jungbun, ui->ComboBox3));
}

void TF690_NormalStock::combo_AddgubunChange()
{
    const int i = ui->combo_Addgubun->currentIndex();
    if (i >= 0 && i <= 2)
        ui->Edit1->setText(QString::number(i + 1));
}

void TF690_NormalStock::combo_JekjengJegoChange()
{
    const int i = ui->combo_JekjengJego->currentIndex();
    if (i == 0 || i == 1)
        ui->Edit7->setText(QString::number(i));
}

void TF690_NormalStock::ReloadMiddles()
{
    // The lists start over before the call, so that a failed call leaves
    // only 전체 with no middle category in force, never names of one major
    // beside the ids of another.
    ui->combo_Jungbun->clear();
    ui->ComboBox3->clear();
    ui->Edit3->clear();
    ui->combo_Jungbun->addItem(kAll);
    ui->ComboBox3->addItem(kAllId);

    cds_F0061_jungbun->Close();
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("STORECODE"), MyConfig.StoreCode);
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("Edit2"), ui->Edit2->text());
    cds_F0061_jungbun->Open();
    AppendCategories(*cds_F0061_jungbun, "MKMKID", "MKNAME", ui->combo_Jungbun, ui->ComboBox3);
}

void TF690_NormalStock::btn_JijemJegoSearchClick()
{
    SearchBranchStock();
    ui->btn_HanAll->setDown(true);
    const NameRange all = BranchStockAllBounds();
    ui->Edit9->setText(all.lower);
    ui->Edit10->setText(all.upper);
}

void TF690_NormalStock::SearchBranchStock()
{
    ClientDataSet &cds = *cds_F3400_JijeList;
    cds.Close();
    SetTextParam(cds, QStringLiteral("@a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(cds, QStringLiteral("@a_itty"), ui->Edit5->text());
    SetTextParam(cds, QStringLiteral("@a_gkid"), ui->Edit2->text());
    SetTextParam(cds, QStringLiteral("@a_mkid"), ui->Edit3->text());
    SetTextParam(cds, QStringLiteral("@a_itnb"), QString());
    SetTextParam(cds, QStringLiteral("@a_st_han"), ui->Edit9->text());
    SetTextParam(cds, QStringLiteral("@a_ed_han"), ui->Edit10->text());
    SetTextParam(cds, QStringLiteral("@a_adty"), ui->Edit1->text());
    SetTextParam(cds, QStringLiteral("@a_gubun"), ui->Edit7->text());
    cds.Open(); // a server error reaches the error box; the grid stays

    QList<BranchStockLine> lines;
    lines.reserve(cds.RecordCount());
    const Field &name = cds.FieldByName(QStringLiteral("itnb_name"));
    const Field &unit = cds.FieldByName(QStringLiteral("unit"));
    const Field &count = cds.FieldByName(QStringLiteral("buut_cnt"));
    const Field &branches = cds.FieldByName(QStringLiteral("buut_name"));
    const Field &quantities = cds.FieldByName(QStringLiteral("qty"));
    for (cds.First(); !cds.Eof(); cds.Next())
        lines.append({name.AsString(), unit.AsString(), count.AsString(), branches.AsString(), quantities.AsString()});
    cds.First();
    const QList<QStringList> table = BranchStockTable(lines); // a bad number throws before the grid changes

    TMStringGrid *grid = ui->grid_JijemList;
    grid->SetTable(table);
    const int last = grid->TableColCount() - 1;
    grid->setColWidths(0, kNameWidth);
    grid->setColWidths(1, kUnitWidth);
    grid->setColWidths(last, kTotalWidth);
}
