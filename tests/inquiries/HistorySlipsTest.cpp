// The history slips' lines, without a window: names cut to their columns by
// bytes of code page 949 (never inside a syllable), numbers, document numbers
// and units whole with the name giving the bytes, every line 42 bytes.

#include "inquiries/HistorySlips.h"

#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(HistorySlips, LinesKeepNumbersWholeAndTheirWidth)
{
    const QString name24 = QStringLiteral("가나다라마바사아자차카타");
    const struct {
        char layout;
        QString name;
        double quantity;
        const char *unit;
        qint64 amount;
        const char *last;
        bool lastIsNumber;
        const char *line;
    } cases[] = {
        // A 24-byte name at 22 and at 13 bytes (12, and a blank for the half syllable).
        {'0', name24, 1, "EA", 0, "발주", false, "가나다라마바사아자차카  1.00 EA       발주"},
        {'2', name24, 1, "EA", 1800, "발주", false, "가나다라마바     1.00 EA    1,800     발주"},
        // A quantity wider than its column: whole, the name gives two bytes.
        {'0', "단팥빵", 1234.5, "EA", 0, "", false, "단팥빵              1,234.50 EA           "},
        // A document number: whole, the name gives one byte, or three.
        {'0', "단팥빵", 3, "EA", 0, "202406-00012", true, "단팥빵                 3.00 EA202406-00012"},
        {'2', "단팥빵", 3, "EA", 2100, "202406-00012", true, "단팥빵        3.00 EA    2,100202406-00012"},
        // A unit wider than its column stays whole too.
        {'1', "강력분", 2, "포대", 0, "", false, "강력분                 2.00포대           "},
        // A status word is cut to its column.
        {'2', "단팥빵", 1, "EA", 700, "부분입고중입니다", false, "단팥빵           1.00 EA      700 부분입고"},
    };
    for (const auto &c : cases) {
        const QString line = DocumentSlipLine(QLatin1Char(c.layout), c.name, c.quantity, QString::fromUtf8(c.unit),
                                              Currency(c.amount), QString::fromUtf8(c.last), c.lastIsNumber);
        EXPECT_EQ(line, QString::fromUtf8(c.line)) << c.layout << " " << c.name.toStdString();
        EXPECT_EQ(os::ToAnsi(line).size(), 42) << c.line;
    }

    // The total line: padded to 21 bytes when it fits, else whole.
    EXPECT_EQ(SlipTotalLine(QStringLiteral("45,703")), QStringLiteral("총 금 액: 45,703     "));
    EXPECT_EQ(SlipTotalLine(QStringLiteral("1,234,567,890")), QStringLiteral("총 금 액: 1,234,567,890"));

    // The production line: whole numbers, a wide one taking bytes from the name.
    EXPECT_EQ(ProductionSlipLine(QStringLiteral("커스터드크림"), QStringLiteral("G"), 1500, 0, 1500),
              QStringLiteral("커스터드크림    G     1,500       0  1,500"));
    EXPECT_EQ(ProductionSlipLine(QStringLiteral("커스터드크림빵"), QStringLiteral("G"), 1234567, 12.6, 1234554.4),
              QStringLiteral("커스터드크림  G 1,234,567      131,234,554"));
}

} // namespace
