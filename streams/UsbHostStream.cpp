#include "streams/UsbHostStream.h"

#include "streams/LibUsbTransport.h"
#include "streams/MakerUsbIds.h"
#include "streams/TextCodec.h"
#include "streams/TimeStamp.h"
#include "streams/Win32Error.h"

namespace StreamIO
{

CUsbHostStream::CUsbHostStream() : CUsbHostStream(std::make_unique<CLibUsbTransport>())
{
}

CUsbHostStream::CUsbHostStream(std::unique_ptr<CUsbTransport> transport) : m_pTransport(std::move(transport))
{
}

CUsbHostStream::~CUsbHostStream()
{
    if (m_bOpen)
        CloseNoThrow();
}

bool CUsbHostStream::Open(const std::wstring& path, std::uint32_t openFlags)
{
    if (m_bOpen)
    {
        SetError(errNotSupported);
        return false;
    }
    SetNameAndFlags(path, openFlags);
    SetError(0);
    const int error = m_pTransport->Open(CTextCodec::ToUtf8(path));
    if (error != 0)
    {
        m_pTransport->Close();
        ThrowError(error);
    }
    m_bOpen = true;
    return true;
}

void CUsbHostStream::Close()
{
    if (m_bOpen)
        m_pTransport->Close();
    m_bOpen = false;
}

bool CUsbHostStream::GetTimeouts(int* readMs, int* writeMs)
{
    if (readMs != nullptr)
        *readMs = m_nReadTimeoutMs;
    if (writeMs != nullptr)
        *writeMs = m_nWriteTimeoutMs;
    return true;
}

bool CUsbHostStream::SetTimeouts(int readMs, int writeMs)
{
    m_nReadTimeoutMs = readMs < 0 ? -1 : readMs;
    m_nWriteTimeoutMs = writeMs < 0 ? -1 : writeMs;
    return true;
}

bool CUsbHostStream::Abort()
{
    if (!m_bOpen)
        return false;
    m_pTransport->Cancel();
    return true;
}

int CUsbHostStream::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_bOpen || !(GetOpenFlags() & ofRead))
        ThrowError(errReadFault);
    if (length <= 0)
        return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::uint64_t start = 0;
    QueryTimeStamp(&start);
    int total = 0;
    while (total < length)
    {
        int waitMs = m_nReadTimeoutMs;
        if (waitMs >= 0)
        {
            std::uint64_t now = 0;
            QueryTimeStamp(&now);
            const std::uint64_t elapsed = ElapsedMilliseconds(start, now);
            waitMs = elapsed >= static_cast<std::uint64_t>(waitMs) ? 0 : waitMs - static_cast<int>(elapsed);
        }
        int moved = 0;
        int error = m_pTransport->Transfer(true, bytes + total, length - total, waitMs, &moved);
        if (error == errOperationAborted)
        {
            // Someone stopped the wait: hand back what came.
            total += moved;
            SetError(total > 0 ? 0 : errHandleEof);
            return total;
        }
        if (error != 0 && error != errTimeout)
            ThrowError(error);
        total += moved;
        if (moved == 0 && error != errTimeout)
        {
            SetError(errHandleEof);
            break;
        }
        if (total < length)
        {
            std::uint64_t now = 0;
            QueryTimeStamp(&now);
            if (error == errTimeout ||
                (m_nReadTimeoutMs >= 0 &&
                 ElapsedMilliseconds(start, now) > static_cast<std::uint64_t>(m_nReadTimeoutMs)))
            {
                SetError(errTimeout);
                break;
            }
        }
    }
    return total;
}

int CUsbHostStream::Write(const void* buffer, int length)
{
    SetError(0);
    if (!m_bOpen || !(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    if (length <= 0)
        return 0;
    int moved = 0;
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(buffer),
                                    static_cast<const unsigned char*>(buffer) + length);
    const int error = m_pTransport->Transfer(false, copy.data(), length, m_nWriteTimeoutMs, &moved);
    // A time-out or a cancelled transfer is no failure of the device: report what went.
    if (error != 0 && error != errTimeout && error != errOperationAborted)
        ThrowError(error);
    if (moved < length)
        SetError(errTimeout);
    return moved;
}

int EnumUsbHostDevices(std::vector<std::wstring>& paths)
{
    paths.clear();
    std::vector<std::string> found;
    const int error = CLibUsbTransport::Enumerate(kMakerUsbVendorId, found);
    for (const std::string& path : found)
        paths.push_back(CTextCodec::FromUtf8(path));
    return error;
}

} // namespace StreamIO
