#pragma once
// Calls into the head-office server without HTTP (the dispatcher directly).

#include "Dispatcher.h"
#include "support/TestServer.h"

#include <QDateTime>

#include <csignal>

#include <initializer_list>
#include <utility>

namespace servertest {

// The server closes connections whose requests it refuses; a test client still
// writing to one gets an error, not the end of the test program.
inline const bool kIgnoreBrokenPipes = (std::signal(SIGPIPE, SIG_IGN), true);

using Params = std::initializer_list<std::pair<const char *, QVariant>>;

inline wire::Request request(const QString &command, Params params, const QString &provider = QStringLiteral("dspStoredProc1"))
{
    wire::Request r;
    r.provider = provider;
    r.commandText = command;
    for (const auto &p : params) {
        wire::Type t = wire::Type::String;
        switch (p.second.typeId()) {
        case QMetaType::Bool: t = wire::Type::Boolean; break;
        case QMetaType::Int:
        case QMetaType::LongLong: t = wire::Type::Integer; break;
        case QMetaType::Double: t = wire::Type::Float; break;
        case QMetaType::QDateTime: t = wire::Type::DateTime; break;
        default: break;
        }
        QVariant v = p.second;
        if (v.typeId() == QMetaType::Int)
            v = qint64(v.toInt());
        r.params.append({QString::fromUtf8(p.first), t, v});
    }
    return r;
}

// Column index by name (any case); -1 when missing.
inline int col(const wire::Answer &a, const QString &name)
{
    for (int i = 0; i < a.columns.size(); ++i)
        if (a.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

inline QVariant cell(const wire::Answer &a, int row, const QString &name)
{
    const int c = col(a, name);
    return c < 0 || row >= a.rows.size() ? QVariant() : a.rows[row][c];
}

inline QStringList column(const wire::Answer &a, const QString &name)
{
    QStringList out;
    for (int r = 0; r < a.rows.size(); ++r)
        out << cell(a, r, name).toString();
    return out;
}

class ServerSuite : public TestServerSuite {
protected:
    // The header lines of a terminal's call, for a raw request: the key of a
    // terminal of store 9999 and a session of user 1001.
    static std::string callHeaderLines()
    {
        const TestServer::Credentials c = server().credentials();
        return "Authorization: Bearer " + c.key.toStdString() + "\r\nX-RALD-Session: " + c.session.toStdString() + "\r\n";
    }
    // The same for an HTTP client object (set_default_headers).
    template <typename Client>
    static void authorize(Client &http)
    {
        const TestServer::Credentials c = server().credentials();
        http.set_default_headers({{"Authorization", "Bearer " + c.key.toStdString()},
                                  {"X-RALD-Session", c.session.toStdString()}});
    }

    static wire::Answer call(const QString &command, Params params,
                             const QString &provider = QStringLiteral("dspStoredProc1"))
    {
        return server().dispatcher().handle(request(command, params, provider));
    }
};

} // namespace servertest

// Fails the test with the server's error text when an answer is an error.
#define ASSERT_OK(a)                                                                                                 \
    do {                                                                                                             \
        const wire::Answer ok_ = (a);                                                                                \
        ASSERT_FALSE(ok_.isError()) << ok_.error.toStdString();                                                      \
    } while (0)
