#include "platform/remote/wire/WireCodec.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <limits>

using namespace wire;

namespace {

const QString kNulText = QStringLiteral("KISVAN|") + QChar(0) + QStringLiteral("|끝");

QList<Param> everyKind()
{
    const QDateTime dt(QDate(2024, 2, 29), QTime(23, 59, 58, 123));
    return {
        {QStringLiteral("@A_TEXT"), Type::String, QStringLiteral("데모베이커리 똠방각하")},
        {QStringLiteral("empty"), Type::String, QString(QStringLiteral(""))},
        {QStringLiteral("nulltext"), Type::String, QVariant()},
        {QStringLiteral("nul"), Type::String, kNulText},
        {QStringLiteral("small"), Type::SmallInt, qint64(-32768)},
        {QStringLiteral("int"), Type::Integer, std::numeric_limits<qint64>::min()},
        {QStringLiteral("int2"), Type::Integer, std::numeric_limits<qint64>::max()},
        {QStringLiteral("float"), Type::Float, 0.1},
        {QStringLiteral("money"), Type::Currency, qint64(-123456789012345678)},
        {QStringLiteral("money2"), Type::Currency, qint64(1)},
        {QStringLiteral("yes"), Type::Boolean, true},
        {QStringLiteral("no"), Type::Boolean, false},
        {QStringLiteral("when"), Type::DateTime, dt},
        {QStringLiteral("nullint"), Type::Integer, QVariant()},
        {QStringLiteral("nulldate"), Type::DateTime, QVariant()},
    };
}

} // namespace

TEST(WireCodec, RequestRoundTripKeepsEveryKindNullsAndText)
{
    Request req;
    req.provider = QStringLiteral("dspStoredProc7");
    req.commandText = QStringLiteral("[GP_SELECT_F0000_POS_CONFIG]");
    req.mode = Mode::Execute;
    req.params = everyKind();

    const Request back = decodeRequest(encodeRequest(req));
    EXPECT_EQ(back.provider, req.provider);
    EXPECT_EQ(back.commandText, req.commandText);
    EXPECT_EQ(back.mode, Mode::Execute);
    ASSERT_EQ(back.params.size(), req.params.size());
    for (int i = 0; i < req.params.size(); ++i) {
        SCOPED_TRACE(req.params[i].name.toStdString());
        EXPECT_EQ(back.params[i].name, req.params[i].name);
        EXPECT_EQ(back.params[i].type, req.params[i].type);
        EXPECT_EQ(back.params[i].value.isValid(), req.params[i].value.isValid());
        if (req.params[i].value.isValid()) {
            EXPECT_EQ(back.params[i].value, req.params[i].value);
        }
    }
    // Null and empty text stay apart; U+0000 survives inside a text.
    EXPECT_TRUE(back.params[1].value.isValid());
    EXPECT_TRUE(back.params[1].value.toString().isEmpty());
    EXPECT_FALSE(back.params[2].value.isValid());
    EXPECT_EQ(back.params[3].value.toString().size(), kNulText.size());
    EXPECT_EQ(back.params[3].value.toString().at(7), QChar(0));
}

TEST(WireCodec, AnswerRoundTripAndEmptyAnswerKeepsColumns)
{
    Answer a;
    const QList<Param> kinds = everyKind();
    QVariantList row;
    for (const Param &p : kinds) {
        a.columns.append({p.name, p.type, p.type == Type::String ? 50 : 0});
        row.append(p.value);
    }
    a.rows = {row, row};
    const Answer back = decodeAnswer(encodeAnswer(a));
    ASSERT_EQ(back.columns.size(), a.columns.size());
    EXPECT_EQ(back.columns[0].size, 50);
    ASSERT_EQ(back.rows.size(), 2);
    for (int i = 0; i < row.size(); ++i) {
        SCOPED_TRACE(kinds[i].name.toStdString());
        EXPECT_EQ(back.columns[i].type, kinds[i].type);
        EXPECT_EQ(back.rows[1][i].isValid(), row[i].isValid());
        if (row[i].isValid()) {
            EXPECT_EQ(back.rows[1][i], row[i]);
        }
    }

    a.rows.clear();
    const Answer empty = decodeAnswer(encodeAnswer(a));
    EXPECT_FALSE(empty.isError());
    EXPECT_EQ(empty.columns.size(), a.columns.size());
    EXPECT_TRUE(empty.rows.isEmpty());

    const Answer err = decodeAnswer(encodeAnswer(Answer::failure(QStringLiteral("알 수 없는 오류"))));
    EXPECT_TRUE(err.isError());
    EXPECT_EQ(err.error, QStringLiteral("알 수 없는 오류"));
}

TEST(WireCodec, DateTimeTravelsAsLocalText)
{
    Request req;
    req.commandText = QStringLiteral("X");
    req.params = {{QStringLiteral("d"), Type::DateTime, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5, 6))}};
    const QByteArray bytes = encodeRequest(req);
    EXPECT_TRUE(bytes.contains("2024-01-02T03:04:05.006"));
}

// Stored date-times are turned into their wire text directly only on days the
// local clock keeps its offset: in a zone that moves its clocks, the days it
// does so take the general way (a time in the skipped hour does not exist),
// and every direct text equals the general one. Returns the cases that differ.
int clockChangeDayMismatches()
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const struct {
        const char *stored;
        bool direct;
    } cases[] = {
        {"2031-03-30 02:30:00", false}, {"2031-03-30 01:59:59", false}, {"20310330", false},
        {"2031-10-26 02:30:00", false}, {"2031-10-26 12:00:00", false}, {"2031-03-29 02:30:00", true},
        {"2031-03-31 02:30:00", true},  {" 2031-06-01 12:00 ", true},    {"20310601", true},
        {"2031-10-27 23:59:59", true},
    };
    int wrong = 0;
    for (const auto &c : cases) {
        char out[23];
        const bool direct = wireDateTimeOfStored(c.stored, qsizetype(std::strlen(c.stored)), out);
        const QString general = formatDateTime(parseDateTimeText(QString::fromLatin1(c.stored).trimmed()));
        if (direct != c.direct || (direct && QString::fromLatin1(out, 23) != general)) {
            std::fprintf(stderr, "%s: direct %d, general %s\n", c.stored, int(direct), qPrintable(general));
            ++wrong;
        }
    }
    return wrong;
}

// In a child process, with a zone of its own.
TEST(WireCodecDeathTest, StoredDateTimesOfClockChangeDaysTakeTheGeneralWay)
{
    EXPECT_EXIT(std::exit(clockChangeDayMismatches()), ::testing::ExitedWithCode(0), "");
}

TEST(WireCodec, MalformedBytesAreRefused)
{
    Request req;
    req.commandText = QStringLiteral("GP_X");
    req.params = {{QStringLiteral("a"), Type::Integer, qint64(5)}};
    const QByteArray good = encodeRequest(req);

    QByteArray unknownType = good;
    // The type code 3 of the only parameter, just before its value 5.
    const qsizetype at = unknownType.lastIndexOf(QByteArray("\x03\x05", 2));
    ASSERT_GT(at, 0);
    unknownType[at] = char(0x09);

    const QList<QByteArray> bad = {QByteArray(), QByteArray("garbage"), good.left(good.size() - 3),
                                   good + QByteArray("\x01", 1), unknownType,
                                   encodeAnswer(Answer())}; // an answer is not a request
    for (const QByteArray &b : bad) {
        SCOPED_TRACE(b.toHex().toStdString());
        EXPECT_THROW(decodeRequest(b), DecodeError);
    }
    EXPECT_THROW(decodeAnswer(QByteArray("\xa0", 1)), DecodeError);
}

TEST(WireCodec, RepeatedKeysAndBrokenTextsAreRefused)
{
    Request req;
    req.commandText = QStringLiteral("GP_X");
    req.params = {{QStringLiteral("a"), Type::String, QStringLiteral("ab")}};
    const QByteArray good = encodeRequest(req);
    ASSERT_NO_THROW(decodeRequest(good));

    // {"command": "GP_X", "mode": "open", "command": "GP_Y"}
    const QByteArray repeated = QByteArray::fromHex("a3" "67636f6d6d616e64" "6447505f58" "646d6f6465" "646f70656e"
                                                    "67636f6d6d616e64" "6447505f59");
    try {
        decodeRequest(repeated);
        ADD_FAILURE() << "a repeated key was accepted";
    } catch (const DecodeError &e) {
        EXPECT_STREQ(e.what(), "repeated map key \"command\"");
        EXPECT_EQ(e.logText(), "repeated map key");
    }
    EXPECT_THROW(decodeAnswer(QByteArray::fromHex("a2" "68616666656374656401" "68616666656374656402")), DecodeError);

    // The text "ab" of the parameter with an invalid UTF-8 byte in place of "b".
    QByteArray broken = good;
    const qsizetype at = broken.lastIndexOf(QByteArray("\x62\x61\x62", 3));
    ASSERT_GT(at, 0);
    broken[at + 2] = char(0xff);
    EXPECT_THROW(decodeRequest(broken), DecodeError);
}

TEST(WireCodec, RefusedValuesAreQuotedToTheSenderButNotInTheLogText)
{
    Request req;
    req.commandText = QStringLiteral("GP_X");
    req.params = {{QStringLiteral("@A_PWD"), Type::String, QStringLiteral("secret-1234")}};
    QByteArray bytes = encodeRequest(req);
    // Declared an integer on the wire: the type code 1 before the text becomes 3.
    const qsizetype at = bytes.indexOf(QByteArray("\x01\x6bsecret", 8));
    ASSERT_GT(at, 0);
    bytes[at] = char(0x03);
    try {
        decodeRequest(bytes);
        ADD_FAILURE() << "a text was accepted as an integer";
    } catch (const DecodeError &e) {
        EXPECT_STREQ(e.what(), "parameter @A_PWD: value \"secret-1234\" is not an integer");
        EXPECT_EQ(e.logText(), "parameter @A_PWD: value is not an integer");
    }
}

TEST(WireCodec, CoerceReadsSloppyValuesStrictly)
{
    struct Case {
        QVariant in;
        Type type;
        QVariant out; // invalid = null; "throw" = refused
        bool throws = false;
    };
    const Case cases[] = {
        {QStringLiteral("12"), Type::Integer, qint64(12)},
        {QStringLiteral(" "), Type::Integer, QVariant()},
        {QStringLiteral("1.5"), Type::Float, 1.5},
        {QStringLiteral("2.5"), Type::Currency, qint64(25000)},
        {-0.00005, Type::Currency, qint64(-1)},
        {QStringLiteral("1"), Type::Boolean, true},
        {qint64(0), Type::Boolean, false},
        {QStringLiteral("abc"), Type::Integer, {}, true},
        {QStringLiteral("2024-13-01T00:00:00.000"), Type::DateTime, {}, true},
        {qint64(7), Type::String, QStringLiteral("7")},
        // Numbers that do not fit 64 bits are refused, not wrapped.
        {QStringLiteral("1e300"), Type::Integer, {}, true},
        {1e300, Type::Integer, {}, true},
        {std::nan(""), Type::SmallInt, {}, true},
        {QStringLiteral("922337203685478"), Type::Currency, {}, true},
        {QStringLiteral("922337203685477"), Type::Currency, qint64(9223372036854770000)},
        // Integers only from integral numbers or texts of digits.
        {-12.9, Type::Integer, {}, true},
        {10.5, Type::Integer, {}, true},
        {14.0, Type::Integer, qint64(14)},
        {QStringLiteral(" -14 "), Type::SmallInt, qint64(-14)},
        {QStringLiteral("1e1"), Type::Integer, {}, true},
        {QStringLiteral("0x10"), Type::Integer, {}, true},
        {QStringLiteral("10.0"), Type::Integer, {}, true},
        {true, Type::Integer, {}, true},
        {QStringLiteral("1e1"), Type::Currency, {}, true},
        {QStringLiteral("-0.5"), Type::Currency, qint64(-5000)},
        {false, Type::Currency, {}, true},
        // Booleans only from true/false and 0/1.
        {qint64(2), Type::Boolean, {}, true},
        {qint64(-1), Type::Boolean, {}, true},
        {1.0, Type::Boolean, {}, true},
        {QStringLiteral(" TRUE "), Type::Boolean, true},
        {QStringLiteral("yes"), Type::Boolean, {}, true},
        // Floats are finite.
        {QStringLiteral("nan"), Type::Float, {}, true},
        {std::numeric_limits<double>::infinity(), Type::Float, {}, true},
        {true, Type::Float, {}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.toString().toStdString());
        if (c.throws) {
            EXPECT_THROW(coerce(c.in, c.type), DecodeError);
            continue;
        }
        const QVariant got = coerce(c.in, c.type);
        EXPECT_EQ(got.isValid(), c.out.isValid());
        if (c.out.isValid()) {
            EXPECT_EQ(got, c.out);
        }
    }
}
