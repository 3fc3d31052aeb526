#pragma once
// A TCP connection. A client connects at Open(); a server listens (backlog 1,
// the address reusable at once) and takes one connection before its first
// read or write; when that peer goes away it listens again for the next.

#include "streams/IpSocket.h"

namespace StreamIO
{

class CTcpSocket : public CIpSocket
{
public:
    using CIpSocket::CIpSocket;
    ~CTcpSocket() override;

    int Open() override;
    int Close() override;
    int Read(void* buffer, int size, int* count) override;
    int Write(const void* buffer, int size, int* count) override;

private:
    /// A server's wait for its one connection; 0, 1460 or the error.
    int Accept(std::uint64_t abortSeen);
    /// A server takes its connection first; 0 when there is one, else the error.
    int Connected(std::uint64_t abortSeen);
    /// A server drops its peer and listens again; returns error unchanged.
    int Relisten(int error);
    /// Connection errors that a server answers by listening again.
    static bool IsConnectionLost(int error);

    int m_hListen = -1;
};

} // namespace StreamIO
