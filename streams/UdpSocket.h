#pragma once
// UDP datagrams. A client sends to and receives from its host; a server
// answers whoever sent the last datagram. A datagram larger than a read is
// kept and handed out over the following reads.

#include "streams/IpSocket.h"

#include <cstdint>
#include <sys/socket.h>
#include <vector>

namespace StreamIO
{

class CUdpSocket : public CIpSocket
{
public:
    using CIpSocket::CIpSocket;

    int Open() override;
    int Close() override;
    int Read(void* buffer, int size, int* count) override;
    int Write(const void* buffer, int size, int* count) override;
    int GetInputCount() override;

private:
    sockaddr_storage m_peer{};
    socklen_t m_nPeerLength = 0;
    std::vector<std::uint8_t> m_datagram;
    std::size_t m_nDatagramRead = 0;
};

} // namespace StreamIO
