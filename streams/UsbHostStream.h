#pragma once
// A stream over an instrument's bulk-USB pipes: the read pipe brings the
// instrument's bytes, the write pipe takes ours. Devices are named by the
// paths EnumUsbHostDevices() gives. A read collects bytes until all have
// come, a transfer brings nothing (38) or the read time-out has passed
// (1460); a write that times out keeps what went and reports 1460. Abort()
// ends a running transfer from another thread.

#include "streams/IoStream.h"
#include "streams/UsbTransport.h"

#include <memory>
#include <string>
#include <vector>

namespace StreamIO
{

class CUsbHostStream : public CIoStream
{
public:
    /// Over libusb.
    CUsbHostStream();
    /// Over the given transport (tests).
    explicit CUsbHostStream(std::unique_ptr<CUsbTransport> transport);
    ~CUsbHostStream() override;

    bool Open(const std::wstring& path, std::uint32_t openFlags) override;
    void Close() override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;
    bool Abort() override;
    bool IsOpen() const override { return m_bOpen; }
    int Read(void* buffer, int length) override;
    int Write(const void* buffer, int length) override;

private:
    std::unique_ptr<CUsbTransport> m_pTransport;
    bool m_bOpen = false;
    int m_nReadTimeoutMs = 500;
    int m_nWriteTimeoutMs = 100;
};

/// The paths of the maker's bulk-USB instruments that are present; 0 or a
/// Win32 error. No device (or no USB at all) gives 0 and an empty list.
int EnumUsbHostDevices(std::vector<std::wstring>& paths);

} // namespace StreamIO
