#include "platform/remote/RemoteConnection.h"

#include <QUrl>

#include <httplib.h>

namespace {

const char *const kSessionHeader = "X-RALD-Session";

} // namespace

struct RemoteConnection::Impl {
    std::unique_ptr<httplib::Client> client;
    std::string path;
};

RemoteConnection::RemoteConnection() : d(std::make_unique<Impl>()) {}

RemoteConnection::~RemoteConnection() = default;

void RemoteConnection::setTargetUrl(const QString &url)
{
    if (url == m_url)
        return;
    Disconnect();
    m_url = url;
    m_session.clear();
}

void RemoteConnection::Disconnect()
{
    if (d->client)
        d->client->stop();
    d->client.reset();
    m_connected = false;
}

void RemoteConnection::ensureClient()
{
    if (d->client)
        return;
    const QUrl url(m_url, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        throw RemoteError(QStringLiteral("invalid server address \"%1\"").arg(m_url));
    const bool tls = scheme == u"https";
    d->path = url.path(QUrl::FullyEncoded).toStdString();
    if (d->path.empty())
        d->path.push_back('/');
    const QString origin = scheme + QStringLiteral("://") + url.host(QUrl::FullyEncoded) + u':'
                           + QString::number(url.port(tls ? 443 : 80));
    d->client = std::make_unique<httplib::Client>(origin.toStdString());
    // Over TLS the server must prove its name with a certificate the
    // system's store trusts; keys and passwords never go to anyone else.
    d->client->enable_server_certificate_verification(true);
    d->client->set_keep_alive(true);
    d->client->set_tcp_nodelay(true);
    d->client->set_connection_timeout(std::chrono::milliseconds(m_connectTimeoutMs));
    d->client->set_read_timeout(std::chrono::milliseconds(m_callTimeoutMs));
    d->client->set_write_timeout(std::chrono::milliseconds(m_callTimeoutMs));
}

void RemoteConnection::networkFailure(int error, bool connecting) const
{
    const auto e = httplib::Error(error);
    QString what;
    switch (e) {
    case httplib::Error::Connection:
        what = QStringLiteral("cannot connect to the server");
        break;
    case httplib::Error::Read:
        what = connecting ? QStringLiteral("no answer from the server")
                          : QStringLiteral("no answer from the server within %1 s").arg(m_callTimeoutMs / 1000.0);
        break;
    case httplib::Error::Write:
        what = QStringLiteral("the request could not be sent");
        break;
    case httplib::Error::SSLConnection:
        what = QStringLiteral("no secure connection to the server");
        break;
    case httplib::Error::SSLServerVerification:
        what = QStringLiteral("the server's certificate is not trusted");
        break;
    default:
        what = QStringLiteral("network error (%1)").arg(QString::fromStdString(httplib::to_string(e)));
        break;
    }
    throw RemoteError(what + QStringLiteral(" (") + m_url + QStringLiteral(")"));
}

void RemoteConnection::Connect()
{
    m_connected = false;
    ensureClient();
    httplib::Headers headers{{"User-Agent", m_userAgent.toStdString()}};
    // The health answer is cheap, so the call time-out of a connect is the connect time-out.
    d->client->set_read_timeout(std::chrono::milliseconds(m_connectTimeoutMs));
    auto res = d->client->Get(d->path, headers);
    d->client->set_read_timeout(std::chrono::milliseconds(m_callTimeoutMs));
    if (!res)
        networkFailure(int(res.error()), true);
    if (res->status != 200)
        throw RemoteError(QStringLiteral("the server answered HTTP %1 (%2)").arg(res->status).arg(m_url));
    m_connected = true;
}

wire::Answer RemoteConnection::call(const wire::Request &request)
{
    ensureClient();
    const QByteArray body = wire::encodeRequest(request);
    httplib::Headers headers{{"User-Agent", m_userAgent.toStdString()}};
    if (!m_key.isEmpty())
        headers.emplace("Authorization", "Bearer " + m_key.toStdString());
    if (!m_session.isEmpty())
        headers.emplace(kSessionHeader, m_session.toStdString());
    auto res = d->client->Post(d->path, headers, body.constData(), size_t(body.size()), "application/cbor");
    if (!res) {
        m_connected = false;
        networkFailure(int(res.error()), false);
    }
    m_connected = true;
    // A successful sign-in answers a new session.
    if (const std::string session = res->get_header_value(kSessionHeader); !session.empty())
        m_session = QString::fromStdString(session);
    wire::Answer answer;
    try {
        answer = wire::decodeAnswer(QByteArray::fromRawData(res->body.data(), qsizetype(res->body.size())));
    } catch (const wire::DecodeError &e) {
        if (res->status != 200)
            throw RemoteError(QStringLiteral("the server answered HTTP %1").arg(res->status));
        throw RemoteError(QStringLiteral("unreadable answer from the server: %1").arg(QString::fromUtf8(e.what())));
    }
    if (answer.isError())
        throw RemoteError(answer.error);
    if (res->status != 200)
        throw RemoteError(QStringLiteral("the server answered HTTP %1").arg(res->status));
    return answer;
}
