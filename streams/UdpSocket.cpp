#include "streams/UdpSocket.h"

#include "streams/Win32Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace StreamIO
{

int CUdpSocket::Open()
{
    if (m_hSocket >= 0)
        return errNotSupported;
    return ForEachAddress(SOCK_DGRAM, IPPROTO_UDP,
                          [this](const addrinfo& address)
                          {
                              int fd = -1;
                              if (const int error = OpenOn(address, SOCK_DGRAM, IPPROTO_UDP, false, fd))
                                  return error;
                              m_hSocket = fd;
                              m_bConnected = !IsServer();
                              return 0;
                          });
}

int CUdpSocket::Close()
{
    m_datagram.clear();
    m_nDatagramRead = 0;
    m_nPeerLength = 0;
    return CIpSocket::Close();
}

int CUdpSocket::GetInputCount()
{
    const int waiting = CIpSocket::GetInputCount();
    const int kept = static_cast<int>(m_datagram.size() - m_nDatagramRead);
    return waiting < 0 ? kept : waiting + kept;
}

int CUdpSocket::Read(void* buffer, int size, int* count)
{
    *count = 0;
    if (m_hSocket < 0)
        return errWsaNotConnected;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    if (m_nDatagramRead < m_datagram.size())
    {
        const std::size_t n = std::min(static_cast<std::size_t>(size), m_datagram.size() - m_nDatagramRead);
        std::memcpy(bytes, m_datagram.data() + m_nDatagramRead, n);
        m_nDatagramRead += n;
        *count = static_cast<int>(n);
        return 0;
    }
    if (const int error = WaitFor(m_hSocket, POLLIN, m_nReadTimeoutMs, AbortCount()))
        return error;
    int pending = 0;
    if (ioctl(m_hSocket, FIONREAD, &pending) != 0)
        pending = 0;
    // A datagram is taken whole or its rest is lost: keep a large one for the next reads.
    const bool keep = pending > size;
    if (keep)
        m_datagram.resize(static_cast<std::size_t>(pending));
    void* target = keep ? static_cast<void*>(m_datagram.data()) : buffer;
    const std::size_t capacity = keep ? m_datagram.size() : static_cast<std::size_t>(size);
    ssize_t n = 0;
    for (;;)
    {
        if (IsServer())
        {
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            n = ::recvfrom(m_hSocket, target, capacity, 0, reinterpret_cast<sockaddr*>(&peer), &length);
            if (n >= 0)
            {
                m_peer = peer;
                m_nPeerLength = length;
                m_bConnected = true;
            }
        }
        else
        {
            n = ::recv(m_hSocket, target, capacity, 0);
        }
        if (n >= 0 || errno != EINTR)
            break;
    }
    if (n < 0)
    {
        m_datagram.clear();
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return errTimeout;
        // A port that nobody listens on answers a datagram with a reset.
        return errno == ECONNREFUSED ? errWsaConnReset : WsaErrorFromErrno(errno);
    }
    if (!keep)
    {
        *count = static_cast<int>(n);
        return 0;
    }
    m_datagram.resize(static_cast<std::size_t>(n));
    const std::size_t first = std::min(static_cast<std::size_t>(size), m_datagram.size());
    std::memcpy(bytes, m_datagram.data(), first);
    m_nDatagramRead = first;
    *count = static_cast<int>(first);
    return 0;
}

int CUdpSocket::Write(const void* buffer, int size, int* count)
{
    *count = 0;
    if (!m_bConnected || m_hSocket < 0)
        return 0; // a server has nobody to answer before the first datagram
    if (const int error = WaitFor(m_hSocket, POLLOUT, m_nWriteTimeoutMs, AbortCount()))
        return error;
    ssize_t n = 0;
    do
    {
        if (IsServer())
            n = ::sendto(m_hSocket, buffer, static_cast<std::size_t>(size), MSG_NOSIGNAL,
                         reinterpret_cast<const sockaddr*>(&m_peer), m_nPeerLength);
        else
            n = ::send(m_hSocket, buffer, static_cast<std::size_t>(size), MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    if (n >= 0)
    {
        *count = static_cast<int>(n);
        return 0;
    }
    const int error = WsaErrorFromErrno(errno);
    if (IsServer())
        m_bConnected = false;
    if (error == errWsaConnAborted || error == errWsaConnReset || error == errWsaTimedOut ||
        error == errWsaConnRefused)
        return 0;
    return error;
}

} // namespace StreamIO
