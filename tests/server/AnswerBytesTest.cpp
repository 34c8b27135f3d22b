// Answers written from the store straight into their bytes (Call::stream) and
// read back by the terminal's quick reader: the same bytes as the values
// encoded, the same values as the general reader, for every stored form.

#include "ServerTestUtil.h"

#include "HqServer.h"
#include "fuzz/FuzzTargets.h"
#include "platform/remote/RemoteConnection.h"

#include <QCborStreamWriter>

#include <gtest/gtest.h>

namespace {

using namespace servertest;
using namespace hq;

// Every storage class, with the texts that need more than a copy: numbers and
// blanks in texts, dates in each stored form and impossible ones, invalid
// UTF-8, a byte-order mark, noncharacters, NULs, blobs, other blanks.
const char *const kStoredValues[] = {
    "NULL", "0", "1", "2", "-1", "9223372036854775807", "-9223372036854775808", "922337203685477",
    "1.5", "-0.5", "0.0", "1e300", "2.5e-7", "0.00005", "'text'", "''", "' 12 '", "'12'", "'-7'", "'1e1'",
    "'true'", "'TRUE'", "' 1 '", "'0'", "'abc'", "'품목이름'", "'2026-03-05 10:20:30'", "'20260305'",
    "' 2026-03-05 '", "'2026-03-05T10:20:30.123'", "'2026-03-05 10:20'", "'2026-02-30'", "'2026-03-05 25:00'",
    "'0001-01-01'", "'9999-12-31 23:59:59'", "'0000-01-01'", "'2026-03-05'||char(12288)",
    "char(12288)||'2026-03-05'", "' '", "char(160)", "X''", "X'00'", "X'414243'", "X'C328'",
    "CAST(X'C328' AS TEXT)", "CAST(X'EFBBBF41' AS TEXT)", "CAST(X'EFBFBE' AS TEXT)", "CAST(X'EFBFBF' AS TEXT)",
    "CAST(X'F48FBFBF' AS TEXT)", "CAST(X'F4908080' AS TEXT)", "CAST(X'EDA080' AS TEXT)", "CAST(X'C0AF' AS TEXT)",
    "CAST(X'E282' AS TEXT)", "CAST(X'410042' AS TEXT)", "CAST(X'323032362D30332D303500' AS TEXT)",
    "CAST(X'323032362D30332D3035003132' AS TEXT)",
};

const Cols &everyKind()
{
    static const Cols cols{T("S", 10), {QStringLiteral("SM"), wire::Type::SmallInt, 0}, I("I"), F("F"), C("C"),
                           B("B"), DT("D")};
    return cols;
}

const char *everyValueSql()
{
    static const QByteArray sql = [] {
        QByteArray values;
        int n = 0;
        for (const char *v : kStoredValues) {
            values += (n ? ", (" : "(") + QByteArray::number(n + 1) + ", " + v + ")";
            ++n;
        }
        return "WITH t(n, v) AS (VALUES " + values + ") SELECT v, v, v, v, v, v, v FROM t ORDER BY n";
    }();
    return sql.constData();
}

class AnswerBytes : public ServerSuite {
protected:
    static void SetUpTestSuite()
    {
        ServerSuite::SetUpTestSuite();
        hq::Registry &registry = server().dispatcher().registry();
        registry.add(QStringLiteral("TEST_EVERY_VALUE_STREAMED"), false,
                     [](hq::Call &call) { call.streamValues(everyKind(), everyValueSql(), {}); });
        registry.add(QStringLiteral("TEST_EVERY_VALUE_OPENED"), false,
                     [](hq::Call &call) { call.open(everyKind(), everyValueSql(), {}); });
    }
};

TEST_F(AnswerBytes, EveryStoredValueStreamsAsItsValueWouldBeEncoded)
{
    hq::Dispatcher &dispatcher = server().dispatcher();
    const wire::Request streamed = request(QStringLiteral("TEST_EVERY_VALUE_STREAMED"), {});
    const QByteArray bytes = dispatcher.handleEncoded(streamed);
    const wire::Answer opened = dispatcher.handle(request(QStringLiteral("TEST_EVERY_VALUE_OPENED"), {}));
    ASSERT_FALSE(opened.isError()) << opened.error.toStdString();
    ASSERT_EQ(opened.rows.size(), qsizetype(std::size(kStoredValues)));
    EXPECT_EQ(bytes, wire::encodeAnswer(opened));
    EXPECT_EQ(bytes, wire::encodeAnswer(dispatcher.handle(streamed)));
    for (qsizetype r = 0; r < opened.rows.size(); ++r) {
        const QVariantList &row = opened.rows[r];
        SCOPED_TRACE(kStoredValues[r]);
        // Each row alone, so that a disagreement names its stored value.
        wire::Answer one = opened;
        one.rows = {row};
        EXPECT_NO_THROW(fuzz::decodeAnswerBothWays(wire::encodeAnswer(one)));
    }
    const wire::Answer back = fuzz::decodeAnswerBothWays(bytes);

    // A few cells, so that a reading that lost its values shows here too.
    auto at = [&](const char *stored, int column) {
        const auto it = std::find_if(std::begin(kStoredValues), std::end(kStoredValues),
                                     [&](const char *v) { return std::strcmp(v, stored) == 0; });
        return back.rows[it - std::begin(kStoredValues)][column];
    };
    EXPECT_EQ(at("'2026-03-05 10:20:30'", 6).toDateTime(), QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30)));
    EXPECT_EQ(at("'20260305'", 6).toDateTime(), QDateTime(QDate(2026, 3, 5), QTime(0, 0)));
    EXPECT_FALSE(at("'2026-02-30'", 6).isValid());
    EXPECT_EQ(at("'품목이름'", 0).toString(), QStringLiteral("품목이름"));
    EXPECT_EQ(at("CAST(X'C328' AS TEXT)", 0).toString(), QStringLiteral("\uFFFD("));
    EXPECT_EQ(at("9223372036854775807", 0).toString(), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(at("1.5", 4).toLongLong(), 15000);
    EXPECT_EQ(at("' 12 '", 2).toLongLong(), 12);
    EXPECT_EQ(at("'TRUE'", 5).toBool(), true);
    EXPECT_EQ(at("CAST(X'410042' AS TEXT)", 0).toString(), QString::fromUtf8("A\0B", 3));
}

// The procedures that stream give the same answers either way, and a terminal
// reads them over HTTP as the general reader reads the values encoded.
TEST_F(AnswerBytes, StreamingProceduresAnswerTheSameOverTheWire)
{
    RemoteConnection conn;
    conn.setTargetUrl(server().url());
    conn.setTerminalKey(TestServer::demoKey());
    const struct {
        const char *command;
        Params params;
    } calls[] = {
        {"GP_SELECT_F0200_STOCK_POS_ITEMS", {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"A_NAME", ""}}},
        {"GP_SELECT_F0200_STOCK_POS_ITEMS", {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"A_NAME", " 빵 "}}},
        {"GP_SELECT_F0200_STOCK_POS_ITEMS", {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"A_NAME", "없는 품목"}}},
        {"GP_SELECT_F0060_STOCK_POS_TYPEA", {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}}},
        {"GP_SELECT_F0061_STOCK_POS_TYPEB", {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}}},
    };
    for (const auto &c : calls) {
        SCOPED_TRACE(c.command);
        const wire::Request req = request(QString::fromLatin1(c.command), c.params);
        const wire::Answer values = server().dispatcher().handle(req);
        ASSERT_FALSE(values.isError()) << values.error.toStdString();
        EXPECT_EQ(server().dispatcher().handleEncoded(req), wire::encodeAnswer(values));
        EXPECT_TRUE(fuzz::sameAnswer(conn.call(req), wire::decodeAnswerGeneral(wire::encodeAnswer(values))));
    }
    EXPECT_EQ(server().dispatcher().handle(request(QStringLiteral("GP_SELECT_F0200_STOCK_POS_ITEMS"),
                                                   {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"A_NAME", ""}}))
                  .rows.size(),
              25);
}

// Answers the quick reader leaves to the general one, valid or not: both
// ways give the same answer or the same refusal.
TEST_F(AnswerBytes, UnusualAnswerFormsReadAsTheGeneralReaderReadsThem)
{
    auto cbor = [](auto &&write) {
        QByteArray out;
        QCborStreamWriter w(&out);
        write(w);
        return out;
    };
    auto column = [](QCborStreamWriter &w, const char *name, wire::Type type) {
        w.startArray(3);
        w.append(QLatin1String(name));
        w.append(qint64(type));
        w.append(qint64(0));
        w.endArray();
    };
    // One column of `type` and one row holding the cell `cell` writes.
    auto oneCell = [&](wire::Type type, auto &&cell, bool indefinite = false) {
        return cbor([&](QCborStreamWriter &w) {
            indefinite ? w.startMap() : w.startMap(2);
            w.append(QLatin1String("columns"));
            w.startArray(1);
            column(w, "X", type);
            w.endArray();
            w.append(QLatin1String("rows"));
            indefinite ? w.startArray() : w.startArray(1);
            w.startArray(1);
            cell(w);
            w.endArray();
            w.endArray();
            w.endMap();
        });
    };
    const QList<QByteArray> answers = {
        oneCell(wire::Type::Integer, [](QCborStreamWriter &w) { w.append(10.0); }),
        oneCell(wire::Type::Integer, [](QCborStreamWriter &w) { w.append(10.5); }),
        oneCell(wire::Type::Integer, [](QCborStreamWriter &w) { w.append(QLatin1String(" 12 ")); }),
        oneCell(wire::Type::Integer, [](QCborStreamWriter &w) { w.append(true); }),
        oneCell(wire::Type::Integer, [](QCborStreamWriter &w) { w.append(quint64(1) << 63); }),
        oneCell(wire::Type::Currency, [](QCborStreamWriter &w) { w.append(QLatin1String("1.25")); }),
        oneCell(wire::Type::Float, [](QCborStreamWriter &w) { w.append(qfloat16(1.5)); }),
        oneCell(wire::Type::Float, [](QCborStreamWriter &w) { w.append(1.25f); }),
        oneCell(wire::Type::Float, [](QCborStreamWriter &w) { w.append(qint64(-3)); }),
        oneCell(wire::Type::Float, [](QCborStreamWriter &w) { w.append(std::numeric_limits<double>::infinity()); }),
        oneCell(wire::Type::Float, [](QCborStreamWriter &w) { w.append(QLatin1String("2.5")); }),
        oneCell(wire::Type::Boolean, [](QCborStreamWriter &w) { w.append(qint64(1)); }),
        oneCell(wire::Type::Boolean, [](QCborStreamWriter &w) { w.append(qint64(2)); }),
        oneCell(wire::Type::Boolean, [](QCborStreamWriter &w) { w.append(QLatin1String("true")); }),
        oneCell(wire::Type::Boolean, [](QCborStreamWriter &w) { w.append(QCborSimpleType(99)); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.append(qint64(7)); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.append(QLatin1String("")); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.appendTextString("\xEF\xBB\xBFok", 5); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.appendTextString("\xC3\x28", 2); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.append(QByteArray("bytes")); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.append(QCborTag(1)); w.append(qint64(0)); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.appendUndefined(); }),
        oneCell(wire::Type::String, [](QCborStreamWriter &w) { w.append(QLatin1String("x")); }, true),
        oneCell(wire::Type::DateTime, [](QCborStreamWriter &w) { w.append(QLatin1String("   ")); }),
        oneCell(wire::Type::DateTime, [](QCborStreamWriter &w) { w.append(QLatin1String(" 2026-03-05")); }),
        oneCell(wire::Type::DateTime, [](QCborStreamWriter &w) { w.append(QLatin1String("2026-03-05 10:20")); }),
        oneCell(wire::Type::DateTime, [](QCborStreamWriter &w) { w.append(QString(QChar(0x3000))); }),
        oneCell(wire::Type::DateTime, [](QCborStreamWriter &w) { w.append(qint64(20260305)); }),
        // Hand-made: integers in longer forms than needed, a repeated key,
        // rows before columns, an unknown key, trailing bytes, a short row,
        // a null count, an unknown column kind, an empty map.
        QByteArray::fromHex("a267636f6c756d6e738183615819000319000064726f777381811900ff"),
        QByteArray::fromHex("a367636f6c756d6e738183615803006861666665637465640068616666656374656401"),
        QByteArray::fromHex("a264726f777381810167636f6c756d6e73818361580300"),
        QByteArray::fromHex("a367636f6c756d6e7381836158030064726f77738063666f6f01"),
        QByteArray::fromHex("a1656572726f72606161"),
        QByteArray::fromHex("a267636f6c756d6e73828361580300836159030064726f7773818101"),
        QByteArray::fromHex("a1686166666563746564f6"),
        QByteArray::fromHex("a167636f6c756d6e73818361580800"),
        QByteArray::fromHex("a0"),
    };
    for (const QByteArray &bytes : answers) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        try {
            fuzz::decodeAnswerBothWays(bytes);
        } catch (const wire::DecodeError &) {
            // refused the same way by both
        } catch (const std::logic_error &e) {
            ADD_FAILURE() << e.what();
        }
    }
}

} // namespace
