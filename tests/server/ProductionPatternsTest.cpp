// The production patterns on the server: the store's pattern list with its
// name filter and line names, and a pattern's lines with the items' kinds,
// units and each line's production line.

#include "ServerTestUtil.h"

#include <QScopeGuard>

using namespace servertest;

namespace {

const QString kPatterns = QStringLiteral("GP_SELECT_F3320_PRODUCTPTRNENTRY");
const QString kPatternLines = QStringLiteral("GP_SELECT_F3321_PRODUCTPTRNENTRY");

class ProductionPatterns : public ServerSuite {
protected:
    static wire::Answer patterns(const QString &name, const QString &store = QStringLiteral("9999"))
    {
        return call(kPatterns, {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", store}, {"a_name", name}},
                    QStringLiteral("dspStoredProc3"));
    }
    static wire::Answer lines(qint64 pattern)
    {
        return call(kPatternLines,
                    {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")}, {"a_numb", pattern}},
                    QStringLiteral("dspStoredProc5"));
    }
};

TEST_F(ProductionPatterns, ListsTheStoresPatternsInOrderFilteredByAPartOfTheName)
{
    const wire::Answer all = patterns(QString());
    ASSERT_OK(all);
    EXPECT_EQ(column(all, QStringLiteral("UHNUMB")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(all, QStringLiteral("UHNAME")), (QStringList{"아침 빵 생산", "케이크 생산", "반죽 생산"}));
    EXPECT_EQ(column(all, QStringLiteral("UHLINB")), (QStringList{"001", "002", "001"}));
    EXPECT_EQ(column(all, QStringLiteral("uhlinb_name")), (QStringList{"1라인(제빵)", "2라인(케이크)", "1라인(제빵)"}));

    EXPECT_EQ(column(patterns(QStringLiteral("케이크")), QStringLiteral("UHNUMB")), QStringList{"2"});
    // A name part is a text, never a pattern: "%" and "_" match themselves.
    for (const char *none : {"%", "_", "없는 패턴"}) {
        const wire::Answer a = patterns(QString::fromUtf8(none));
        EXPECT_TRUE(a.rows.isEmpty()) << none;
        EXPECT_EQ(a.columns.size(), 4);
    }
    EXPECT_TRUE(patterns(QString(), QStringLiteral("0001")).rows.isEmpty());

    // A pattern out of use is not listed; a name is unique within its store.
    exec("UPDATE F3320 SET UHUSFL = 0 WHERE UHCMCD = '9999' AND UHBUUT = '9999' AND UHNUMB = 3");
    auto restore = qScopeGuard([] { exec("UPDATE F3320 SET UHUSFL = 1 WHERE UHCMCD = '9999' AND UHNUMB = 3"); });
    EXPECT_EQ(column(patterns(QString()), QStringLiteral("UHNUMB")), (QStringList{"1", "2"}));
    EXPECT_ANY_THROW(exec("INSERT INTO F3320 (UHCMCD, UHBUUT, UHNUMB, UHNAME) VALUES ('9999', '9999', 9, '케이크 생산')"));
    exec("INSERT INTO F3320 (UHCMCD, UHBUUT, UHNUMB, UHNAME) VALUES ('9999', '0001', 9, '케이크 생산')");
    exec("DELETE FROM F3320 WHERE UHCMCD = '9999' AND UHBUUT = '0001' AND UHNUMB = 9");
}

TEST_F(ProductionPatterns, APatternsLinesCarryTheItemsKindCodeUnitsAndEachLinesProductionLine)
{
    const wire::Answer cake = lines(2);
    ASSERT_OK(cake);
    const QStringList columns{"UDNUMB", "UDSEQ", "UDITNB", "IMITTY", "UDMDAN", "UDLDAN", "UDMCAL",
                              "itnb_name", "UDUNIT", "UDQTY", "LINB"};
    QStringList rows;
    for (int r = 0; r < cake.rows.size(); ++r) {
        QStringList cells;
        for (const QString &c : columns)
            cells << column(cake, c).value(r);
        rows << cells.join('|');
    }
    EXPECT_EQ(rows, (QStringList{"2|1|100005|1|EA|EA|1|생크림케이크|EA|5|002",
                                 "2|2|300002|3|KG|G|1000|커스터드크림|G|1500|002"}));

    // A line without a unit or a line of its own takes the item's base unit
    // and the pattern's line.
    exec("UPDATE F3321 SET UDUNIT = '', UDLINB = '' WHERE UDCMCD = '9999' AND UDNUMB = 3");
    auto restore = qScopeGuard(
        [] { exec("UPDATE F3321 SET UDUNIT = 'G', UDLINB = '001' WHERE UDCMCD = '9999' AND UDNUMB = 3"); });
    const wire::Answer dough = lines(3);
    EXPECT_EQ(column(dough, QStringLiteral("UDUNIT")), QStringList{"G"});
    EXPECT_EQ(column(dough, QStringLiteral("LINB")), QStringList{"001"});

    const wire::Answer none = lines(99);
    ASSERT_OK(none);
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 11);
}

} // namespace
