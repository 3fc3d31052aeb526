#include "device/others/StreliaDevice.h"

#include "device/others/BootLines.h"
#include "streams/FileException.h"

namespace Device
{

CStreliaDevice::CStreliaDevice() : CTerrionLikeDevice(typeStrelia, L"KX-7", 12, L"SL00-000-0000")
{
    m_serialSettings.baud = 19200;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 50;
}

CStreliaDevice::~CStreliaDevice()
{
    if (GetStream() != nullptr)
        LeaveServiceMode(true, true);
}

std::unique_ptr<CVnDevice> CStreliaDevice::CreateInstance() const
{
    return std::make_unique<CStreliaDevice>();
}

bool CStreliaDevice::LeaveServiceMode(bool force, bool wait)
{
    if (!force && !m_bServiceMode)
        return true;
    if (GetStream() == nullptr || !GetStream()->IsOpen())
        return false;
    try
    {
        GetStream()->PurgeInput();
        if (wait)
        {
            GetStream()->Write("C0C0r", 5);
            CVnCommands::Wait(2000);
        }
        else
        {
            GetStream()->Write("0000x", 5);
        }
        CVnCommands::Wait(200);
        m_bServiceMode = false;
        return true;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

} // namespace Device
