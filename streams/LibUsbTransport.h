#pragma once
// The bulk-USB transport over libusb-1.0. A device is named "usb:BBB:DDD"
// (bus and device number); the stream uses the first bulk-in and bulk-out
// endpoints of its interface 0. Transfers are asynchronous underneath so that
// Cancel() from another thread ends them at once.

#include "streams/UsbTransport.h"

#include <mutex>
#include <string>
#include <vector>

struct libusb_context;
struct libusb_device_handle;
struct libusb_transfer;

namespace StreamIO
{

class CLibUsbTransport : public CUsbTransport
{
public:
    CLibUsbTransport() = default;
    ~CLibUsbTransport() override;
    CLibUsbTransport(const CLibUsbTransport&) = delete;
    CLibUsbTransport& operator=(const CLibUsbTransport&) = delete;

    int Open(const std::string& path) override;
    void Close() override;
    int Transfer(bool in, unsigned char* buffer, int length, int timeoutMs, int* moved) override;
    void Cancel() override;

    /// The paths of present devices of the vendor; 0 or a Win32 error. No USB
    /// stack at all counts as no device.
    static int Enumerate(std::uint16_t vendorId, std::vector<std::string>& paths);

private:
    libusb_context* m_pContext = nullptr;
    libusb_device_handle* m_pHandle = nullptr;
    unsigned char m_nEndpointIn = 0;
    unsigned char m_nEndpointOut = 0;
    bool m_bClaimed = false;
    std::mutex m_lock; // guards m_pActive against Cancel() from another thread
    libusb_transfer* m_pActive = nullptr;
};

} // namespace StreamIO
