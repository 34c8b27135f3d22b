#include "platform/http/HttpClient.h"

#include <QUrl>

#include <httplib.h>

namespace http {

namespace {

// The largest body taken into memory (an update archive is far smaller).
constexpr qint64 maxBody = qint64(1) << 30;

QString errorText(httplib::Error error)
{
    switch (error) {
    case httplib::Error::Connection: return QStringLiteral("cannot connect to the server");
    case httplib::Error::Read: return QStringLiteral("the connection broke off while reading");
    case httplib::Error::Write: return QStringLiteral("the connection broke off while sending");
    case httplib::Error::Canceled: return QStringLiteral("cancelled");
    case httplib::Error::ConnectionTimeout: return QStringLiteral("connection timed out");
    default: return QString::fromStdString(httplib::to_string(error));
    }
}

} // namespace

GetResult Get(const QString &url, const Progress &progress, const Options &options)
{
    GetResult result;
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().compare(u"http", Qt::CaseInsensitive) != 0
        || parsed.host().isEmpty()) {
        result.error = QStringLiteral("not an http address: ") + url;
        return result;
    }
    QString path = parsed.path(QUrl::FullyEncoded);
    if (path.isEmpty())
        path = QStringLiteral("/");
    if (parsed.hasQuery())
        path += QLatin1Char('?') + parsed.query(QUrl::FullyEncoded);

    httplib::Client client(parsed.host().toStdString(), parsed.port(80));
    client.set_connection_timeout(std::chrono::milliseconds(options.connectTimeoutMs));
    client.set_read_timeout(std::chrono::milliseconds(options.idleTimeoutMs));
    client.set_keep_alive(false);

    qint64 announced = -1;
    bool refused = false;   // a status other than 200: the body is not read
    bool cancelled = false;
    bool tooLarge = false;
    httplib::Headers headers{{"User-Agent", "RALD"}};
    auto onResponse = [&](const httplib::Response &response) {
        result.status = response.status;
        if (response.has_header("Content-Length")) {
            bool ok = false;
            const qint64 size = QByteArray::fromStdString(response.get_header_value("Content-Length")).toLongLong(&ok);
            if (ok && size >= 0)
                announced = size;
        }
        if (response.status != 200) {
            refused = true;
            return false;
        }
        if (announced > maxBody) {
            tooLarge = true;
            return false;
        }
        if (announced > 0)
            result.body.reserve(announced);
        // The transfer begins: the caller learns the announced size at once.
        if (progress && !progress(0, announced)) {
            cancelled = true;
            return false;
        }
        return true;
    };
    auto onContent = [&](const char *data, size_t length) {
        if (result.body.size() + qint64(length) > maxBody) {
            tooLarge = true;
            return false;
        }
        result.body.append(data, qsizetype(length));
        if (progress && !progress(result.body.size(), announced)) {
            cancelled = true;
            return false;
        }
        return true;
    };
    const httplib::Result answer = client.Get(path.toStdString(), headers, onResponse, onContent);

    if (refused) {
        result.error = QStringLiteral("HTTP %1").arg(result.status);
        if (result.status == 404)
            result.error += QStringLiteral(" Not Found");
        result.body.clear();
        return result;
    }
    if (tooLarge) {
        result.error = QStringLiteral("the answer is larger than %1 bytes").arg(maxBody);
        result.body.clear();
        return result;
    }
    if (cancelled) {
        result.cancelled = true;
        result.error = QStringLiteral("cancelled");
        result.body.clear();
        return result;
    }
    if (!answer) {
        result.error = errorText(answer.error());
        result.body.clear();
        return result;
    }
    if (announced >= 0 && result.body.size() != announced) {
        result.error = QStringLiteral("incomplete answer: %1 of %2 bytes").arg(result.body.size()).arg(announced);
        result.body.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace http
