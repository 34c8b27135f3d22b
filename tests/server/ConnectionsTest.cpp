// The server under many connections, stalled and hostile clients: framing
// limits, the log, reused statements and the fuzz seeds.

#include "ServerTestUtil.h"

#include "HqServer.h"
#include "fuzz/FuzzTargets.h"
#include "platform/remote/RemoteConnection.h"
#include "support/RawClient.h"

#include <QCborStreamWriter>
#include <QDir>
#include <QFile>

#include <httplib.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace servertest;
using namespace std::chrono_literals;

namespace {

class Connections : public ServerSuite {
protected:
    // A user-list call on a new connection that gives up after `timeoutMs`.
    static void expectUserList(int port, int timeoutMs = 3000)
    {
        RemoteConnection conn;
        conn.setTargetUrl(QStringLiteral("http://127.0.0.1:%1/BIN").arg(port));
        conn.setTerminalKey(TestServer::demoKey());
        conn.setConnectTimeoutMs(timeoutMs);
        conn.setCallTimeoutMs(timeoutMs);
        conn.Connect();
        const wire::Answer a = conn.call(request(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"),
                                                 {{"@A_CMCD", QStringLiteral("9999")}, {"@A_STCD", QStringLiteral("9999")}}));
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(a.rows.size(), 3);
    }

    static std::string post(const std::string &body)
    {
        return "POST /BIN HTTP/1.1\r\nHost: t\r\n" + callHeaderLines() + "Content-Type: application/cbor\r\nContent-Length: "
               + std::to_string(body.size()) + "\r\n\r\n" + body;
    }
};

// A request written value by value as CBOR, so that a value may disagree with
// its declared kind (the encoder would convert it).
struct RawParam {
    const char *name;
    int kind;
    QVariant value;
};
std::string rawRequest(const char *command, std::initializer_list<RawParam> params)
{
    QByteArray out;
    QCborStreamWriter w(&out);
    w.startMap(4);
    w.append(QLatin1String("provider"));
    w.append(QLatin1String("dspStoredProc1"));
    w.append(QLatin1String("command"));
    w.append(QLatin1String(command));
    w.append(QLatin1String("mode"));
    w.append(QLatin1String("open"));
    w.append(QLatin1String("params"));
    w.startArray(params.size());
    for (const RawParam &p : params) {
        w.startArray(3);
        w.append(QLatin1String(p.name));
        w.append(qint64(p.kind));
        if (p.value.typeId() == QMetaType::QString)
            w.append(p.value.toString());
        else if (p.value.typeId() == QMetaType::Double)
            w.append(p.value.toDouble());
        else
            w.append(p.value.toLongLong());
        w.endArray();
    }
    w.endArray();
    w.endMap();
    return out.toStdString();
}

} // namespace

TEST_F(Connections, IdleAndStalledClientsHoldNoWorkerAndTheOldestIdleGoFirst)
{
    hq::HqServer::Options options;
    options.port = 0;
    options.threads = 2;
    options.stallSeconds = 1;
    options.maxIdleConnections = 300;
    hq::HqServer http(server().dispatcher(), options);
    http.start();
    const int port = http.port();

    // 256 terminals that called once and keep their connection open.
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 256; ++i) {
        idle.push_back(std::make_unique<RawClient>(port));
        ASSERT_TRUE(idle.back()->send("GET /BIN HTTP/1.1\r\nHost: t\r\n\r\n"));
        ASSERT_EQ(idle.back()->readStatus(3s), 200) << "idle connection " << i;
    }
    // 16 clients stalled in the body, 16 in the head: more than the workers.
    std::vector<std::unique_ptr<RawClient>> stalled;
    for (int i = 0; i < 16; ++i) {
        stalled.push_back(std::make_unique<RawClient>(port));
        ASSERT_TRUE(stalled.back()->send("POST /BIN HTTP/1.1\r\nHost: t\r\nContent-Length: 100\r\n\r\nabc"));
        stalled.push_back(std::make_unique<RawClient>(port));
        ASSERT_TRUE(stalled.back()->send("POST /BIN HTTP/1.1\r\nHost: t\r\nContent-Le"));
    }
    expectUserList(port);

    // The stalled requests are dropped after the stall time; the idle connections stay.
    for (auto &c : stalled)
        EXPECT_TRUE(c->closedWithin(5s));
    EXPECT_FALSE(idle.front()->closedWithin(10ms));

    // Beyond the idle limit the oldest idle connections are closed, the others kept.
    std::vector<std::unique_ptr<RawClient>> more;
    for (int i = 0; i < 50; ++i) {
        more.push_back(std::make_unique<RawClient>(port));
        ASSERT_TRUE(more.back()->send("GET /BIN HTTP/1.1\r\nHost: t\r\n\r\n"));
        ASSERT_EQ(more.back()->readStatus(3s), 200);
    }
    // 256 + 50 = 306 idle: the oldest six or so go (two workers may swap
    // neighbours, and the user-list connection may not have left yet).
    std::this_thread::sleep_for(200ms);
    int closedOldest = 0;
    for (int i = 0; i < 10; ++i)
        closedOldest += idle[size_t(i)]->closedWithin(1ms) ? 1 : 0;
    EXPECT_GE(closedOldest, 5);
    for (size_t i = 10; i < idle.size(); ++i)
        EXPECT_FALSE(idle[i]->closedWithin(1ms)) << "idle connection " << i;
    EXPECT_FALSE(more.back()->closedWithin(10ms));

    // An idle connection still answers.
    ASSERT_TRUE(idle[100]->send("GET /BIN HTTP/1.1\r\nHost: t\r\n\r\n"));
    EXPECT_EQ(idle[100]->readStatus(3s), 200);
    expectUserList(port);
    http.stop();
}

TEST_F(Connections, FramingErrorsAreAnsweredAtOnce)
{
    std::string chunked = "POST /BIN HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\n\r\n";
    const std::string piece(64 * 1024, '\xa1');
    for (int i = 0; i < 80; ++i) // 5 MiB
        chunked += "10000\r\n" + piece + "\r\n";
    chunked += "0\r\n\r\n";
    const std::string repeated = std::string("\xa4", 1) + "\x67" "command" "\x64" "GP_X" "\x64" "mode" "\x64" "open"
                                 + "\x67" "command" "\x64" "GP_Y" "\x66" "params" "\x80";
    struct Case {
        const char *what;
        std::string bytes;
        int status;
    };
    const Case cases[] = {
        {"declared 50 MB, nothing sent", "POST /BIN HTTP/1.1\r\nHost: t\r\nContent-Length: 50000000\r\n\r\n", 413},
        {"no length", "POST /BIN HTTP/1.1\r\nHost: t\r\nContent-Type: application/cbor\r\n\r\n", 411},
        {"chunked over 4 MiB", chunked, 413},
        {"bad chunk size", "POST /BIN HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", 400},
        {"not HTTP", "HELLO THERE\r\n\r\n", 400},
        {"repeated map key", post(repeated), 400},
        {"unknown path", post(repeated).replace(6, 3, "BOX"), 404},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RawClient client(server().port());
        ASSERT_TRUE(client.connected());
        client.send(c.bytes); // the server may stop reading before the end
        // Well within the five seconds a stalled request is given.
        EXPECT_EQ(client.readStatus(2s), c.status);
        expectUserList(server().port());
    }
}

TEST_F(Connections, TheLogNeverHoldsAValueSent)
{
    std::mutex mutex;
    QStringList lines;
    server().dispatcher().setLog([&](const QString &line) {
        std::lock_guard lock(mutex);
        lines << line;
    });
    const QString marker = QStringLiteral("MARKER-4C1D");
    const QString number = QStringLiteral("4417731");
    const std::string bodies[] = {
        // a password sent as an integer
        rawRequest("GP_SELECT_F0050_POS_LOGIN", {{"@A_CMCD", 1, QStringLiteral("9999")}, {"@A_PWD", 3, marker}}),
        // a kind, a month and a setting that are not what they should be
        rawRequest("GP_SELECT_MAXNUMBER", {{"A_CMCD", 1, QStringLiteral("9999")}, {"A_BUUT", 1, QStringLiteral("9999")},
                                           {"A_GUBUN", 1, marker}, {"A_MONTH", 1, QStringLiteral("202401")}}),
        rawRequest("GP_SELECT_MAXNUMBER", {{"A_CMCD", 1, QStringLiteral("9999")}, {"A_BUUT", 1, QStringLiteral("9999")},
                                           {"A_GUBUN", 3, number.toLongLong()}, {"A_MONTH", 1, QStringLiteral("202401")}}),
        rawRequest("GP_SELECT_MAXNUMBER", {{"A_CMCD", 1, QStringLiteral("9999")}, {"A_BUUT", 1, QStringLiteral("9999")},
                                           {"A_GUBUN", 3, 10}, {"A_MONTH", 1, marker}}),
        rawRequest("GP_UPSERT_F0000_POS_CONFIG", {{"A_COMPANYCODE", 1, QStringLiteral("9999")},
                                                  {"A_STORECODE", 1, QStringLiteral("9999")},
                                                  {"A_POSNO", 1, QStringLiteral("98")}, {"A_SubMonitor", 1, marker}}),
        rawRequest("GP_SELECT_F4500_POS_NOTICE", {{"@FBCMCD", 1, QStringLiteral("9999")}, {"@FBNUMB", 4, 4417731.5}}),
    };
    httplib::Client http("127.0.0.1", server().port());
    authorize(http);
    for (const std::string &body : bodies) {
        auto res = http.Post("/BIN", body, "application/cbor");
        ASSERT_TRUE(res);
        const wire::Answer a = wire::decodeAnswer(QByteArray::fromStdString(res->body));
        ASSERT_TRUE(a.isError());
        // The caller is told what was wrong with what it sent.
        EXPECT_TRUE(a.error.contains(marker) || a.error.contains(number)) << a.error.toStdString();
    }
    http.stop();
    server().dispatcher().setLog([](const QString &) {});

    std::lock_guard lock(mutex);
    EXPECT_EQ(lines.size(), std::size(bodies));
    for (const QString &line : lines) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_FALSE(line.contains(marker));
        EXPECT_FALSE(line.contains(number));
        EXPECT_TRUE(line.contains(u"not an integer") || line.contains(u"not a boolean") || line.contains(u"unknown document kind")
                    || line.contains(u"invalid month"));
    }
}

TEST_F(Connections, StatementsArePreparedOnceAndReleasedAfterEachUse)
{
    const Params items = {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}};
    ASSERT_FALSE(call(QStringLiteral("GP_SELECT_F0200_STOCK_POS_ITEMS"), items).isError());
    int prepared = 0;
    {
        auto lease = server().store().acquire(); // the connection the call used (the pool is last in, first out)
        prepared = lease.statements().prepares();
    }
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(call(QStringLiteral("GP_SELECT_F0200_STOCK_POS_ITEMS"), items).isError());
    {
        auto lease = server().store().acquire();
        EXPECT_EQ(lease.statements().prepares(), prepared);
    }

    // A reused statement holds no old snapshot: draws alternating between two
    // connections stay consecutive.
    const Params draw = {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                         {"A_GUBUN", 12}, {"A_MONTH", QStringLiteral("203001")}};
    const auto number = [&] {
        const wire::Answer a = call(QStringLiteral("GP_SELECT_MAXNUMBER"), draw);
        EXPECT_FALSE(a.isError()) << a.error.toStdString();
        return cell(a, 0, QStringLiteral("numb")).toLongLong();
    };
    const qint64 first = number();
    for (int i = 1; i <= 4; ++i) {
        if (i % 2) {
            auto held = server().store().acquire(); // the next call takes another connection
            EXPECT_EQ(number(), first + i);
        } else {
            EXPECT_EQ(number(), first + i);
        }
    }
}

TEST_F(Connections, FuzzSeedsStillPass)
{
    const QDir corpus(QStringLiteral(RALD_FUZZ_CORPUS));
    const QStringList seeds = corpus.entryList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QString &name : seeds) {
        SCOPED_TRACE(name.toStdString());
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
        EXPECT_NO_THROW(fuzz::decodeBytes(data, size_t(bytes.size())));
        EXPECT_NO_THROW(fuzz::dispatchBytes(server().dispatcher(), data, size_t(bytes.size())));
    }
}
