#pragma once
// What the two channels of a HID probe share: the device held through
// CUsbHostProbeManager for one channel, the report length, the time-outs,
// the poll interval, the abort flag, and the payload of a report that a read
// handed out only in part.

#include "streams/IoStream.h"
#include "streams/UsbHostProbeManager.h"

#include <atomic>
#include <memory>
#include <vector>

namespace StreamIO
{

class CUsbHostProbeChannel : public CIoStream
{
public:
    ~CUsbHostProbeChannel() override;

    void Close() override;
    bool IsOpen() const override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;
    bool Abort() override;
    /// Reads single bytes with no time-out until none is left.
    void PurgeInput() override;

    void SetPollInterval(int ms) { m_nPollMs = ms; }
    int GetPollInterval() const { return m_nPollMs; }

protected:
    /// header: the bytes of a report before its payload.
    CUsbHostProbeChannel(CUsbHostProbeManager::NChannel channel, int header);

    /// Takes the channel of the device at path: false with the error set
    /// when the manager refuses; throws 31 when its report has no room past
    /// the header.
    bool OpenChannel(const std::wstring& path, std::uint32_t openFlags);
    /// The rest of a report's payload that an earlier read left, up to
    /// length bytes; the count.
    int TakeHeldPayload(const std::vector<unsigned char>& report, unsigned char* out, int length);
    /// A read took taken of a report's size payload bytes: the rest is held.
    void HoldRest(int taken, int size);

    const int m_nHeader;
    std::shared_ptr<CHidTransport> m_pTransport;
    int m_nReadTimeoutMs = 500;
    int m_nWriteTimeoutMs = 100;
    int m_nReportLength = 0;
    int m_nPollMs = 1;
    std::atomic<bool> m_bAbort{false};

private:
    const CUsbHostProbeManager::NChannel m_nChannel;
    int m_nPartial = 0;     ///< payload bytes of the held report already handed out
    int m_nPartialSize = 0; ///< payload length of the held report
};

} // namespace StreamIO
