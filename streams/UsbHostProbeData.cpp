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

CUsbHostProbeData::CUsbHostProbeData() : CUsbHostProbeChannel(CUsbHostProbeManager::chData, kHeader)
{
}

bool CUsbHostProbeData::Open(const std::wstring& path, std::uint32_t openFlags)
{
    if (!OpenChannel(path, openFlags))
        return false;
    m_report.assign(static_cast<std::size_t>(m_nReportLength), 0);
    m_nLastSequence = -1;
    return true;
}

int CUsbHostProbeData::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_pTransport || length <= 0)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int got = TakeHeldPayload(m_report, out, length);
    if (got == length)
        return got;
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
        int size = m_pTransport->ReadInput(m_report.data(), m_nReportLength, wait);
        if (size < 0)
            ThrowError(errGenFailure);
        size = std::min(size, m_nReportLength);
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
        HoldRest(take, payload);
    }
    m_bAbort = false;
    if (got == 0 && GetError() == 0)
        SetError(errHandleEof);
    return got;
}

} // namespace StreamIO
