#include "HqServer.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>

namespace hq {

namespace {

const char *const kCbor = "application/cbor";

} // namespace

struct HqServer::Impl {
    httplib::Server http;
};

HqServer::HqServer(Dispatcher &dispatcher, Options options)
    : d(std::make_unique<Impl>()), m_dispatcher(dispatcher), m_options(std::move(options))
{
    auto &http = d->http;
    http.set_payload_max_length(m_options.maxRequestBytes);
    http.set_tcp_nodelay(true);
    http.set_read_timeout(30, 0);
    http.set_write_timeout(30, 0);

    http.Get("/BIN", [](const httplib::Request &, httplib::Response &res) {
        res.set_content("RALD head office", "text/plain");
    });
    http.Get(R"(/.*)", [this](const httplib::Request &req, httplib::Response &res) {
        Query query;
        for (const auto &[key, value] : req.params)
            query.emplace_back(key, value);
        for (const PageHandler &handler : m_pages) {
            Page page;
            if (handler(req.path, query, page)) {
                res.status = page.status;
                res.set_content(page.body, page.contentType.c_str());
                return;
            }
        }
        res.status = 404;
        res.set_content("not found", "text/plain; charset=utf-8");
    });
    // The body is read here rather than by httplib, which holds a body sent
    // without a length (chunked) to no limit.
    http.Post("/BIN", [this](const httplib::Request &, httplib::Response &res,
                             const httplib::ContentReader &content) {
        std::string received;
        bool tooLarge = false;
        const bool complete = content([&](const char *data, size_t length) {
            if (length > m_options.maxRequestBytes - received.size()) {
                tooLarge = true;
                return false;
            }
            received.append(data, length);
            return true;
        });
        if (tooLarge || res.status == 413) {
            // The rest of the body is not read: the client is told to close,
            // and the server drops the connection within its keep-alive limit.
            res.status = 413;
            res.set_header("Connection", "close");
            return;
        }
        if (!complete) {
            res.status = 400;
            res.set_header("Connection", "close");
            return;
        }
        wire::Request request;
        try {
            request = wire::decodeRequest(QByteArray::fromRawData(received.data(), qsizetype(received.size())));
        } catch (const wire::DecodeError &e) {
            const QString msg = QStringLiteral("malformed request: ") + QString::fromUtf8(e.what());
            m_dispatcher.logFailure(QStringLiteral("/BIN"), msg);
            const QByteArray body = wire::encodeAnswer(wire::Answer::failure(msg));
            res.status = 400;
            res.set_content(body.constData(), size_t(body.size()), kCbor);
            return;
        }
        const QByteArray body = wire::encodeAnswer(m_dispatcher.handle(request));
        res.set_content(body.constData(), size_t(body.size()), kCbor);
    });
    // Errors httplib answers itself (413 too large, 404, ...) get a readable answer too.
    http.set_error_handler([this](const httplib::Request &req, httplib::Response &res) {
        if (!res.body.empty())
            return;
        QString msg = QStringLiteral("HTTP %1").arg(res.status);
        if (res.status == 413)
            msg = QStringLiteral("request too large");
        m_dispatcher.logFailure(QString::fromStdString(req.method + " " + req.path), msg);
        const QByteArray body = wire::encodeAnswer(wire::Answer::failure(msg));
        res.set_content(body.constData(), size_t(body.size()), kCbor);
    });
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
    if (m_options.port == 0) {
        m_port = d->http.bind_to_any_port(m_options.host);
        if (m_port <= 0)
            throw std::runtime_error("cannot bind " + m_options.host);
    } else {
        if (!d->http.bind_to_port(m_options.host, m_options.port))
            throw std::runtime_error("cannot bind " + m_options.host + ":" + std::to_string(m_options.port));
        m_port = m_options.port;
    }
    return m_port;
}

void HqServer::run()
{
    d->http.listen_after_bind();
}

void HqServer::start()
{
    bind();
    m_thread = std::thread([this] { run(); });
    // The socket already listens; wait for the accept loop so that stop() always ends it.
    for (int i = 0; i < 5000 && !d->http.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void HqServer::stop()
{
    d->http.stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace hq
