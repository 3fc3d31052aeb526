#pragma once
// The data channel of a HID probe: read-only bytes in input reports
//   byte 0  report id
//   byte 1  bits 0-3 payload length, bits 5-7 sequence number (a new value
//           marks a new report; a repeated one is the same report again)
//   byte 2+ payload
// It shares the device its control channel opened (CUsbHostProbeManager).
// A read may hand out a report's payload over several calls; it ends when
// all bytes came, the read time-out passed (1460) or Abort() was called.

#include "streams/UsbHostProbeChannel.h"

#include <vector>

namespace StreamIO
{

class CUsbHostProbeData : public CUsbHostProbeChannel
{
public:
    CUsbHostProbeData();

    bool Open(const std::wstring& path, std::uint32_t openFlags) override;
    int Read(void* buffer, int length) override;
    /// The data channel takes nothing: 0.
    int Write(const void*, int) override { return 0; }

    /// The sequence number of the last report taken; 0 before the first.
    int GetLastSequence() const { return m_nLastSequence < 0 ? 0 : m_nLastSequence; }

private:
    std::vector<unsigned char> m_report;
    int m_nLastSequence = -1; ///< none yet: the first report is always new
};

} // namespace StreamIO
