#pragma once

#include <arpa/inet.h>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace kzt::testhttp {

using namespace std::chrono_literals;

// A plain TCP client on 127.0.0.1: the tests send exactly the bytes a
// browser or an attacker would, with no HTTP library in between.
class Connection
{
public:
    explicit Connection(int port, int receiveBuffer = 0)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (receiveBuffer > 0)
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~Connection() { ::close(m_fd); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool connected() const { return m_connected; }

    void send(const std::string& bytes)
    {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }

    // Reads until the text appears, the peer closes, or the time is up.
    std::string readUntil(const std::string& text, std::chrono::milliseconds limit = 10s)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        std::size_t from = 0;
        while (m_received.find(text, from) == std::string::npos) {
            // Only the new bytes can complete it.
            from = m_received.size() >= text.size() ? m_received.size() - text.size() + 1 : 0;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            char buffer[65536];
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                m_closed = true;
                break;
            }
            m_received.append(buffer, static_cast<std::size_t>(n));
        }
        return m_received;
    }

    std::string readAll(std::chrono::milliseconds limit = 10s) { return readUntil(std::string(1, '\0') + "never", limit); }
    bool closed() const { return m_closed; }

private:
    int m_fd = -1;
    bool m_connected = false;
    bool m_closed = false;
    std::string m_received;
};

struct Reply
{
    int status = 0;
    std::string head;
    std::string body;

    std::string header(const std::string& name) const
    {
        std::string lowered = head;
        for (char& c : lowered)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string key = "\r\n" + name + ":";
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::size_t at = lowered.find(key);
        if (at == std::string::npos)
            return {};
        std::size_t start = at + key.size();
        while (start < head.size() && head[start] == ' ')
            ++start;
        return head.substr(start, head.find("\r\n", start) - start);
    }
};

inline Reply parse(const std::string& raw)
{
    Reply reply;
    const std::size_t end = raw.find("\r\n\r\n");
    if (raw.rfind("HTTP/1.", 0) != 0 || end == std::string::npos)
        return reply;
    reply.status = std::stoi(raw.substr(9, 3));
    reply.head = raw.substr(0, end);
    reply.body = raw.substr(end + 4);
    return reply;
}

inline Reply exchange(int port, const std::string& request)
{
    Connection connection(port);
    connection.send(request);
    return parse(connection.readAll());
}

} // namespace kzt::testhttp
