// The product and raw-material ledgers against the in-process head-office
// server: the product ledger on fixture documents of May 2001 at store 0003,
// the raw-material ledger on the seeded set over the last seven days, their
// prints read back from PDF, a failed search, the pickers, paging and
// closing.

#include "inquiries/LedgerPrintForm.h"
#include "inquiries/U1305_PRODStockInquiry.h"
#include "inquiries/U1306_MATStockInquiry.h"
#include "ui_U1305_PRODStockInquiry.h"
#include "ui_U1306_MATStockInquiry.h"

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelPicture.h"
#include "DocumentsFixture.h"
#include "TestApp.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ReportColumns.h"
#include "shell/ShellTestUtil.h"
#include "support/MessageResponder.h"
#include "support/StockDocuments.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

namespace {

// Captures every print as PDF text.
class PrintCapture {
public:
    PrintCapture()
    {
        m_old = report::SetPreviewSink([this](report::Report &r) {
            ++prints;
            pdf = m_dir.filePath(QStringLiteral("print%1.pdf").arg(prints));
            r.exportPdf(pdf);
            pages = PdfPages(pdf);
        });
    }
    ~PrintCapture() { report::SetPreviewSink(m_old); }

    // The PDF line holding `what`, blanks squeezed.
    QString lineWith(const QString &what) const
    {
        for (const QString &page : pages)
            for (const QString &line : page.split(u'\n'))
                if (line.contains(what))
                    return line.simplified();
        return {};
    }

    int prints = 0;
    QString pdf;
    QStringList pages;

private:
    QTemporaryDir m_dir;
    report::PreviewSink m_old;
};

QString shotDir() { return qEnvironmentVariable("RALD_SHOT_DIR"); }

// A picture of the screen (and of the display under X) and a copy of the
// print, when pictures are asked for.
void takePictures(QWidget *screen, const QString &name, const QString &pdf = {})
{
    const QString dir = shotDir();
    if (dir.isEmpty())
        return;
    QTest::qWait(300);
    screen->grab().save(dir + u'/' + name + QStringLiteral(".png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QProcess::execute(QStringLiteral("import"), {"-window", "root", dir + u'/' + name + QStringLiteral("-display.png")});
    if (!pdf.isEmpty())
        QFile::copy(pdf, dir + u'/' + name + QStringLiteral(".pdf"));
}

// The figures of one row of a ledger data set, by field.
std::map<QString, QString> rowOf(const DataSet &d, const QString &item, const QStringList &fields)
{
    std::map<QString, QString> out;
    for (int r = 0; r < d.rowCount(); ++r) {
        const DataSet::RowScope row(d, r);
        if (d.FieldByName(QStringLiteral("itnb")).AsString() != item)
            continue;
        for (const QString &f : fields)
            out[f] = d.FieldByName(f).DisplayText();
        return out;
    }
    return out;
}

const QStringList kProductFigures = {"current_qty", "current_amt", "seng_qty", "seng_amt", "in_qty",  "in_amt",
                                     "out_qty",     "out_amt",     "loss_qty", "loss_amt", "stock_qty", "stock_amt"};
const QStringList kMaterialFigures = {"unit",    "current_qty", "current_amt", "in_qty",    "in_amt",
                                      "out_qty", "out_amt",     "loss_qty",    "loss_amt",  "stock_qty",
                                      "stock_amt"};

// 우유식빵 100001 (transfer price 1,800) at store 0003: an opening balance of
// 20 on May 1st 2001, a release of 2 on the 9th; from the 10th a receipt of
// 20, a production of 20 with 1 lost, a release of 3 and a discard of 1.
class Ledgers : public DocumentsSuite {
public:
    static void SetUpTestSuite()
    {
        DocumentsSuite::SetUpTestSuite();
        using namespace stockdocs;
        const std::string s = "0003";
        // The fixture alone decides the opening balances there.
        exec("DELETE FROM F3400 WHERE SKCMCD = '9999' AND SKBUUT = '0003';");
        exec(balance(s, "100001", "20010501", 20) + release(s, 1, "001", "100001", "20010509", 2)
             + receipt(s, 1, "100001", "20010511", 20) + production(s, 1, "100001", "20010512", 20, 1)
             + release(s, 2, "001", "100001", "20010513", 3) + release(s, 3, "005", "100001", "20010514", 1));
    }

protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        pictures = mirel::pictureFolder();
        if (qEnvironmentVariableIsSet("RALD_BIN_DIR"))
            mirel::setPictureFolder(QDir(qEnvironmentVariable("RALD_BIN_DIR")).filePath(QStringLiteral("img")));
        if (!shotDir().isEmpty())
            mirel::installFontSubstitutions();
    }

    void TearDown() override
    {
        mirel::setPictureFolder(pictures);
        DocumentsSuite::TearDown();
    }

    template <class Screen>
    std::unique_ptr<Screen> open()
    {
        auto w = std::make_unique<Screen>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
        return w;
    }

    // The terminal becomes one of another store: the server answers a
    // terminal for its own store only.
    void atStore(const QString &store)
    {
        MyConfig.StoreCode = store;
        dm->ROChannel->setTerminalKey(server().newTerminalKey(store));
    }

    template <class Screen>
    void search(Screen &w, const QDate &from, const QDate &to)
    {
        w.form()->stdt->setDate(from);
        w.form()->eddt->setDate(to);
        clickButton(w.form()->btn_BjStockDetailsearch);
    }

    QString pictures;
};

} // namespace

TEST_F(Ledgers, ProductLedgerOpensWithTheBalanceAndPrintsItsRows)
{
    atStore(QStringLiteral("0003"));
    auto w = open<TF1305_PRODSTOCKINQUIRY>();
    search(*w, QDate(2001, 5, 10), QDate(2001, 5, 20));
    EXPECT_EQ(rowOf(*w->cds_procedure1, QStringLiteral("100001"), kProductFigures),
              (std::map<QString, QString>{{"current_qty", "18.0"}, {"current_amt", "32,400"},
                                          {"seng_qty", "21.0"},    {"seng_amt", "37,800"},
                                          {"in_qty", "20.0"},      {"in_amt", "36,000"},
                                          {"out_qty", "3.0"},      {"out_amt", "5,400"},
                                          {"loss_qty", "2.0"},     {"loss_amt", "3,600"},
                                          {"stock_qty", "54.0"},   {"stock_amt", "97,200"}}));
    // The dough its recipe used (21 / 10 x 5,000 G) is the semi-product's use.
    const auto dough = rowOf(*w->cds_procedure1, QStringLiteral("300001"), kProductFigures);
    EXPECT_EQ(dough.at("out_qty"), QStringLiteral("10,500.0"));
    EXPECT_EQ(dough.at("stock_qty"), QStringLiteral("-10,500.0"));
    EXPECT_EQ(w->cds_procedure1->RecordCount(), 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A period starting on the balance day opens with the balance.
    search(*w, QDate(2001, 5, 1), QDate(2001, 5, 20));
    const auto row = rowOf(*w->cds_procedure1, QStringLiteral("100001"), kProductFigures);
    EXPECT_EQ(row.at("current_qty"), QStringLiteral("20.0"));
    EXPECT_EQ(row.at("out_qty"), QStringLiteral("5.0"));
    EXPECT_EQ(row.at("stock_amt"), QStringLiteral("97,200"));
    takePictures(w.get(), QStringLiteral("product-ledger"));

    PrintCapture print;
    clickButton(w->form()->MirelImgBtn1);
    ASSERT_EQ(print.prints, 1);
    ASSERT_EQ(print.pages.size(), 1);
    const QString page = print.pages.first();
    EXPECT_TRUE(page.contains(QStringLiteral("제품 수불부")));
    EXPECT_TRUE(page.contains(QStringLiteral("기간 : 2001-05-01 ~ 2001-05-20")));
    EXPECT_TRUE(HasPageLabel(page, 1, 1));
    EXPECT_TRUE(page.contains(QStringLiteral("데모지점")));
    EXPECT_EQ(ReportPageTotal(QStringLiteral("TF30_PRODStockInquiry")), 1);
    for (const char *heading : {"사업단위", "품번", "품명", "단위", "수량", "기본단위", "재고단위", "전재고수량",
                                "전재고금액", "생산수량", "생산금액", "입고수량", "입고금액", "출고수량", "출고금액",
                                "손실수량", "손실금액", "재고수량", "재고금액"})
        EXPECT_TRUE(print.lineWith(QStringLiteral("전재고수량")).contains(QString::fromUtf8(heading))) << heading;
    // The right-aligned quantity per pack and the left-aligned base unit
    // after it stand edge to edge.
    EXPECT_EQ(print.lineWith(QStringLiteral("우유식빵")),
              QStringLiteral("가맹1호 100001 우유식빵 BOX 10.0EA EA 20.0 36,000 21.0 37,800 20.0 36,000 5.0 9,000 "
                             "2.0 3,600 54.0 97,200"));
    takePictures(w.get(), QStringLiteral("product-ledger-print"), print.pdf);

    // Nothing to print: a store without stock, and after a failed search,
    // which shows the error and leaves the grid empty.
    MessageResponder responder;
    atStore(QStringLiteral("7777")); // a store that holds nothing
    search(*w, QDate(2001, 5, 1), QDate(2001, 5, 20));
    EXPECT_EQ(w->cds_procedure1->RecordCount(), 0);
    clickButton(w->form()->MirelImgBtn1);
    ErrorBoxWatcher errors;
    server().failCall(QStringLiteral("GP_SELECT_F3400_PROSTOCKINQUIRY"), 1, TestServer::FailMode::BeforeRun);
    search(*w, QDate(2001, 5, 1), QDate(2001, 5, 20));
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_FALSE(w->cds_procedure1->Active());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    clickButton(w->form()->MirelImgBtn1);
    EXPECT_EQ(print.prints, 1);
    ASSERT_EQ(responder.notices().size(), 2);
    EXPECT_EQ(responder.notices().first().text, QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다."));
    EXPECT_EQ(responder.notices().first().kind, 2);
    EXPECT_EQ(responder.notices().first().stayMs, 2000);
}

// The seeded set 600009 = 600001 + 600002 + 600003 over T-6 .. T. Opening
// stock (at the balances) 100 boxes, 200 ribbons, 150 packs: 100 whole
// sets. Use: the cake's packing on T (5 of each) and 4 boxes released as
// secondary material on T-6: 5 whole sets. Loss: 3 ribbons discarded on
// T-6: no whole set.
TEST_F(Ledgers, MaterialLedgerBooksTheSeededSetAndPrintsWhatItShows)
{
    const QDate today = QDate::currentDate();
    auto w = open<TF1306_MATSTOCKINQUIRY>();
    search(*w, today.addDays(-6), today);
    DataSet &t = *w->VIR_TABLE;
    const std::map<QString, std::map<QString, QString>> expected = {
        {"600009", {{"unit", "EA"}, {"current_qty", "100.0"}, {"current_amt", "65,000"}, {"in_qty", "0.0"},
                    {"in_amt", "0"}, {"out_qty", "5.000"}, {"out_amt", "3,250"}, {"loss_qty", "0.000"},
                    {"loss_amt", "0"}, {"stock_qty", "-5.0"}, {"stock_amt", "-3,250"}}},
        {"600001", {{"unit", "G"}, {"current_qty", "0.0"}, {"current_amt", "0"}, {"in_qty", "0.0"},
                    {"in_amt", "0"}, {"out_qty", "4.000"}, {"out_amt", "2,000"}, {"loss_qty", "0.000"},
                    {"loss_amt", "0"}, {"stock_qty", "91.0"}, {"stock_amt", "45,500"}}},
        {"600002", {{"unit", "G"}, {"current_qty", "100.0"}, {"current_amt", "10,000"}, {"in_qty", "0.0"},
                    {"in_amt", "0"}, {"out_qty", "0.000"}, {"out_amt", "0"}, {"loss_qty", "3.000"},
                    {"loss_amt", "300"}, {"stock_qty", "192.0"}, {"stock_amt", "19,200"}}},
        {"600003", {{"unit", "G"}, {"current_qty", "50.0"}, {"current_amt", "5,000"}, {"in_qty", "0.0"},
                    {"in_amt", "0"}, {"out_qty", "0.000"}, {"out_amt", "0"}, {"loss_qty", "0.000"},
                    {"loss_amt", "0"}, {"stock_qty", "145.0"}, {"stock_amt", "14,500"}}},
    };
    for (const auto &[item, figures] : expected)
        EXPECT_EQ(rowOf(t, item, kMaterialFigures), figures) << item.toStdString();
    // The server's rows in its order; nothing needed adding.
    EXPECT_EQ(t.RecordCount(), w->Cds_Procedure1->RecordCount());
    EXPECT_EQ(server().calls().count(QStringLiteral("GP_SELECT_F0240_COMPONENTRATE1")), 1);
    // The grid shows the work table.
    auto *grid = w->form()->mgd_matstockinquiry;
    EXPECT_EQ(grid->DataSource(), &t);
    takePictures(w.get(), QStringLiteral("material-ledger"));

    // The print shows the work table: re-booked figures, "G" on set rows, 17 columns.
    PrintCapture print;
    clickButton(w->form()->MirelImgBtn1);
    ASSERT_EQ(print.prints, 1);
    const QString page = print.pages.join(u'\n');
    EXPECT_TRUE(page.contains(QStringLiteral("원료 수불부")));
    EXPECT_TRUE(page.contains(TLedgerPrintForm::PeriodText(today.addDays(-6), today)));
    EXPECT_TRUE(HasPageLabel(print.pages.first(), 1, 1));
    EXPECT_TRUE(page.contains(QStringLiteral("데모지점")));
    const QString headings = print.lineWith(QStringLiteral("전재고수량"));
    for (const char *heading : {"사업단위", "품번", "원료명", "단위", "수량", "기본단위", "재고단위", "전재고수량",
                                "전재고금액", "입고수량", "입고금액", "사용수량", "사용금액", "손실수량", "손실금액",
                                "재고수량", "재고금액"})
        EXPECT_TRUE(headings.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_FALSE(headings.contains(QStringLiteral("생산수량")));
    EXPECT_EQ(print.lineWith(QStringLiteral("케이크포장세트")),
              QStringLiteral("데모지점 600009 케이크포장세트 EA 1.0EA EA 100.0 65,000 0.0 0 5.0 3,250 0.0 0 -5.0 "
                             "-3,250"));
    EXPECT_EQ(print.lineWith(QStringLiteral("케이크박스")),
              QStringLiteral("데모지점 600001 케이크박스 BOX 50.0EA G 0.0 0 0.0 0 4.0 2,000 0.0 0 91.0 45,500"));
    takePictures(w.get(), QStringLiteral("material-ledger-print"), print.pdf);
}

// A search whose component use or component list fails shows the error and
// keeps the ledger shown, whole.
TEST_F(Ledgers, AFailedMaterialSearchKeepsThePreviousLedger)
{
    const QDate today = QDate::currentDate();
    auto w = open<TF1306_MATSTOCKINQUIRY>();
    search(*w, today.addDays(-6), today);
    DataSet &t = *w->VIR_TABLE;
    const auto snapshot = [&t] {
        QStringList rows;
        for (int r = 0; r < t.rowCount(); ++r) {
            QStringList cells;
            for (int f = 0; f < t.FieldCount(); ++f)
                cells << t.text(r, f);
            rows << cells.join(u'|');
        }
        return rows;
    };
    const QStringList before = snapshot();
    ASSERT_GT(before.size(), 4);

    ErrorBoxWatcher errors;
    int failures = 0;
    for (const char *procedure : {"GP_SELECT_F3400_ComponentUse", "GP_SELECT_F0240_COMPONENTRATE1",
                                  "GP_SELECT_F3400_MATSTOCKINQUIRY"}) {
        SCOPED_TRACE(procedure);
        server().failCall(QLatin1String(procedure), 1, TestServer::FailMode::BeforeRun);
        // Another period, whose ledger differs, so a half-built one would show.
        search(*w, today.addDays(-1), today);
        EXPECT_EQ(errors.texts.size(), ++failures);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(w->form()->mgd_matstockinquiry->model()->rowCount(), before.size());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // With the server answering again the other period shows.
    search(*w, today.addDays(-1), today);
    EXPECT_NE(snapshot(), before);
}

// Both screens: the pickers from the application clock, the grids' pages,
// nothing to print before a search, and closing with 2 and 7.
TEST_F(Ledgers, PickersPagesAndClosing)
{
    ClockGuard clock;
    os::SetClockOffset(QDateTime::currentDateTime().msecsTo(QDateTime(QDate(2001, 5, 17), QTime(12, 0))));
    auto product = open<TF1305_PRODSTOCKINQUIRY>();
    auto material = open<TF1306_MATSTOCKINQUIRY>();
    for (TLedgerScreen *w : {static_cast<TLedgerScreen *>(product.get()), static_cast<TLedgerScreen *>(material.get())}) {
        EXPECT_EQ(w->From(), QDate(2001, 5, 1));
        EXPECT_EQ(w->To(), QDate(2001, 5, 17));
        EXPECT_EQ(w->MenuViewState, QStringLiteral("0"));
    }
    EXPECT_EQ(product->form()->mgd_prodstockinquiry->VisibleRowCount(), TLedgerScreen::RowsPerPage);
    EXPECT_EQ(material->form()->mgd_matstockinquiry->VisibleRowCount(), TLedgerScreen::RowsPerPage);
    EXPECT_EQ(material->form()->mgd_matstockinquiry->ScrollBars(), 1);
    EXPECT_TRUE(material->VIR_TABLE->Active());

    // Before a search: the page buttons only focus the grid, the print
    // shows the notice.
    MessageResponder responder;
    QApplication::setActiveWindow(product.get());
    clickButton(product->form()->btn_StockItemsDown);
    EXPECT_TRUE(product->form()->mgd_prodstockinquiry->hasFocus());
    EXPECT_FALSE(product->cds_procedure1->Active());
    clickButton(product->form()->MirelImgBtn1);
    clickButton(material->form()->MirelImgBtn1);
    EXPECT_EQ(responder.notices().size(), 2);

    // A page stays 24 rows once the grids show rows.
    search(*product, QDate::currentDate().addMonths(-1), QDate::currentDate());
    ASSERT_GT(product->cds_procedure1->RecordCount(), 0);
    EXPECT_EQ(product->form()->mgd_prodstockinquiry->VisibleRowCount(), TLedgerScreen::RowsPerPage);

    // The materials of the seeded store over the last month: the page
    // buttons move by a page, held at the ends.
    search(*material, QDate::currentDate().addMonths(-1), QDate::currentDate());
    DataSet &t = *material->VIR_TABLE;
    ASSERT_GT(t.RecordCount(), 1);
    ASSERT_LE(t.RecordCount(), TLedgerScreen::RowsPerPage);
    t.First();
    clickButton(material->form()->btn_StockItemsDown);
    EXPECT_EQ(t.RecNo(), t.RecordCount());
    clickButton(material->form()->btn_StockItemsUp);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(material->form()->mgd_matstockinquiry->VisibleRowCount(), TLedgerScreen::RowsPerPage);

    int productResult = -1, materialResult = -1;
    QObject::connect(product.get(), &QDialog::finished, [&](int r) { productResult = r; });
    QObject::connect(material.get(), &QDialog::finished, [&](int r) { materialResult = r; });
    product->CloseOperation(); // what the scroll menu calls
    material->CloseOperation();
    EXPECT_EQ(productResult, 2);
    EXPECT_EQ(materialResult, 7);
    product->show();
    material->show();
    clickButton(product->form()->btn_Close);
    clickButton(material->form()->btn_Close);
    EXPECT_EQ(productResult, 2);
    EXPECT_EQ(materialResult, 7);
}
