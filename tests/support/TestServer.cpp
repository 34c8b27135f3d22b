#include "support/TestServer.h"

#include "Access.h"
#include "DemoSeed.h"
#include "HqServer.h"
#include "NoticePages.h"
#include "Store.h"
#include "Updates.h"
#include "platform/remote/RemoteConnection.h"

#include <SQLiteCpp/Statement.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

struct TestServer::Impl {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<hq::Store> store;
    std::unique_ptr<hq::Dispatcher> dispatcher;
    std::unique_ptr<hq::HqServer> http;
    std::vector<std::function<void(hq::HqServer &)>> installers;

    struct Failure {
        QString procedure;
        int remaining; // calls to let through before this one fails
        FailMode mode;
    };
    mutable std::mutex mutex;
    int terminals = 0; // terminals given a key by newTerminalKey()
    QStringList calls;
    std::vector<Failure> failures;

    // Counts a call of `what` against its first armed failure; returns the
    // failure's mode when it fires with this call.
    std::optional<FailMode> take(const QString &what)
    {
        std::lock_guard lock(mutex);
        for (auto it = failures.begin(); it != failures.end(); ++it) {
            if (it->procedure.compare(what, Qt::CaseInsensitive) != 0)
                continue;
            if (it->remaining > 0) {
                --it->remaining;
                return std::nullopt;
            }
            const FailMode mode = it->mode;
            failures.erase(it);
            return mode;
        }
        return std::nullopt;
    }
};

namespace {

// Set by `before` when the running call must report failure after committing;
// both hooks of one call run on the same server thread.
thread_local bool t_failAfterCommit = false;

QString recordedName(const wire::Request &request, const QString &what)
{
    if (request.provider.compare(u"dspQuery1", Qt::CaseInsensitive) != 0)
        return what;
    if (request.commandText.contains(u"IMMDAN", Qt::CaseInsensitive))
        return QStringLiteral("SQL:units");
    if (request.commandText.contains(u"DATEPART", Qt::CaseInsensitive))
        return QStringLiteral("SQL:time");
    return QStringLiteral("SQL:other");
}

// With RALD_FUZZ_SEEDS set to a folder, every request the tests send is kept
// there (named by its hash) as a seed of the fuzz corpus (tools/fuzz.sh seeds).
void recordSeed(const wire::Request &request)
{
    static const QString folder = qEnvironmentVariable("RALD_FUZZ_SEEDS");
    if (folder.isEmpty())
        return;
    const QByteArray bytes = wire::encodeRequest(request);
    QFile file(folder + u'/' + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

TestServer::TestServer() : d(std::make_unique<Impl>()) {}

TestServer::~TestServer()
{
    stop();
}

void TestServer::start()
{
    stop();
    d->dir = std::make_unique<QTemporaryDir>();
    if (!d->dir->isValid())
        throw std::runtime_error("cannot create a temporary folder for the test store");
    d->store = std::make_unique<hq::Store>(databasePath().toStdString());
    // Cheap password hashes: the store is thrown away after the suite.
    hq::seedDemo(*d->store, hq::HashCost::Minimal);
    d->dispatcher = std::make_unique<hq::Dispatcher>(*d->store);
    d->dispatcher->setLog([](const QString &) {}); // refusals are what many tests ask for
    Impl *impl = d.get();
    hq::CallHook hook;
    hook.before = [impl](const wire::Request &request, const QString &what) {
        recordSeed(request);
        {
            std::lock_guard lock(impl->mutex);
            impl->calls << recordedName(request, what);
        }
        const auto mode = impl->take(what);
        t_failAfterCommit = mode == FailMode::AfterCommit;
        if (mode == FailMode::BeforeRun)
            throw std::runtime_error("test failure");
    };
    hook.afterCommit = [](const QString &) {
        if (std::exchange(t_failAfterCommit, false))
            throw std::runtime_error("test failure");
    };
    d->dispatcher->setHook(std::move(hook));
    hq::HqServer::Options options;
    options.host = "127.0.0.1";
    options.port = 0;
    d->http = std::make_unique<hq::HqServer>(*d->dispatcher, options);
    d->http->addPages(hq::noticePages(*d->store));
    for (const auto &install : d->installers)
        install(*d->http);
    d->http->start();
}

void TestServer::onStart(std::function<void(hq::HqServer &)> install)
{
    d->installers.push_back(std::move(install));
}

void TestServer::serveUpdates(const QString &dir)
{
    onStart([dir](hq::HqServer &server) { server.addPages(hq::updatePages(dir.toStdString())); });
}

void TestServer::stop()
{
    if (d->http)
        d->http->stop();
    d->http.reset();
    d->dispatcher.reset();
    d->store.reset();
    d->dir.reset();
}

bool TestServer::running() const
{
    return d->http != nullptr;
}

int TestServer::port() const
{
    return d->http ? d->http->port() : 0;
}

QString TestServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/BIN").arg(port());
}

QString TestServer::databasePath() const
{
    return d->dir ? d->dir->filePath(QStringLiteral("hq.db")) : QString();
}

hq::Store &TestServer::store()
{
    if (!d->store)
        throw std::logic_error("test server not started");
    return *d->store;
}

hq::Dispatcher &TestServer::dispatcher()
{
    if (!d->dispatcher)
        throw std::logic_error("test server not started");
    return *d->dispatcher;
}

QString TestServer::demoKey()
{
    return QString::fromLatin1(hq::kDemoTerminalKey);
}

QString TestServer::store0001Key()
{
    return QString::fromLatin1(hq::kDemoStore0001Key);
}

QString TestServer::newTerminalKey(const QString &store) const
{
    int n = 0;
    {
        std::lock_guard lock(d->mutex);
        n = ++d->terminals;
    }
    return hq::TerminalKeys(*d->store).add(
        hq::Terminal{QStringLiteral("9999"), store, QStringLiteral("T%1").arg(n)});
}

std::unique_ptr<RemoteConnection> TestServer::connect(const QString &user, const std::optional<QString> &key) const
{
    auto c = std::make_unique<RemoteConnection>();
    c->setTargetUrl(url());
    c->setUserAgent(key == store0001Key() ? QStringLiteral("KV_9999_0001_01") : QStringLiteral("KV_9999_9999_99"));
    c->setTerminalKey(key ? *key : newTerminalKey());
    c->Connect();
    if (!user.isEmpty())
        signIn(*c, user);
    return c;
}

QString TestServer::signIn(RemoteConnection &connection, const QString &user)
{
    wire::Request r;
    r.provider = QStringLiteral("dspStoredProc1");
    r.commandText = QStringLiteral("[GP_SELECT_F0050_POS_LOGIN]");
    const QString store = connection.TerminalKey() == store0001Key() ? QStringLiteral("0001") : QStringLiteral("9999");
    for (const auto &[name, value] : {std::pair{"@A_CMCD", QStringLiteral("9999")}, std::pair{"@A_STCD", store},
                                      std::pair{"@A_USER", user}, std::pair{"@A_PWD", QStringLiteral("1234")},
                                      std::pair{"@A_BAR", QString()}})
        r.params.append({QString::fromLatin1(name), wire::Type::String, value});
    const wire::Answer a = connection.call(r);
    for (qsizetype i = 0; i < a.columns.size(); ++i)
        if (!a.rows.isEmpty() && a.columns[i].name.compare(u"UIADNB", Qt::CaseInsensitive) == 0)
            return a.rows.first()[i].toString();
    throw std::runtime_error("the test server refused the sign-in of " + user.toStdString());
}

TestServer::Credentials TestServer::credentials(const QString &user) const
{
    const QString key = newTerminalKey();
    return {key, user.isEmpty() ? QString() : connect(user, key)->Session()};
}

QStringList TestServer::calls() const
{
    std::lock_guard lock(d->mutex);
    return d->calls;
}

void TestServer::clearCalls()
{
    std::lock_guard lock(d->mutex);
    d->calls.clear();
}

void TestServer::failCall(const QString &procedure, int nth, FailMode mode)
{
    std::lock_guard lock(d->mutex);
    d->failures.push_back({procedure, std::max(0, nth - 1), mode});
}

void TestServer::clearFailures()
{
    std::lock_guard lock(d->mutex);
    d->failures.clear();
}

TestServer *TestServerSuite::s_server = nullptr;
RemoteConnection *TestServerSuite::s_connection = nullptr;

void TestServerSuite::SetUpTestSuite()
{
    s_server = new TestServer;
    s_server->start();
    s_connection = s_server->connect().release();
}

void TestServerSuite::TearDownTestSuite()
{
    delete s_connection;
    s_connection = nullptr;
    delete s_server;
    s_server = nullptr;
}

TestServer &TestServerSuite::server()
{
    return *s_server;
}

void TestServerSuite::exec(const std::string &sql)
{
    auto lease = server().store().acquire();
    lease.db().exec(sql);
}

int TestServerSuite::scalar(const std::string &query)
{
    auto lease = server().store().acquire();
    return lease.db().execAndGet(query).getInt();
}

QStringList TestServerSuite::rows(const std::string &query)
{
    auto lease = server().store().acquire();
    SQLite::Statement st(lease.db(), query);
    QStringList out;
    while (st.executeStep()) {
        QStringList cells;
        for (int i = 0; i < st.getColumnCount(); ++i)
            cells << QString::fromStdString(st.getColumn(i).getString());
        out << cells.join('|');
    }
    return out;
}

RemoteConnection &TestServerSuite::connection()
{
    return *s_connection;
}
