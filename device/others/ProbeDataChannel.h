#pragma once
// The input-report side of a USB probe instrument: a second channel on the
// same HID device as its control stream, delivering 8-byte input reports
// with a 3-bit sequence number. CBrivonta2Device reads through this seam;
// CUsbProbeDataChannel, the HID probe transport's data stream, stands behind
// it.

#include <cstdint>
#include <string>

namespace Device
{

class CProbeDataChannel
{
public:
    virtual ~CProbeDataChannel() = default;

    /// Opens the channel for reading on the device named as the control
    /// stream was opened (the device path).
    virtual bool Open(const std::wstring& devicePath) = 0;
    virtual bool IsOpen() const = 0;
    /// Lets the device go; nothing when not open.
    virtual void Close() = 0;
    virtual void PurgeInput() = 0;
    virtual bool SetTimeouts(int readMs, int writeMs) = 0;
    /// Reads up to length bytes; the count read.
    virtual int Read(void* buffer, int length) = 0;
    /// The sequence number (0..7) of the last report read.
    virtual int GetLastSequence() const = 0;
};

} // namespace Device
