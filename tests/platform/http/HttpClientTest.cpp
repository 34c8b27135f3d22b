#include "platform/http/HttpClient.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

// A loopback server with a page of 200 000 bytes, an error page and a
// server error.
class HttpGet : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new httplib::Server;
        s_server->Get("/big", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(bigBody(), "application/octet-stream");
        });
        s_server->Get("/fail", [](const httplib::Request &, httplib::Response &res) {
            res.status = 500;
            res.set_content("RALD=9,MUPDATER=9,KV_RALD=9", "text/plain");
        });
        s_port = s_server->bind_to_any_port("127.0.0.1");
        s_thread = new std::thread([] { s_server->listen_after_bind(); });
    }
    static void TearDownTestSuite()
    {
        s_server->stop();
        s_thread->join();
        delete s_thread;
        delete s_server;
    }

    static std::string bigBody()
    {
        std::string body(200000, '\0');
        for (size_t i = 0; i < body.size(); ++i)
            body[i] = char(i * 7 + i / 251);
        return body;
    }
    static QString url(const char *path) { return QStringLiteral("http://127.0.0.1:%1%2").arg(s_port).arg(QLatin1String(path)); }

    static httplib::Server *s_server;
    static std::thread *s_thread;
    static int s_port;
};

httplib::Server *HttpGet::s_server = nullptr;
std::thread *HttpGet::s_thread = nullptr;
int HttpGet::s_port = 0;

} // namespace

TEST_F(HttpGet, ReadsTheWholeBodyReportingProgress)
{
    qint64 last = -1;
    qint64 announced = 0;
    int calls = 0;
    bool ordered = true;
    const http::GetResult r = http::Get(url("/big"), [&](qint64 received, qint64 total) {
        ordered = ordered && received >= last;
        last = received;
        announced = total;
        ++calls;
        return true;
    });
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body.toStdString(), bigBody());
    EXPECT_EQ(announced, 200000);
    EXPECT_EQ(last, 200000);
    EXPECT_TRUE(ordered);
    EXPECT_GT(calls, 2) << "progress while the body arrives, and once when it begins";
}

TEST_F(HttpGet, FailuresCarryAMessageAndNoBody)
{
    struct Case { QString url; http::Progress progress; int status; const char *error; bool cancelled; };
    const Case cases[] = {
        {url("/missing"), {}, 404, "HTTP 404 Not Found", false},
        {url("/fail"), {}, 500, "HTTP 500", false},
        {url("/big"), [](qint64 received, qint64) { return received < 50000; }, 200, "cancelled", true},
        {QStringLiteral("http://127.0.0.1:1/x"), {}, 0, "cannot connect to the server", false},
        {QStringLiteral("ftp://127.0.0.1/x"), {}, 0, "not an http address: ftp://127.0.0.1/x", false},
    };
    for (const Case &c : cases) {
        const http::GetResult r = http::Get(c.url, c.progress);
        EXPECT_FALSE(r.ok) << c.error;
        EXPECT_EQ(r.status, c.status) << c.error;
        EXPECT_EQ(r.error, QString::fromLatin1(c.error));
        EXPECT_EQ(r.cancelled, c.cancelled) << c.error;
        EXPECT_TRUE(r.body.isEmpty()) << c.error;
    }
}

namespace {

// GET against a server that sends `answer` as it stands and hangs up.
http::GetResult getFromRawServer(const std::string &answer)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0
        || ::listen(listener, 1) != 0) {
        ADD_FAILURE() << "no listening socket";
        return {};
    }
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len);
    std::thread server([listener, answer] {
        const int c = ::accept(listener, nullptr, nullptr);
        char request[4096];
        [[maybe_unused]] const ssize_t got = ::recv(c, request, sizeof request, 0);
        [[maybe_unused]] const ssize_t sent = ::send(c, answer.data(), answer.size(), MSG_NOSIGNAL);
        ::close(c);
    });
    const http::GetResult r = http::Get(QStringLiteral("http://127.0.0.1:%1/KV_RALD.bz2").arg(ntohs(addr.sin_port)));
    server.join();
    ::close(listener);
    return r;
}

} // namespace

TEST(HttpGetRaw, ShortOrOversizedBodiesFail)
{
    struct Case { const char *name; std::string answer; const char *error; };
    const Case cases[] = {
        {"100 announced, 40 sent",
         "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\n" + std::string(40, 'x'), nullptr},
        {"5 GB announced",
         "HTTP/1.1 200 OK\r\nContent-Length: 5000000000\r\nConnection: close\r\n\r\n" + std::string(40, 'x'),
         "the answer is larger than 1073741824 bytes"},
    };
    for (const Case &c : cases) {
        const http::GetResult r = getFromRawServer(c.answer);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.error.isEmpty()) << c.name;
        if (c.error) {
            EXPECT_EQ(r.error, QString::fromLatin1(c.error)) << c.name;
        }
        EXPECT_TRUE(r.body.isEmpty()) << c.name;
    }
}
