#include "device/others/UsbProbeDataChannel.h"

namespace Device
{

bool CUsbProbeDataChannel::Open(const std::wstring& devicePath)
{
    return m_stream.Open(devicePath, StreamIO::ofRead);
}

bool CUsbProbeDataChannel::IsOpen() const
{
    return m_stream.IsOpen();
}

void CUsbProbeDataChannel::Close()
{
    m_stream.CloseNoThrow(); // a channel that is not open has nothing to close
}

void CUsbProbeDataChannel::PurgeInput()
{
    m_stream.PurgeInput();
}

bool CUsbProbeDataChannel::SetTimeouts(int readMs, int writeMs)
{
    return m_stream.SetTimeouts(readMs, writeMs);
}

int CUsbProbeDataChannel::Read(void* buffer, int length)
{
    return m_stream.Read(buffer, length);
}

int CUsbProbeDataChannel::GetLastSequence() const
{
    return m_stream.GetLastSequence();
}

} // namespace Device
