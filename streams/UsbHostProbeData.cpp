#include "streams/UsbHostProbeData.h"

#include "streams/FileException.h"
#include "streams/TimeStamp.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace StreamIO
{
namespace
{

constexpr int kHeader = 2;
// Input reports are read in slices, so Abort() is seen within this time.
constexpr int kSliceMs = 20;

} // namespace

CUsbHostProbeData::CUsbHostProbeData() = default;

CUsbHostProbeData::~CUsbHostProbeData()
{
    if (m_pTransport)
        CloseNoThrow();
}

bool CUsbHostProbeData::Open(const std::wstring& path, std::uint32_t openFlags)
{
    if (m_pTransport)
    {
        SetError(errNotSupported);
        return false;
    }
    SetNameAndFlags(path, openFlags);
    SetError(0);
    m_bAbort = false;
    std::shared_ptr<CHidTransport> transport;
    const int error = CUsbHostProbeManager::Instance().Open(path, CUsbHostProbeManager::chData, transport);
    if (error != 0)
    {
        SetError(error);
        return false;
    }
    const int length = transport->InputReportLength();
    if (length <= kHeader)
    {
        CUsbHostProbeManager::Instance().Close(path, CUsbHostProbeManager::chData);
        ThrowError(errGenFailure);
    }
    m_pTransport = std::move(transport);
    m_nReportLength = length;
    m_report.assign(static_cast<std::size_t>(length), 0);
    m_nPartial = m_nPartialSize = 0;
    m_nLastSequence = -1;
    return true;
}

void CUsbHostProbeData::Close()
{
    if (!m_pTransport)
        ThrowError(errInvalidHandle);
    m_pTransport.reset();
    m_report.clear();
    m_nReportLength = 0;
    m_bAbort = false;
    CUsbHostProbeManager::Instance().Close(GetName(), CUsbHostProbeManager::chData);
}

bool CUsbHostProbeData::IsOpen() const
{
    return m_pTransport != nullptr && CUsbHostProbeManager::Instance().GetHandle(
                                          GetName(), CUsbHostProbeManager::chData) == m_pTransport;
}

bool CUsbHostProbeData::GetTimeouts(int* readMs, int* writeMs)
{
    if (readMs != nullptr)
        *readMs = m_nReadTimeoutMs;
    if (writeMs != nullptr)
        *writeMs = m_nWriteTimeoutMs;
    return true;
}

bool CUsbHostProbeData::SetTimeouts(int readMs, int writeMs)
{
    m_nReadTimeoutMs = readMs < 0 ? -1 : readMs;
    m_nWriteTimeoutMs = writeMs < 0 ? -1 : writeMs;
    return true;
}

bool CUsbHostProbeData::Abort()
{
    m_bAbort = true;
    return true;
}

void CUsbHostProbeData::PurgeInput()
{
    if (!m_pTransport)
        return;
    const int readMs = m_nReadTimeoutMs;
    m_nReadTimeoutMs = 0;
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
}

int CUsbHostProbeData::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_pTransport || length <= 0)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int got = 0;
    if (m_nPartial > 0 && m_nPartial < m_nPartialSize)
    {
        const int take = std::min(length, m_nPartialSize - m_nPartial);
        std::memcpy(out, m_report.data() + kHeader + m_nPartial, static_cast<std::size_t>(take));
        m_nPartial += take;
        got = take;
        if (m_nPartial >= m_nPartialSize)
            m_nPartial = m_nPartialSize = 0;
        if (got == length)
            return got;
    }
    std::uint64_t start = 0;
    QueryTimeStamp(&start);
    while (got < length && !m_bAbort)
    {
        std::uint64_t now = 0;
        QueryTimeStamp(&now);
        const std::uint64_t elapsed = ElapsedMilliseconds(start, now);
        if (m_nReadTimeoutMs >= 0 && elapsed > static_cast<std::uint64_t>(m_nReadTimeoutMs))
        {
            SetError(errTimeout);
            break;
        }
        int wait = kSliceMs;
        if (m_nReadTimeoutMs >= 0)
            wait = static_cast<int>(std::min<std::uint64_t>(kSliceMs, m_nReadTimeoutMs - elapsed));
        const int size = m_pTransport->ReadInput(m_report.data(), m_nReportLength, wait);
        if (size < 0)
            ThrowError(errGenFailure);
        if (size <= kHeader)
        {
            if (m_nReadTimeoutMs == 0)
            {
                SetError(errTimeout);
                break;
            }
            continue;
        }
        const int sequence = m_report[1] >> 5;
        if (sequence == m_nLastSequence)
        {
            // The same report again: nothing new yet.
            if (m_nPollMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(m_nPollMs));
            continue;
        }
        m_nLastSequence = sequence;
        const int payload = std::min(m_report[1] & 0x0F, size - kHeader);
        const int take = std::min(length - got, payload);
        std::memcpy(out + got, m_report.data() + kHeader, static_cast<std::size_t>(take));
        got += take;
        if (take < payload)
        {
            m_nPartial = take;
            m_nPartialSize = payload;
        }
    }
    m_bAbort = false;
    if (got == 0 && GetError() == 0)
        SetError(errHandleEof);
    return got;
}

} // namespace StreamIO
