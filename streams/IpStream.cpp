#include "streams/IpStream.h"

#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "streams/TcpSocket.h"
#include "streams/TimeStamp.h"
#include "streams/UdpSocket.h"
#include "streams/Win32Error.h"

#include <vector>

namespace StreamIO
{

CIpStream::CIpStream() = default;

CIpStream::CIpStream(const std::wstring& name, std::uint32_t openFlags)
{
    Open(name, openFlags);
}

CIpStream::~CIpStream()
{
    if (IsOpen())
        CloseNoThrow();
}

std::unique_ptr<CIpSocket> CIpStream::MakeSocket(const std::wstring& name, std::uint32_t openFlags) const
{
    if (openFlags & ofUdp)
        return std::make_unique<CUdpSocket>(name);
    return std::make_unique<CTcpSocket>(name);
}

bool CIpStream::Open(const std::wstring& name, std::uint32_t openFlags)
{
    if (IsOpen())
    {
        SetError(errNotSupported);
        return false;
    }
    const std::wstring fullName = IsIpStreamName(name) ? name : L"IP:" + name;
    SetNameAndFlags(fullName, openFlags);
    SetError(0);
    std::unique_ptr<CIpSocket> socket = MakeSocket(fullName, openFlags);
    const int error = socket->Open();
    if (error != 0)
        ThrowError(error);
    std::lock_guard guard(m_socketLock);
    m_pSocket = std::move(socket);
    return true;
}

void CIpStream::Close()
{
    std::unique_ptr<CIpSocket> socket;
    {
        std::lock_guard guard(m_socketLock);
        socket = std::move(m_pSocket);
    }
    if (!socket)
        ThrowError(errInvalidHandle);
    const int error = socket->Close();
    SetError(error);
    if (error != 0)
        ThrowError(error);
}

bool CIpStream::IsOpen() const
{
    std::lock_guard guard(m_socketLock);
    return m_pSocket != nullptr;
}

bool CIpStream::IsConnected() const
{
    std::lock_guard guard(m_socketLock);
    return m_pSocket != nullptr && m_pSocket->IsConnected();
}

int CIpStream::GetInputCount()
{
    if (!m_pSocket)
        return 0;
    const int count = m_pSocket->GetInputCount();
    return count < 0 ? 0 : count;
}

void CIpStream::PurgeInput()
{
    if (!m_pSocket)
        return;
    const int waiting = GetInputCount();
    if (waiting <= 0)
        return;
    const int oldRead = m_pSocket->m_nReadTimeoutMs;
    m_pSocket->m_nReadTimeoutMs = 0;
    std::vector<std::uint8_t> drop(static_cast<std::size_t>(waiting));
    int count = 0;
    m_pSocket->Read(drop.data(), waiting, &count);
    m_pSocket->m_nReadTimeoutMs = oldRead;
}

bool CIpStream::GetTimeouts(int* readMs, int* writeMs)
{
    if (!m_pSocket)
        return false;
    if (readMs != nullptr)
        *readMs = m_pSocket->m_nReadTimeoutMs;
    if (writeMs != nullptr)
        *writeMs = m_pSocket->m_nWriteTimeoutMs;
    return true;
}

bool CIpStream::SetTimeouts(int readMs, int writeMs)
{
    if (!m_pSocket)
        return false;
    m_pSocket->m_nReadTimeoutMs = readMs < 0 ? -1 : readMs;
    m_pSocket->m_nWriteTimeoutMs = writeMs < 0 ? -1 : writeMs;
    return true;
}

bool CIpStream::Abort()
{
    std::lock_guard guard(m_socketLock);
    if (!m_pSocket)
        return false;
    m_pSocket->SignalAbort();
    return true;
}

bool CIpStream::IsAccepted(int error)
{
    return error == 0 || error == errTimeout || error == errWsaConnAborted || error == errWsaConnReset;
}

void CIpStream::Reconnect()
{
    const int readMs = m_pSocket->m_nReadTimeoutMs;
    const int writeMs = m_pSocket->m_nWriteTimeoutMs;
    m_pSocket->Close();
    if (m_pSocket->Open() == 0)
    {
        m_pSocket->m_nReadTimeoutMs = readMs;
        m_pSocket->m_nWriteTimeoutMs = writeMs;
        SetError(0);
    }
}

int CIpStream::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_pSocket)
        ThrowError(errInvalidHandle);
    if (!(GetOpenFlags() & ofRead))
        ThrowError(errReadFault);
    if (length <= 0)
        return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::uint64_t start = 0;
    QueryTimeStamp(&start);
    int total = 0;
    const int readMs = m_pSocket->m_nReadTimeoutMs;
    while (total < length)
    {
        // Each pass waits only for what is left of the read time-out.
        std::uint64_t now = 0;
        QueryTimeStamp(&now);
        const std::uint64_t elapsed = ElapsedMilliseconds(start, now);
        m_pSocket->m_nReadTimeoutMs = readMs < 0
                                          ? -1
                                          : static_cast<int>(elapsed >= static_cast<std::uint64_t>(readMs)
                                                                 ? 0
                                                                 : readMs - static_cast<int>(elapsed));
        int count = 0;
        int error = m_pSocket->Read(bytes + total, length - total, &count);
        m_pSocket->m_nReadTimeoutMs = readMs;
        if (error == errOperationAborted)
        {
            // Someone else stopped the wait: hand back what came so far.
            SetError(total > 0 ? 0 : errHandleEof);
            return total;
        }
        if (!IsAccepted(error))
            ThrowError(error);
        total += count;
        SetError(error);
        if (error == errWsaConnAborted || error == errWsaConnReset)
        {
            Reconnect();
            error = GetError();
        }
        if (count == 0 && error != errTimeout)
        {
            SetError(errHandleEof);
            break;
        }
        if (total < length)
        {
            QueryTimeStamp(&now);
            if (error == errTimeout ||
                (readMs >= 0 && ElapsedMilliseconds(start, now) > static_cast<std::uint64_t>(readMs)))
            {
                SetError(errTimeout);
                break;
            }
        }
    }
    return total;
}

int CIpStream::Write(const void* buffer, int length)
{
    SetError(0);
    if (!m_pSocket)
        ThrowError(errInvalidHandle);
    if (!(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    if (length <= 0)
        return 0;
    int count = 0;
    const int error = m_pSocket->Write(buffer, length, &count);
    if (error == errOperationAborted)
    {
        SetError(count > 0 ? 0 : errTimeout);
        return count;
    }
    if (!IsAccepted(error))
        ThrowError(error);
    SetError(error);
    if (error == errWsaConnAborted || error == errWsaConnReset)
        Reconnect();
    if (count == 0 && error != errTimeout)
        SetError(errHandleEof);
    else if (count == 0)
        SetError(errTimeout);
    return count;
}

} // namespace StreamIO
