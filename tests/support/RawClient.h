#pragma once
// A bare loopback TCP client for server tests and benchmarks: sends exactly
// the bytes it is given (a half request, a stalled body, a head alone) and
// reads what comes back within a time limit.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

class RawClient {
public:
    explicit RawClient(int port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(uint16_t(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~RawClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool connected() const { return m_fd >= 0; }

    // False when the connection refused some of the bytes.
    bool send(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            bytes.remove_prefix(size_t(n));
        }
        return true;
    }

    // Reads until the peer closes, `enough` bytes arrived or `limit` passed.
    std::string read(std::chrono::milliseconds limit, size_t enough = size_t(-1))
    {
        std::string out;
        const auto end = std::chrono::steady_clock::now() + limit;
        char buf[16384];
        while (out.size() < enough && !m_closed) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (!readable(std::max(left, std::chrono::milliseconds(0))))
                break;
            const ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
            if (n <= 0) {
                m_closed = true;
                break;
            }
            out.append(buf, size_t(n));
        }
        return out;
    }

    // Reads one answer with a Content-Length; its status, 0 when none came in time.
    int readStatus(std::chrono::milliseconds limit)
    {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!m_closed) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            got += read(left, got.size() + 1);
            const size_t head = got.find("\r\n\r\n");
            if (head == std::string::npos)
                continue;
            const size_t len = got.find("Content-Length: ");
            const size_t body = len == std::string::npos ? 0 : std::stoul(got.substr(len + 16));
            if (got.size() >= head + 4 + body)
                break;
        }
        if (got.rfind("HTTP/1.", 0) != 0 || got.size() < 12)
            return 0;
        return std::stoi(got.substr(9, 3));
    }

    // True when the server closed the connection within `limit`.
    bool closedWithin(std::chrono::milliseconds limit)
    {
        read(limit);
        return m_closed;
    }

private:
    bool readable(std::chrono::milliseconds limit)
    {
        pollfd p{m_fd, POLLIN, 0};
        return ::poll(&p, 1, int(limit.count())) > 0;
    }

    int m_fd = -1;
    bool m_closed = false;
};
