#pragma once
// The control channel of a HID probe: bytes travel both ways in feature
// reports, with a handshake in each report:
//   byte 0  report id
//   byte 1  bit 0 acknowledge (the last report was taken), bit 1 host data
//           (the payload comes from the host), bits 2-4 host counter (+1 mod
//           8 with every report the host sends), bits 5-7 device counter
//   byte 2  bits 0-5 payload length (bits 6-7 left as they are)
//   byte 3+ payload, at most report length - 3 bytes
// The host sends when the report is acknowledged and empty, and is done when
// the device acknowledges while the host-data bit is still set. It takes the
// device's payload when neither bit is set, and acknowledges it. A read may
// hand out a report's payload over several calls. A device payload longer
// than the report has room for is a protocol error (13): the read stops
// without taking it.
//
// The channel polls (every poll interval) within its time-outs; Abort()
// from another thread ends a read or write at its next check. A write that
// the device does not take in time is cancelled, reports 1460 and 0 bytes.

#include "streams/UsbHostProbeChannel.h"

#include <vector>

namespace StreamIO
{

class CUsbHostProbeControl : public CUsbHostProbeChannel
{
public:
    CUsbHostProbeControl();

    bool Open(const std::wstring& path, std::uint32_t openFlags) override;
    void Flush() override;
    int Read(void* buffer, int length) override;
    int Write(const void* buffer, int length) override;

    /// Bytes in a feature report (0 until open).
    int GetReportLength() const { return m_nReportLength; }

private:
    bool GetReport(std::vector<unsigned char>& report);
    void SetReport(const std::vector<unsigned char>& report);
    /// Copies data into the write report as a new host report and sends it.
    void SendReport(const unsigned char* data, int length);
    /// Elapsed milliseconds since start.
    static std::uint64_t Since(std::uint64_t start);
    void Pause(std::uint64_t start, int timeoutMs, int slackMs) const;

    std::vector<unsigned char> m_writeReport;
    std::vector<unsigned char> m_readReport;
};

} // namespace StreamIO
