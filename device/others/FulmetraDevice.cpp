#include "device/others/FulmetraDevice.h"

#include "streams/FileException.h"

namespace Device
{

CFulmetraDevice::CFulmetraDevice() : CTerrionLikeDevice(typeFulmetra, L"Fulmetra", 11, L"FM00-000-0000")
{
    m_serialSettings.baud = 19200;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 1000;
}

CFulmetraDevice::~CFulmetraDevice()
{
    if (GetStream() != nullptr)
        LeaveServiceMode(true, false);
}

std::unique_ptr<CVnDevice> CFulmetraDevice::CreateInstance() const
{
    return std::make_unique<CFulmetraDevice>();
}

void CFulmetraDevice::PrepareIdentify()
{
    LeaveServiceMode(true, false);
}

bool CFulmetraDevice::LeaveServiceMode(bool force, bool wait)
{
    if (!force && !m_bServiceMode)
        return true;
    if (GetStream() == nullptr || !GetStream()->IsOpen())
        return false;
    try
    {
        GetStream()->Write("C0C0i", 5);
        if (wait)
            CVnCommands::Wait(500);
        m_bServiceMode = false;
        return true;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

} // namespace Device
