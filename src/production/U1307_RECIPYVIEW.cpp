#include "production/U1307_RECIPYVIEW.h"
#include "ui_U1307_RECIPYVIEW.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ReportColumns.h"
#include "production/SqlWaitCursor.h"
#include "shell/MenuTags.h"
#include "shell/U403_Keyboard.h"

#include <QLineEdit>

TF1307_RECIPYVIEW *F1307_RECIPYVIEW = nullptr;

namespace {

constexpr int kRowSelectOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;

// The header figures shown: each edit is named after its column.
struct Figure {
    const char *column;
    const char *format;
};
constexpr Figure kFigures[] = {
    {"MHPQTY", ",0;-,0"},     {"MHBHWT", ",0.0;-,0.0"}, {"MHPJWT", ",0.0;-,0.0"}, {"MHJSUM", ",0.0;-,0.0"},
    {"MHRORT", ",0.0;-,0.0"}, {"MHROWT", ",0.0;-,0.0"}, {"MHLORT", ",0.0;-,0.0"}, {"MHLOWT", ",0.0;-,0.0"},
};

struct GridColumn {
    const char *field, *title;
    int width;
    Qt::Alignment align;
};

// The grid is made as tall as one page of its rows (their height follows
// its font), so a page button shows the next page whole; its down button
// stands at its foot.
void fitPage(TMirelGrid *grid, int rows, QWidget *downButton)
{
    grid->setFixedHeight(grid->TitlePitch() + rows * grid->RowPitch() + 2 * grid->frameWidth());
    downButton->move(downButton->x(), grid->y() + grid->height() - downButton->height());
}

void addColumns(TMirelGrid *grid, std::initializer_list<GridColumn> columns)
{
    for (const GridColumn &c : columns) {
        TColumn *column = AddGridColumn(grid, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
        if (c.align)
            column->setAlignment(c.align);
    }
}

} // namespace

TF1307_RECIPYVIEW::TF1307_RECIPYVIEW(QWidget *parent)
    : TWorkScreen(MenuTag::RecipeView, parent), ui(std::make_unique<Ui::TF1307_RECIPYVIEW>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1307_RECIPYVIEW"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    cds_procedure1 = NewRemoteCall(this, "cds_procedure1", "dspStoredProc1", QStringLiteral("[GP_SELECT_F0200_RECIPYENTRY]"));
    cds_procedure2 = NewRemoteCall(this, "cds_procedure2", "dspStoredProc2", QStringLiteral("[GP_SELECT_F0231_RECIPYREPORT]"));

    ui->grid_product->setOptions(kRowSelectOptions);
    ui->grid_product->setDataSource(cds_procedure1);
    addColumns(ui->grid_product, {{"IMITNB", "품번", 59, {}},
                                  {"IMNAME", "품명", 170, {}},
                                  {"recipy_flag_pos", "R", 29, Qt::AlignCenter}});
    ui->grid_recipy->setOptions(kRowSelectOptions);
    ui->grid_recipy->setDataSource(cds_procedure2);
    addColumns(ui->grid_recipy, {{"MDNAME", "재료명", 213, {}},
                                 {"MDWGHT", "수량", 85, Qt::AlignRight | Qt::AlignVCenter},
                                 {"MDUNIT", "단위", 50, Qt::AlignCenter},
                                 {"MDline", "순차", 51, Qt::AlignCenter},
                                 {"MDPERC", "비율(%)", 59, Qt::AlignCenter}});
    fitPage(ui->grid_product, ProductPage, ui->btn_SdStock1Down);
    fitPage(ui->grid_recipy, LinePage, ui->btn_SdStock2Down);
    for (const Figure &f : kFigures) {
        auto *edit = findChild<QLineEdit *>(QLatin1String(f.column));
        edit->setEnabled(false);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_SdStockHedsearch, &TMirelImgBtn::OnClick, this, [this] { btn_SdStockHedsearchClick(); });
    connect(ui->grid_product, &TMirelGrid::OnCellClick, this, [this] { grid_productCellClick(); });
    connect(ui->MirelImgBtn1, &TMirelImgBtn::OnClick, this, [this] { MirelImgBtn1Click(); });
    for (TMirelImgBtn *b : {ui->btn_SdStock1Up, ui->btn_SdStock1Down})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageGrid(ui->grid_product, b->Tag(), ProductPage); });
    for (TMirelImgBtn *b : {ui->btn_SdStock2Up, ui->btn_SdStock2Down})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageGrid(ui->grid_recipy, b->Tag(), LinePage); });
}

TF1307_RECIPYVIEW::~TF1307_RECIPYVIEW()
{
    if (F1307_RECIPYVIEW == this)
        F1307_RECIPYVIEW = nullptr;
}

void TF1307_RECIPYVIEW::btn_SdStockHedsearchClick()
{
    const SqlWaitCursor wait;
    ClientDataSet &p = *cds_procedure1;
    p.Close();
    SetTextParam(p, QStringLiteral("a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(p, QStringLiteral("a_buut"), MyConfig.StoreCode);
    SetTextParam(p, QStringLiteral("a_gkid"), QString());
    SetTextParam(p, QStringLiteral("a_mkid"), QString());
    SetTextParam(p, QStringLiteral("a_name"), ui->EDT_NAME->text());
    SetTextParam(p, QStringLiteral("a_date"), os::Now().date().toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(p, QStringLiteral("a_st_han"), QString());
    SetTextParam(p, QStringLiteral("a_ed_han"), QStringLiteral("zzzzzzzzzz"));
    SetTextParam(p, QStringLiteral("a_gubun"), QStringLiteral("0"));
    p.Open(); // a server error reaches the error box; the list stays empty
}

void TF1307_RECIPYVIEW::grid_productCellClick()
{
    if (!cds_procedure1->Active() || cds_procedure1->IsEmpty())
        return;
    m_shown = RecipeHeader::FromRow(*cds_procedure1);
    showFigures();
    ClientDataSet &lines = *cds_procedure2;
    lines.Close();
    SetTextParam(lines, QStringLiteral("a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(lines, QStringLiteral("a_buut"), MyConfig.StoreCode);
    SetTextParam(lines, QStringLiteral("a_itnb"), m_shown.item);
    lines.Open();
}

void TF1307_RECIPYVIEW::showFigures()
{
    for (const Figure &f : kFigures)
        findChild<QLineEdit *>(QLatin1String(f.column))
            ->setText(Field::formatNumber(m_shown.figure(QLatin1String(f.column)), QLatin1String(f.format)));
}

void TF1307_RECIPYVIEW::MirelImgBtn1Click()
{
    PreviewReport(
        cds_procedure2, [this] { return std::make_unique<TF30_RECIPYVIEW>(cds_procedure2, m_shown); }, NoDataText);
}

void TF1307_RECIPYVIEW::btn_CloseClick()
{
    done(ClosedResult);
}

void TF1307_RECIPYVIEW::done(int result)
{
    if (F403_Keyboard)
        F403_Keyboard->Close();
    TWorkScreen::done(result);
}
