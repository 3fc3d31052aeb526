#pragma once
// The data channel of a HID probe: read-only bytes in input reports
//   byte 0  report id
//   byte 1  bits 0-3 payload length, bits 5-7 sequence number (a new value
//           marks a new report; a repeated one is the same report again)
//   byte 2+ payload
// It shares the device its control channel opened (CUsbHostProbeManager).
// A read may hand out a report's payload over several calls; it ends when
// all bytes came, the read time-out passed (1460) or Abort() was called.

#include "streams/IoStream.h"
#include "streams/UsbHostProbeManager.h"

#include <atomic>
#include <memory>
#include <vector>

namespace StreamIO
{

class CUsbHostProbeData : public CIoStream
{
public:
    CUsbHostProbeData();
    ~CUsbHostProbeData() override;

    bool Open(const std::wstring& path, std::uint32_t openFlags) override;
    void Close() override;
    bool IsOpen() const override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;
    bool Abort() override;
    void PurgeInput() override;
    int Read(void* buffer, int length) override;
    /// The data channel takes nothing: 0.
    int Write(const void*, int) override { return 0; }

    void SetPollInterval(int ms) { m_nPollMs = ms; }
    int GetPollInterval() const { return m_nPollMs; }
    /// The sequence number of the last report taken; 0 before the first.
    int GetLastSequence() const { return m_nLastSequence < 0 ? 0 : m_nLastSequence; }

private:
    std::shared_ptr<CHidTransport> m_pTransport;
    int m_nReadTimeoutMs = 500;
    int m_nWriteTimeoutMs = 100;
    int m_nReportLength = 0;
    std::vector<unsigned char> m_report;
    int m_nPartial = 0;
    int m_nPartialSize = 0;
    int m_nLastSequence = -1; ///< none yet: the first report is always new
    int m_nPollMs = 1;
    std::atomic<bool> m_bAbort{false};
};

} // namespace StreamIO
