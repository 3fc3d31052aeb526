#pragma once
// The socket under a network stream: a TCP or UDP socket named by a host and
// a port. With a host it is a client; without one a server bound to every
// local address. Sockets are non-blocking and every wait goes through poll(),
// so time-outs hold and SignalAbort() from another thread ends a wait at once.
//
// Errors are returned, not thrown, as Winsock numbers (10053 connection
// aborted, 10054 reset, ...) so callers can tell a lost peer from a fault;
// 1460 means nothing was ready in time.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

struct addrinfo;

namespace StreamIO
{

class CIpSocket
{
public:
    /// Splits "IP:host:port" (or "IP::port" for a server) into host and port.
    explicit CIpSocket(const std::wstring& name);
    virtual ~CIpSocket();

    CIpSocket(const CIpSocket&) = delete;
    CIpSocket& operator=(const CIpSocket&) = delete;

    /// Connects (client) or binds (server); 0 or the error.
    virtual int Open() = 0;
    /// Shuts the connection down and closes every descriptor; 0 or the error.
    virtual int Close();
    virtual int Read(void* buffer, int size, int* count) = 0;
    virtual int Write(const void* buffer, int size, int* count) = 0;
    /// Bytes waiting to be read; -1 on failure.
    virtual int GetInputCount();

    /// Ends the wait of a running or the next read or write (from any thread).
    void SignalAbort();
    bool IsConnected() const { return m_bConnected; }
    bool IsServer() const { return m_strHost.empty(); }
    const std::string& GetHost() const { return m_strHost; }
    const std::string& GetPort() const { return m_strPort; }

    /// How long a client waits for its peer to take a connection.
    static constexpr int kConnectTimeoutMs = 5000;

    /// Time-outs in milliseconds; -1 none.
    int m_nReadTimeoutMs = 500;
    int m_nWriteTimeoutMs = 100;

    /// The Winsock number of a POSIX errno value of a socket call.
    static int WsaErrorFromErrno(int posixError);
    /// Four numbers 0..255 separated by points.
    static bool IsDottedQuad(const std::string& text);

protected:
    enum NWait : int
    {
        waitReady = 1,
        waitTimeout = 0,
        waitAborted = -1,
        waitFailed = -2,
    };

    /// Resolves host and port and tries each address with tryAddress until one
    /// gives 0; returns the last error.
    int ForEachAddress(int socketType, int protocol, const std::function<int(const addrinfo&)>& tryAddress);
    /// Waits for events on fd for at most timeoutMs (-1 none) or until an abort
    /// newer than abortSeen.
    NWait Wait(int fd, short events, int timeoutMs, std::uint64_t abortSeen);
    /// Wait() as a result: 0 ready, 1460 time-out, 995 aborted or the error.
    int WaitFor(int fd, short events, int timeoutMs, std::uint64_t abortSeen);
    std::uint64_t AbortCount() const { return m_nAbortCount.load(); }
    /// A non-blocking socket of the type, or -1 with errno set.
    static int NewSocket(int socketType, int protocol);
    /// connect() that gives up after kConnectTimeoutMs or an abort; 0 or the error.
    int ConnectBounded(int fd, const addrinfo& address);
    /// A socket of the type on the address: a server's bound (listening with
    /// listen), its port reusable at once; a client's connected. 0 with fd
    /// set, or the error with nothing left open.
    int OpenOn(const addrinfo& address, int socketType, int protocol, bool listen, int& fd);
    void CloseFd(int& fd);

    std::string m_strHost;
    std::string m_strPort;
    int m_hSocket = -1;
    bool m_bConnected = false;

private:
    int m_hAbortEvent = -1;
    std::atomic<std::uint64_t> m_nAbortCount{0};
};

} // namespace StreamIO
