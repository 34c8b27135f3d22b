#pragma once
// The floor of a server round trip: a minimal cpp-httplib POST echo on a free
// loopback port, with the socket options of our own server, and a kept-alive
// client to it. Stops when destroyed.

#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

class LoopbackEcho {
public:
    LoopbackEcho()
    {
        m_server.set_tcp_nodelay(true);
        m_server.Post("/echo", [](const httplib::Request &req, httplib::Response &res) {
            res.set_content(req.body, "application/octet-stream");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
        m_client->set_keep_alive(true);
        m_client->set_tcp_nodelay(true);
    }
    ~LoopbackEcho()
    {
        m_client.reset();
        m_server.stop();
        m_thread.join();
    }
    LoopbackEcho(const LoopbackEcho &) = delete;
    LoopbackEcho &operator=(const LoopbackEcho &) = delete;

    int port() const { return m_port; }

    // One round trip of body; false when the answer is not the body.
    bool roundTrip(const std::string &body)
    {
        auto res = m_client->Post("/echo", body, "application/octet-stream");
        return res && res->body.size() == body.size();
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::unique_ptr<httplib::Client> m_client;
};
