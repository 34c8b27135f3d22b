#pragma once
// The HTTP face of the head-office server: POST "/BIN" carries one encoded
// request and gets one encoded answer; GET "/BIN" is the cheap health answer
// the terminal's connect uses. A malformed or oversized request gets an error
// answer and the server carries on.
//
// Connections are served by an event loop on a few worker threads: an idle
// keep-alive connection or a client that stalls mid-request holds no worker.
// A worker is busy only while a complete request is being answered.
//
// A call needs the key of a known terminal ("Authorization: Bearer <key>")
// and, for the writes, the session a sign-in answered ("X-RALD-Session");
// see Access.h. Sign-ins are judged on a small pool of their own, after the
// wait their pace asks for, so that password hashing holds no worker.

#include "Access.h"
#include "Dispatcher.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace hq {

// A page the server answers on GET besides "/BIN" (update files, notices, support).
struct Page {
    int status = 404;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
};
// path: the request path without its query ("/Talvenrode_RAldver.asp");
// query: the decoded query items in the order sent. Returns true when it
// answers the path (filling `page`), false to let the next handler try.
using Query = std::vector<std::pair<std::string, std::string>>;
using PageHandler = std::function<bool(const std::string &path, const Query &query, Page &page)>;

class HqServer {
public:
    struct Options {
        std::string host = "127.0.0.1";
        int port = 9999; // 0: any free port
        size_t maxRequestBytes = 4 * 1024 * 1024;
        int threads = 0;          // workers answering calls; 0: one per core
        int stallSeconds = 5;     // a request head not complete, or a body not moving, for this long is dropped
        int idleSeconds = 120;    // a keep-alive connection idle this long is closed
        int maxIdleConnections = 512; // idle keep-alive connections beyond this are closed, oldest first
        int writeSeconds = 30;    // an answer the client does not take within this is dropped
    };

    HqServer(Dispatcher &dispatcher, Options options);
    ~HqServer();

    // GET pages, asked in the order added; a path no handler answers gets 404.
    // Add them before bind().
    void addPages(PageHandler handler);

    int bind();           // binds and returns the port; throws when it cannot
    void run();           // serves until stop() (after bind())
    void start();         // bind() and serve on a thread of its own
    void stop();
    int port() const { return m_port; }

    // Terminal keys, sessions and the pace of sign-ins of this server.
    Access &access();

    // The header that carries the session token, in a sign-in's answer and on later calls.
    static constexpr const char *kSessionHeader = "X-RALD-Session";

    struct Impl;

private:
    std::unique_ptr<Impl> d;
    Dispatcher &m_dispatcher;
    Options m_options;
    std::vector<PageHandler> m_pages;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace hq
