// The terminal's channel over HTTPS, on loopback: a TLS-terminating proxy of
// the test's own in front of the test server, with a certificate signed by a
// test authority (tls/). The system's certificate store is whatever OpenSSL
// reads by default, pointed for this process at a file through SSL_CERT_FILE.

#include "platform/remote/RemoteConnection.h"
#include "support/TestServer.h"

#include <QTemporaryDir>

#include <httplib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

class Tls : public TestServerSuite {
protected:
    void SetUp() override
    {
        const int backend = server().port();
        proxy = std::make_unique<httplib::SSLServer>(RALD_TLS_DIR "/server.pem", RALD_TLS_DIR "/server.key");
        ASSERT_TRUE(proxy->is_valid());
        proxy->Post("/BIN", [backend](const httplib::Request &req, httplib::Response &res) {
            httplib::Client hq("127.0.0.1", backend);
            httplib::Headers headers;
            for (const char *name : {"Authorization", "X-RALD-Session"})
                if (req.has_header(name))
                    headers.emplace(name, req.get_header_value(name));
            auto answer = hq.Post("/BIN", headers, req.body, req.get_header_value("Content-Type").c_str());
            if (!answer) {
                res.status = 502;
                return;
            }
            res.status = answer->status;
            if (answer->has_header("X-RALD-Session"))
                res.set_header("X-RALD-Session", answer->get_header_value("X-RALD-Session"));
            res.set_content(answer->body, "application/cbor");
        });
        port = proxy->bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { proxy->listen_after_bind(); });
        while (!proxy->is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const char *was = std::getenv("SSL_CERT_FILE");
        savedCertFile = was ? std::optional<std::string>(was) : std::nullopt;
    }

    void TearDown() override
    {
        proxy->stop();
        thread.join();
        if (savedCertFile)
            setenv("SSL_CERT_FILE", savedCertFile->c_str(), 1);
        else
            unsetenv("SSL_CERT_FILE");
    }

    std::unique_ptr<RemoteConnection> channel(const QString &host)
    {
        auto c = std::make_unique<RemoteConnection>();
        c->setTargetUrl(QStringLiteral("https://%1:%2/BIN").arg(host).arg(port));
        c->setTerminalKey(server().newTerminalKey());
        c->setConnectTimeoutMs(3000);
        c->setCallTimeoutMs(3000);
        return c;
    }

    static wire::Request userList()
    {
        wire::Request r;
        r.provider = QStringLiteral("dspStoredProc1");
        r.commandText = QStringLiteral("GP_SELECT_F0050_POS_USERLIST");
        r.params = {{QStringLiteral("@A_CMCD"), wire::Type::String, QStringLiteral("9999")},
                    {QStringLiteral("@A_STCD"), wire::Type::String, QStringLiteral("9999")}};
        return r;
    }

    std::unique_ptr<httplib::SSLServer> proxy;
    int port = 0;
    std::thread thread;
    std::optional<std::string> savedCertFile;
};

TEST_F(Tls, CallsAndSignInsGoOverHttpsToATrustedCertificate)
{
    setenv("SSL_CERT_FILE", RALD_TLS_DIR "/ca.pem", 1);
    for (const char *host : {"localhost", "127.0.0.1"}) {
        SCOPED_TRACE(host);
        auto c = channel(QString::fromLatin1(host));
        EXPECT_EQ(c->call(userList()).rows.size(), 3);
        EXPECT_EQ(TestServer::signIn(*c, QStringLiteral("1001")), QStringLiteral("90000001"));
        EXPECT_FALSE(c->Session().isEmpty());
    }
}

TEST_F(Tls, ACertificateTheStoreDoesNotTrustIsRefusedBeforeAnythingIsSent)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    setenv("SSL_CERT_FILE", empty.filePath(QStringLiteral("none.pem")).toLocal8Bit().constData(), 1);
    server().clearCalls();
    auto c = channel(QStringLiteral("localhost"));
    try {
        c->call(userList());
        FAIL() << "the call went through";
    } catch (const RemoteError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("the server's certificate is not trusted")))
            << e.message().toStdString();
    }
    EXPECT_TRUE(server().calls().isEmpty());
}

} // namespace
