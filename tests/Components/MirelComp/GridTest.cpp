#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/PageGrid.h"
#include "platform/os/Keys.h"

#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

constexpr int kNavy = 8388608;       // (0, 0, 128)
constexpr int kWhite = 16777215;
constexpr int kLines = 12698049;     // (193, 193, 193)
constexpr int kSilver = 12632256;    // (192, 192, 192)
constexpr int kOrange = 2066166;     // (246, 134, 31)

QRgb rgbOf(int ref)
{
    return mirel::colorFromRef(ref).rgb() | 0xFF000000u;
}

// A window holding a grid over a data set of `rows` lines (NO, NAME, QTY)
// and a plain edit that can take the focus away from the grid.
struct GridWindow {
    QWidget window;
    TMirelGrid *grid;
    QLineEdit *other;
    DataSet ds;

    explicit GridWindow(int rows = 60, int options = 868)
    {
        ds.AddField("NO", FieldType::Integer);
        ds.AddField("NAME", FieldType::String, 20);
        ds.AddField("QTY", FieldType::Float);
        ds.FieldByName("NAME").setDisplayLabel(QString::fromUtf8("품명"));
        ds.Open();
        for (int i = 1; i <= rows; ++i) {
            ds.Append();
            ds.FieldByName("NO").setAsInteger(i);
            ds.FieldByName("NAME").setAsString(QString::fromUtf8("품목%1").arg(i));
            ds.FieldByName("QTY").setAsFloat(i);
            ds.Post();
        }
        ds.First();
        window.resize(420, 300);
        grid = new TMirelGrid(&window);
        grid->setObjectName("grid");
        grid->setGeometry(0, 0, 400, 260);
        other = new QLineEdit(&window);
        other->setGeometry(0, 265, 100, 30);
        grid->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -16, true));
        grid->setTitleFont(mirel::makeFont(QString::fromUtf8("돋움체"), -15, true));
        grid->setScrollBars(0);
        grid->setBorderStyle(0);
        grid->setOptions(options);
        grid->setColorSelectedCell(kNavy);
        grid->setColorSelectedFont(kWhite);
        grid->setColorLines(kLines);
        grid->setFixedColor(15658734);
        grid->setDataSource(&ds);
        addColumn("NO", "번호", 60);
        addColumn("NAME", "", 150);
        addColumn("QTY", "수량", 80);
    }

    TColumn *addColumn(const char *field, const char *title, int width)
    {
        TColumn *c = grid->Columns().Add();
        c->setFieldName(field);
        c->Title()->setCaption(QString::fromUtf8(title));
        c->setWidth(width);
        return c;
    }

    void show()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Centre of a data cell in viewport coordinates.
    QPoint cellPoint(int col, int row) const
    {
        const QRect r = grid->CellRect(col, row);
        return r.translated(-grid->viewport()->pos()).center();
    }

    void touch(int col, int row, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, cellPoint(col, row));
    }

    bool rowInView(int row) const { return !grid->CellRect(0, row).isEmpty() && fullyVisible(row); }
    bool fullyVisible(int row) const
    {
        const QRect r = grid->CellRect(0, row);
        return r.bottom() < grid->viewport()->geometry().bottom() + 1 && r.top() >= grid->viewport()->y();
    }
};

// The grid as it paints itself now, with its viewport and headers.
QImage shot(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Background colour of a cell (a pixel near its top right, away from text).
QRgb cellBackground(const QImage &image, TMirelGrid *grid, int col, int row)
{
    const QRect r = grid->CellRect(col, row);
    return image.pixel(r.right() - 1, r.top() + 1) | 0xFF000000u;
}

int countPixels(const QImage &image, const QRect &rect, QRgb colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == colour)
                ++n;
    return n;
}

} // namespace

// ---- options and layout ------------------------------------------------------

TEST(MirelGrid, StoredOptionNumbersKeepTheirMeaning)
{
    struct Case {
        int stored;
        int expected;
        bool titles, indicator, colLines, rowLines, rowSelect, editing;
    };
    const Case cases[] = {
        {3325, 3325, true, true, true, true, false, true},              // on creation
        {868, 868, true, false, true, true, true, false},               // lists
        {4708, 4708, true, false, true, true, false, false},            // touch multi-select
        {3325 | dgRowSelect | dgAlwaysShowEditor, 3324 | dgRowSelect, true, true, true, true, true, false},
        {dgEditing | dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection, 613, true, false, true, true,
         false, true},
    };
    for (const Case &c : cases) {
        TMirelGrid grid;
        if (c.stored != 3325)
            grid.setOptions(c.stored);
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(grid.Options(), c.expected);
        EXPECT_EQ(!grid.horizontalHeader()->isHidden(), c.titles);
        EXPECT_EQ(!grid.verticalHeader()->isHidden(), c.indicator);
        EXPECT_EQ(bool(grid.gridOptions() & goVertLine), c.colLines);
        EXPECT_EQ(bool(grid.gridOptions() & goHorzLine), c.rowLines);
        EXPECT_EQ(bool(grid.gridOptions() & goRowSelect), c.rowSelect);
        EXPECT_EQ(bool(grid.gridOptions() & goEditing), c.editing);
    }
    TMirelGrid fresh;
    EXPECT_EQ(fresh.Options(), 3325);
    EXPECT_EQ(fresh.ColorSelectedCell(), 8388608);
    EXPECT_EQ(fresh.ColorSelectedFont(), 16777215);
    EXPECT_EQ(fresh.ColorLines(), 8421504);
}

TEST(MirelGrid, RowHeightFollowsTheFontAndTheRowLines)
{
    GridWindow w;
    const int text = QFontMetrics(w.grid->font()).height();
    EXPECT_EQ(w.grid->DefaultRowHeight(), text + 3 + 1);
    EXPECT_EQ(w.grid->rowHeight(0), text + 3 + 1 + 1); // plus the line itself
    w.grid->setOptions(dgTitles | dgColLines | dgRowSelect);
    EXPECT_EQ(w.grid->DefaultRowHeight(), text + 3);
    EXPECT_EQ(w.grid->rowHeight(0), text + 3);
    w.grid->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -24, true));
    EXPECT_EQ(w.grid->DefaultRowHeight(), QFontMetrics(w.grid->font()).height() + 3);
    // Column widths and visibility reach the layout.
    EXPECT_EQ(w.grid->columnWidth(1), 150 + 1);
    w.grid->Columns()[1]->setVisible(false);
    EXPECT_TRUE(w.grid->isColumnHidden(1));
    EXPECT_EQ(w.grid->FieldCount(), 2);
    EXPECT_EQ(w.grid->Fields(1)->FieldName(), "QTY");
    EXPECT_THROW(w.grid->Fields(2), EInvalidGridOperation);
    EXPECT_THROW(w.grid->ColWidths(7), EInvalidGridOperation);
}

TEST(MirelGrid, TitlesShowCaptionsOrTheFieldsDisplayName)
{
    GridWindow w(3);
    w.show();
    const QStringList captions = TextRecorder::texts(w.grid->horizontalHeader()->viewport());
    EXPECT_TRUE(captions.contains(QString::fromUtf8("번호")));
    EXPECT_TRUE(captions.contains(QString::fromUtf8("품명"))); // empty caption: the display label
    EXPECT_TRUE(captions.contains(QString::fromUtf8("수량")));
    const QStringList cells = TextRecorder::texts(w.grid->viewport());
    EXPECT_TRUE(cells.contains(QString::fromUtf8("품목2")));

    // A column's own title colour fills its title cell; the others keep FixedColor.
    w.grid->Columns()[2]->Title()->setColor(kOrange);
    const QImage image = shot(w.grid);
    const QHeaderView *titles = w.grid->horizontalHeader();
    const int y = titles->geometry().top() + 3;
    const int x0 = titles->geometry().left() + titles->sectionViewportPosition(0) + titles->sectionSize(0) - 4;
    const int x2 = titles->geometry().left() + titles->sectionViewportPosition(2) + titles->sectionSize(2) - 4;
    EXPECT_EQ(image.pixel(x2, y) | 0xFF000000u, rgbOf(kOrange));
    EXPECT_EQ(image.pixel(x0, y) | 0xFF000000u, rgbOf(15658734));
}

TEST(MirelGrid, TitleRowFitsTheFontTheGridTakesFromItsParent)
{
    // A form's tab page is made without a parent and handed to its tab widget
    // afterwards: the grid on it takes the tab widget's larger font only then,
    // and its titles are painted in that font. The title row must be as high,
    // or the captions are cut off at the bottom.
    QWidget tabs;
    tabs.setFont(mirel::makeFont(QString::fromUtf8("굴림"), -24, true));
    auto *page = new QWidget;
    auto *grid = new TMirelGrid(page);
    grid->setGeometry(0, 0, 300, 200);
    DataSet ds;
    ds.AddField("NAME", FieldType::String, 20);
    ds.Open();
    grid->setDataSource(&ds);
    TColumn *c = grid->Columns().Add();
    c->setFieldName("NAME");
    c->Title()->setCaption(QString::fromUtf8("패턴 선택"));
    c->setWidth(200);
    page->setParent(&tabs);
    const int painted = QFontMetrics(tabs.font()).height();
    EXPECT_GE(grid->horizontalHeader()->sizeHint().height(), painted + 4);

    // A title font set on purpose sizes the row by itself.
    const QFont own = mirel::makeFont(QString::fromUtf8("돋움체"), -12, false);
    grid->setTitleFont(own);
    EXPECT_EQ(grid->horizontalHeader()->sizeHint().height(), QFontMetrics(own).height() + 4 + 1);
}

TEST(MirelGrid, WithoutOwnColumnsTheGridShowsEveryField)
{
    DataSet ds;
    ds.AddField("CODE", FieldType::String, 8);
    ds.AddField("AMT", FieldType::Currency);
    ds.FieldByName("AMT").setDisplayLabel(QString::fromUtf8("금액"));
    ds.Open();
    ds.Append();
    ds.FieldByName("CODE").setAsString("A1");
    ds.FieldByName("AMT").setAsString("1500");
    ds.Post();
    TMirelGrid grid;
    grid.setDataSource(&ds);
    ASSERT_EQ(grid.Columns().Count(), 2);
    EXPECT_FALSE(grid.Columns().Customized());
    EXPECT_EQ(grid.Columns()[1]->Title()->Caption(), QString::fromUtf8("금액"));
    EXPECT_EQ(grid.Columns()[1]->Alignment(), Qt::AlignRight); // numbers right
    QStringList drawn;
    QObject::connect(&grid, &TMCustomDBGrid::OnDrawDataCell,
                     [&](QWidget *, QPainter *, const QRect &, Field *f, TGridDrawState) { drawn << f->FieldName(); });
    grid.resize(300, 100);
    TextRecorder::texts(grid.viewport());
    EXPECT_EQ(drawn, (QStringList{"CODE", "AMT"}));
    // Own columns replace the default ones.
    grid.Columns().Add()->setFieldName("AMT");
    EXPECT_EQ(grid.Columns().Count(), 1);
    EXPECT_TRUE(grid.Columns().Customized());
    EXPECT_EQ(grid.dataModel()->columnCount(), 1);
}

// ---- cursor -------------------------------------------------------------------

TEST(MirelGrid, MovingTheDataSetScrollsTheHighlightedRowIntoView)
{
    GridWindow w(100);
    w.show();
    const int page = w.grid->VisibleRowCount();
    ASSERT_LT(page, 27);
    EXPECT_EQ(w.grid->TopRow(), 0);
    w.ds.MoveBy(27);
    EXPECT_EQ(w.grid->Row(), 27);
    EXPECT_TRUE(w.rowInView(27));
    QImage image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 1, 27), rgbOf(kNavy));
    // Next at the bottom edge scrolls by one row.
    const int top = w.grid->TopRow();
    w.ds.Next();
    EXPECT_TRUE(w.rowInView(28));
    EXPECT_EQ(w.grid->TopRow(), top + 1);
    // Back up past the top, and to the end.
    w.ds.MoveBy(-27);
    EXPECT_TRUE(w.rowInView(1));
    w.ds.Last();
    EXPECT_TRUE(w.rowInView(99));
    image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 0, 99), rgbOf(kNavy));
    EXPECT_EQ(cellBackground(image, w.grid, 0, 98), rgbOf(kWhite));

    // A record made current before the grid is shown is in view once it is.
    GridWindow late(100);
    late.ds.MoveBy(50);
    late.show();
    EXPECT_TRUE(late.rowInView(50));
}

TEST(MirelGrid, TouchMovesTheDataSetAndReportsCellAndTitleClicks)
{
    GridWindow w(40, 3325 & ~dgEditing);
    w.show();
    QList<int> cellClicks, titleClicks;
    QObject::connect(w.grid, &TMCustomDBGrid::OnCellClick, [&](TColumn *c) { cellClicks << c->Index(); });
    QObject::connect(w.grid, &TMCustomDBGrid::OnTitleClick, [&](TColumn *c) { titleClicks << c->Index(); });
    int scrolls = 0;
    w.ds.AfterScroll = [&](DataSet &) { ++scrolls; };

    w.touch(2, 3);
    EXPECT_EQ(w.ds.RecNo(), 4);
    EXPECT_EQ(w.ds.FieldByName("NO").AsInteger(), 4);
    EXPECT_EQ(w.grid->SelectedIndex(), 2);
    EXPECT_EQ(w.grid->SelectedField()->FieldName(), "QTY");
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(cellClicks, QList<int>{2});

    // A title release reports its own column and leaves the cursor.
    const QHeaderView *titles = w.grid->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(1) + 20, titles->height() / 2));
    EXPECT_EQ(titleClicks, QList<int>{1});
    EXPECT_EQ(w.ds.RecNo(), 4);

    // The indicator moves the record but is no cell click; nor is the right button.
    const QHeaderView *indicator = w.grid->verticalHeader();
    QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {},
                      QPoint(5, indicator->sectionViewportPosition(1) + 5));
    EXPECT_EQ(w.ds.RecNo(), 2);
    QTest::mouseClick(w.grid->viewport(), Qt::RightButton, {}, w.cellPoint(0, 5));
    EXPECT_EQ(cellClicks, QList<int>{2});
    EXPECT_EQ(w.ds.RecNo(), 6);
}

// ---- look ---------------------------------------------------------------------

TEST(MirelGrid, UnfocusedRowSelectGridShowsTheCurrentRowOnlyWithAlwaysShowSelection)
{
    GridWindow w(10, 868);
    w.show();
    w.ds.MoveBy(2);
    w.other->setFocus();
    QCoreApplication::processEvents();
    ASSERT_FALSE(w.grid->hasFocus());
    QImage image = shot(w.grid);
    for (int col = 0; col < 3; ++col) {
        EXPECT_EQ(cellBackground(image, w.grid, col, 2), rgbOf(kNavy)) << col;
        EXPECT_EQ(cellBackground(image, w.grid, col, 1), rgbOf(kWhite)) << col;
    }
    // The text of the highlighted row is drawn in ColorSelectedFont.
    const QRect nameCell = w.grid->CellRect(1, 2);
    EXPECT_GT(countPixels(image, nameCell, rgbOf(kWhite)), 10);

    w.grid->setColorSelectedCell(15594229);
    w.grid->setColorSelectedFont(57);
    image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 1, 2), rgbOf(15594229));
    EXPECT_GT(countPixels(image, nameCell, rgbOf(57)), 10);

    // Without always-show-selection an unfocused grid shows no selection.
    w.grid->setOptions(868 & ~dgAlwaysShowSelection);
    image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 1, 2), rgbOf(kWhite));
}

TEST(MirelGrid, LinesAreColouredPerArea)
{
    GridWindow w(10, dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect);
    w.grid->setColor(kSilver);
    w.grid->setColorLines(kOrange);
    w.show();
    const QImage image = shot(w.grid);
    const QRect cell = w.grid->CellRect(0, 1);
    // Scrolling area: the line right of and below a cell, in ColorLines even on silver.
    EXPECT_EQ(image.pixel(cell.right() + 1, cell.center().y()) | 0xFF000000u, rgbOf(kOrange));
    EXPECT_EQ(image.pixel(cell.center().x(), cell.bottom() + 1) | 0xFF000000u, rgbOf(kOrange));
    // Title row over the data columns: ColorLines.
    const QHeaderView *titles = w.grid->horizontalHeader();
    const int titleBottom = titles->geometry().bottom();
    const int titleX = titles->geometry().left() + titles->sectionViewportPosition(1) + 10;
    EXPECT_EQ(image.pixel(titleX, titleBottom) | 0xFF000000u, rgbOf(kOrange));
    const int titleSplit = titles->geometry().left() + titles->sectionViewportPosition(1) - 1;
    EXPECT_EQ(image.pixel(titleSplit, titles->geometry().top() + 5) | 0xFF000000u, rgbOf(kOrange));
    // Indicator column beside the data rows and the fixed corner: black.
    const QHeaderView *indicator = w.grid->verticalHeader();
    const QRect ind = indicator->geometry();
    EXPECT_EQ(image.pixel(ind.right(), cell.center().y()) | 0xFF000000u, qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(ind.left() + 3, ind.top() + indicator->sectionViewportPosition(1) - 1) | 0xFF000000u,
              qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(ind.right(), titles->geometry().top() + 3) | 0xFF000000u, qRgb(0, 0, 0));
    // Background of a plain cell: the grid's colour.
    EXPECT_EQ(cellBackground(image, w.grid, 1, 3), rgbOf(kSilver));
    image.save(QDir::temp().filePath("rald-grid-lines.png"));
}

TEST(MirelGrid, ColourPropertiesRepaintAtOnceOnlyWhenChanged)
{
    GridWindow w(5);
    w.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    w.grid->viewport()->installEventFilter(&counter);
    w.grid->setColorLines(kLines);
    w.grid->setColorSelectedCell(kNavy);
    w.grid->setColorSelectedFont(kWhite);
    EXPECT_EQ(counter.count, 0);
    w.grid->setColorLines(kOrange);
    EXPECT_EQ(counter.count, 1);
    w.grid->setColorSelectedCell(5561343);
    EXPECT_EQ(counter.count, 2);
    w.grid->setColorSelectedFont(57);
    EXPECT_EQ(counter.count, 3);
    w.grid->viewport()->removeEventFilter(&counter);
}

TEST(MirelGrid, OwnCellDrawingCanUseTheDefaultDrawing)
{
    GridWindow w(4, 868);
    w.ds.First();
    w.ds.Edit();
    w.ds.FieldByName("NAME").setAsString("1900-01-01");
    w.ds.Post();
    w.ds.Last();
    // Empty dates are drawn white on white, everything else as usual.
    QObject::connect(w.grid, &TMCustomDBGrid::OnDrawColumnCell,
                     [&](QWidget *, QPainter *canvas, const QRect &rect, int dataCol, TColumn *column,
                         TGridDrawState state) {
                         const int row = w.grid->DrawingRow();
                         if (dataCol == 1 && w.ds.text(row, column->field()->Index()) == "1900-01-01") {
                             canvas->setPen(QColor(255, 255, 255));
                             w.grid->DefaultDrawColumnCell(canvas, rect, dataCol, column, state);
                         }
                     });
    w.show();
    const QImage image = shot(w.grid);
    const QRect hidden = w.grid->CellRect(1, 0);
    const QRect shown = w.grid->CellRect(1, 1);
    EXPECT_EQ(countPixels(image, hidden, rgbOf(kWhite)), hidden.width() * hidden.height());
    EXPECT_LT(countPixels(image, shown, rgbOf(kWhite)), shown.width() * shown.height() - 10);
}

TEST(MirelGrid, DrawHandlersReadThePaintedRowAndTheCursorStays)
{
    GridWindow w(4);
    w.ds.setRecNo(2);
    int scrolls = 0;
    w.ds.AfterScroll = [&](DataSet &) { ++scrolls; };
    QSignalSpy moved(&w.ds, &DataSet::currentChanged);
    // Painted row -> line number and name that the handler reads.
    QMap<int, QString> seen;
    QObject::connect(w.grid, &TMCustomDBGrid::OnDrawColumnCell,
                     [&](QWidget *, QPainter *, const QRect &, int dataCol, TColumn *column, TGridDrawState) {
                         if (dataCol == 1)
                             seen[w.grid->DrawingRow()] =
                                 QStringLiteral("%1 %2").arg(w.ds.RecNo()).arg(column->field()->AsString());
                     });
    // A display handler drawn by the default drawing.
    w.ds.FieldByName("QTY").OnGetText = [&](const Field &f, bool) {
        return QStringLiteral("#%1=%2").arg(w.ds.RecNo()).arg(f.AsInteger());
    };
    const QStringList texts = TextRecorder::texts(w.grid->viewport());
    const QMap<int, QString> expected{{0, QString::fromUtf8("1 품목1")}, {1, QString::fromUtf8("2 품목2")},
                                      {2, QString::fromUtf8("3 품목3")}, {3, QString::fromUtf8("4 품목4")}};
    EXPECT_EQ(seen, expected);
    for (const char *text : {"#1=1", "#2=2", "#3=3", "#4=4"})
        EXPECT_TRUE(texts.contains(QLatin1String(text))) << text << " in " << texts.join('|').toStdString();

    // Default columns: the data-cell handler reads the painted row as well.
    TMirelGrid plain;
    plain.setDataSource(&w.ds);
    plain.resize(300, 150);
    QStringList fromData;
    QObject::connect(&plain, &TMCustomDBGrid::OnDrawDataCell,
                     [&](QWidget *, QPainter *, const QRect &, Field *f, TGridDrawState) {
                         if (f->FieldName() == "NO")
                             fromData << QStringLiteral("%1:%2").arg(w.ds.RecNo()).arg(f->AsString());
                     });
    TextRecorder::texts(plain.viewport());
    EXPECT_EQ(fromData, (QStringList{"1:1", "2:2", "3:3", "4:4"}));

    EXPECT_EQ(w.ds.RecNo(), 2);
    EXPECT_EQ(w.ds.FieldByName("NAME").AsString(), QString::fromUtf8("품목2"));
    EXPECT_EQ(w.grid->DrawingRow(), 1); // outside painting: the current row
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(moved.count(), 0);
}

// ---- multi-selection ------------------------------------------------------------

TEST(MirelGrid, ToggleModeTogglesRowsAndLeavingMultiSelectEmptiesTheList)
{
    GridWindow w(20, 4708);
    w.grid->setToggleSelect(true);
    w.show();
    TBookmarkList &sel = w.grid->SelectedRows();
    w.touch(0, 1);
    w.touch(0, 5);
    w.touch(0, 3);
    w.touch(0, 1); // again: off
    ASSERT_EQ(sel.Count(), 2);
    // Kept in table order.
    w.ds.GotoBookmark(sel[0]);
    EXPECT_EQ(w.ds.FieldByName("NO").AsInteger(), 4);
    w.ds.GotoBookmark(sel[1]);
    EXPECT_EQ(w.ds.FieldByName("NO").AsInteger(), 6);
    EXPECT_EQ(sel.IndexOf(w.ds.bookmarkAt(5)), 1);
    EXPECT_EQ(sel.IndexOf(w.ds.bookmarkAt(1)), -1);
    EXPECT_TRUE(sel.CurrentRowSelected());

    // Toggled rows show in the selection colours, others not.
    w.other->setFocus();
    QImage image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 2, 3), rgbOf(kNavy));
    EXPECT_EQ(cellBackground(image, w.grid, 2, 1), rgbOf(kWhite));

    // Survives filtering and scrolling.
    w.ds.setFiltered(false);
    w.ds.setFilter("NO > 3");
    w.ds.setFiltered(true);
    w.ds.Last();
    EXPECT_EQ(sel.Count(), 2);
    w.ds.setFiltered(false);
    image = shot(w.grid);
    EXPECT_EQ(cellBackground(image, w.grid, 2, 3), rgbOf(kNavy));

    // Without toggling a touch selects the record alone.
    w.grid->setToggleSelect(false);
    w.touch(0, 7);
    ASSERT_EQ(sel.Count(), 1);
    EXPECT_EQ(sel.IndexOf(w.ds.bookmarkAt(7)), 0);
    // A Control-held touch (a real keyboard) toggles too.
    w.touch(0, 8, Qt::ControlModifier);
    EXPECT_EQ(sel.Count(), 2);

    // A deleted record leaves the list; the others keep their order.
    w.ds.GotoBookmark(sel[0]);
    w.ds.Delete();
    ASSERT_EQ(sel.Count(), 1);
    w.ds.GotoBookmark(sel[0]);
    EXPECT_EQ(w.ds.FieldByName("NO").AsInteger(), 9);

    w.grid->setOptions(868);
    EXPECT_EQ(sel.Count(), 0);
    w.grid->setOptions(4708);
    w.grid->setToggleSelect(true);
    w.touch(0, 2);
    EXPECT_EQ(sel.Count(), 1);
    w.ds.Close();
    EXPECT_EQ(sel.Count(), 0);
}

// ---- editing --------------------------------------------------------------------

namespace {

// A work grid with an editable quantity column (the layouts' editing set).
struct WorkGrid : GridWindow {
    int beforePosts = 0;
    WorkGrid() : GridWindow(30, dgEditing | dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection)
    {
        grid->Columns()[0]->setReadOnly(true);
        grid->Columns()[1]->setReadOnly(true);
        ds.BeforePost = [this](DataSet &) { ++beforePosts; };
        show();
        touch(2, 0);
        beforePosts = 0;
    }
    double qty(int row) const { return ds.value(row, 2).toDouble(); }
};

} // namespace

TEST(MirelGrid, PadKeysTypeIntoTheQuantityCellAndEnterPosts)
{
    WorkGrid w;
    ASSERT_TRUE(w.grid->hasFocus());
    // As the screens' pads do: the data set into edit mode, then the key.
    for (int vk : {49, 48, 190, 53}) {
        w.ds.Edit();
        KeyPress(vk);
    }
    ASSERT_TRUE(w.grid->EditorMode());
    EXPECT_EQ(w.grid->InplaceEditor()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(w.grid->InplaceEditor()->text(), "10.5");
    EXPECT_EQ(w.ds.State(), DataSetState::Edit);
    KeyPress(13);
    EXPECT_FALSE(w.grid->EditorMode());
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(w.qty(0), 10.5);
    EXPECT_EQ(w.beforePosts, 1);
    EXPECT_TRUE(w.grid->hasFocus());

    // Typing alone puts the data set into edit mode; backspace corrects.
    KeyPress(55);
    EXPECT_EQ(w.ds.State(), DataSetState::Edit);
    for (int vk : {56, 8})
        KeyPress(vk);
    EXPECT_EQ(w.grid->InplaceEditor()->text(), "7");
    KeyPress(13);
    EXPECT_DOUBLE_EQ(w.qty(0), 7);
}

TEST(MirelGrid, CharactersThatDoNotSuitTheFieldAreRefused)
{
    WorkGrid w;
    KeyPress(65); // a letter on a number column
    EXPECT_FALSE(w.grid->EditorMode());
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);
    KeyPress(50);
    KeyPress(65);
    EXPECT_EQ(w.grid->InplaceEditor()->text(), "2");
    KeyPress(13);
    EXPECT_DOUBLE_EQ(w.qty(0), 2);
}

TEST(MirelGrid, ReadOnlyColumnsAndGridsNeverOpenAnEditor)
{
    WorkGrid w;
    w.touch(1, 2);
    ASSERT_EQ(w.grid->SelectedIndex(), 1);
    KeyPress(49);
    w.touch(1, 2); // a second touch on the current cell
    EXPECT_FALSE(w.grid->EditorMode());
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);

    w.touch(2, 2);
    w.grid->setReadOnly(true);
    KeyPress(49);
    EXPECT_FALSE(w.grid->EditorMode());
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(w.qty(2), 3);
}

TEST(MirelGrid, WithoutEditingTypedDigitsOnlyReachTheKeyEvents)
{
    GridWindow w(5, 868);
    w.show();
    w.touch(2, 1);
    QString typed;
    QObject::connect(w.grid, &TMCustomGrid::OnKeyPress, [&](QWidget *, QChar &key) { typed += key; });
    KeyPress(49);
    KeyPress(50);
    EXPECT_EQ(typed, "12");
    EXPECT_FALSE(w.grid->EditorMode());
    EXPECT_EQ(w.ds.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(w.ds.FieldByName("QTY").AsFloat(), 2);
}

TEST(MirelGrid, WalkingTheDataSetWithAnOpenEditorKeepsTheTypedValue)
{
    WorkGrid w;
    w.touch(2, 4);
    KeyPress(57);
    KeyPress(57);
    ASSERT_TRUE(w.grid->EditorMode());
    // A screen totals its lines without the editor being closed first.
    double total = 0;
    w.ds.First();
    while (!w.ds.Eof()) {
        total += w.ds.FieldByName("QTY").AsFloat();
        w.ds.Next();
    }
    EXPECT_DOUBLE_EQ(w.qty(4), 99);
    EXPECT_DOUBLE_EQ(total, 30 * 31 / 2 - 5 + 99);
    EXPECT_EQ(w.beforePosts, 1);
    EXPECT_FALSE(w.grid->EditorMode());

    // Touching another row posts what was typed, too.
    w.ds.First();
    w.touch(2, 6);
    KeyPress(52);
    w.touch(2, 8);
    EXPECT_DOUBLE_EQ(w.qty(6), 4);
    EXPECT_EQ(w.ds.RecNo(), 9);
}

TEST(MirelGrid, DisableControlsAroundARenumberingGivesOneRefresh)
{
    GridWindow w(50);
    w.show();
    QSignalSpy resets(w.grid->dataModel(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(w.grid->dataModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy moves(w.grid->dataModel(), &DataSetModel::currentRowChanged);
    w.ds.DisableControls();
    w.ds.First();
    int n = 100;
    while (!w.ds.Eof()) {
        w.ds.Edit();
        w.ds.FieldByName("NO").setAsInteger(n++);
        w.ds.Post();
        w.ds.Next();
    }
    w.ds.First();
    w.ds.EnableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(w.grid->Row(), 0);
    EXPECT_EQ(w.grid->TopRow(), 0);
    const QStringList texts = TextRecorder::texts(w.grid->viewport());
    EXPECT_TRUE(texts.contains("100"));
    EXPECT_TRUE(texts.contains("101"));
    EXPECT_EQ(texts.count("1"), 1); // the quantity of the first line only
}

TEST(MirelGrid, PagingButtonsFocusTheGridAndMoveAnOpenDataSetByAPage)
{
    GridWindow w(30);
    w.show();
    w.other->setFocus();
    PageGrid(w.grid, kPageDownTag, 12);
    EXPECT_EQ(w.ds.RecNo(), 13);
    EXPECT_TRUE(w.grid->hasFocus());
    PageGrid(w.grid, kPageDownTag, 27); // held at the last row
    EXPECT_EQ(w.ds.RecNo(), 30);
    PageGrid(w.grid, kPageUpTag, 12);
    EXPECT_EQ(w.ds.RecNo(), 18);
    PageGrid(w.grid, 5, 12); // any other Tag only focuses
    EXPECT_EQ(w.ds.RecNo(), 18);

    w.ds.Close(); // a closed data set leaves the grid only focused
    w.other->setFocus();
    PageGrid(w.grid, kPageDownTag, 12);
    EXPECT_FALSE(w.ds.Active());
    EXPECT_TRUE(w.grid->hasFocus());
    PageGrid(nullptr, kPageDownTag, 12);
}
