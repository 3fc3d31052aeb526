#include "streams/UsbHostProbeControl.h"

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

constexpr unsigned char kAck = 0x01;
constexpr unsigned char kHostData = 0x02;
constexpr unsigned char kHostCounterMask = 0x1C;
constexpr unsigned char kLengthMask = 0x3F;
constexpr int kHeader = 3;

int PayloadLength(const std::vector<unsigned char>& report)
{
    return report[2] & kLengthMask;
}

void SetPayloadLength(std::vector<unsigned char>& report, int length)
{
    report[2] = static_cast<unsigned char>((report[2] & ~kLengthMask) | (length & kLengthMask));
}

} // namespace

CUsbHostProbeControl::CUsbHostProbeControl() : CUsbHostProbeChannel(CUsbHostProbeManager::chControl, kHeader)
{
}

bool CUsbHostProbeControl::Open(const std::wstring& path, std::uint32_t openFlags)
{
    if (!OpenChannel(path, openFlags))
        return false;
    m_writeReport.assign(static_cast<std::size_t>(m_nReportLength), 0);
    m_readReport.assign(static_cast<std::size_t>(m_nReportLength), 0);
    if (!m_pTransport->GetFeature(m_readReport.data(), m_nReportLength))
        SetError(errGenFailure);
    return GetError() == 0;
}

bool CUsbHostProbeControl::GetReport(std::vector<unsigned char>& report)
{
    report[0] = 0;
    if (!m_pTransport->GetFeature(report.data(), m_nReportLength))
        ThrowError(errGenFailure);
    return true;
}

void CUsbHostProbeControl::SetReport(const std::vector<unsigned char>& report)
{
    if (!m_pTransport->SetFeature(report.data(), m_nReportLength))
        ThrowError(errGenFailure);
}

void CUsbHostProbeControl::SendReport(const unsigned char* data, int length)
{
    std::vector<unsigned char>& report = m_writeReport;
    std::memcpy(report.data() + kHeader, data, static_cast<std::size_t>(length));
    const int counter = ((report[1] & kHostCounterMask) >> 2) + 1;
    report[1] = static_cast<unsigned char>((report[1] & ~(kHostCounterMask | kAck)) | kHostData |
                                           ((counter & 7) << 2));
    SetPayloadLength(report, length);
    SetReport(report);
}

std::uint64_t CUsbHostProbeControl::Since(std::uint64_t start)
{
    std::uint64_t now = 0;
    QueryTimeStamp(&now);
    return ElapsedMilliseconds(start, now);
}

void CUsbHostProbeControl::Pause(std::uint64_t start, int timeoutMs, int slackMs) const
{
    if (m_nPollMs <= 0 || m_bAbort)
        return;
    const std::uint64_t elapsed = Since(start);
    if (timeoutMs >= 0 &&
        elapsed + static_cast<std::uint64_t>(m_nPollMs + slackMs) >= static_cast<std::uint64_t>(timeoutMs))
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(m_nPollMs));
}

int CUsbHostProbeControl::Write(const void* buffer, int length)
{
    SetError(0);
    if (!m_pTransport || m_nReportLength <= kHeader || length <= 0 || length > m_nReportLength - kHeader)
        return 0;
    const auto* data = static_cast<const unsigned char*>(buffer);
    std::uint64_t start = 0;
    QueryTimeStamp(&start);
    bool sent = false;
    int result = 0;
    for (;;)
    {
        GetReport(m_writeReport);
        const unsigned char flags = m_writeReport[1];
        const bool ack = (flags & kAck) != 0;
        if (ack)
        {
            if (!sent && PayloadLength(m_writeReport) == 0)
            {
                SendReport(data, length);
                sent = true;
            }
            else if (sent && (flags & kHostData) != 0)
            {
                // Taken: leave the report empty for the device's answer.
                m_writeReport[kHeader] = data[0];
                SetPayloadLength(m_writeReport, 0);
                SetReport(m_writeReport);
                result = length;
                break;
            }
            else if (sent)
            {
                SendReport(data, length);
            }
        }
        if (m_nWriteTimeoutMs >= 0 && Since(start) > static_cast<std::uint64_t>(m_nWriteTimeoutMs))
        {
            // Not taken in time: withdraw the report; nothing went.
            SetError(errTimeout);
            m_writeReport[1] |= kAck;
            SetPayloadLength(m_writeReport, 0);
            SetReport(m_writeReport);
            break;
        }
        if (m_bAbort)
            break;
        Pause(start, m_nWriteTimeoutMs, 3);
    }
    m_bAbort = false;
    return result;
}

int CUsbHostProbeControl::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_pTransport || m_nReportLength <= kHeader || length <= 0 || length > m_nReportLength - kHeader)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int got = TakeHeldPayload(m_readReport, out, length);
    if (got == length)
        return got;
    std::uint64_t start = 0;
    QueryTimeStamp(&start);
    for (;;)
    {
        GetReport(m_readReport);
        const unsigned char flags = m_readReport[1];
        const int payload = PayloadLength(m_readReport);
        if ((flags & (kAck | kHostData)) == 0 && payload > m_nReportLength - kHeader)
        {
            // The length field has room for more than the report holds: a
            // broken or hostile device. Nothing of it is taken or acknowledged.
            SetError(errInvalidData);
            break;
        }
        if ((flags & (kAck | kHostData)) == 0 && payload != 0)
        {
            const int take = std::min(length - got, payload);
            std::memcpy(out + got, m_readReport.data() + kHeader, static_cast<std::size_t>(take));
            got += take;
            HoldRest(take, payload);
            m_readReport[1] |= kAck;
            SetReport(m_readReport);
        }
        if (got >= length)
            break;
        if (m_nReadTimeoutMs >= 0 && Since(start) > static_cast<std::uint64_t>(m_nReadTimeoutMs))
        {
            SetError(errTimeout);
            break;
        }
        if (m_bAbort)
            break;
        Pause(start, m_nReadTimeoutMs, m_nPollMs + 1);
    }
    m_bAbort = false;
    if (got == 0 && GetError() == 0)
        SetError(errHandleEof);
    return got;
}

void CUsbHostProbeControl::Flush()
{
    if (!m_pTransport)
        return;
    GetReport(m_writeReport);
    const unsigned char flags = m_writeReport[1];
    // A report of ours that the device has not taken yet is withdrawn.
    if ((flags & kHostData) != 0 && !((flags & kAck) != 0 && PayloadLength(m_writeReport) == 0))
    {
        m_writeReport[1] |= kAck;
        SetPayloadLength(m_writeReport, 0);
        SetReport(m_writeReport);
    }
}

} // namespace StreamIO
