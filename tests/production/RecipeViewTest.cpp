// The recipe view against the in-process head-office server and its demo
// recipes, signed on as 1001: searching, touching a product, paging, the
// recipe sheet read back from its PDF and from its prepared pages, a failed
// search and closing. The sheet's own rules are also checked on a small
// fixture of lines without a server.

#include "PrintCapture.h"
#include "TestApp.h"

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/DataModuleFixture.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1307_RECIPYVIEW.h"
#include "production/U30_RECIPYVIEW.h"
#include "shell/ShellTestUtil.h"
#include "shell/U403_Keyboard.h"
#include "support/MessageResponder.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using report::DrawOp;

namespace {

// The first text drawn on a prepared page that equals text.
std::optional<DrawOp> findText(const report::Page &page, const QString &text)
{
    for (const DrawOp &op : page)
        if (op.kind == DrawOp::Text && op.text == text)
            return op;
    return std::nullopt;
}

bool anyTextContains(const std::vector<report::Page> &pages, const QString &part)
{
    for (const report::Page &page : pages)
        for (const DrawOp &op : page)
            if (op.kind == DrawOp::Text && op.text.contains(part))
                return true;
    return false;
}

class RecipeViewTest : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        ASSERT_TRUE(dm->SDB_Open());
        DM = dm.get();
        MyConfig.UIADNB = QStringLiteral("90000001"); // signed in as 1001
        // The button pictures the build draws.
        pictures = mirel::pictureFolder();
        if (qEnvironmentVariableIsSet("RALD_BIN_DIR"))
            mirel::setPictureFolder(QDir(qEnvironmentVariable("RALD_BIN_DIR")).filePath(QStringLiteral("img")));
        if (qEnvironmentVariableIsSet("RALD_SHOT_DIR"))
            mirel::installFontSubstitutions(); // the terminal's fonts, for pictures
        server().clearFailures();
        w = std::make_unique<TF1307_RECIPYVIEW>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        w.reset();
        DM = nullptr;
        mirel::setPictureFolder(pictures);
        DataModuleSuite::TearDown();
    }

    // A control of the screen by its component name.
    template <class T = TMirelImgBtn>
    T *control(const char *name) const
    {
        T *c = w->findChild<T *>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    TMirelGrid *productGrid() const { return control<TMirelGrid>("grid_product"); }

    void search(const QString &name)
    {
        control<QLineEdit>("EDT_NAME")->setText(name);
        clickButton(control("btn_SdStockHedsearch"));
    }

    // Touches the product row of that code on the grid.
    void touch(const QString &item)
    {
        DataSet &products = *w->cds_procedure1;
        ASSERT_TRUE(products.Locate(QStringLiteral("IMITNB"), item)) << item.toStdString();
        const QRect r = productGrid()->CellRect(1, products.RecNo() - 1);
        ASSERT_FALSE(r.isEmpty());
        // Another row first, so the touch itself moves the list to the product.
        products.First();
        QTest::mouseClick(productGrid()->viewport(), Qt::LeftButton, {},
                          r.translated(-productGrid()->viewport()->pos()).center());
        ASSERT_EQ(products.FieldByName(QStringLiteral("IMITNB")).AsString(), item);
    }

    QStringList products(const char *field) const
    {
        QStringList out;
        DataSet &d = *w->cds_procedure1;
        for (int row = 0; row < d.rowCount(); ++row) {
            DataSet::RowScope scope(d, row);
            out << d.FieldByName(QLatin1String(field)).AsString();
        }
        return out;
    }

    QString figure(const char *name) const
    {
        return w->findChild<QLineEdit *>(QLatin1String(name))->text();
    }

    std::unique_ptr<TF1307_RECIPYVIEW> w;
    QString pictures;
};

TEST_F(RecipeViewTest, SearchTouchAndPrintTheCake)
{
    search(QStringLiteral("케이크"));
    EXPECT_EQ(products("IMNAME"), (QStringList{"생크림케이크", "고구마케이크"}));
    EXPECT_EQ(products("recipy_flag_pos"), (QStringList{"R", ""}));

    touch(QStringLiteral("100005"));
    const std::pair<const char *, const char *> figures[] = {
        {"MHPQTY", "1"},     {"MHBHWT", "520.0"}, {"MHPJWT", "470.0"}, {"MHJSUM", "520.0"},
        {"MHRORT", "8.5"},   {"MHROWT", "44.0"},  {"MHLORT", "1.2"},   {"MHLOWT", "6.0"},
    };
    for (const auto &[name, text] : figures) {
        const auto *edit = w->findChild<QLineEdit *>(QLatin1String(name));
        EXPECT_EQ(edit->text(), QLatin1String(text)) << name;
        EXPECT_FALSE(edit->isEnabled()) << name;
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << name;
    }
    DataSet &lines = *w->cds_procedure2;
    ASSERT_EQ(lines.RecordCount(), 10);
    int groups = 0;
    for (lines.First(); !lines.Eof(); lines.Next())
        groups += lines.FieldByName(QStringLiteral("mdpaky")).AsInteger() == 0;
    EXPECT_EQ(groups, 3);

    // Pictures of the screen and of the sheet, when asked for.
    const QString shots = qEnvironmentVariable("RALD_SHOT_DIR");
    if (!shots.isEmpty()) {
        QTest::qWait(300);
        w->grab().save(shots + QStringLiteral("/recipe-view.png"));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute(QStringLiteral("import"),
                              {"-window", "root", shots + QStringLiteral("/recipe-view-display.png")});
    }

    PrintCapture print;
    clickButton(control("MirelImgBtn1"));
    ASSERT_EQ(print.prints, 1);
    ASSERT_FALSE(print.text.isEmpty());
    if (!shots.isEmpty())
        QFile::copy(print.pdf, shots + QStringLiteral("/recipe-sheet.pdf"));
    const QString first = print.text.first();
    EXPECT_TRUE(first.contains(QStringLiteral("생크림케이크 제품 배합표")));
    // A caption of each of the six rows with its value and unit.
    const std::pair<const char *, const char *> pairs[] = {
        {"생산수량", "1.0개"},   {"분할중량", "520.0g"}, {"중량합계", "520g"},
        {"손실비율", "1.2%"},    {"손실중량", "6g"},     {"생산원가", ""},
        {"원가비율", ""},        {"제품수량", "1.0개"},  {"적정재고", "5.00"},
    };
    for (const auto &[caption, value] : pairs) {
        const QString line = print.lineWith(QString::fromUtf8(caption));
        EXPECT_FALSE(line.isEmpty()) << caption;
        EXPECT_TRUE(line.contains(QString::fromUtf8(caption) + u' ' + QString::fromUtf8(value)))
            << caption << ": " << line.toStdString();
    }
    EXPECT_TRUE(print.lineWith(QStringLiteral("계산구분")).contains(QStringLiteral("재료전체")));
    for (const char *caption : {"고중량기준", "원가에포장가합산유무", "생산기준손실율"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(caption))) << caption;
    // The ingredients with their weights.
    const std::pair<const char *, const char *> weights[] = {
        {"계란", "4.0"}, {"설탕", "120.0"}, {"강력분", "100.0"}, {"커스터드크림", "300.0"}, {"보냉팩", "1.0"}};
    for (const auto &[name, weight] : weights) {
        const QString line = print.lineWith(QString::fromUtf8(name));
        EXPECT_TRUE(line.contains(QString::fromUtf8(name) + u' ' + QLatin1String(weight))) << line.toStdString();
    }

    // On the prepared page: group lines and ingredients, indentation.
    ASSERT_FALSE(print.pages.empty());
    const std::optional<DrawOp> group = findText(print.pages.front(), QStringLiteral("시트"));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->font.pixelSize, 13); // 10 pt at 96 pixels per inch
    EXPECT_TRUE(group->font.bold);
    EXPECT_EQ(group->font.color, 13500416u);
    const std::optional<DrawOp> egg = findText(print.pages.front(), QStringLiteral("  계란"));
    ASSERT_TRUE(egg);
    EXPECT_EQ(egg->font.pixelSize, 11); // 8 pt
    EXPECT_FALSE(egg->font.bold);
    EXPECT_EQ(egg->font.color, 0u);
    // The grid frames are 3 pixels wide; the sheet draws no other line.
    int lines3 = 0;
    for (const DrawOp &op : print.pages.front())
        if (op.kind == DrawOp::Line) {
            EXPECT_EQ(op.penWidth, 3);
            ++lines3;
        }
    EXPECT_GT(lines3, 11 * 8); // column header and ten lines, frame and rules each
}

TEST_F(RecipeViewTest, SheetPrintsTheTouchedProductAfterPagingAndANewSearch)
{
    search(QString());
    ASSERT_EQ(products("IMITNB").size(), 13);
    touch(QStringLiteral("100001")); // 우유식빵
    clickButton(control("btn_SdStock1Down"));
    EXPECT_EQ(w->cds_procedure1->RecNo(), 13); // the list moved on, to its last row
    search(QStringLiteral("케이크"));
    EXPECT_EQ(w->cds_procedure1->FieldByName(QStringLiteral("IMNAME")).AsString(), QStringLiteral("생크림케이크"));
    EXPECT_EQ(figure("MHPQTY"), QStringLiteral("10"));
    EXPECT_EQ(figure("MHBHWT"), QStringLiteral("510.0"));

    PrintCapture print;
    MessageResponder responder;
    clickButton(control("MirelImgBtn1"));
    ASSERT_EQ(print.prints, 1);
    const QString sheet = print.text.join(u'\n');
    EXPECT_TRUE(sheet.contains(QStringLiteral("우유식빵 제품 배합표")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("생크림케이크")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("식빵반죽")).contains(QStringLiteral("5,000.0")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("생산수량")).contains(QStringLiteral("10.0개")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("계산구분")).contains(QStringLiteral("공정별")));

    // A product without recipe lines: the notice, and no form.
    touch(QStringLiteral("100006"));
    EXPECT_EQ(w->cds_procedure2->RecordCount(), 0);
    EXPECT_EQ(figure("MHPQTY"), QStringLiteral("0"));
    clickButton(control("MirelImgBtn1"));
    EXPECT_EQ(print.prints, 1);
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices().first().text, QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않습니다."));
    EXPECT_EQ(responder.notices().first().kind, 2);
    EXPECT_EQ(responder.notices().first().stayMs, 2000);
}

TEST_F(RecipeViewTest, PageButtonsMoveByTheirPagesAndFailedSearchPutsTheCursorBack)
{
    // Before any search the page buttons only focus the list.
    clickButton(control("btn_SdStock1Down"));
    EXPECT_FALSE(w->cds_procedure1->Active());

    search(QString());
    touch(QStringLiteral("100005"));
    DataSet &lines = *w->cds_procedure2;
    // A page is what each grid shows.
    EXPECT_EQ(productGrid()->VisibleRowCount(), TF1307_RECIPYVIEW::ProductPage);
    EXPECT_EQ(control<TMirelGrid>("grid_recipy")->VisibleRowCount(), TF1307_RECIPYVIEW::LinePage);
    clickButton(control("btn_SdStock2Down"));
    EXPECT_EQ(lines.RecNo(), 10); // 1 + 13, held at the end
    clickButton(control("btn_SdStock2Up"));
    EXPECT_EQ(lines.RecNo(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    server().failCall(QStringLiteral("GP_SELECT_F0200_RECIPYENTRY"), 1, TestServer::FailMode::BeforeRun);
    EXPECT_THROW(w->btn_SdStockHedsearchClick(), std::exception);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w->cds_procedure1->Active());
    // The product shown stays.
    EXPECT_EQ(w->ShownProduct().item, QStringLiteral("100005"));
    EXPECT_EQ(lines.RecordCount(), 10);
}

TEST_F(RecipeViewTest, ClosingEndsWithSevenAndClosesTheKeyboard)
{
    isolateSharedBlocks();
    TF403_Keyboard keyboard;
    F403_Keyboard = &keyboard;
    keyboard.Show(w.get(), 0, QPoint(0, 532));
    ASSERT_TRUE(keyboard.isShowing());
    int result = -1;
    QObject::connect(w.get(), &QDialog::finished, [&result](int r) { result = r; });
    w->CloseOperation(); // what the scroll menu calls
    EXPECT_EQ(result, TF1307_RECIPYVIEW::ClosedResult);
    EXPECT_FALSE(keyboard.isShowing());

    w->show();
    keyboard.Show(w.get(), 0, QPoint(0, 532));
    clickButton(control("btn_Close"));
    EXPECT_EQ(result, 7);
    EXPECT_FALSE(keyboard.isShowing());
    F403_Keyboard = nullptr;
}

// The sheet's rules on two lines without a server.
TEST(RecipeSheet, RulesOfTheLinesAndTheTitle)
{
    struct Kind {
        const char *stgu, *text;
    };
    for (const Kind &k : {Kind{"1", "재료전체"}, Kind{"2", "공정별"}, Kind{"", "공정별"}})
        EXPECT_EQ(CalculationKindText(QLatin1String(k.stgu)), QString::fromUtf8(k.text)) << k.stgu;
    struct Indent {
        const char *key, *name;
    };
    for (const Indent &i : {Indent{"0001", "시트"}, Indent{"01", "시트"}, Indent{"000101", "  계란"},
                            Indent{"00010101", "    계란"}})
        EXPECT_EQ(IndentedLineName(QLatin1String(i.key), QStringLiteral("%1").arg(QString::fromUtf8(i.name).trimmed())),
                  QString::fromUtf8(i.name))
            << i.key;

    // Lines whose answer carries unit prices and costs.
    DataSet lines;
    for (const char *f : {"mdname", "mdunit", "sortkey", "MDline"})
        lines.AddField(QLatin1String(f), FieldType::String);
    for (const char *f : {"MDWGHT", "MDperc"})
        lines.AddField(QLatin1String(f), FieldType::Float);
    for (const char *f : {"mdpaky", "MDSEQ", "MDUPRC", "MDAMT"})
        lines.AddField(QLatin1String(f), FieldType::Integer);
    for (const char *f : {"MDweno", "MDQINC"})
        lines.AddField(QLatin1String(f), FieldType::Boolean);
    lines.Open();
    QList<QList<QVariant>> rows = {
        {"반죽", "", "0001", "1", 0.0, 0.0, 0, 1, 77771, 88881, false, false},
        {"밀가루", "G", "000101", "1", 1234.5, 62.5, 1, 2, 77773, 88883, true, false},
    };
    lines.LoadRows(lines.FieldDefs(), std::move(rows));

    RecipeHeader header;
    header.item = QStringLiteral("999999");
    header.name = QStringLiteral("시험빵");
    for (const QString &column : RecipeHeader::FigureColumns())
        header.figures.insert(column, 99999.0);
    header.MHFLAG = true;
    TF30_RECIPYVIEW sheet(&lines, header);
    sheet.prepare();
    ASSERT_EQ(sheet.pageCount(), 1);
    const report::Page &page = sheet.pages().front();
    EXPECT_TRUE(findText(page, QStringLiteral("시험빵 제품 배합표")));
    EXPECT_TRUE(findText(page, QStringLiteral("  밀가루")));
    EXPECT_TRUE(findText(page, QStringLiteral("   1,234.5")));
    EXPECT_TRUE(findText(page, QStringLiteral("62.5")));
    EXPECT_TRUE(findText(page, QStringLiteral("공정별")));
    // Every shown figure is 99,999; the eight cost and price values stay empty.
    int figures = 0;
    for (const DrawOp &op : page)
        figures += op.kind == DrawOp::Text && op.text.contains(QStringLiteral("99,999"));
    EXPECT_EQ(figures, 13);
    for (const char *cleared : {"loss_amount", "pack_each", "cost_production", "cost_each", "cost_sale",
                                "price_sale", "cost_ratio", "pack_total", "mduprc", "mdamt"})
        EXPECT_EQ(sheet.label(QLatin1String(cleared))->caption(), QString()) << cleared;
    EXPECT_FALSE(anyTextContains(sheet.pages(), QStringLiteral("7,777")));
    EXPECT_FALSE(anyTextContains(sheet.pages(), QStringLiteral("8,888")));
    EXPECT_FALSE(anyTextContains(sheet.pages(), QStringLiteral("7777")));
    // Check boxes: the title's from the header, the lines' from their fields.
    std::vector<bool> checks;
    for (const DrawOp &op : page)
        if (op.kind == DrawOp::Check)
            checks.push_back(op.checked);
    EXPECT_EQ(checks, (std::vector<bool>{false, true, false, false, false, true, false}));
}

} // namespace
