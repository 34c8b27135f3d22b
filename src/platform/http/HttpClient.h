#pragma once
// A small blocking HTTP client for the update check and the update downloads:
// one GET into memory on the calling thread. The progress callback runs for
// every piece received, so a caller keeps its windows painting and can cancel.
// Connecting gives up after 5 s, a transfer after 30 s without data; there is
// no retry. Only a complete 200 answer counts: any other status, or a body
// shorter than the announced size, is a failed request with a message, so an
// error page is never taken for the content asked for. Bodies above 1 GiB
// are refused.

#include <QByteArray>
#include <QString>

#include <functional>

namespace http {

// received: bytes so far; total: the announced size (-1 when none was
// announced). Return false to cancel the transfer.
using Progress = std::function<bool(qint64 received, qint64 total)>;

struct GetResult
{
    bool ok = false;
    int status = 0;     // HTTP status, 0 when no answer came
    QByteArray body;    // the content (complete when ok)
    QString error;      // why it failed; empty when ok
    bool cancelled = false;
};

struct Options
{
    int connectTimeoutMs = 5000;
    int idleTimeoutMs = 30000;
};

// GET `url` ("http://host[:port]/path"). Never throws.
GetResult Get(const QString &url, const Progress &progress = {}, const Options &options = {});

} // namespace http
