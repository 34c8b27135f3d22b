#include "production/U30_RECIPYVIEW.h"

#include "platform/dataset/DataSet.h"
#include "platform/report/ReportFormat.h"

namespace {

using report::Alignment;
using report::Band;
using report::CheckBox;
using report::FontSpec;
using report::Label;
using report::Shape;

constexpr int kBandWidth = 718;   // A4 portrait between margins of 38 pixels
constexpr int kPen = 3;           // the grid frames of the column header and the lines
constexpr int kTitlePoints = 24;
constexpr int kGroupPoints = 10;
constexpr int kLinePoints = 8;

// One caption-value pair of the title. A pair without a field prints its
// caption beside an empty value (a cost or price, cleared on every print).
struct Pair {
    const char *caption;
    const char *value;   // the value label's name: the header column, or the cleared cell
    const char *format;  // nullptr: cleared
    const char *unit;
};
constexpr int kPairWidth = 180;
constexpr int kCaptionWidth = 64;
constexpr int kRowTop = 56;
constexpr int kRowPitch = 24;
const Pair kPairs[5][4] = {
    {{"생산수량", "MHPQTY", "%13.1n", "개"}, {"분할중량", "MHBHWT", "%13.1n", "g"},
     {"제품중량", "MHPJWT", "%13.1n", "g"}, {"굽기손실", "MHRORT", "%13.1n", "%"}},
    {{"굽기손실", "MHROWT", "%13.0n", "g"}, {"포장수량", "MHPJQT", "%13.0n", "개"},
     {"충전합계", "MHCJML", "%13.0n", "g"}, {"중량합계", "MHJSUM", "%13.0n", "g"}},
    {{"손실비율", "MHLORT", "%13.1n", "%"}, {"손실중량", "MHLOWT", "%13.0n", "g"},
     {"손실금액", "loss_amount", nullptr, ""}, {"개별포장", "pack_each", nullptr, ""}},
    {{"생산원가", "cost_production", nullptr, ""}, {"개당원가", "cost_each", nullptr, ""},
     {"판매원가", "cost_sale", nullptr, ""}, {"판매금액", "price_sale", nullptr, ""}},
    {{"원가비율", "cost_ratio", nullptr, ""}, {"총포장가", "pack_total", nullptr, ""},
     {"제품수량", "MHNQTY", "%13.1n", "개"}, {"생산조정", "MHSSJJ", "%13.0n", "개"}},
};
// The sixth row: proper stock, three check boxes and the calculation kind.
const Pair kStockPair = {"적정재고", "MHJJGO", "%13.2n", ""};

// The columns of the line table. Cells named by a cleared cell print empty.
struct Column {
    const char *head;
    const char *cell;
    int width;
    Alignment align;
};
const Column kColumns[] = {
    {"재  료  명", "mdname", 200, Alignment::Left}, {"수량", "MDWGHT", 70, Alignment::Right},
    {"단위", "mdunit", 50, Alignment::Center},      {"단위당단가", "mduprc", 80, Alignment::Right},
    {"순차", "MDSEQ", 50, Alignment::Center},       {"재료원가", "mdamt", 80, Alignment::Right},
    {"%", "MDperc", 60, Alignment::Right},          {"중량", "MDweno", 64, Alignment::Center},
    {"수량", "MDQINC", 64, Alignment::Center},
};
constexpr int kHeadHeight = 24;
constexpr int kLineHeight = 22;
constexpr int kCellPad = 4;

// Band frame and the rules between the columns, 3 pixels wide.
void drawGrid(Band *band, const QString &prefix, int height)
{
    band->frame() = report::Frame{true, true, true, true, kPen};
    int left = 0;
    for (int i = 0; i + 1 < int(std::size(kColumns)); ++i) {
        left += kColumns[i].width;
        band->addShape(prefix + QString::number(i), QRect(left - 1, 0, 3, height), Shape::VerticalLine, kPen);
    }
}

FontSpec pointFont(const FontSpec &base, int points, bool bold = false, quint32 color = 0)
{
    FontSpec f = base;
    f.pixelSize = PointsToLayoutPixels(points);
    f.bold = bold;
    f.color = color;
    return f;
}

} // namespace

const QStringList &RecipeHeader::FigureColumns()
{
    static const QStringList columns = {"MHPQTY", "MHBHWT", "MHPJWT", "MHJSUM", "MHRORT", "MHROWT", "MHLORT",
                                        "MHLOWT", "MHPJQT", "MHCJML", "MHNQTY", "MHSSJJ", "MHJJGO"};
    return columns;
}

RecipeHeader RecipeHeader::FromRow(const DataSet &products)
{
    const auto field = [&products](const char *name) -> const Field & {
        return products.FieldByName(QLatin1String(name));
    };
    RecipeHeader h;
    h.item = field("imitnb").AsString();
    h.name = field("MHinam").AsString();
    for (const QString &column : FigureColumns())
        h.figures.insert(column, products.FieldByName(column).AsFloat());
    h.MHSTND = field("MHSTND").AsBoolean();
    h.MHFLAG = field("MHFLAG").AsBoolean();
    h.MHSKLR = field("MHSKLR").AsBoolean();
    h.MHSTGU = field("MHSTGU").AsString();
    return h;
}

QString CalculationKindText(const QString &stgu)
{
    return stgu == QLatin1String("1") ? QStringLiteral("재료전체") : QStringLiteral("공정별");
}

QString IndentedLineName(const QString &sortKey, const QString &name)
{
    const qsizetype depth = sortKey.size() - 4;
    return depth > 0 ? QString(depth, u' ') + name : name;
}

TF30_RECIPYVIEW::TF30_RECIPYVIEW(DataSet *lines, RecipeHeader header, QObject *parent)
    : report::Report(parent), m_lines(lines), m_header(std::move(header))
{
    setObjectName(QStringLiteral("TF30_RECIPYVIEW"));
    setOrientation(QPageLayout::Portrait);
    setDataSet(lines);

    // Title band: the product's name, then six rows of caption-value pairs.
    Band *title = addBand(report::BandType::Title, kRowTop + 6 * kRowPitch + 10, QStringLiteral("TitleBand"));
    Label *name = title->addLabel(QStringLiteral("mhinam"), QRect(0, 0, kBandWidth, 46), {}, Alignment::Center);
    FontSpec titleFont = pointFont(font(), kTitlePoints, true, TitleColor);
    titleFont.family = QStringLiteral("Tahoma");
    name->setFont(titleFont);
    const auto addPair = [title](const Pair &p, int x, int y) {
        title->addLabel(QStringLiteral("cap_") + QLatin1String(p.value), QRect(x, y, kCaptionWidth, 20),
                        QString::fromUtf8(p.caption));
        title->addLabel(QLatin1String(p.value), QRect(x + kCaptionWidth, y, kPairWidth - kCaptionWidth - 14, 20), {},
                        Alignment::Right);
    };
    for (int row = 0; row < 5; ++row)
        for (int i = 0; i < 4; ++i)
            addPair(kPairs[row][i], i * kPairWidth, kRowTop + row * kRowPitch);
    const int lastRow = kRowTop + 5 * kRowPitch;
    addPair(kStockPair, 0, lastRow);
    new CheckBox(title, QStringLiteral("MHSTND"), QRect(180, lastRow + 2, 96, 16), nullptr, {},
                 QStringLiteral("고중량기준"));
    new CheckBox(title, QStringLiteral("MHFLAG"), QRect(276, lastRow + 2, 152, 16), nullptr, {},
                 QStringLiteral("원가에포장가합산유무"));
    new CheckBox(title, QStringLiteral("MHSKLR"), QRect(430, lastRow + 2, 110, 16), nullptr, {},
                 QStringLiteral("생산기준손실율"));
    title->addLabel(QStringLiteral("cap_MHSTGU"), QRect(540, lastRow, kCaptionWidth, 20), QStringLiteral("계산구분"));
    title->addLabel(QStringLiteral("MHSTGU"), QRect(540 + kCaptionWidth, lastRow, kBandWidth - 540 - kCaptionWidth, 20),
                    {}, Alignment::Right);
    title->setBeforePrint([this](Band &, bool &) { titleBeforePrint(); });

    // Column header and one detail band per line, in framed cells.
    Band *head = addBand(report::BandType::ColumnHeader, kHeadHeight, QStringLiteral("ColumnHeaderBand"));
    Band *detail = addBand(report::BandType::Detail, kLineHeight, QStringLiteral("DetailBand"));
    const FontSpec lineFont = pointFont(font(), kLinePoints);
    int left = 0;
    for (const Column &c : kColumns) {
        Label *h = head->addLabel(QStringLiteral("head_") + QLatin1String(c.cell),
                                  QRect(left + kCellPad, 4, c.width - 2 * kCellPad, 16), QString::fromUtf8(c.head),
                                  Alignment::Center);
        h->font().bold = true;
        const QString cell = QLatin1String(c.cell);
        if (cell == QLatin1String("MDweno") || cell == QLatin1String("MDQINC")) {
            const int side = lineFont.pixelSize;
            auto *box = new CheckBox(detail, cell, QRect(left + (c.width - side) / 2, (kLineHeight - side) / 2, side, side),
                                     lines, cell);
            box->setFont(lineFont);
        } else {
            Label *d = detail->addLabel(cell, QRect(left + kCellPad, 3, c.width - 2 * kCellPad, 16), {}, c.align);
            d->setFont(lineFont);
        }
        left += c.width;
    }
    drawGrid(head, QStringLiteral("shp_Head"), kHeadHeight);
    drawGrid(detail, QStringLiteral("shp_Line"), kLineHeight);
    detail->setBeforePrint([this](Band &, bool &) { detailBeforePrint(); });

    setBeforePrint([this](report::Report &) { setPrinterName(report::ApplicationPrinterName()); });
}

void TF30_RECIPYVIEW::set(const QString &name, const QString &caption)
{
    if (Label *l = label(name))
        l->setCaption(caption);
}

void TF30_RECIPYVIEW::titleBeforePrint()
{
    set(QStringLiteral("mhinam"), m_header.name + QStringLiteral(" 제품 배합표"));
    const auto fill = [this](const Pair &p) {
        const QString name = QLatin1String(p.value);
        set(name, p.format ? report::FormatNumber(QString::fromLatin1(p.format), m_header.figure(name))
                                 + QString::fromUtf8(p.unit)
                           : QString());
    };
    for (const auto &row : kPairs)
        for (const Pair &p : row)
            fill(p);
    fill(kStockPair);
    const std::pair<const char *, bool> checks[] = {
        {"MHSTND", m_header.MHSTND}, {"MHFLAG", m_header.MHFLAG}, {"MHSKLR", m_header.MHSKLR}};
    for (const auto &[name, checked] : checks)
        if (auto *box = qobject_cast<CheckBox *>(component(QLatin1String(name))))
            box->setChecked(checked);
    set(QStringLiteral("MHSTGU"), CalculationKindText(m_header.MHSTGU));
}

void TF30_RECIPYVIEW::detailBeforePrint()
{
    const DataSet &d = *m_lines;
    const auto field = [&d](const char *name) -> const Field & { return d.FieldByName(QLatin1String(name)); };
    const bool group = field("mdpaky").AsInteger() == 0;
    if (Label *name = label(QStringLiteral("mdname"))) {
        name->setFont(group ? pointFont(name->font(), kGroupPoints, true, TitleColor)
                            : pointFont(name->font(), kLinePoints));
        name->setCaption(IndentedLineName(field("sortkey").AsString(), field("mdname").AsString()));
    }
    set(QStringLiteral("MDWGHT"), report::FormatNumber(u"%10.1n", field("MDWGHT").AsFloat()));
    set(QStringLiteral("mdunit"), field("mdunit").AsString());
    set(QStringLiteral("MDSEQ"), field("MDSEQ").AsString());
    set(QStringLiteral("MDperc"), report::FormatNumber(u"%3.1n", field("MDperc").AsFloat()));
    set(QStringLiteral("mduprc"), QString());
    set(QStringLiteral("mdamt"), QString());
}
