// The shared pure pieces of the store-document screens, by tables.

#include "documents/DocumentLines.h"
#include "documents/PadPages.h"
#include "documents/PatternLines.h"
#include "documents/SlipColumns.h"
#include "documents/UnitChooser.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/CodePage.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

TEST(ItemTypeWord, CodesBecomeWordsAndAnythingElseStays)
{
    const struct {
        const char *code, *word;
    } cases[] = {{"1", "제품"}, {"3", "반제"}, {"2", "상품"}, {"5", "재료"}, {"6", "재료"},
                 {"4", "4"},    {"", ""},     {"제품", "제품"}, {"11", "11"}};
    for (const auto &c : cases)
        EXPECT_EQ(ItemTypeWord(QString::fromUtf8(c.code)), QString::fromUtf8(c.word)) << c.code;
}

TEST(PatternLineFields, OrderAndTheTemporarySaveLinesWithoutSize)
{
    QStringList names;
    for (const FieldDef &f : PatternLineFields())
        names << f.name;
    EXPECT_EQ(names.size(), 38);
    EXPECT_EQ(names.mid(0, 4), (QStringList{"ADNUMB", "ADSEQ", "IMITNB", "IMITTY"}));
    EXPECT_EQ(names.mid(names.size() - 3), (QStringList{"SIZE", "AHADNB", "AHADNB_NAME"}));
    EXPECT_EQ(PatternLineFields()[names.indexOf("ADAMT")].type, FieldType::Currency);

    QStringList imsi;
    for (const FieldDef &f : ImsiDetailFields())
        imsi << f.name;
    names.removeAll(QStringLiteral("SIZE"));
    EXPECT_EQ(imsi, names);

    DataSet lines; // the definitions make a working table
    lines.AddFields(PatternLineFields());
    lines.Open();
    lines.Append();
    lines.FieldByName(QStringLiteral("IMITTY")).setAsString(ItemTypeWord(QStringLiteral("3")));
    lines.Post();
    EXPECT_EQ(lines.FieldByName(QStringLiteral("IMITTY")).AsString(), QStringLiteral("반제"));
}

// What each slot of a 24-slot pad shows: "<" / ">" for the paging slots,
// the position, or "." for a blank one.
QStringList padSlots(int rows, int page)
{
    QStringList out;
    for (int s = 0; s < 24; ++s) {
        const int position = PadSlotPosition(24, rows, page, s);
        if (PadPages(24, rows) && s == 0)
            out << "<";
        else if (PadPages(24, rows) && s == 23)
            out << ">";
        else
            out << (position <= rows ? QString::number(position) : QStringLiteral("."));
    }
    return out;
}

QStringList range(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

// Filling work lines from an answer: each copy kind's reading of a null, the
// per-line hook, and a failure half-way that keeps the whole lines before it
// and leaves the lines' controls on.
TEST(FillLines, CopiesByTheTableThenTheHookAndAFailureKeepsTheWholeLines)
{
    DataSet answer;
    answer.AddFields({{QStringLiteral("PDSEQ"), FieldType::Integer, 0},
                      {QStringLiteral("PDQTY"), FieldType::Float, 0},
                      {QStringLiteral("IMNAME"), FieldType::String, 20}});
    answer.Open();
    const auto row = [&](const QVariant &seq, const QVariant &qty, const char *name) {
        answer.Append();
        answer.FieldByName(QStringLiteral("PDSEQ")).setAsVariant(seq);
        answer.FieldByName(QStringLiteral("PDQTY")).setAsVariant(qty);
        answer.FieldByName(QStringLiteral("IMNAME")).setAsString(QString::fromUtf8(name));
        answer.Post();
    };
    row(1, 2.5, "배추");
    row(2, QVariant(), "무"); // no quantity answered
    DataSet lines;
    lines.AddFields(PatternLineFields());
    lines.Open();
    const auto field = [&](int r, const char *name) { return lines.value(r, lines.fieldIndex(QLatin1String(name))); };

    for (const LineCopy copy : {LineCopy::AsAnswered, LineCopy::ByLineType}) {
        FillLines(lines, answer, {{"ADSEQ", "PDSEQ"}, {"ADQTY", "PDQTY"}, {"IMNAME", "IMNAME"}}, copy,
                  [](DataSet &line, DataSet &from) {
                      const QString name = from.FieldByName(QStringLiteral("IMNAME")).AsString();
                      line.FieldByName(QStringLiteral("SIZE")).setAsString(name + QStringLiteral("!"));
                  });
        ASSERT_EQ(lines.rowCount(), 2);
        EXPECT_EQ(lines.RecNo(), 1);
        EXPECT_EQ(field(0, "ADQTY").toDouble(), 2.5);
        EXPECT_EQ(field(1, "SIZE").toString(), QStringLiteral("무!"));
        EXPECT_EQ(field(1, "ADQTY").isNull(), copy == LineCopy::AsAnswered) << int(copy);
        if (copy == LineCopy::ByLineType) {
            EXPECT_EQ(field(1, "ADQTY").toDouble(), 0.0);
        }
    }

    EXPECT_THROW(FillLines(lines, answer, {{"ADSEQ", "PDSEQ"}}, LineCopy::AsAnswered,
                           [](DataSet &line, DataSet &from) {
                               if (from.FieldByName(QStringLiteral("PDSEQ")).AsInteger() == 2)
                                   line.FieldByName(QStringLiteral("NOSUCHFIELD")); // throws
                           }),
                 DataSetError);
    EXPECT_EQ(lines.rowCount(), 1); // the first line, whole; the second never posted
    EXPECT_EQ(lines.State(), DataSetState::Browse);
    EXPECT_FALSE(lines.ControlsDisabled());
}

TEST(PadPages, SlotsPositionsAndNextPage)
{
    EXPECT_EQ(padSlots(24, 0), range(1, 24));
    EXPECT_FALSE(PadPages(24, 24));
    EXPECT_EQ(padSlots(25, 0), QStringList{"<"} + range(1, 22) + QStringList{">"});
    EXPECT_EQ(padSlots(25, 1), QStringList{"<"} + range(23, 25) + QStringList(19, ".") + QStringList{">"});
    EXPECT_EQ(padSlots(45, 1), QStringList{"<"} + range(23, 44) + QStringList{">"});
    EXPECT_EQ(padSlots(45, 2), (QStringList{"<", "45"} + QStringList(21, ".") + QStringList{">"}));

    const struct {
        int rows, page;
        bool next;
    } next[] = {{25, 0, true}, {25, 1, false}, {44, 0, true}, {44, 1, false}, {45, 1, true}, {45, 2, false}};
    for (const auto &c : next)
        EXPECT_EQ(PadHasNextPage(24, c.rows, c.page), c.next) << c.rows << "/" << c.page;

    // The ten-slot category pads page by eight.
    EXPECT_EQ(PadSlotPosition(10, 11, 1, 1), 9);
    EXPECT_EQ(PadSlotPosition(10, 10, 0, 9), 10);
    EXPECT_TRUE(PadHasNextPage(10, 11, 0));
    EXPECT_FALSE(PadHasNextPage(10, 16, 1));
}

TEST(PadPages, PagingSlotsTurnThePageOnlyWhereThereIsOne)
{
    const struct {
        int tag, rows, page;
        bool moved;
        int after;
    } cases[] = {{PadPreviousTag, 30, 1, true, 0}, {PadPreviousTag, 30, 0, false, 0},
                 {PadNextTag, 17, 1, true, 2},     {PadNextTag, 16, 1, false, 1},
                 {0, 30, 1, false, 1}}; // not a paging Tag
    for (const auto &c : cases) {
        int page = c.page;
        EXPECT_EQ(PadTurnPage(c.tag, 10, c.rows, page), c.moved) << c.tag << " " << c.rows << "/" << c.page;
        EXPECT_EQ(page, c.after) << c.tag << " " << c.rows << "/" << c.page;
    }
}

TEST(SlipRow, NumbersKeepEveryDigitAndFittingLinesKeepTheirBytes)
{
    const QString name27 = QStringLiteral("가나다라마바사아자차카타파A"); // 27 bytes
    const struct {
        QString name, qty, unit;
        const char *expected; // as UTF-8
    } cases[] = {
        {QStringLiteral("강력분"), QStringLiteral("1,234.50"), QStringLiteral("포대"),
         "강력분                     1,234.50   포대"},
        {name27, QStringLiteral("20,000.00"), QStringLiteral("G"),
         "가나다라마바사아자차카타파20,000.00      G"},
        {QStringLiteral("가나다라마바사아자차카타파하"), QStringLiteral("20,000.00"), QStringLiteral("G"),
         "가나다라마바사아자차카타파20,000.00      G"}, // 28 bytes cut to 26 by whole syllables
        {QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZa"), QStringLiteral("1,000.00"), QStringLiteral("EA"),
         "ABCDEFGHIJKLMNOPQRSTUVWXYZa1,000.00     EA"},
        {QStringLiteral("가나다라마바사아자차카타파하"), QStringLiteral("1,234,567.00"), QStringLiteral("EA"),
         "가나다라마바사아자차카 1,234,567.00     EA"}, // 23 bytes: the syllable that would split goes
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        const QString line = SlipRow({SlipText(c.name, 27), SlipNumber(c.qty, 8), SlipNumber(c.unit, 7)});
        EXPECT_EQ(line, QString::fromUtf8(c.expected));
        EXPECT_EQ(os::ToAnsi(line).size(), 42);
    }
    // No text cell to give: the number still stands whole.
    EXPECT_EQ(SlipRow({SlipNumber(QStringLiteral("123,456"), 4)}), QStringLiteral("123,456"));

    EXPECT_EQ(SlipQuantity(20000), QStringLiteral("20,000.00"));
    EXPECT_EQ(SlipQuantity(1234.5), QStringLiteral("1,234.50"));
    EXPECT_EQ(SlipQuantity(-1.5), QStringLiteral("-1.50"));
    EXPECT_EQ(SlipQuantity(0.005), QStringLiteral("0.01"));
}

TEST(UnitQuerySql, TheTextByteForByteWithQuotesDoubled)
{
    const QString cr(QChar(13));
    EXPECT_EQ(UnitQuerySql(QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("100001")),
              QStringLiteral(" SELECT  IMMDAN,IMLDAN from f0200 ") + cr + QStringLiteral(" WHERE imcmcd = '9999' ") + cr
                  + QStringLiteral(" AND imbuut   = '9999' ") + cr + QStringLiteral(" and imitnb   = '100001' "));
    EXPECT_TRUE(UnitQuerySql(QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("1' OR '1'='1"))
                    .endsWith(QStringLiteral(" and imitnb   = '1'' OR ''1''=''1' ")));
}

} // namespace
