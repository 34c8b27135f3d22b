#include "HqServer.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <list>
#include <mutex>
#include <optional>
#include <stdexcept>

namespace hq {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

const char *const kCbor = "application/cbor";
const char *const kHealth = "RALD head office";

// Bytes a refused request may still send after its answer, read and thrown
// away so that closing does not reset the connection before the client has
// read the answer; beyond them (or after a second) the connection just closes.
constexpr size_t kDrainBytes = 4 * 1024 * 1024;
constexpr auto kDrainTime = std::chrono::seconds(1);

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX escapes decoded; '+' is a space in a query.
std::string urlDecode(std::string_view s, bool query)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
            out += char(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
            i += 2;
        } else if (c == '+' && query) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

Query parseQuery(std::string_view q)
{
    Query out;
    while (!q.empty()) {
        const size_t amp = q.find('&');
        const std::string_view item = q.substr(0, amp);
        if (!item.empty()) {
            const size_t eq = item.find('=');
            out.emplace_back(urlDecode(item.substr(0, eq), true),
                             eq == std::string_view::npos ? std::string() : urlDecode(item.substr(eq + 1), true));
        }
        if (amp == std::string_view::npos)
            break;
        q.remove_prefix(amp + 1);
    }
    return out;
}

class Session;

// The key of "Authorization: Bearer <key>"; empty when there is none.
QString bearerKey(beast::string_view header)
{
    while (!header.empty() && header.front() == ' ')
        header.remove_prefix(1);
    if (header.size() < 7 || !beast::iequals(header.substr(0, 7), "Bearer "))
        return {};
    return QString::fromUtf8(header.data() + 7, qsizetype(header.size() - 7)).trimmed();
}

// Whether a Content-Type names CBOR (parameters after ";" aside).
bool isCbor(beast::string_view type)
{
    type = type.substr(0, type.find(';'));
    while (!type.empty() && type.front() == ' ')
        type.remove_prefix(1);
    while (!type.empty() && type.back() == ' ')
        type.remove_suffix(1);
    return beast::iequals(type, kCbor);
}

// The user ID a sign-in request names (the later one of a name sent twice).
QString signInUserId(const wire::Request &request)
{
    QString id;
    for (const wire::Param &p : request.params)
        if (Call::normalName(p.name) == u"a_user")
            id = p.value.toString().trimmed();
    return id;
}

// A parse error of the request itself (not the client going away or a time-out).
bool isMalformed(const beast::error_code &ec)
{
    static const auto &httpErrors = http::make_error_code(http::error::end_of_stream).category();
    return ec && ec.category() == httpErrors && ec != http::error::end_of_stream
           && ec != http::error::partial_message;
}

} // namespace

struct HqServer::Impl {
    Impl(HqServer &owner, Dispatcher &dispatcher)
        : server(owner), access(dispatcher.store()),
          signInPool(std::min(4u, std::max(2u, std::thread::hardware_concurrency() / 2)))
    {
    }

    HqServer &server;
    Access access;
    Dispatcher &dispatcher() { return server.m_dispatcher; }
    const std::vector<PageHandler> &pages() const { return server.m_pages; }
    const Options &options() const { return server.m_options; }

    // Idle keep-alive connections, oldest first; declared before the event
    // loop so that sessions it destroys can still leave the list.
    std::mutex idleMutex;
    std::list<std::weak_ptr<Session>> idle;

    // One event loop per worker, each connection kept on one of them, so that
    // an event is handled by the thread that saw it (no hand-over between
    // threads on every read and write).
    std::vector<std::unique_ptr<asio::io_context>> loops;
    std::vector<asio::executor_work_guard<asio::io_context::executor_type>> work;
    size_t nextLoop = 0;
    asio::io_context acceptLoop;
    tcp::acceptor acceptor{acceptLoop};
    asio::steady_timer acceptRetry{acceptLoop};

    // Sign-ins are judged here, off the connections' event loops. Declared
    // last, so that it is stopped before the loops and the idle list go.
    asio::thread_pool signInPool;
    bool poolStopped = false;

    void accept();
    void stopAll()
    {
        if (!poolStopped) {
            signInPool.stop();
            signInPool.join();
            poolStopped = true;
        }
        acceptLoop.stop();
        for (auto &loop : loops)
            loop->stop();
    }
};

namespace {

class Session : public std::enable_shared_from_this<Session> {
public:
    using Impl = HqServer::Impl;

    Session(Impl &impl, const HqServer::Options &options, tcp::socket socket)
        : m_impl(impl), m_options(options), m_stream(std::move(socket)), m_wait(m_stream.get_executor())
    {
    }
    ~Session() { leaveIdle(); }

    void start()
    {
        beast::error_code ec;
        m_stream.socket().set_option(tcp::no_delay(true), ec);
        waitForRequest();
    }

    // Called through the session's strand when the idle limit is exceeded.
    void evict()
    {
        if (m_state == State::Idle)
            m_stream.close();
    }

    std::list<std::weak_ptr<Session>>::iterator idleEntry;
    bool listedIdle = false; // under the idle mutex

private:
    enum class State { Idle, Busy };

    // Between requests: the connection costs a socket and a pending read.
    void waitForRequest()
    {
        m_parser.emplace();
        m_parser->header_limit(16 * 1024);
        m_parser->body_limit(m_options.maxRequestBytes);
        if (m_buffer.size() > 0) { // the client sent its next request already
            readHead();
            return;
        }
        m_state = State::Idle;
        enterIdle();
        m_stream.expires_after(std::chrono::seconds(m_options.idleSeconds));
        m_stream.async_read_some(m_buffer.prepare(4096),
                                 [self = shared_from_this()](beast::error_code ec, size_t n) {
                                     self->onFirstBytes(ec, n);
                                 });
    }

    void onFirstBytes(beast::error_code ec, size_t n)
    {
        m_state = State::Busy;
        leaveIdle();
        if (ec)
            return close();
        m_buffer.commit(n);
        readHead();
    }

    // The whole head must arrive within the stall time from its first byte.
    void readHead()
    {
        m_state = State::Busy;
        m_stream.expires_after(std::chrono::seconds(m_options.stallSeconds));
        http::async_read_header(m_stream, m_buffer, *m_parser,
                                [self = shared_from_this()](beast::error_code ec, size_t) { self->onHead(ec); });
    }

    void onHead(beast::error_code ec)
    {
        if (ec == http::error::body_limit) // a declared length above the limit: refused before any body
            return refuse(http::status::payload_too_large, QStringLiteral("request too large"));
        if (isMalformed(ec))
            return refuse(http::status::bad_request, QStringLiteral("malformed HTTP request"));
        if (ec)
            return close();
        const auto &req = m_parser->get();
        if (req.method() == http::verb::post && !m_parser->content_length() && !m_parser->chunked())
            return refuse(http::status::length_required, QStringLiteral("length required"));
        if (m_parser->is_done())
            return answer();
        if (beast::iequals(req[http::field::expect], "100-continue")) {
            static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
            m_stream.expires_after(std::chrono::seconds(m_options.writeSeconds));
            asio::async_write(m_stream, asio::buffer(kContinue, sizeof kContinue - 1),
                              [self = shared_from_this()](beast::error_code ec, size_t) {
                                  if (ec)
                                      return self->close();
                                  self->readBody();
                              });
            return;
        }
        readBody();
    }

    // The body may come slowly, but each piece within the stall time.
    void readBody()
    {
        m_stream.expires_after(std::chrono::seconds(m_options.stallSeconds));
        http::async_read_some(m_stream, m_buffer, *m_parser,
                              [self = shared_from_this()](beast::error_code ec, size_t) { self->onBody(ec); });
    }

    void onBody(beast::error_code ec)
    {
        if (ec == http::error::body_limit)
            return refuse(http::status::payload_too_large, QStringLiteral("request too large"));
        if (isMalformed(ec))
            return refuse(http::status::bad_request, QStringLiteral("malformed HTTP request"));
        if (ec)
            return close();
        if (!m_parser->is_done())
            return readBody();
        answer();
    }

    void answer()
    {
        const auto &req = m_parser->get();
        m_res = {};
        m_res.version(req.version());
        m_res.keep_alive(req.keep_alive());
        const std::string_view target(req.target().data(), req.target().size());
        const size_t q = target.find('?');
        const std::string path = urlDecode(target.substr(0, q), false);
        const bool bin = path == "/BIN";
        if (req.method() == http::verb::post && bin) {
            if (!answerCall(req)) { // answered later, off this loop
                m_parser.reset();
                return;
            }
        } else if (req.method() == http::verb::get && bin) {
            m_res.result(http::status::ok);
            m_res.set(http::field::content_type, "text/plain");
            m_res.body() = kHealth;
        } else if (req.method() == http::verb::get) {
            answerPage(path, q == std::string_view::npos ? Query() : parseQuery(target.substr(q + 1)));
        } else {
            const QString what = QString::fromStdString(std::string(req.method_string()) + " " + path);
            errorAnswer(req.method() == http::verb::post ? http::status::not_found : http::status::method_not_allowed,
                        what, QStringLiteral("HTTP %1").arg(req.method() == http::verb::post ? 404 : 405));
        }
        m_parser.reset();
        write(false);
    }

    using Request = http::request<http::string_body>;
    // Returns false when the answer is written later (a sign-in).
    bool answerCall(const Request &req);
    void signIn(wire::Request request, Caller caller);
    void answerPage(const std::string &path, const Query &query);

    void errorAnswer(http::status status, const QString &what, const QString &message);

    // An answer to a request whose rest is not read: the connection closes after it.
    void refuse(http::status status, const QString &message)
    {
        const auto &req = m_parser->get();
        const std::string what = std::string(req.method_string()) + " " + std::string(req.target().substr(0, 64));
        m_res = {};
        m_res.version(11);
        m_res.keep_alive(false);
        errorAnswer(status, QString::fromStdString(what), message);
        m_parser.reset();
        write(true);
    }

    void write(bool drainAfter)
    {
        m_res.prepare_payload();
        m_stream.expires_after(std::chrono::seconds(m_options.writeSeconds));
        http::async_write(m_stream, m_res, [self = shared_from_this(), drainAfter](beast::error_code ec, size_t) {
            if (ec)
                return self->close();
            if (drainAfter)
                return self->drain();
            if (!self->m_res.keep_alive())
                return self->shutdown();
            self->m_res = {};
            self->waitForRequest();
        });
    }

    void shutdown()
    {
        beast::error_code ec;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ec);
        close();
    }

    // After a refusal: stop sending, read what the client still sends for a
    // little while, then close.
    void drain()
    {
        beast::error_code ec;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ec);
        m_buffer.clear();
        m_stream.expires_after(kDrainTime);
        drainSome();
    }

    void drainSome()
    {
        m_stream.async_read_some(m_buffer.prepare(64 * 1024), [self = shared_from_this()](beast::error_code ec, size_t n) {
            self->m_drained += n;
            if (ec || self->m_drained >= kDrainBytes)
                return self->close();
            self->drainSome();
        });
    }

    void close()
    {
        m_state = State::Busy;
        beast::error_code ec;
        m_stream.socket().close(ec);
    }

    void enterIdle();
    void leaveIdle();

    Impl &m_impl;
    const HqServer::Options &m_options;
    beast::tcp_stream m_stream;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    http::response<http::string_body> m_res;
    asio::steady_timer m_wait; // a sign-in's wait before it is judged
    State m_state = State::Busy;
    size_t m_drained = 0;
};

} // namespace

void Session::enterIdle()
{
    std::shared_ptr<Session> victim;
    {
        std::lock_guard lock(m_impl.idleMutex);
        if (!listedIdle) {
            idleEntry = m_impl.idle.insert(m_impl.idle.end(), weak_from_this());
            listedIdle = true;
        }
        if (int(m_impl.idle.size()) > m_options.maxIdleConnections) {
            victim = m_impl.idle.front().lock();
            m_impl.idle.pop_front();
            if (victim)
                victim->listedIdle = false;
        }
    }
    if (victim)
        asio::post(victim->m_stream.get_executor(), [victim] { victim->evict(); });
}

void Session::leaveIdle()
{
    std::lock_guard lock(m_impl.idleMutex);
    if (listedIdle) {
        m_impl.idle.erase(idleEntry);
        listedIdle = false;
    }
}

void Session::errorAnswer(http::status status, const QString &what, const QString &message)
{
    m_impl.dispatcher().logFailure(what, message);
    const QByteArray body = wire::encodeAnswer(wire::Answer::failure(message));
    m_res.result(status);
    m_res.set(http::field::content_type, kCbor);
    m_res.body().assign(body.constData(), size_t(body.size()));
}

bool Session::answerCall(const Request &req)
{
    Access &access = m_impl.access;
    const std::optional<Terminal> terminal = access.keys.find(bearerKey(req[http::field::authorization]));
    if (!terminal) {
        errorAnswer(http::status::unauthorized, QStringLiteral("POST /BIN"), QStringLiteral("terminal key required"));
        m_res.set(http::field::www_authenticate, "Bearer");
        return true;
    }
    // Only CBOR: a web page may post a form or text to any address, but not this.
    if (!isCbor(req[http::field::content_type])) {
        errorAnswer(http::status::unsupported_media_type, QStringLiteral("POST /BIN"),
                    QStringLiteral("content type must be application/cbor"));
        return true;
    }
    const std::string &received = req.body();
    wire::Request request;
    try {
        request = wire::decodeRequest(QByteArray::fromRawData(received.data(), qsizetype(received.size())));
    } catch (const wire::DecodeError &e) {
        // The caller may see the value that was refused; the log never does.
        const QString prefix = QStringLiteral("malformed request: ");
        m_impl.dispatcher().logFailure(QStringLiteral("/BIN"), prefix + QString::fromStdString(e.logText()));
        const QByteArray body = wire::encodeAnswer(wire::Answer::failure(prefix + QString::fromUtf8(e.what())));
        m_res.result(http::status::bad_request);
        m_res.set(http::field::content_type, kCbor);
        m_res.body().assign(body.constData(), size_t(body.size()));
        return true;
    }
    const auto token = req[HqServer::kSessionHeader];
    Caller caller{*terminal, access.sessions.find(QString::fromUtf8(token.data(), qsizetype(token.size())).trimmed(),
                                                  *terminal)};
    if (request.provider.compare(u"dspQuery1", Qt::CaseInsensitive) != 0
        && isSignIn(Registry::procedureName(request.commandText))) {
        signIn(std::move(request), std::move(caller));
        return false;
    }
    const QByteArray body = m_impl.dispatcher().handleEncoded(request, &caller);
    m_res.result(http::status::ok);
    m_res.set(http::field::content_type, kCbor);
    m_res.body().assign(body.constData(), size_t(body.size()));
    return true;
}

// Waits as the pace of this terminal's and ID's attempts asks (a timer on
// this loop, holding no thread), judges the sign-in on the pool, opens a
// session when it succeeded and answers back on this loop.
void Session::signIn(wire::Request request, Caller caller)
{
    const QString userId = signInUserId(request);
    m_wait.expires_after(m_impl.access.signIns.book(caller.terminal, userId));
    m_wait.async_wait([self = shared_from_this(), request = std::move(request), caller = std::move(caller),
                       userId](beast::error_code) mutable {
        asio::post(self->m_impl.signInPool, [self, request = std::move(request), caller = std::move(caller), userId] {
            Impl &impl = self->m_impl;
            const wire::Answer answer = impl.dispatcher().handle(request, &caller);
            const std::optional<SignedInUser> user = signedInUser(answer);
            // A call refused before any password was looked at does not count.
            impl.access.signIns.judged(caller.terminal, userId, user.has_value(), !answer.isError());
            const std::string token = user ? impl.access.sessions.open(caller.terminal, *user).toStdString() : "";
            QByteArray body = wire::encodeAnswer(answer);
            asio::post(self->m_stream.get_executor(), [self, body = std::move(body), token] {
                self->m_res.result(http::status::ok);
                self->m_res.set(http::field::content_type, kCbor);
                if (!token.empty())
                    self->m_res.set(HqServer::kSessionHeader, token);
                self->m_res.body().assign(body.constData(), size_t(body.size()));
                self->write(false);
            });
        });
    });
}

void Session::answerPage(const std::string &path, const Query &query)
{
    for (const PageHandler &handler : m_impl.pages()) {
        Page page;
        if (handler(path, query, page)) {
            m_res.result(page.status >= 100 && page.status <= 999 ? unsigned(page.status) : 500u);
            m_res.set(http::field::content_type, page.contentType);
            m_res.body() = std::move(page.body);
            return;
        }
    }
    m_res.result(http::status::not_found);
    m_res.set(http::field::content_type, "text/plain; charset=utf-8");
    m_res.body() = "not found";
}

void HqServer::Impl::accept()
{
    asio::io_context &loop = *loops[nextLoop++ % loops.size()];
    acceptor.async_accept(loop, [this](beast::error_code ec, tcp::socket socket) {
        if (ec == asio::error::operation_aborted || !acceptor.is_open())
            return;
        if (ec) {
            // Out of descriptors, most likely: try again shortly rather than spin.
            acceptRetry.expires_after(std::chrono::milliseconds(100));
            acceptRetry.async_wait([this](beast::error_code e) {
                if (!e)
                    accept();
            });
            return;
        }
        std::make_shared<Session>(*this, options(), std::move(socket))->start();
        accept();
    });
}

HqServer::HqServer(Dispatcher &dispatcher, Options options)
    : d(std::make_unique<Impl>(*this, dispatcher)), m_dispatcher(dispatcher), m_options(std::move(options))
{
    if (m_options.threads <= 0)
        m_options.threads = int(std::max(1u, std::thread::hardware_concurrency()));
    for (int i = 0; i < m_options.threads; ++i) {
        d->loops.push_back(std::make_unique<asio::io_context>(1));
        d->work.push_back(asio::make_work_guard(*d->loops.back()));
    }
}

Access &HqServer::access()
{
    return d->access;
}

void HqServer::addPages(PageHandler handler)
{
    m_pages.push_back(std::move(handler));
}

HqServer::~HqServer()
{
    stop();
}

int HqServer::bind()
{
    const std::string where = m_options.host + ":" + std::to_string(m_options.port);
    try {
        const tcp::endpoint endpoint(asio::ip::make_address(m_options.host), static_cast<unsigned short>(m_options.port));
        d->acceptor.open(endpoint.protocol());
        d->acceptor.set_option(asio::socket_base::reuse_address(true));
        d->acceptor.bind(endpoint);
        d->acceptor.listen(asio::socket_base::max_listen_connections);
        m_port = d->acceptor.local_endpoint().port();
    } catch (const std::exception &e) {
        beast::error_code ignored;
        d->acceptor.close(ignored);
        throw std::runtime_error("cannot bind " + where + ": " + e.what());
    }
    return m_port;
}

void HqServer::run()
{
    d->accept();
    std::vector<std::thread> workers;
    for (auto &loop : d->loops)
        workers.emplace_back([&loop] { loop->run(); });
    d->acceptLoop.run();
    for (std::thread &t : workers)
        t.join();
}

void HqServer::start()
{
    bind();
    m_thread = std::thread([this] { run(); });
}

void HqServer::stop()
{
    d->stopAll();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace hq
