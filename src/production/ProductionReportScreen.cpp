#include "production/ProductionReportScreen.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ReportColumns.h"
#include "shell/RaldApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QScrollBar>
#include <QShowEvent>

TProductionReportScreen::~TProductionReportScreen() = default;

void TProductionReportScreen::setUpReport(const Controls &controls, ClientDataSet *result,
                                          std::initializer_list<GridColumn> columns, int rowsPerPage, bool scrolls,
                                          FormFactory createForm, const QString &noDataText)
{
    m_result = result;
    m_grid = controls.grid;
    m_createForm = std::move(createForm);
    m_noDataText = noDataText;

    TMirelGrid *grid = controls.grid;
    grid->setOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    if (scrolls)
        grid->setScrollBars(1);
    else // the columns fill the grid; a scroll bar would take a row's room
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setDataSource(result);
    for (const GridColumn &c : columns)
        AddGridColumn(grid, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
    // As tall as one page of rows (their height follows the grid's font), its
    // down button at its foot, so a page button shows the next page whole.
    grid->setFixedHeight(grid->TitlePitch() + rowsPerPage * grid->RowPitch() + 2 * grid->frameWidth()
                         + (scrolls ? grid->horizontalScrollBar()->sizeHint().height() : 0));
    if (QWidget *panel = grid->parentWidget(); panel && panel != this)
        panel->setFixedHeight(grid->y() + grid->height());
    const QPoint foot = grid->mapTo(this, QPoint(0, grid->height()));
    controls.down->move(controls.down->x(), foot.y() - controls.down->height());

    connect(controls.close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(controls.minimize, &TMirelImgBtn::OnClick, this, [] {
        if (QWidget *w = QApplication::activeWindow())
            w->showMinimized();
    });
    connect(controls.search, &TMirelImgBtn::OnClick, this, [this] { btn_BjStockDetailsearchClick(); });
    connect(controls.print, &TMirelImgBtn::OnClick, this, [this] { PrintClick(); });
    for (TMirelImgBtn *b : {controls.up, controls.down})
        connect(b, &TMirelImgBtn::OnClick, this, [grid, b, rowsPerPage] { PageGrid(grid, b->Tag(), rowsPerPage); });
}

void TProductionReportScreen::setUpLineChoice(QComboBox *names, QComboBox *codes, QLineEdit *code)
{
    cds_F0011_SengsanLine = NewProductionLineCall(this);
    m_lines = std::make_unique<ProductionLineChoice>(names, codes, code);
    m_lines->Reset();
}

void TProductionReportScreen::showEvent(QShowEvent *event)
{
    const bool first = FirstShow(event);
    TWorkScreen::showEvent(event); // the menu state "0"
    if (!first || !m_lines)
        return;
    try {
        m_lines->Load(*cds_F0011_SengsanLine);
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what())); // the code stays "001"
    }
}

void TProductionReportScreen::openResult(const QString &period)
{
    m_result->Open();
    m_searchedPeriod = period;
    // The rows were drawn when the data set opened, before their number
    // formats were set (AfterOpen): draw them all again.
    m_grid->viewport()->update();
}

void TProductionReportScreen::PrintClick()
{
    PreviewReport(
        m_result, [this]() -> std::unique_ptr<report::Report> { return m_createForm(m_result, m_searchedPeriod); },
        m_noDataText);
}

void TProductionReportScreen::btn_CloseClick()
{
    done(ClosedResult);
}

void TProductionReportScreen::SetMonthToDate(QDateEdit *from, QDateEdit *to)
{
    const QDate today = os::Now().date();
    from->setDate(QDate(today.year(), today.month(), 1));
    to->setDate(today);
}

void TProductionReportScreen::FillYears(QComboBox *years)
{
    years->clear();
    const int current = os::Now().date().year();
    for (int year = FirstYear; year <= current; ++year)
        years->addItem(QString::number(year));
    years->setCurrentIndex(years->count() - 1);
}

QString TProductionReportScreen::PeriodText(const QString &label, const QDate &from, const QDate &to)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    return label + from.toString(format) + QStringLiteral(" ~ ") + to.toString(format);
}
