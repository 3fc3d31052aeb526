#include "device/others/TerrionLikeDevice.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"

namespace Device
{

CTerrionLikeDevice::CTerrionLikeDevice(NTypes type, const wchar_t* name, int family,
                                       const wchar_t* placeholder)
    : CBootloaderDevice(type, name, portSerial, family), m_pPlaceholder(placeholder)
{
}

bool CTerrionLikeDevice::Identify(SDeviceInfo& info)
{
    if (!CBootLines::IsReady(*this))
        return false;
    PrepareIdentify();
    std::string answer;
    if (!ReadIdentAnswer(answer))
        return false;
    std::wstring* const fields[] = {&m_ident.typeName, &m_ident.hardwareRevision, &m_ident.serialNumber,
                                    &m_ident.signature, &m_ident.firmwareVersion};
    if (!CIdentAnswer::Split(CIdentAnswer::FillAll(answer), fields, false))
        return false;
    if (m_ident.serialNumber == L"-")
        m_ident.serialNumber = m_pPlaceholder;
    return CheckIdent(info);
}

bool CTerrionLikeDevice::IdentifyBootloader(std::string& out)
{
    try
    {
        return CBootLines::Send(*this, CBootLines::kEnterTarget1, 'G') &&
               CBootLines::ReadIdentification(*this, out);
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

bool CTerrionLikeDevice::GetObjectInfo(SDeviceIdent& ident) const
{
    ident = m_ident;
    return true;
}

int CTerrionLikeDevice::LeaveBootloader()
{
    try
    {
        if (!CBootLines::Send(*this, CBootLines::kEnterTarget1, 'G') ||
            !CBootLines::Send(*this, CBootLines::kExit, 'X'))
            return ecCommunication;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecCommunication;
    }
    m_nProtocolState = kStateApplication;
    return 0;
}

int CTerrionLikeDevice::PrepareBootloader()
{
    if (!CBootLines::IsReady(*this))
        return ecNotReady;
    if (const int raised = CBootLines::RaiseTimeouts(*this, 3000))
        return raised;
    if (m_nProtocolState != kStateBootloader)
    {
        static constexpr std::uint8_t kBootloader[1] = {0x01};
        if (const int entered = CBootLines::EnterBootloader(*this, 0xD2, kBootloader, 1, 5))
            return entered;
        m_nProtocolState = kStateBootloader;
    }
    ReportStatus(Resources::Ids::kUpgradeErase, true);
    if (CCallback* callback = GetCallback())
        callback->OnProgress(0, 1, 0);
    try
    {
        if (!CBootLines::Send(*this, CBootLines::kEnterTarget1, 'G'))
            return ecCommunication;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecCommunication;
    }
    if (const int erased = CBootLines::Erase(*this))
        return erased;
    if (CCallback* callback = GetCallback())
        callback->OnProgress(100, 1, 0);
    return 0;
}

} // namespace Device
