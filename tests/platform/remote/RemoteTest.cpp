// The terminal's remote layer against the in-process head-office server.

#include "platform/remote/ClientDataSet.h"
#include "support/TestServer.h"

#include <httplib.h>

#include <thread>

namespace {

class RemoteTest : public TestServerSuite {
protected:
    // A client data set on the suite's connection.
    std::unique_ptr<ClientDataSet> cds(const QString &provider, const QString &command)
    {
            auto c = std::make_unique<ClientDataSet>();
            c->setRemoteServer(&connection());
            c->setProviderName(provider);
            c->setCommandText(command);
            return c;
        }

        static void text(ClientDataSet &c, const QString &name, const QString &value)
        {
            c.Params().CreateParam(FieldType::String, name).setAsString(value);
        }
    };

    } // namespace

    TEST_F(RemoteTest, SignInAndRightsThroughClientDataSets)
    {
        auto login = cds(QStringLiteral("dspStoredProc1"), QStringLiteral("[GP_SELECT_F0050_POS_LOGIN]"));
        text(*login, QStringLiteral("@A_CMCD"), QStringLiteral("9999"));
        text(*login, QStringLiteral("@A_STCD"), QStringLiteral("9999"));
        text(*login, QStringLiteral("@A_USER"), QStringLiteral("1001"));
        text(*login, QStringLiteral("@A_PWD"), QStringLiteral("1234"));
        text(*login, QStringLiteral("@A_BAR"), QString());
        login->Open();
        ASSERT_EQ(login->RecordCount(), 1);
        EXPECT_EQ(login->FieldByName(QStringLiteral("uiadnb")).AsString(), QStringLiteral("90000001"));
        EXPECT_EQ(login->FieldByName(QStringLiteral("ABNAME")).AsString(), QStringLiteral("김관리"));
        EXPECT_TRUE(login->FieldByName(QStringLiteral("UIHAUG")).AsBoolean());
        EXPECT_EQ(login->FieldByName(QStringLiteral("UIHAUG")).DataType(), FieldType::Boolean);

        auto rights = cds(QStringLiteral("dspStoredProc2"), QStringLiteral("[GP_SELECT_F0030_RALD]"));
        text(*rights, QStringLiteral("A_CMCD"), QStringLiteral("9999"));
        text(*rights, QStringLiteral("A_USGR"), login->FieldByName(QStringLiteral("abuserw")).AsString());
        rights->Open();
        EXPECT_EQ(rights->RecordCount(), 15);
        ASSERT_TRUE(rights->Locate(QStringLiteral("slpgid"), QStringLiteral("F20_PURCHASEENTRY")));
        EXPECT_TRUE(rights->FieldByName(QStringLiteral("uaug")).AsBoolean());
        EXPECT_TRUE(rights->FieldByName(QStringLiteral("deau")).AsBoolean());

        // A refused sign-in is an empty answer that still has its columns.
        login->ParamByName(QStringLiteral("@a_pwd")).setAsString(QStringLiteral("4321"));
        login->Open(); // open again: closes first, asks again
        EXPECT_TRUE(login->Active());
        EXPECT_EQ(login->RecordCount(), 0);
        EXPECT_EQ(login->FieldByName(QStringLiteral("UIADNB")).AsString(), QString());
        EXPECT_EQ(login->FieldCount(), 13);
    }

    TEST_F(RemoteTest, CurrencyDatesAndFreeSqlArriveTyped)
    {
        auto items = cds(QStringLiteral("dspStoredProc5"), QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]"));
        text(*items, QStringLiteral("A_CMCD"), QStringLiteral("9999"));
        text(*items, QStringLiteral("A_BUUT"), QStringLiteral("9999"));
        text(*items, QStringLiteral("A_NAME"), QStringLiteral("생크림"));
        items->Open();
        ASSERT_EQ(items->RecordCount(), 1);
        EXPECT_EQ(items->FieldByName(QStringLiteral("IMPRC1")).DataType(), FieldType::Currency);
        EXPECT_EQ(items->FieldByName(QStringLiteral("IMPRC1")).AsCurrency(), Currency(25000));
        EXPECT_TRUE(items->FieldByName(QStringLiteral("IMLADT")).AsDateTime().isValid());

        auto unit = cds(QStringLiteral("dspQuery1"), QString());
        unit->setCommandText(QStringLiteral(" SELECT  IMMDAN,IMLDAN from f0200 \r WHERE imcmcd = '9999' \r"
                                            " AND imbuut   = '9999' \r and imitnb   = '500001' "));
        unit->Open();
        ASSERT_EQ(unit->RecordCount(), 1);
        EXPECT_EQ(unit->FieldByName(QStringLiteral("IMMDAN")).AsString(), QStringLiteral("포대"));
        EXPECT_EQ(unit->FieldByName(QStringLiteral("IMLDAN")).AsString(), QStringLiteral("G"));
    }

    TEST_F(RemoteTest, ExecuteWritesAndClosesAnOpenDataSet)
    {
        auto save = cds(QStringLiteral("dspStoredProc9"), QStringLiteral("[GP_INSERT_F0003_ProductPOSConfig]"));
        text(*save, QStringLiteral("@pccmcd"), QStringLiteral("9999"));
        text(*save, QStringLiteral("@pcbuut"), QStringLiteral("9999"));
        text(*save, QStringLiteral("@pcpoid"), QStringLiteral("98"));
        text(*save, QStringLiteral("@pcprst"), QStringLiteral("2"));
        text(*save, QStringLiteral("@pcwork"), QStringLiteral("90000001"));
        text(*save, QStringLiteral("@pcpgid"), QStringLiteral("DM"));
        EXPECT_EQ(save->Execute(), 1);

        auto load = cds(QStringLiteral("dspStoredProc10"), QStringLiteral("[GP_SELECT_F0003_ProductPOSConfig]"));
        text(*load, QStringLiteral("@pccmcd"), QStringLiteral("9999"));
        text(*load, QStringLiteral("@pcbuut"), QStringLiteral("9999"));
        text(*load, QStringLiteral("@pcpoid"), QStringLiteral("98"));
        load->Open();
        EXPECT_EQ(load->FieldByName(QStringLiteral("pcprst")).AsString(), QStringLiteral("2"));

        // Execute on an open data set closes it first.
        load->setCommandText(QStringLiteral("[GP_INSERT_F0003_ProductPOSConfig]"));
        text(*load, QStringLiteral("@pcprst"), QStringLiteral("1"));
        load->Execute();
        EXPECT_FALSE(load->Active());
    }

    TEST_F(RemoteTest, ServerErrorsBecomeExceptionsWithTheServersText)
    {
        auto c = cds(QStringLiteral("dspStoredProc1"), QStringLiteral("[GP_NO_SUCH_PROC]"));
        try {
            c->Open();
            FAIL() << "no exception";
        } catch (const RemoteError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("unknown procedure [GP_NO_SUCH_PROC]"));
        }
        EXPECT_FALSE(c->Active());

        auto sql = cds(QStringLiteral("dspQuery1"), QStringLiteral("SELECT * FROM F0050"));
        EXPECT_THROW(sql->Open(), RemoteError);

        EXPECT_THROW(c->ParamByName(QStringLiteral("@missing")), DataSetError);
        // The connection is still usable after errors.
        auto list = cds(QStringLiteral("dspStoredProc1"), QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
        text(*list, QStringLiteral("@A_CMCD"), QStringLiteral("9999"));
        text(*list, QStringLiteral("@A_STCD"), QStringLiteral("9999"));
        list->Open();
        EXPECT_EQ(list->RecordCount(), 3);
    }

    TEST_F(RemoteTest, DeclaredFieldsAreFilledByNameAndNullParametersTravelAsNull)
{
    auto list = cds(QStringLiteral("dspStoredProc1"), QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
    list->AddField(QStringLiteral("uipusr"), FieldType::String, 20);
    list->AddField(QStringLiteral("NOT_IN_ANSWER"), FieldType::Integer);
    text(*list, QStringLiteral("@A_CMCD"), QStringLiteral("9999"));
    text(*list, QStringLiteral("@A_STCD"), QStringLiteral("9999"));
    list->Open();
    EXPECT_EQ(list->FieldCount(), 2);
    EXPECT_EQ(list->RecordCount(), 3);
    EXPECT_EQ(list->FieldByName(QStringLiteral("UIPUSR")).AsString(), QStringLiteral("1001"));
    EXPECT_TRUE(list->FieldByName(QStringLiteral("NOT_IN_ANSWER")).IsNull());

    list->ParamByName(QStringLiteral("@A_STCD")).Clear();
    EXPECT_FALSE(list->request(wire::Mode::Open).params[1].value.isValid());
    list->Open();
    EXPECT_EQ(list->RecordCount(), 0);
}

// Stored fields: an answer that lacks one or carries it with another type
// fails the open and leaves the data set closed.
TEST_F(RemoteTest, StoredFieldsRefuseAMissingOrMistypedColumn)
{
    const struct {
        QList<FieldDef> fields;
        const char *error; // empty: opens
    } cases[] = {
        {{{"uipusr", FieldType::String, 20}, {"ABNAME", FieldType::String}}, ""},
        {{{"uipusr", FieldType::String, 20}, {"NOT_IN_ANSWER", FieldType::Integer}},
         "Field 'NOT_IN_ANSWER' not found"},
        {{{"uipusr", FieldType::Float}}, "Type mismatch for field 'uipusr', expecting: Float actual: String"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.error);
        auto list = cds(QStringLiteral("dspStoredProc1"), QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
        list->DeclareStoredFields(c.fields);
        text(*list, QStringLiteral("@A_CMCD"), QStringLiteral("9999"));
        text(*list, QStringLiteral("@A_STCD"), QStringLiteral("9999"));
        if (*c.error == 0) {
            list->Open();
            EXPECT_EQ(list->FieldCount(), 2);
            EXPECT_EQ(list->RecordCount(), 3);
            continue;
        }
        try {
            list->Open();
            ADD_FAILURE() << "opened";
        } catch (const DataSetError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.error))) << e.message().toStdString();
        }
        EXPECT_FALSE(list->Active());
    }
}

TEST(RemoteConnection, NetworkFailuresTimeOutsAndHttpErrorsThrow)
    {
        // Nothing listens on the port of a stopped server.
        TestServer gone;
        gone.start();
        const QString url = gone.url();
        gone.stop();
        RemoteConnection c;
        c.setTargetUrl(url);
        EXPECT_THROW(c.Connect(), RemoteError);
        EXPECT_FALSE(c.Connected());
        wire::Request req;
        req.commandText = QStringLiteral("GP_X");
        EXPECT_THROW(c.call(req), RemoteError);

        // A server that answers too late, and one that answers with an HTTP error.
        httplib::Server slow;
        slow.Post("/late", [](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            res.set_content("x", "text/plain");
        });
        slow.Post("/BIN", [](const httplib::Request &, httplib::Response &res) {
            res.status = 500;
            res.set_content("internal", "text/plain");
        });
        const int port = slow.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        std::thread t([&] { slow.listen_after_bind(); });
        while (!slow.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        {
        RemoteConnection late;
        late.setTargetUrl(QStringLiteral("http://127.0.0.1:%1/late").arg(port));
        late.setCallTimeoutMs(200);
        try {
            late.call(req);
            ADD_FAILURE() << "no time-out";
        } catch (const RemoteError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("no answer from the server"))) << e.what();
        }
        RemoteConnection broken;
        broken.setTargetUrl(QStringLiteral("http://127.0.0.1:%1/BIN").arg(port));
        try {
            broken.call(req);
            ADD_FAILURE() << "no error";
        } catch (const RemoteError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("the server answered HTTP 500"));
        }
        RemoteConnection invalid;
        invalid.setTargetUrl(QStringLiteral("http://:/BIN"));
        EXPECT_THROW(invalid.Connect(), RemoteError);
    } // the clients close their connections before the server stops

    slow.stop();
    t.join();
}

TEST(ClientDataSetParams, ATypeChangedLaterConvertsTheValueItHolds)
{
    ClientDataSet c;
    c.Params().CreateParam(FieldType::String, QStringLiteral("@A_AMT")).setAsString(QStringLiteral("2.5"));
    c.Params().CreateParam(FieldType::Currency, QStringLiteral("@a_amt")); // same parameter, now currency
    c.Params().CreateParam(FieldType::Integer, QStringLiteral("@A_QTY")).setAsInteger(7);
    c.Params().CreateParam(FieldType::String, QStringLiteral("@A_QTY"));
    c.Params().CreateParam(FieldType::String, QStringLiteral("@A_EMPTY")).setAsString(QString());
    const wire::Request r = c.request(wire::Mode::Execute);
    ASSERT_EQ(r.params.size(), 3);
    EXPECT_TRUE(r.params[2].value.isValid()) << "an empty text is not null";
    EXPECT_EQ(r.params[2].value.toString(), QString());
    EXPECT_EQ(r.params[0].type, wire::Type::Currency);
    EXPECT_EQ(r.params[0].value, QVariant(qint64(25000)));
    EXPECT_EQ(r.params[1].value.toString(), QStringLiteral("7"));

    c.Params().CreateParam(FieldType::String, QStringLiteral("@A_BAD")).setAsString(QStringLiteral("abc"));
    c.Params().CreateParam(FieldType::Integer, QStringLiteral("@A_BAD"));
    EXPECT_THROW(c.request(wire::Mode::Execute), DataSetError);
}
