#include "core/uKV_Common_Text.h"
#include "platform/os/CodePage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
int bytes(const QString &s) { return int(os::ToAnsi(s).size()); }
} // namespace

TEST(TextHelpers, CutBytesKeepsDoubleByteCharactersWhole)
{
    struct Case { const char *text; int n; const char *expected; };
    const Case cases[] = {
        {"가나다", 5, "가나"},
        {"가나다", 6, "가나다"},
        {"ab가", 3, "ab"},
        {"가나다", 0, ""},
        {"똠얌꿍", 3, "똠"},   // trail byte of 똠 is ASCII 'c'
        {"a똠b", 2, "a"},
        {"abc", -1, "abc"},     // n is an unsigned 16-bit count
    };
    for (const auto &c : cases)
        EXPECT_EQ(CutBytes(u(c.text), c.n), u(c.expected)) << c.text << " at " << c.n;
}

TEST(TextHelpers, PadsToByteWidth)
{
    struct Case { QString (*pad)(const QString &, int); const char *text; int w; const char *expected; };
    const Case cases[] = {
        {PadLeft, "가", 5, "   가"},
        {PadRight, "가나다", 5, "가나 "},
        {PadCenter, "ab", 5, " ab  "},
        {PadCenter, "가", 5, " 가  "},
        {PadRight, "똠얌꿍", 5, "똠얌 "},
        {PadLeft, "1,500", 3, "1,5"},
        {PadLeft, "", 0, ""},
        {PadLeft, "abc", -1, "abc"},     // a width computed below zero fills nothing
        {PadRight, "가나다", -5, "가나다"},
        {PadCenter, "ab", -1, "ab"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.pad(u(c.text), c.w), u(c.expected)) << c.text << " at " << c.w;
    EXPECT_EQ(PadLeftWith("7", '0', 3), "007");
}

TEST(TextHelpers, WrapsIntoWholeCharacterPieces)
{
    struct Case { QString text; int n; QList<int> pieceBytes; };
    const Case cases[] = {
        {QString(25, 'x'), 10, {10, 10, 5}},
        {u("가나다라마바사"), 10, {10, 4}},
        {u("a가나다라마바"), 10, {9, 4}},
        {u("똠얌꿍똠얌꿍"), 5, {4, 4, 4}},
        {u("가나"), 1, {2, 2}},     // width below one character still returns
        {u("ab"), 0, {1, 1}},
        {QString(), 10, {}},
    };
    for (const auto &c : cases) {
        const QString wrapped = WrapBytes(c.text, c.n);
        const QStringList pieces = wrapped.isEmpty() ? QStringList() : wrapped.split("\r\n");
        QList<int> sizes;
        for (const auto &p : pieces)
            sizes << bytes(p);
        EXPECT_EQ(sizes, c.pieceBytes) << c.text.toStdString();
        EXPECT_EQ(pieces.join(QString()), c.text);
    }
}

TEST(TextHelpers, SplitsAndJoinsLists)
{
    int ints[5] = {9, 9, 9, 9, 9};
    EXPECT_TRUE(SplitToInts(ints, 4, "1|2|3", '|'));
    EXPECT_EQ(JoinInts(ints, 4, '|'), "1|2|3|9|9");
    EXPECT_TRUE(SplitToInts(ints, 4, "7|6|5|4|3|2|1", '|'));
    EXPECT_EQ(JoinInts(ints, 4, ','), "7,6,5,4,3");
    EXPECT_TRUE(SplitToInts(ints, 4, "x|12|", '|'));
    EXPECT_EQ(JoinInts(ints, 4, ','), "0,12,5,4,3");

    std::uint8_t bytesArr[3] = {1, 1, 1};
    EXPECT_TRUE(SplitToBytes(bytesArr, 2, "257,2", ','));
    EXPECT_EQ(JoinBytes(bytesArr, 2, ','), "1,2,1");

    QString strs[3] = {"a", "b", "c"};
    EXPECT_TRUE(SplitToStrings(strs, 2, u("가||"), '|'));
    EXPECT_EQ(JoinStrings(strs, 2, '|'), u("가||c"));
    EXPECT_TRUE(ClearStrings(strs, 2));
    EXPECT_EQ(strs[1], QString(QChar(0)));
    EXPECT_EQ(ElementText(strs[1]), QString());
    ClearInts(ints, 4);
    EXPECT_EQ(JoinInts(ints, 4, ','), "0,0,0,0,0");
}

TEST(TextHelpers, GetTokenCountsFromOne)
{
    struct Case { const char *text; int index; const char *delim; const char *expected; };
    const Case cases[] = {
        {"a,b,c", 2, ",", "b"}, {"a,b,c", 3, ",", "c"}, {"a,b,c", 4, ",", ""},
        {"a,b,c", 0, ",", ""},  {"a::b", 2, "::", "b"}, {"a,,c", 2, ",", ""},
        {"", 1, ",", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetToken(c.text, c.index, c.delim), QString(c.expected)) << c.text << " " << c.index;
    EXPECT_EQ(IfThenVar(true, 1, 2).toInt(), 1);
    EXPECT_EQ(IfThenVar(false, 1, 2).toInt(), 2);
}

TEST(TextHelpers, WriteLogAppendsCp949LinesAndNeverFails)
{
    QTemporaryDir dir;
    const QString saved = LogFileName;
    LogFileName = dir.filePath("log/20261210.log");
    WriteLog("lost");  // folder missing: nothing written, nothing thrown
    EXPECT_FALSE(QFile::exists(LogFileName));

    QDir(dir.path()).mkdir("log");
    WriteLog(u("첫 줄"));
    WriteLog("second");
    QFile f(LogFileName);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray content = f.readAll();
    const QList<QByteArray> lines = content.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(content.endsWith("]  second\r\n"));
    const QByteArray first = lines[0];
    EXPECT_EQ(first.size(), 1 + 19 + 3 + 5 + 1);       // "[" stamp "]  " text CR
    EXPECT_EQ(first.mid(20, 3), QByteArray("]  "));
    EXPECT_EQ(os::FromAnsi(first.mid(23, 5)), u("첫 줄"));
    EXPECT_TRUE(QDateTime::fromString(QString(first.mid(1, 19)), "yyyy-MM-dd HH:mm:ss").isValid());
    LogFileName = saved;
}

// A step that throws is logged under its prefix and fails; a step's own
// verdict stands otherwise; what is not a standard exception goes on.
TEST(TextHelpers, RunLoggedLogsAFailedStepUnderItsPrefix)
{
    QTemporaryDir dir;
    const QString saved = LogFileName;
    QDir(dir.path()).mkdir("log");
    LogFileName = dir.filePath("log/20261210.log");

    EXPECT_FALSE(RunLogged(u("TDM.LoadConfig Error:"), [] { throw std::runtime_error("서버 없음"); }));
    EXPECT_TRUE(RunLogged(u("A:"), [] {}));
    EXPECT_FALSE(RunLogged(u("B:"), [] { return false; }));
    EXPECT_TRUE(RunLogged(u("C:"), [] { return true; }));
    EXPECT_THROW(RunLogged(u("D:"), [] { throw 7; }), int);

    QFile f(LogFileName);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 2); // one line and the end
    EXPECT_TRUE(os::FromAnsi(lines[0]).endsWith(u("]  TDM.LoadConfig Error:서버 없음\r")));
    LogFileName = saved;
}

TEST(TextHelpers, FormatsAndParsesAmounts)
{
    struct Fmt { qint64 raw; const char *expected; };
    const Fmt formats[] = {
        {0, "0"}, {1234567 * Currency::Scale, "1,234,567"}, {-1500 * Currency::Scale, "-1,500"},
        {999 * Currency::Scale, "999"}, {1000 * Currency::Scale, "1,000"},
        {12345, "1"}, {15000, "2"}, {-15000, "-2"}, {-4000, "0"},
    };
    for (const auto &f : formats)
        EXPECT_EQ(FormatAmount(Currency::fromRaw(f.raw)), QString(f.expected)) << f.raw;

    struct Parse { const char *text; qint64 raw; };
    const Parse parses[] = {
        {" 1,234 ", 1234 * Currency::Scale}, {"1,234.5", 12345000}, {" 1,234.5 ", 12345000},
        {"abc", 0}, {"", 0}, {"-1,500", -1500 * Currency::Scale}, {"1 2 3", 123 * Currency::Scale},
    };
    for (const auto &p : parses)
        EXPECT_EQ(ParseAmount(p.text).raw(), p.raw) << p.text;
}
