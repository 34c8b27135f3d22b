#include "inquiries/HistorySlips.h"

#include "core/uKV_Common_Text.h"
#include "documents/SlipColumns.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/CodePage.h"

#include <stdexcept>

namespace {

constexpr int kWidth = 42;
constexpr int kTotalWidth = 21;

const std::array<DocumentSlipFields, 4> kDocumentSlips = {{
    {"[발주 내역]",
     {{{" 발주번호 : ", "balju_bunho"}, {" 수주번호 : ", "ibgo_bunho"}, {" 발 주 처 : ", "balju_name"},
       {" 수 주 처 : ", "suju_name"}}},
     " 발주 내역 출력 시각: ", "PDQTY", "PDUNIT", "PDAMT", "gubun", false},
    {"[입고 내역]",
     {{{" 입고번호 : ", "ibgo_bunho"}, {" 출고번호 : ", "chulgo_bunho"}, {" 입 고 처 : ", "ibgo_name"},
       {" 출 고 처 : ", "chulgo_name"}}},
     " 입고 내역 출력 시각: ", "WDQTY", "WDUNIT", "WDAMT", "bunho", true},
    {"[출고 내역]",
     {{{" 출고번호 : ", "chulgo_bunho"}, {" 발주번호 : ", "balju_bunho"}, {" 출 고 처 : ", "chulgo_name"},
       {" 발 주 처 : ", "balju_name"}}},
     " 출고 내역 출력 시각: ", "DDQTY", "DDUNIT", "DDAMT", "bunho", true},
    {"[수주 내역]",
     {{{" 수주번호 : ", "suju_bunho"}, {" 발주번호 : ", "balju_bunho"}, {" 수 주 처 : ", "suju_name"},
       {" 발 주 처 : ", "balju_name"}}},
     " 수주 내역 출력 시각: ", "ODQTY", "ODUNIT", "ODAMT", "gubun", false},
}};

QString u(const char *text) { return QString::fromUtf8(text); }

// A line in double height.
QString doubleHeight(const QString &line)
{
    const QChar esc(0x1B);
    return esc + QStringLiteral("!") + QChar(0x10) + line + esc + QStringLiteral("!") + QChar(0x00);
}

QString rule(char c) { return QString(kWidth, QLatin1Char(c)); }

QString timeText(const QDateTime &now) { return now.toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

void requireOpen(const DataSet &ds)
{
    if (!ds.Active())
        throw std::runtime_error("the data set is closed");
}

} // namespace

const DocumentSlipFields &DocumentSlipFieldsOf(int page)
{
    return kDocumentSlips.at(size_t(page));
}

QString DocumentSlipLine(QChar layout, const QString &name, double quantity, const QString &unit, Currency amount,
                         const QString &last, bool lastIsNumber)
{
    const bool amounts = layout == QLatin1Char('2');
    const int lastWidth = amounts ? 9 : 11;
    QList<SlipCell> cells{SlipText(name, amounts ? 13 : 22), SlipNumber(SlipQuantity(quantity), amounts ? 8 : 6),
                          SlipNumber(unit, 3)};
    if (amounts)
        cells << SlipNumber(FormatAmount(amount), 9);
    cells << (lastIsNumber ? SlipNumber(last, lastWidth) : SlipRight(last, lastWidth));
    return SlipRow(cells);
}

QString SlipTotalLine(const QString &total)
{
    const QString text = QStringLiteral("총 금 액: ") + total;
    return PadRight(text, qMax(kTotalWidth, int(os::ToAnsi(text).size())));
}

QStringList DocumentSlip(const DocumentSlipFields &f, const DataSet &lines, const QString &total, QChar layout,
                         const QDateTime &now)
{
    requireOpen(lines);
    QStringList out;
    out << doubleHeight(PadCenter(u(f.title), kWidth)) << QString();
    for (const auto &[label, field] : f.header)
        out << PadRight(u(label) + lines.FieldByName(u(field)).AsString(), kWidth);
    out << PadRight(u(f.timeLabel) + timeText(now), kWidth) << rule('=');
    if (layout == QLatin1Char('0') || layout == QLatin1Char('1') || layout == QLatin1Char('2')) {
        const QString word = f.lastIsNumber ? QStringLiteral("번호") : QStringLiteral("상태");
        out << (layout == QLatin1Char('2') ? QStringLiteral("제품명           수량        금액     ") + word
                                           : QStringLiteral("제품명                    수량        ") + word)
            << rule('-');
        for (int r = 0; r < lines.rowCount(); ++r) {
            const DataSet::RowScope row(lines, r);
            out << DocumentSlipLine(layout, lines.FieldByName(QStringLiteral("IMNAME")).AsString(),
                                    lines.FieldByName(u(f.quantity)).AsFloat(),
                                    lines.FieldByName(u(f.unit)).AsString(),
                                    lines.FieldByName(u(f.amount)).AsCurrency(),
                                    lines.FieldByName(u(f.last)).AsString(), f.lastIsNumber);
        }
        if (layout != QLatin1Char('0'))
            out << rule('-') << SlipTotalLine(total);
    }
    out << rule('=');
    return out;
}

QString ProductionSlipLine(const QString &name, const QString &unit, double total, double loss, double made)
{
    return SlipRow({SlipText(name, 14), SlipNumber(unit, 3), SlipNumber(FormatAmount(Currency::fromDouble(total)), 10),
                    SlipNumber(FormatAmount(Currency::fromDouble(loss)), 8), SlipNumber(FormatAmount(Currency::fromDouble(made)), 7)});
}

QStringList ProductionSlip(const DataSet &figures, const QDateTime &now)
{
    requireOpen(figures);
    QStringList out;
    out << doubleHeight(PadCenter(QStringLiteral("[생산 내역]"), kWidth)) << QString()
        << doubleHeight(PadRight(QStringLiteral("  생산 내역 출력 시각: ") + timeText(now), kWidth)) << rule('=')
        << QStringLiteral("제품명             총생산량  손실량 생산량") << rule('-');
    for (int r = 0; r < figures.rowCount(); ++r) {
        const DataSet::RowScope row(figures, r);
        out << ProductionSlipLine(figures.FieldByName(QStringLiteral("imname")).AsString(),
                                  figures.FieldByName(QStringLiteral("rdldan")).AsString(),
                                  figures.FieldByName(QStringLiteral("RDtQTY")).AsFloat(),
                                  figures.FieldByName(QStringLiteral("RDLQTY")).AsFloat(),
                                  figures.FieldByName(QStringLiteral("rdqty")).AsFloat());
    }
    out << rule('=');
    return out;
}
