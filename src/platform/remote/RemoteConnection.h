#pragma once
// The channel to the head-office server: HTTP POST of one encoded request to
// "http://host:port/BIN" (or "https://": the server's certificate is checked
// against the system's store), one encoded answer back. Calls are synchronous
// on the calling thread (the windows wait, as they always did) with a time-out.
//
// Every call carries the terminal's key; once a sign-in succeeded, the
// session the server answered with it goes with every later call, until
// another sign-in answers a new one or the address changes.
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

    // "http://" or "https://" + host + ":" + port + "/BIN". Changing it
    // disconnects and ends the session.
    void setTargetUrl(const QString &url);
    QString TargetUrl() const { return m_url; }
    void setUserAgent(const QString &agent) { m_userAgent = agent; }
    QString UserAgent() const { return m_userAgent; }

    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    void setCallTimeoutMs(int ms) { m_callTimeoutMs = ms; }

    // The terminal's key, sent on every call ("Authorization: Bearer <key>").
    void setTerminalKey(const QString &key) { m_key = key; }
    QString TerminalKey() const { return m_key; }
    // The session token of the last successful sign-in ("" when none).
    QString Session() const { return m_session; }
    void ForgetSession() { m_session.clear(); }
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
    QString m_key;
    QString m_session;
    int m_connectTimeoutMs = 5000;
    int m_callTimeoutMs = 30000;
    bool m_connected = false;
};
