#include "tests/simulator/TerrionTcpSimulator.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace TerrionTest
{

CTerrionTcpSimulator::CTerrionTcpSimulator(const CTerrionScenario& scenario, const std::string& address,
                                           int port)
    : m_instrument(scenario)
{
    m_nListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(m_nListen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &local.sin_addr);
    if (m_nListen < 0 || bind(m_nListen, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        listen(m_nListen, 4) != 0)
    {
        if (m_nListen >= 0)
            ::close(m_nListen);
        throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port));
    }
    socklen_t length = sizeof local;
    getsockname(m_nListen, reinterpret_cast<sockaddr*>(&local), &length);
    m_nPort = ntohs(local.sin_port);
    m_thread.Start([this] { Run(); });
}

CTerrionTcpSimulator::~CTerrionTcpSimulator()
{
    m_thread.Stop();
    ::close(m_nListen);
}

std::vector<std::uint8_t> CTerrionTcpSimulator::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void CTerrionTcpSimulator::Run()
{
    int connection = -1;
    std::uint8_t buffer[512];
    std::vector<std::uint8_t> out;
    while (!m_thread.Stopping())
    {
        pollfd fds[3] = {{m_nListen, POLLIN, 0}, {m_thread.WakeFd(), POLLIN, 0}, {connection, POLLIN, 0}};
        if (poll(fds, connection >= 0 ? 3 : 2, 20) < 0 && errno != EINTR)
            break;
        if (m_thread.Stopping())
            break;
        if (fds[0].revents & POLLIN)
        {
            const int accepted = ::accept4(m_nListen, nullptr, nullptr, SOCK_CLOEXEC);
            if (accepted >= 0)
            {
                if (connection >= 0)
                    ::close(connection);
                connection = accepted;
                ++m_nConnections;
            }
            continue;
        }
        if (connection < 0 || !(fds[2].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
        {
            ::close(connection);
            connection = -1;
            continue;
        }
        out.clear();
        {
            std::lock_guard lock(m_mutex);
            m_received.insert(m_received.end(), buffer, buffer + n);
            std::vector<std::uint8_t> reply;
            for (ssize_t i = 0; i < n; ++i)
            {
                bool dropPending = false;
                reply.clear();
                m_instrument.Feed(buffer[i], reply, dropPending);
                if (dropPending)
                    out.clear();
                out.insert(out.end(), reply.begin(), reply.end());
            }
        }
        std::size_t sent = 0;
        while (sent < out.size())
        {
            const ssize_t w = ::send(connection, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (w <= 0)
                break;
            sent += static_cast<std::size_t>(w);
        }
    }
    if (connection >= 0)
        ::close(connection);
}

} // namespace TerrionTest
