#include "inquiries/LedgerScreen.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/os/Clock.h"

#include <QDateEdit>
#include <QScrollBar>

void TLedgerScreen::setUpLedger(const Controls &controls, DataSet *shown, std::initializer_list<GridColumn> columns)
{
    m_controls = controls;
    const QDate today = os::Now().date();
    controls.stdt->setDate(QDate(today.year(), today.month(), 1));
    controls.eddt->setDate(today);

    TMirelGrid *grid = controls.grid;
    grid->setOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect);
    grid->setScrollBars(1);
    grid->setDataSource(shown);
    for (const GridColumn &c : columns)
        AddGridColumn(grid, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
    // As tall as one page of rows (their height follows the grid's font)
    // above the scroll bar, its down button at its foot, so a page button
    // shows the next page whole.
    grid->setFixedHeight(grid->TitlePitch() + RowsPerPage * grid->RowPitch() + 2 * grid->frameWidth()
                         + grid->horizontalScrollBar()->sizeHint().height());
    controls.down->move(controls.down->x(), grid->y() + grid->height() - controls.down->height());

    connect(controls.close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(controls.search, &TMirelImgBtn::OnClick, this, [this] { btn_BjStockDetailsearchClick(); });
    connect(controls.print, &TMirelImgBtn::OnClick, this, [this] { MirelImgBtn1Click(); });
    for (TMirelImgBtn *b : {controls.up, controls.down})
        connect(b, &TMirelImgBtn::OnClick, this, [grid, b] { PageGrid(grid, b->Tag(), RowsPerPage); });
}

QDate TLedgerScreen::From() const
{
    return m_controls.stdt->date();
}

QDate TLedgerScreen::To() const
{
    return m_controls.eddt->date();
}

void TLedgerScreen::setLedgerParams(ClientDataSet &call, const QStringList &names) const
{
    const QString format = QStringLiteral("yyyyMMdd");
    for (const QString &name : names) {
        const QString key = name.toLower();
        QString value;
        if (key == QLatin1String("a_gubun"))
            value = QStringLiteral("1");
        else if (key == QLatin1String("a_cmcd"))
            value = MyConfig.CompanyCode;
        else if (key == QLatin1String("a_buut"))
            value = MyConfig.StoreCode;
        else if (key == QLatin1String("a_stdt"))
            value = From().toString(format);
        else if (key == QLatin1String("a_eddt"))
            value = To().toString(format);
        else if (key == QLatin1String("a_ed_han"))
            value = QStringLiteral("zzzzzzzzzz");
        SetTextParam(call, name, value);
    }
}
