#include "device/others/QuenwickDevice.h"

#include "streams/Rs232Settings.h"

namespace Device
{

CQuenwickDevice::CQuenwickDevice() : CKrastelDevice(typeQuenwick, L"Quenwick", portSerial, 7)
{
    m_serialSettings.baud = 38400;
    m_serialSettings.handshake = StreamIO::hsRtsCts;
    m_serialSettings.readTimeout = 1000;
    m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CVnDevice> CQuenwickDevice::CreateInstance() const
{
    return std::make_unique<CQuenwickDevice>();
}

} // namespace Device
