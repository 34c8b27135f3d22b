// hqserver: the head-office server of the branch terminals.
//   hqserver [--listen HOST] [--port N] [--db PATH] [--seed demo] [--updates DIR] [--threads N]
//   hqserver --updates DIR --publish PROGRAM_DIR
//   hqserver [--db PATH] --add-terminal COMPANY STORE TERMINAL

#include "Allocator.h"
#include "DemoSeed.h"
#include "HqServer.h"
#include "NoticePages.h"
#include "Updates.h"

#include <csignal>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: hqserver [--listen HOST] [--port N] [--db PATH] [--seed demo] [--updates DIR]\n"
                         "                [--threads N]\n"
                         "       hqserver --updates DIR --publish PROGRAM_DIR\n"
                         "       hqserver [--db PATH] --add-terminal COMPANY STORE TERMINAL\n"
                         "  --listen  address to listen on (default 127.0.0.1)\n"
                         "  --port    port (default 9999)\n"
                         "  --db      store file (default hq.db)\n"
                         "  --seed    demo: load the demo data into a store that lacks it\n"
                         "  --updates serve the update files of DIR to the terminals\n"
                         "  --publish pack Mupdater and KV_RALD of PROGRAM_DIR into DIR and end\n"
                         "  --threads workers answering calls (default: one per core)\n"
                         "  --add-terminal give a terminal a new key, print it once and end\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // Without TZ, glibc looks at /etc/localtime again for every local-time
    // conversion (one per date-time cell); naming it once keeps it loaded.
    setenv("TZ", ":/etc/localtime", 0);
    hq::keepFreedMemory();
    // Every terminal keeps a connection open: allow as many as the system lets us.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    // SIGINT and SIGTERM end the server cleanly (waited for below, on this thread).
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    hq::HqServer::Options options;
    std::string dbPath = "hq.db";
    bool seed = false;
    std::string updatesDir;
    std::string publishFrom;
    std::optional<hq::Terminal> addTerminal;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--listen" && hasValue) {
            options.host = argv[++i];
        } else if (arg == "--port" && hasValue) {
            char *end = nullptr;
            const long port = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || port <= 0 || port > 65535)
                return usage();
            options.port = int(port);
        } else if (arg == "--threads" && hasValue) {
            char *end = nullptr;
            const long threads = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || threads <= 0 || threads > 1024)
                return usage();
            options.threads = int(threads);
        } else if (arg == "--db" && hasValue) {
            dbPath = argv[++i];
        } else if (arg == "--seed" && hasValue) {
            if (std::strcmp(argv[++i], "demo") != 0)
                return usage();
            seed = true;
        } else if (arg == "--updates" && hasValue) {
            updatesDir = argv[++i];
        } else if (arg == "--publish" && hasValue) {
            publishFrom = argv[++i];
        } else if (arg == "--add-terminal" && i + 3 < argc) {
            addTerminal = hq::Terminal{QString::fromLocal8Bit(argv[i + 1]).trimmed(),
                                       QString::fromLocal8Bit(argv[i + 2]).trimmed(),
                                       QString::fromLocal8Bit(argv[i + 3]).trimmed()};
            i += 3;
            if (addTerminal->company.isEmpty() || addTerminal->store.isEmpty() || addTerminal->number.isEmpty())
                return usage();
        } else {
            return usage();
        }
    }
    if (!publishFrom.empty()) {
        if (updatesDir.empty())
            return usage();
        std::string report, error;
        const bool ok = hq::publishUpdates(publishFrom, updatesDir, report, error);
        std::fputs(report.c_str(), stderr);
        if (!ok) {
            std::fprintf(stderr, "hqserver: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    try {
        hq::Store store(dbPath);
        if (addTerminal) {
            // The key is shown this once; the store keeps only its hash.
            const QString key = hq::TerminalKeys(store).add(*addTerminal);
            std::printf("%s\n", key.toUtf8().constData());
            std::fprintf(stderr, "hqserver: terminal %s has a new key (its earlier key, if any, no longer works)\n",
                         addTerminal->text().toUtf8().constData());
            return 0;
        }
        if (seed && hq::seedDemo(store))
            std::fprintf(stderr, "hqserver: demo data loaded into %s\n", dbPath.c_str());
        hq::Dispatcher dispatcher(store);
        hq::HqServer server(dispatcher, options);
        server.addPages(hq::noticePages(store));
        if (!updatesDir.empty())
            server.addPages(hq::updatePages(updatesDir));
        server.bind();
        std::fprintf(stderr, "hqserver: listening on http://%s:%d/BIN (store %s, schema %d)\n",
                     options.host.c_str(), server.port(), dbPath.c_str(), store.schemaVersion());
        std::thread serving([&] { server.run(); });
        int signal = 0;
        sigwait(&stopSignals, &signal);
        std::fprintf(stderr, "hqserver: stopping\n");
        server.stop();
        serving.join();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "hqserver: %s\n", e.what());
        return 1;
    }
    return 0;
}
