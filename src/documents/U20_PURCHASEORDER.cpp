#include "documents/U20_PURCHASEORDER.h"

#include "documents/U1010_OrderList.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "platform/report/ReportFormat.h"

namespace {

using report::Alignment;
using report::Band;
using report::Shape;

// Columns of the order lines: left edge and width in layout pixels.
struct Column {
    const char *head;
    const char *detail;
    int left;
    int width;
    Alignment align;
};
constexpr Column kColumns[] = {
    {"번호", "pdseq", 0, 40, Alignment::Center},        {"품     명", "itnb_name", 40, 220, Alignment::Left},
    {"단위", "pdunit", 260, 50, Alignment::Center},      {"수 량", "pdqty", 310, 90, Alignment::Right},
    {"단 가", "pduprc", 400, 90, Alignment::Right},      {"금 액", "pdamt", 490, 100, Alignment::Right},
    {"비          고", "bigo", 590, 128, Alignment::Left},
};
constexpr int kWidth = 718;

QString dayText(const Field &f) { return f.IsNull() ? QString() : f.AsDateTime().toString(QStringLiteral("yyyy-MM-dd")); }

// "2345678901" -> "234-56-78901".
QString businessNumber(const QString &digits)
{
    return digits.mid(0, 3) + QLatin1Char('-') + digits.mid(3, 2) + QLatin1Char('-') + digits.mid(5, 5);
}

} // namespace

TR20_PURCHASEORDER::TR20_PURCHASEORDER(TF1010_OrderList *orders, QObject *parent)
    : report::Report(parent), m_orders(orders)
{
    setObjectName(QStringLiteral("R20_PURCHASEORDER"));
    setOrientation(QPageLayout::Portrait);
    setDataSet(orders->cds_F2101_det);

    Band *title = addBand(report::BandType::Title, 392, QStringLiteral("TitleBand"));
    report::FontSpec big = font();
    big.pixelSize = 28;
    big.bold = true;
    title->addLabel(QStringLiteral("lbl_Title"), QRect(0, 0, 420, 60), QStringLiteral("발       주       서"),
                    Alignment::Center)
        ->setFont(big);
    const char *approvals[] = {"담  당", "팀  장", "본 부 장", "임  원", "대표이사"};
    for (int i = 0; i < 5; ++i) {
        const QRect head(428 + i * 58, 0, 58, 20);
        title->addLabel(QStringLiteral("lbl_Approval%1").arg(i + 1), head, QString::fromUtf8(approvals[i]),
                        Alignment::Center);
        title->addShape(QStringLiteral("shp_Approval%1").arg(i + 1), QRect(head.left(), 0, 58, 60), Shape::Rectangle);
        title->addShape(QStringLiteral("shp_ApprovalLine%1").arg(i + 1), QRect(head.left(), 20, 58, 1),
                        Shape::HorizontalLine);
    }

    // The order (left) and the ordering store (right).
    const struct {
        const char *caption;
        const char *value;
    } left[] = {{"발주일자", "phdate"}, {"거래처명", "adnb_name"}, {"전화번호", "tel"},
                {"팩스번호", "fax"},    {"납품예정일", "phnydt"},  {"담 당 자", "damd"}},
      right[] = {{"사업자번호", "sano"}, {"상호", "buut_name"}, {"주소", "addr"}, {"업태", "BUCD"},
                 {"종목", "ITEM"},       {"전화번호", "bal_tel"}, {"팩스번호", "bal_fax"}};
    constexpr int top = 76;
    constexpr int row = 28;
    title->addShape(QStringLiteral("shp_Order"), QRect(0, top, 340, 7 * row), Shape::Rectangle);
    for (int i = 0; i < 6; ++i) {
        title->addLabel(QStringLiteral("cap_%1").arg(QLatin1String(left[i].value)), QRect(4, top + 4 + i * row, 80, 20),
                        QString::fromUtf8(left[i].caption));
        title->addLabel(QLatin1String(left[i].value), QRect(88, top + 4 + i * row, 248, 20));
    }
    title->addShape(QStringLiteral("shp_Orderer"), QRect(350, top, kWidth - 350, 7 * row), Shape::Rectangle);
    const char *vertical[] = {"발", "주", "자"};
    for (int i = 0; i < 3; ++i)
        title->addLabel(QStringLiteral("lbl_Orderer%1").arg(i + 1), QRect(354, top + 30 + i * 50, 24, 24),
                        QString::fromUtf8(vertical[i]), Alignment::Center);
    for (int i = 0; i < 7; ++i) {
        title->addLabel(QStringLiteral("cap_%1").arg(QLatin1String(right[i].value)),
                        QRect(384, top + 4 + i * row, 76, 20), QString::fromUtf8(right[i].caption));
        title->addLabel(QLatin1String(right[i].value), QRect(462, top + 4 + i * row, kWidth - 466, 20));
    }
    for (int i = 0; i < 6; ++i) // spare fields of the form, printed empty
        title->addLabel(QStringLiteral("lbl_Spare%1").arg(i + 1), QRect(4, top + 7 * row + 4, 10, 10));
    const int heads = top + 7 * row + 40;
    title->addShape(QStringLiteral("shp_HeadTop"), QRect(0, heads, kWidth, 1), Shape::HorizontalLine);
    for (const Column &c : kColumns)
        title->addLabel(QStringLiteral("head_%1").arg(QLatin1String(c.detail)), QRect(c.left, heads + 6, c.width, 20),
                        QString::fromUtf8(c.head), Alignment::Center);
    title->addShape(QStringLiteral("shp_HeadBottom"), QRect(0, heads + 32, kWidth, 1), Shape::HorizontalLine);
    title->setBeforePrint([this](Band &, bool &) { titleBeforePrint(); });

    Band *detail = addBand(report::BandType::Detail, 24, QStringLiteral("DetailBand"));
    for (const Column &c : kColumns)
        detail->addLabel(QLatin1String(c.detail), QRect(c.left + 2, 2, c.width - 4, 20), QString(), c.align);
    detail->addShape(QStringLiteral("shp_Row"), QRect(0, 23, kWidth, 1), Shape::HorizontalLine);
    detail->setBeforePrint([this](Band &, bool &) { detailBeforePrint(); });

    Band *summary = addBand(report::BandType::Summary, 240, QStringLiteral("SummaryBand"));
    const struct {
        const char *caption;
        const char *label;
    } totals[] = {{"공 급 가 액", "lbl_gamt"}, {"부  가  세", "lbl_tax"}, {"금     액", "lbl_amt"}};
    for (int i = 0; i < 3; ++i) {
        summary->addLabel(QStringLiteral("cap_%1").arg(QLatin1String(totals[i].label)), QRect(400, 8 + i * 26, 100, 20),
                          QString::fromUtf8(totals[i].caption));
        summary->addLabel(QLatin1String(totals[i].label), QRect(500, 8 + i * 26, 140, 20), QString(), Alignment::Right);
    }
    summary->addLabel(QStringLiteral("lbl_Greeting1"), QRect(0, 96, kWidth, 20),
                      QStringLiteral("1. 귀사의 일익 번창하심을 기원합니다."));
    summary->addLabel(QStringLiteral("lbl_Greeting2"), QRect(0, 118, kWidth, 20),
                      QStringLiteral("   상기와 같이 발주하오니 납기일을 준수하여 입고 바랍니다."));
    const struct {
        const char *caption;
        const char *label;
    } notes[] = {{"대금결제조건", "lbl_seme_name"}, {"납품장소", "lbl_npjs"}, {"특기사항", "lbl_bigo"}};
    for (int i = 0; i < 3; ++i) {
        summary->addLabel(QStringLiteral("cap_%1").arg(QLatin1String(notes[i].label)), QRect(0, 150 + i * 28, 100, 20),
                          QString::fromUtf8(notes[i].caption));
        summary->addLabel(QLatin1String(notes[i].label), QRect(104, 150 + i * 28, kWidth - 104, 20));
    }
    summary->setBeforePrint([this](Band &, bool &) { summaryBeforePrint(); });
}

void TR20_PURCHASEORDER::set(const char *name, const QString &caption)
{
    if (report::Label *l = label(QLatin1String(name)))
        l->setCaption(caption);
}

void TR20_PURCHASEORDER::titleBeforePrint()
{
    DataSet &h = *m_orders->cds_F2100_hed;
    const auto text = [&h](const char *field) { return h.FieldByName(QLatin1String(field)).AsString(); };
    const QString gap = QStringLiteral("  ");
    for (int i = 1; i <= 6; ++i)
        set(QStringLiteral("lbl_Spare%1").arg(i).toLatin1().constData(), QString());
    set("phdate", gap + dayText(h.FieldByName(QStringLiteral("PHdate"))));
    set("adnb_name", gap + text("PHADNB_name"));
    set("tel", gap + text("tel"));
    set("fax", gap + text("fax"));
    set("damd", gap + text("phbada"));
    set("phnydt", gap + dayText(h.FieldByName(QStringLiteral("phnydt"))));
    set("sano", businessNumber(text("sano")));
    set("buut_name", text("buut_name"));
    set("addr", text("addr"));
    set("BUCD", text("bucd"));
    set("ITEM", text("item"));
    set("bal_tel", gap + text("bal_tel"));
    set("bal_fax", gap + text("bal_fax"));
    m_supply = m_vat = m_amount = Currency();
}

void TR20_PURCHASEORDER::detailBeforePrint()
{
    DataSet &d = *m_orders->cds_F2101_det;
    const auto field = [&d](const char *name) -> const Field & { return d.FieldByName(QLatin1String(name)); };
    const QString pattern = QStringLiteral("%10.0n");
    set("pdseq", field("pDSEQ").AsString());
    set("itnb_name", field("imname").AsString());
    set("pdunit", field("pdunit").AsString());
    set("pdqty", report::FormatNumber(pattern, field("pdqty").AsFloat()) + QLatin1Char(' '));
    set("pduprc", report::FormatNumber(pattern, field("pduprc").AsCurrency()) + QLatin1Char(' '));
    set("pdamt", report::FormatNumber(pattern, field("pdamt").AsCurrency()) + QLatin1Char(' '));
    set("bigo", QString());
    m_supply += field("pdgamt").AsCurrency();
    m_vat += field("pdtax").AsCurrency();
    m_amount += field("pdamt").AsCurrency();
}

void TR20_PURCHASEORDER::summaryBeforePrint()
{
    DataSet &h = *m_orders->cds_F2100_hed;
    const QString pattern = QStringLiteral("%15.0n");
    set("lbl_gamt", report::FormatNumber(pattern, m_supply));
    set("lbl_tax", report::FormatNumber(pattern, m_vat));
    set("lbl_amt", report::FormatNumber(pattern, m_amount));
    set("lbl_seme_name", h.FieldByName(QStringLiteral("Phseme_name")).AsString());
    set("lbl_npjs", h.FieldByName(QStringLiteral("Phnpjs")).AsString());
    set("lbl_bigo", h.FieldByName(QStringLiteral("Phbigo")).AsString());
}
