#include "streams/IpSocket.h"

#include "streams/TextCodec.h"
#include "streams/Win32Error.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace StreamIO
{
namespace
{

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

CIpSocket::CIpSocket(const std::wstring& name)
{
    const std::size_t first = name.find(L':');
    const std::size_t last = name.rfind(L':');
    std::wstring host;
    std::wstring port;
    if (first != std::wstring::npos)
    {
        host = first != last ? name.substr(first + 1, last - first - 1) : name.substr(0, first);
        port = name.substr(last + 1);
    }
    else
    {
        host = name;
    }
    m_strHost = CTextCodec::ToUtf8(host);
    m_strPort = CTextCodec::ToUtf8(port);
    m_hAbortEvent = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

CIpSocket::~CIpSocket()
{
    CloseFd(m_hSocket);
    CloseFd(m_hAbortEvent);
}

void CIpSocket::CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int CIpSocket::Close()
{
    int error = 0;
    if (m_hSocket >= 0)
    {
        if (m_bConnected)
            ::shutdown(m_hSocket, SHUT_RDWR);
        if (::close(m_hSocket) != 0)
            error = WsaErrorFromErrno(errno);
    }
    m_hSocket = -1;
    m_bConnected = false;
    return error;
}

int CIpSocket::GetInputCount()
{
    int count = 0;
    if (m_hSocket < 0 || ioctl(m_hSocket, FIONREAD, &count) != 0)
        return -1;
    return count;
}

void CIpSocket::SignalAbort()
{
    ++m_nAbortCount;
    if (m_hAbortEvent >= 0)
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = ::write(m_hAbortEvent, &one, sizeof one);
    }
}

CIpSocket::NWait CIpSocket::Wait(int fd, short events, int timeoutMs, std::uint64_t abortSeen)
{
    const std::int64_t deadline = timeoutMs < 0 ? -1 : NowMs() + timeoutMs;
    for (;;)
    {
        if (m_nAbortCount.load() != abortSeen)
            return waitAborted;
        int wait = -1;
        if (deadline >= 0)
            wait = static_cast<int>(
                std::max<std::int64_t>(0, std::min<std::int64_t>(deadline - NowMs(), INT_MAX)));
        pollfd fds[2] = {{fd, events, 0}, {m_hAbortEvent, POLLIN, 0}};
        const int ready = poll(fds, m_hAbortEvent >= 0 ? 2 : 1, wait);
        if (ready < 0)
        {
            if (errno == EINTR)
                continue;
            return waitFailed;
        }
        if (ready == 0)
            return waitTimeout;
        if (fds[1].revents & POLLIN)
        {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t ignored = ::read(m_hAbortEvent, &count, sizeof count);
            if (m_nAbortCount.load() != abortSeen)
                return waitAborted;
        }
        // Hang-ups and errors count as ready: the next call reports them.
        if (fds[0].revents != 0)
            return waitReady;
    }
}

int CIpSocket::WaitFor(int fd, short events, int timeoutMs, std::uint64_t abortSeen)
{
    switch (Wait(fd, events, timeoutMs, abortSeen))
    {
    case waitReady:
        return 0;
    case waitTimeout:
        return errTimeout;
    case waitAborted:
        return errOperationAborted;
    default:
        return WsaErrorFromErrno(errno);
    }
}

int CIpSocket::NewSocket(int socketType, int protocol)
{
    return ::socket(AF_INET, socketType | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
}

int CIpSocket::ForEachAddress(int socketType, int protocol,
                              const std::function<int(const addrinfo&)>& tryAddress)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = socketType;
    hints.ai_protocol = protocol;
    if (IsServer())
        hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST;
    else if (IsDottedQuad(m_strHost))
        hints.ai_flags = AI_NUMERICHOST;
    addrinfo* list = nullptr;
    const int resolved = getaddrinfo(IsServer() ? nullptr : m_strHost.c_str(),
                                     m_strPort.empty() ? nullptr : m_strPort.c_str(), &hints, &list);
    if (resolved != 0)
        return resolved == EAI_SYSTEM ? WsaErrorFromErrno(errno) : errWsaHostNotFound;
    int error = errWsaHostNotFound;
    for (const addrinfo* entry = list; entry != nullptr; entry = entry->ai_next)
    {
        error = tryAddress(*entry);
        if (error == 0)
            break;
    }
    freeaddrinfo(list);
    return error;
}

int CIpSocket::ConnectBounded(int fd, const addrinfo& address)
{
    const std::uint64_t abortSeen = AbortCount();
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0)
        return 0;
    if (errno != EINPROGRESS && errno != EINTR)
        return WsaErrorFromErrno(errno);
    if (const int error = WaitFor(fd, POLLOUT, kConnectTimeoutMs, abortSeen))
        return error == errTimeout ? errWsaTimedOut : error;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return WsaErrorFromErrno(errno);
    return error == 0 ? 0 : WsaErrorFromErrno(error);
}

int CIpSocket::OpenOn(const addrinfo& address, int socketType, int protocol, bool listen, int& fd)
{
    fd = NewSocket(socketType, protocol);
    if (fd < 0)
        return WsaErrorFromErrno(errno);
    int error = 0;
    if (IsServer())
    {
        // A server started again right after a stop must get its port back.
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(fd, address.ai_addr, address.ai_addrlen) != 0 || (listen && ::listen(fd, 1) != 0))
            error = WsaErrorFromErrno(errno);
    }
    else
    {
        error = ConnectBounded(fd, address);
    }
    if (error != 0)
        CloseFd(fd);
    return error;
}

bool CIpSocket::IsDottedQuad(const std::string& text)
{
    unsigned parts[4] = {};
    char tail = 0;
    if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail) !=
        4)
        return false;
    for (unsigned part : parts)
    {
        if (part > 255)
            return false;
    }
    return true;
}

int CIpSocket::WsaErrorFromErrno(int posixError)
{
    switch (posixError)
    {
    case 0:
        return 0;
    case ENETRESET:
        return errWsaNetReset;
    case ECONNABORTED:
    case EPIPE:
        return errWsaConnAborted;
    case ECONNRESET:
        return errWsaConnReset;
    case ENOTCONN:
        return errWsaNotConnected;
    case ETIMEDOUT:
        return errWsaTimedOut;
    case ECONNREFUSED:
        return errWsaConnRefused;
    case EADDRINUSE:
        return errWsaAddressInUse;
    case EADDRNOTAVAIL:
        return errWsaAddressNotAvailable;
    case ENETUNREACH:
        return errWsaNetUnreachable;
    case EHOSTUNREACH:
        return errWsaHostUnreachable;
    case EMSGSIZE:
        return errWsaMessageSize;
    default:
        return Win32ErrorFromErrno(posixError);
    }
}

} // namespace StreamIO
