// libFuzzer target: requests decoded and dispatched on a store seeded with
// the demo data (cheap password hashes), as the server would run them.

#include "DemoSeed.h"
#include "FuzzTargets.h"

#include <QTemporaryDir>

#include <memory>

namespace {

struct Server {
    QTemporaryDir dir;
    std::unique_ptr<hq::Store> store;
    std::unique_ptr<hq::Dispatcher> dispatcher;
};

Server *g_server = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("TZ", ":/etc/localtime", 0);
    g_server = new Server;
    g_server->store = std::make_unique<hq::Store>(g_server->dir.filePath(QStringLiteral("hq.db")).toStdString());
    hq::seedDemo(*g_server->store, hq::HashCost::Minimal);
    g_server->dispatcher = std::make_unique<hq::Dispatcher>(*g_server->store);
    g_server->dispatcher->setLog([](const QString &) {});
    return 0;
}

// Each input is sent by one of three callers, picked by its length so that a
// seed keeps its meaning: the demo terminal signed in as 1003 (few rights),
// the same terminal without a session, and the server itself (no rules).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const hq::Terminal till{QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("99")};
    static const hq::Caller signedIn{till, hq::SignedInUser{QStringLiteral("90000003"), QStringLiteral("003")}};
    static const hq::Caller keyOnly{till, std::nullopt};
    const hq::Caller *callers[] = {&signedIn, &keyOnly, nullptr};
    fuzz::dispatchBytes(*g_server->dispatcher, data, size, callers[size % 3]);
    return 0;
}
