#include "streams/TcpSocket.h"

#include "streams/Win32Error.h"

#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace StreamIO
{
namespace
{

void SetOption(int fd, int level, int option)
{
    const int on = 1;
    setsockopt(fd, level, option, &on, sizeof on);
}

} // namespace

CTcpSocket::~CTcpSocket()
{
    CloseFd(m_hListen);
}

bool CTcpSocket::IsConnectionLost(int error)
{
    return error == errWsaNetReset || error == errWsaConnAborted || error == errWsaConnReset ||
           error == errWsaNotConnected || error == errWsaTimedOut;
}

int CTcpSocket::Open()
{
    if (m_hSocket >= 0 || m_hListen >= 0)
        return errNotSupported;
    return ForEachAddress(SOCK_STREAM, IPPROTO_TCP,
                          [this](const addrinfo& address)
                          {
                              int fd = -1;
                              if (const int error = OpenOn(address, SOCK_STREAM, IPPROTO_TCP, true, fd))
                                  return error;
                              if (IsServer())
                              {
                                  m_hListen = fd;
                                  return 0;
                              }
                              SetOption(fd, SOL_SOCKET, SO_OOBINLINE);
                              SetOption(fd, IPPROTO_TCP, TCP_NODELAY);
                              m_hSocket = fd;
                              m_bConnected = true;
                              return 0;
                          });
}

int CTcpSocket::Close()
{
    const int error = CIpSocket::Close();
    CloseFd(m_hListen);
    return error;
}

int CTcpSocket::Relisten(int error)
{
    Close();
    Open();
    return error;
}

int CTcpSocket::Accept(std::uint64_t abortSeen)
{
    if (m_hListen < 0)
        return errWsaNotConnected;
    if (const int error = WaitFor(m_hListen, POLLIN, m_nReadTimeoutMs, abortSeen))
        return error;
    const int fd = ::accept4(m_hListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK ? errTimeout : WsaErrorFromErrno(errno);
    SetOption(fd, SOL_SOCKET, SO_OOBINLINE);
    SetOption(fd, SOL_SOCKET, SO_KEEPALIVE);
    SetOption(fd, IPPROTO_TCP, TCP_NODELAY);
    m_hSocket = fd;
    m_bConnected = true;
    CloseFd(m_hListen); // one connection at a time
    return 0;
}

int CTcpSocket::Connected(std::uint64_t abortSeen)
{
    if (IsServer() && !m_bConnected)
    {
        if (const int error = Accept(abortSeen))
            return error;
    }
    return m_bConnected && m_hSocket >= 0 ? 0 : errWsaNotConnected;
}

int CTcpSocket::Read(void* buffer, int size, int* count)
{
    *count = 0;
    const std::uint64_t abortSeen = AbortCount();
    if (const int error = Connected(abortSeen))
        return error;
    if (const int error = WaitFor(m_hSocket, POLLIN, m_nReadTimeoutMs, abortSeen))
        return IsServer() && IsConnectionLost(error) ? Relisten(error) : error;
    for (;;)
    {
        const ssize_t n = ::recv(m_hSocket, buffer, static_cast<std::size_t>(size), 0);
        if (n > 0)
        {
            *count = static_cast<int>(n);
            return 0;
        }
        if (n == 0)
        {
            // The peer has closed its side: a server waits for the next one.
            return IsServer() ? Relisten(0) : 0;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return errTimeout;
        const int error = WsaErrorFromErrno(errno);
        return IsServer() ? Relisten(error) : error;
    }
}

int CTcpSocket::Write(const void* buffer, int size, int* count)
{
    *count = 0;
    const std::uint64_t abortSeen = AbortCount();
    if (const int error = Connected(abortSeen))
        return error;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (*count < size)
    {
        if (const int error = WaitFor(m_hSocket, POLLOUT, m_nWriteTimeoutMs, abortSeen))
            return error == errTimeout && *count > 0 ? 0 : error;
        // MSG_NOSIGNAL: a peer that has gone must give an error, not kill the process.
        const ssize_t n =
            ::send(m_hSocket, bytes + *count, static_cast<std::size_t>(size - *count), MSG_NOSIGNAL);
        if (n > 0)
        {
            *count += static_cast<int>(n);
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        const int error = WsaErrorFromErrno(n < 0 ? errno : ECONNABORTED);
        if (!IsConnectionLost(error))
            return error;
        // A client leaves a lost connection to its next read, which reconnects.
        return IsServer() ? Relisten(error) : 0;
    }
    return 0;
}

} // namespace StreamIO
