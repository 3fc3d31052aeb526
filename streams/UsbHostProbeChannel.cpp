#include "streams/UsbHostProbeChannel.h"

#include "streams/FileException.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <cstring>

namespace StreamIO
{

CUsbHostProbeChannel::CUsbHostProbeChannel(CUsbHostProbeManager::NChannel channel, int header)
    : m_nHeader(header), m_nChannel(channel)
{
}

CUsbHostProbeChannel::~CUsbHostProbeChannel()
{
    if (m_pTransport)
        CloseNoThrow();
}

bool CUsbHostProbeChannel::OpenChannel(const std::wstring& path, std::uint32_t openFlags)
{
    if (m_pTransport)
    {
        SetError(errNotSupported);
        return false;
    }
    SetNameAndFlags(path, openFlags);
    SetError(0);
    m_nReportLength = 0;
    m_bAbort = false;
    std::shared_ptr<CHidTransport> transport;
    const int error = CUsbHostProbeManager::Instance().Open(path, m_nChannel, transport);
    if (error != 0)
    {
        SetError(error);
        return false;
    }
    const int length = m_nChannel == CUsbHostProbeManager::chControl ? transport->FeatureReportLength()
                                                                     : transport->InputReportLength();
    if (length <= m_nHeader)
    {
        CUsbHostProbeManager::Instance().Close(path, m_nChannel);
        ThrowError(errGenFailure);
    }
    m_pTransport = std::move(transport);
    m_nReportLength = length;
    m_nPartial = m_nPartialSize = 0;
    return true;
}

void CUsbHostProbeChannel::Close()
{
    if (!m_pTransport)
        ThrowError(errInvalidHandle);
    m_pTransport.reset();
    m_nReportLength = 0;
    m_bAbort = false;
    CUsbHostProbeManager::Instance().Close(GetName(), m_nChannel);
}

bool CUsbHostProbeChannel::IsOpen() const
{
    return m_pTransport != nullptr &&
           CUsbHostProbeManager::Instance().GetHandle(GetName(), m_nChannel) == m_pTransport;
}

bool CUsbHostProbeChannel::GetTimeouts(int* readMs, int* writeMs)
{
    if (readMs != nullptr)
        *readMs = m_nReadTimeoutMs;
    if (writeMs != nullptr)
        *writeMs = m_nWriteTimeoutMs;
    return true;
}

bool CUsbHostProbeChannel::SetTimeouts(int readMs, int writeMs)
{
    m_nReadTimeoutMs = readMs < 0 ? -1 : readMs;
    m_nWriteTimeoutMs = writeMs < 0 ? -1 : writeMs;
    return true;
}

bool CUsbHostProbeChannel::Abort()
{
    m_bAbort = true;
    return true;
}

void CUsbHostProbeChannel::PurgeInput()
{
    if (!m_pTransport)
        return;
    const int readMs = m_nReadTimeoutMs;
    const int writeMs = m_nWriteTimeoutMs;
    m_nReadTimeoutMs = 0;
    m_nWriteTimeoutMs = 0;
    try
    {
        unsigned char byte = 0;
        while (Read(&byte, 1) == 1)
        {
        }
    }
    catch (const CFileException&)
    {
    }
    m_nReadTimeoutMs = readMs;
    m_nWriteTimeoutMs = writeMs;
}

int CUsbHostProbeChannel::TakeHeldPayload(const std::vector<unsigned char>& report, unsigned char* out,
                                          int length)
{
    if (m_nPartial <= 0 || m_nPartial >= m_nPartialSize)
        return 0;
    // The held length was checked against the report when it was taken;
    // should it ever exceed the report, nothing past the report is copied.
    if (static_cast<std::size_t>(m_nHeader + m_nPartialSize) > report.size())
    {
        m_nPartial = m_nPartialSize = 0;
        return 0;
    }
    const int take = std::min(length, m_nPartialSize - m_nPartial);
    std::memcpy(out, report.data() + m_nHeader + m_nPartial, static_cast<std::size_t>(take));
    m_nPartial += take;
    if (m_nPartial >= m_nPartialSize)
        m_nPartial = m_nPartialSize = 0;
    return take;
}

void CUsbHostProbeChannel::HoldRest(int taken, int size)
{
    if (taken < size)
    {
        m_nPartial = taken;
        m_nPartialSize = size;
    }
}

} // namespace StreamIO
