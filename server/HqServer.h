#pragma once
// The HTTP face of the head-office server: POST "/BIN" carries one encoded
// request and gets one encoded answer; GET "/BIN" is the cheap health answer
// the terminal's connect uses. A malformed or oversized request gets an error
// answer and the server carries on.

#include "Dispatcher.h"

#include <memory>
#include <string>
#include <thread>

namespace hq {

class HqServer {
public:
    struct Options {
        std::string host = "127.0.0.1";
        int port = 9999; // 0: any free port
        size_t maxRequestBytes = 4 * 1024 * 1024;
    };

    HqServer(Dispatcher &dispatcher, Options options);
    ~HqServer();

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
    int m_port = 0;
    std::thread m_thread;
};

} // namespace hq
