#pragma once
// The HTTP face of the head-office server: POST "/BIN" carries one encoded
// request and gets one encoded answer; GET "/BIN" is the cheap health answer
// the terminal's connect uses. A malformed or oversized request gets an error
// answer and the server carries on.

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
// query: the decoded query items (by key). Returns true when it
// answers the path (filling `page`), false to let the next handler try.
using Query = std::vector<std::pair<std::string, std::string>>;
using PageHandler = std::function<bool(const std::string &path, const Query &query, Page &page)>;

class HqServer {
public:
    struct Options {
        std::string host = "127.0.0.1";
        int port = 9999; // 0: any free port
        size_t maxRequestBytes = 4 * 1024 * 1024;
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

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    Dispatcher &m_dispatcher;
    Options m_options;
    std::vector<PageHandler> m_pages;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace hq
