#pragma once
// A network stream: "IP:host:port" is a TCP client, "IP::port" a TCP server
// that waits for one connection (before its first read or write); with the
// open flag ofUdp the same names give UDP datagrams. A name without the
// prefix gets it. Reads and writes keep the stream's time-outs; a connection
// that the peer resets or aborts is made again, with the same time-outs.
// Abort() may be called from another thread: it ends a wait of a read or
// write at once and leaves the connection as it is.

#include "streams/IoStream.h"

#include <memory>
#include <mutex>

namespace StreamIO
{

class CIpSocket;

class CIpStream : public CIoStream
{
public:
    CIpStream();
    /// Opens at once; a failed open throws its error.
    CIpStream(const std::wstring& name, std::uint32_t openFlags);
    ~CIpStream() override;

    bool Open(const std::wstring& name, std::uint32_t openFlags) override;
    void Close() override;
    void PurgeInput() override;
    int GetInputCount() override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;
    bool Abort() override;
    bool IsOpen() const override;
    int Read(void* buffer, int length) override;
    int Write(const void* buffer, int length) override;

    /// A client is connected, or a server has its peer.
    bool IsConnected() const;

private:
    /// Errors a read or write lives with; the others are thrown.
    static bool IsAccepted(int error);
    /// After a reset: closes quietly and opens again with the same time-outs.
    void Reconnect();
    std::unique_ptr<CIpSocket> MakeSocket(const std::wstring& name, std::uint32_t openFlags) const;

    mutable std::mutex m_socketLock; // guards the pointer against Abort() from another thread
    std::unique_ptr<CIpSocket> m_pSocket;
};

} // namespace StreamIO
