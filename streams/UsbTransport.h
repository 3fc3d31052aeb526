#pragma once
// What the USB bulk stream needs from a USB stack: open a device by path,
// move bytes through its bulk-in and bulk-out pipes with a time-out, and
// cancel a transfer from another thread. CLibUsbTransport is the real one;
// tests give the stream a fake.

#include <string>

namespace StreamIO
{

class CUsbTransport
{
public:
    virtual ~CUsbTransport() = default;

    /// 0 or a Win32 error (2 no such device, 5 access denied, ...).
    virtual int Open(const std::string& path) = 0;
    virtual void Close() = 0;
    /// One bulk transfer of up to length bytes: in (reading) or out. Returns 0,
    /// 1460 when the time-out (-1 none) ran out, 995 when cancelled, or
    /// another Win32 error; *moved holds the bytes moved in every case.
    virtual int Transfer(bool in, unsigned char* buffer, int length, int timeoutMs, int* moved) = 0;
    /// Ends a running transfer with 995 (any thread).
    virtual void Cancel() = 0;
};

} // namespace StreamIO
