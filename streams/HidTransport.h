#pragma once
// What the HID probe channels need from a HID stack: feature reports to get
// and set, and input reports to read, on an open device. CHidApiTransport is the real one (hidapi over
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
    /// Bytes in an input report, report id included; 0 when unknown.
    virtual int InputReportLength() = 0;
    /// Waits up to timeoutMs (-1 none) for one input report, stored with its
    /// report id first: its length, 0 when none came, -1 on failure.
    virtual int ReadInput(unsigned char* report, int length, int timeoutMs) = 0;
};

} // namespace StreamIO
