#pragma once
// The channel to the head-office server: HTTP POST of one encoded request to
// "http://host:port/BIN", one encoded answer back. Calls are synchronous on
// the calling thread (the windows wait, as they always did) with a time-out.
// Every failure is a RemoteError: the network (no connection, time-out), an
// HTTP error status, an unreadable answer, or the server's own error answer,
// whose text is the message.

#include "platform/remote/wire/WireCodec.h"

#include <QString>

#include <memory>
#include <stdexcept>

class RemoteError : public std::runtime_error {
public:
    explicit RemoteError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

class RemoteConnection {
public:
    RemoteConnection();
    ~RemoteConnection();
    RemoteConnection(const RemoteConnection &) = delete;
    RemoteConnection &operator=(const RemoteConnection &) = delete;

    // "http://" + host + ":" + port + "/BIN". Changing it disconnects.
    void setTargetUrl(const QString &url);
    QString TargetUrl() const { return m_url; }
    void setUserAgent(const QString &agent) { m_userAgent = agent; }
    QString UserAgent() const { return m_userAgent; }

    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    void setCallTimeoutMs(int ms) { m_callTimeoutMs = ms; }
    int ConnectTimeoutMs() const { return m_connectTimeoutMs; }
    int CallTimeoutMs() const { return m_callTimeoutMs; }

    // Asks the server for its cheap health answer; Connected() is true when it
    // answered. Throws RemoteError (and stays disconnected) when it did not.
    void Connect();
    void Disconnect();
    bool Connected() const { return m_connected; }

    // One call. Works without a prior Connect (the channel connects on demand).
    wire::Answer call(const wire::Request &request);

private:
    void ensureClient();
    [[noreturn]] void networkFailure(int error, bool connecting) const;

    struct Impl;
    std::unique_ptr<Impl> d;
    QString m_url;
    QString m_userAgent;
    int m_connectTimeoutMs = 5000;
    int m_callTimeoutMs = 30000;
    bool m_connected = false;
};
