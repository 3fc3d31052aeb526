#pragma once
// What the HID probe channels need from a HID stack: feature reports to get
// and set on an open device. CHidApiTransport is the real one (hidapi over
// hidraw); tests give the channels a fake probe.

#include <string>

namespace StreamIO
{

class CHidTransport
{
public:
    virtual ~CHidTransport() = default;

    /// 0 or a Win32 error.
    virtual int Open(const std::string& path) = 0;
    virtual void Close() = 0;
    /// Bytes in a feature report, report id included; 0 when unknown.
    virtual int FeatureReportLength() = 0;
    /// report[0] holds the report id; false when the device refuses.
    virtual bool GetFeature(unsigned char* report, int length) = 0;
    virtual bool SetFeature(const unsigned char* report, int length) = 0;
};

} // namespace StreamIO
