// Dispatch rules, free SQL and the HTTP face of the server.

#include "ServerTestUtil.h"

#include <httplib.h>

using namespace servertest;

namespace {
class Dispatch : public ServerSuite {};
} // namespace

TEST_F(Dispatch, CommandTextAndParameterNamesMatchLoosely)
{
    const char *commands[] = {"GP_SELECT_F0050_POS_USERLIST", "[GP_SELECT_F0050_POS_USERLIST]",
                              "  [gp_select_f0050_pos_userlist]  ", "dbo.GP_SELECT_F0050_POS_USERLIST",
                              "[dbo].[GP_Select_F0050_POS_UserList]"};
    const std::pair<const char *, const char *> names[] = {
        {"@A_CMCD", "@A_STCD"}, {"a_cmcd", "A_STCD"}, {"@a_CmCd", "a_stcd"}};
    for (const char *command : commands) {
        for (const auto &[cmcd, stcd] : names) {
            SCOPED_TRACE(std::string(command) + " " + cmcd);
            const wire::Answer a = call(QString::fromLatin1(command),
                                        {{cmcd, QStringLiteral("9999")}, {stcd, QStringLiteral("9999")},
                                         {"@NOT_A_PARAMETER", QStringLiteral("x")}});
            ASSERT_FALSE(a.isError()) << a.error.toStdString();
            EXPECT_EQ(column(a, QStringLiteral("UIPUSR")),
                      QStringList({QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003")}));
        }
    }
    // The list never carries secrets.
    const wire::Answer a = call(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"), {});
    EXPECT_EQ(col(a, QStringLiteral("UIPWHASH")), -1);
    EXPECT_EQ(col(a, QStringLiteral("UIBAR")), -1);
}

TEST_F(Dispatch, NumbersArriveAsTextFloatCurrencyOrInteger)
{
    const wire::Param kinds[] = {
        {QStringLiteral("A_GUBUN"), wire::Type::String, QStringLiteral(" 14 ")},
        {QStringLiteral("A_GUBUN"), wire::Type::Float, 14.0},
        {QStringLiteral("A_GUBUN"), wire::Type::Currency, qint64(140000)},
        {QStringLiteral("A_GUBUN"), wire::Type::SmallInt, qint64(14)},
    };
    int expected = 0;
    for (const wire::Param &kind : kinds) {
        wire::Request r = request(QStringLiteral("[GP_SELECT_MAXNUMBER]"),
                                  {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                   {"A_MONTH", QStringLiteral("202405")}});
        r.params.append(kind);
        const wire::Answer a = server().dispatcher().handle(r);
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(cell(a, 0, QStringLiteral("numb")).toInt(), ++expected);
    }
}

TEST_F(Dispatch, LooseValuesAreRefusedWithTheirMessage)
{
    const Params draw = {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                         {"A_MONTH", QStringLiteral("202406")}};
    auto drawWith = [&](const char *name, wire::Type type, const QVariant &value) {
        wire::Request r = request(QStringLiteral("[GP_SELECT_MAXNUMBER]"), draw);
        r.params.append({QString::fromLatin1(name), type, value});
        return r;
    };
    wire::Request kind = drawWith("A_GUBUN", wire::Type::Integer, qint64(11));
    struct Case {
        const char *what;
        wire::Request request;
        const char *error;
    };
    const Case cases[] = {
        {"fraction", drawWith("A_GUBUN", wire::Type::Float, 10.5), "parameter A_GUBUN: value \"10.5\" is not an integer"},
        {"exponent", drawWith("A_GUBUN", wire::Type::String, QStringLiteral("1e1")),
         "parameter A_GUBUN: value \"1e1\" is not an integer"},
        {"boolean", drawWith("A_GUBUN", wire::Type::Boolean, true), "parameter A_GUBUN: value \"true\" is not an integer"},
        {"word", drawWith("A_GUBUN", wire::Type::String, QStringLiteral("열넷")),
         "parameter A_GUBUN: value \"열넷\" is not an integer"},
        {"huge", drawWith("A_GUBUN", wire::Type::Float, 1e300), "parameter A_GUBUN: value \"1e+300\" is not an integer"},
        {"unknown kind", drawWith("A_GUBUN", wire::Type::Integer, qint64(5000)), "unknown document kind 5000"},
        {"no company", [&] {
             wire::Request r = kind;
             r.params[0].value = QStringLiteral(" ");
             return r;
         }(), "company and store are required"},
        {"no store", [&] {
             wire::Request r = kind;
             r.params[1].value = QVariant();
             return r;
         }(), "company and store are required"},
        {"month", [&] {
             wire::Request r = kind;
             r.params[2].value = QStringLiteral("202413");
             return r;
         }(), "invalid month \"202413\""},
        {"boolean 2", request(QStringLiteral("GP_UPSERT_F0000_POS_CONFIG"),
                              {{"A_COMPANYCODE", QStringLiteral("9999")}, {"A_STORECODE", QStringLiteral("9999")},
                               {"A_POSNO", QStringLiteral("97")}, {"A_SubMonitor", 2}}),
         "parameter A_SubMonitor: value \"2\" is not a boolean"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(server().dispatcher().handle(c.request).error.toStdString(), c.error);
    }
    // The valid forms still pass.
    EXPECT_FALSE(server().dispatcher().handle(kind).isError());
    const wire::Answer saved = call(QStringLiteral("GP_UPSERT_F0000_POS_CONFIG"),
                                    {{"A_COMPANYCODE", QStringLiteral("9999")}, {"A_STORECODE", QStringLiteral("9999")},
                                     {"A_POSNO", QStringLiteral("97")}, {"A_SubMonitor", 1}, {"A_SubTop", QStringLiteral("+12")}});
    EXPECT_FALSE(saved.isError()) << saved.error.toStdString();
}

TEST_F(Dispatch, UnknownProcedureIsAnErrorAnswer)
{
    for (const char *command : {"GP_NOT_THERE", "", "[]", "dbo.", "GP_SELECT_F0050_POS_USERLIST; DROP TABLE F0050"}) {
        SCOPED_TRACE(command);
        const wire::Answer a = call(QString::fromLatin1(command), {});
        EXPECT_TRUE(a.isError());
        EXPECT_TRUE(a.error.startsWith(QStringLiteral("unknown procedure")));
    }
}

TEST_F(Dispatch, EmptyAnswersCarryTheirColumns)
{
    struct Case {
        const char *command;
        Params params;
        const char *column;
    };
    const Case cases[] = {
        {"GP_SELECT_F0050_POS_USERLIST", {{"@A_CMCD", QStringLiteral("0000")}}, "CDNAME"},
        {"[GP_SELECT_F0000_POS_CONFIG]", {{"@A_COMPANYCODE", QStringLiteral("0000")}}, "PrMessage1"},
        {"[GP_SELECT_F0200_STOCK_POS_ITEMS]", {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                              {"A_NAME", QStringLiteral("없는상품")}}, "MHEPRI"},
        {"[GP_SELECT_F0060_STOCK_POS_TYPEA]", {}, "GKSEQ1"},
        {"[GP_SELECT_F0061_STOCK_POS_TYPEB]", {}, "MKSEQ1"},
        {"[GP_SELECT_F3230_CHECKBUUT_BALJU_CHULGO]", {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                                      {"A_ADNB", QStringLiteral("99999999")}}, "ULporderyn"},
        {"[GP_SELECT_F0030_RALD]", {{"A_CMCD", QStringLiteral("9999")}, {"A_USGR", QString()}}, "deau"},
        {"[GP_SELECT_F4500_POS_NOTICE]", {{"@FBCMCD", QStringLiteral("9999")}, {"@FBNUMB", 99}}, "FBNUMB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        const wire::Answer a = call(QString::fromLatin1(c.command), c.params);
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_TRUE(a.rows.isEmpty());
        EXPECT_GE(col(a, QString::fromLatin1(c.column)), 0);
        // ... and they survive the wire.
        EXPECT_EQ(wire::decodeAnswer(wire::encodeAnswer(a)).columns.size(), a.columns.size());
    }
}

TEST_F(Dispatch, FreeSqlAnswersOnlyTheKnownTexts)
{
    const QString cr = QStringLiteral("\r");
    const QString unit = QStringLiteral(" SELECT  IMMDAN,IMLDAN from f0200 ") + cr + QStringLiteral(" WHERE imcmcd = '9999' ")
                         + cr + QStringLiteral(" AND imbuut   = '9999' ") + cr + QStringLiteral(" and imitnb   = '%1' ");
    wire::Answer a = call(unit.arg(QStringLiteral("100001")), {}, QStringLiteral("dspQuery1"));
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("IMMDAN")).toString(), QStringLiteral("BOX"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("IMLDAN")).toString(), QStringLiteral("EA"));

    a = call(unit.arg(QStringLiteral("999999")), {}, QStringLiteral("dspQuery1"));
    EXPECT_TRUE(a.rows.isEmpty());
    EXPECT_EQ(a.columns.size(), 2);

    const QString refused[] = {
        unit.arg(QStringLiteral("100001' OR '1'='1")),
        unit.arg(QStringLiteral("1'; DROP TABLE F0200; --")),
        unit.arg(QStringLiteral("100001")) + QStringLiteral("; DELETE FROM F0200"),
        QStringLiteral("SELECT * FROM F0050"),
        QStringLiteral("SELECT IMMDAN, IMLDAN FROM F0200"),
        QStringLiteral("DELETE FROM F0200"),
        QString(),
    };
    for (const QString &sql : refused) {
        SCOPED_TRACE(sql.toStdString());
        a = call(sql, {}, QStringLiteral("dspQuery1"));
        EXPECT_EQ(a.error, QStringLiteral("unsupported SQL text"));
    }
    EXPECT_EQ(call(unit.arg(QStringLiteral("100001")), {}, QStringLiteral("dspQuery1")).rows.size(), 1);

    const QString time = QStringLiteral(
        "SELECT DATEPART(YYYY, GETDATE()) AS YY, DATEPART(MM, GETDATE()) AS MM, DATEPART(DD, GETDATE()) AS DD, "
        "DATEPART(HH, GETDATE()) AS HH, DATEPART(MI, GETDATE()) AS NN, DATEPART(SS, GETDATE()) AS SS, "
        "DATEPART(MS, GETDATE()) AS MS");
    for (const QString &text : {time, time.toLower().replace(QStringLiteral("yyyy,"), QStringLiteral("year,"))}) {
        a = call(text, {}, QStringLiteral("dspQuery1"));
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        ASSERT_EQ(a.rows.size(), 1);
        const auto v = [&](const char *n) { return cell(a, 0, QString::fromLatin1(n)).toInt(); };
        EXPECT_TRUE(QDate(v("YY"), v("MM"), v("DD")).isValid());
        EXPECT_TRUE(QTime(v("HH"), v("NN"), v("SS"), v("MS")).isValid());
    }
}

TEST_F(Dispatch, MalformedAndOversizedRequestsGetAnErrorAndTheServerCarriesOn)
{
    httplib::Client http("127.0.0.1", server().port());
    authorize(http);
    const wire::Request ok = request(QStringLiteral("[GP_SELECT_F0003_ProductPOSConfig]"),
                                     {{"@pccmcd", QStringLiteral("9999")}, {"@pcbuut", QStringLiteral("9999")},
                                      {"@pcpoid", QStringLiteral("99")}});
    const QByteArray good = wire::encodeRequest(ok);
    const std::string bodies[] = {"not cbor at all", std::string(good.constData(), size_t(good.size() - 2)),
                                  std::string(5 * 1024 * 1024, '\xa1')};
    for (const std::string &body : bodies) {
        auto res = http.Post("/BIN", body, "application/cbor");
        // An oversized body is refused before it is read: the client may see the
        // connection end while it still writes instead of the 413.
        if (res) {
            EXPECT_GE(res->status, 400);
            EXPECT_TRUE(wire::decodeAnswer(QByteArray::fromStdString(res->body)).isError());
        } else {
            EXPECT_GT(body.size(), 4u * 1024 * 1024);
        }

        auto next = http.Post("/BIN", good.constData(), size_t(good.size()), "application/cbor");
        ASSERT_TRUE(next);
        EXPECT_EQ(next->status, 200);
        const wire::Answer b = wire::decodeAnswer(QByteArray::fromStdString(next->body));
        ASSERT_FALSE(b.isError());
        EXPECT_EQ(cell(b, 0, QStringLiteral("pcprst")).toString(), QStringLiteral("1"));
    }
    http.stop();
}

TEST_F(Dispatch, ChunkedBodiesAreHeldToTheSizeLimitToo)
{
    // A body without a length (chunked) is refused as too large, not read whole into memory.
    httplib::Client http("127.0.0.1", server().port());
    const std::string piece(64 * 1024, '\xa1');
    size_t sent = 0;
    auto res = http.Post(
        "/BIN",
        [&](size_t, httplib::DataSink &sink) {
            if (sent >= 16u * 1024 * 1024) {
                sink.done();
                return true;
            }
            sent += piece.size();
            return sink.write(piece.data(), piece.size());
        },
        "application/cbor");
    if (res) { // the client may also see the connection end while it still writes
        EXPECT_EQ(res->status, 413);
        EXPECT_EQ(wire::decodeAnswer(QByteArray::fromStdString(res->body)).error, QStringLiteral("request too large"));
    }
    EXPECT_LT(sent, 16u * 1024 * 1024);
    http.stop();

    // The server carries on.
    httplib::Client next("127.0.0.1", server().port());
    auto health = next.Get("/BIN");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);
}
