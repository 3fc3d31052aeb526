#pragma once
// HID feature reports through hidapi's hidraw back end. Devices are named by
// hidapi's paths ("/dev/hidrawN").

#include "streams/HidTransport.h"

#include <cstdint>
#include <vector>

struct hid_device_;

namespace StreamIO
{

class CHidApiTransport : public CHidTransport
{
public:
    CHidApiTransport() = default;
    ~CHidApiTransport() override;
    CHidApiTransport(const CHidApiTransport&) = delete;
    CHidApiTransport& operator=(const CHidApiTransport&) = delete;

    int Open(const std::string& path) override;
    void Close() override;
    int FeatureReportLength() override;
    bool GetFeature(unsigned char* report, int length) override;
    bool SetFeature(const unsigned char* report, int length) override;
    /// hidraw gives no capabilities: the probes' input reports are 8 bytes.
    int InputReportLength() override { return 9; }
    int ReadInput(unsigned char* report, int length, int timeoutMs) override;

    /// Paths of the present HID devices of the vendor; no HID stack gives none.
    static std::vector<std::string> Enumerate(std::uint16_t vendorId);

private:
    hid_device_* m_pDevice = nullptr;
};

} // namespace StreamIO
