#pragma once
// The probe instrument's data channel on the HID probe transport: the input
// reports of the device its control stream opened, read through
// StreamIO::CUsbHostProbeData (which shares that device with the control
// channel).

#include "device/others/ProbeDataChannel.h"
#include "streams/UsbHostProbeData.h"

namespace Device
{

class CUsbProbeDataChannel : public CProbeDataChannel
{
public:
    bool Open(const std::wstring& devicePath) override;
    bool IsOpen() const override;
    void Close() override;
    void PurgeInput() override;
    bool SetTimeouts(int readMs, int writeMs) override;
    int Read(void* buffer, int length) override;
    int GetLastSequence() const override;

private:
    StreamIO::CUsbHostProbeData m_stream;
};

} // namespace Device
