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
    : CVnDevice(type, name, portSerial, family), m_pPlaceholder(placeholder)
{
}

bool CTerrionLikeDevice::Identify(SDeviceInfo& info)
{
    if (!CBootLines::IsReady(*this))
        return false;
    PrepareIdentify();
    std::string answer;
    std::wstring ignored;
    if (GetCommands()->QueryIdentity(ignored))
    {
        m_nProtocolState = kStateApplication;
        answer = GetCommands()->GetReply();
    }
    else
    {
        if (!IdentifyBootloader(answer))
            return false;
        m_nProtocolState = kStateBootloader;
    }
    std::wstring* const fields[] = {&m_ident.typeName, &m_ident.hardwareRevision, &m_ident.serialNumber,
                                    &m_ident.signature, &m_ident.firmwareVersion};
    if (!CIdentAnswer::Split(CIdentAnswer::FillAll(answer), fields, false))
        return false;
    if (m_ident.serialNumber == L"-")
        m_ident.serialNumber = m_pPlaceholder;
    static_cast<SDeviceInfo&>(info) = static_cast<const SDeviceInfo&>(m_ident);
    std::uint32_t signature = 0;
    if (!CIdentAnswer::ParseSignature(m_ident.signature, signature))
        return false;
    return CIdentAnswer::AllSet({m_ident.typeName, m_ident.firmwareVersion, m_ident.serialNumber,
                                 m_ident.hardwareRevision, m_ident.signature}) &&
           static_cast<int>(signature >> 24) == GetFamilyCode();
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

std::wstring CTerrionLikeDevice::GetInfoText()
{
    m_strInfoText = CIdentAnswer::InfoText(m_ident);
    return m_strInfoText;
}

bool CTerrionLikeDevice::GetContents(CContents& contents)
{
    if (m_ident.signature.empty())
    {
        SDeviceInfo scratch;
        if (!Identify(scratch))
            return false;
    }
    contents.SetSingleFirmware(m_ident.firmwareVersion);
    return true;
}

bool CTerrionLikeDevice::QueryId(SDeviceInfo& info)
{
    if (GetCommands() != nullptr && GetCommands()->QueryId(info))
    {
        m_nProtocolState = kStateApplication;
        return true;
    }
    return Identify(info);
}

std::int32_t CTerrionLikeDevice::GetDeviceId()
{
    if (GetCommands() == nullptr)
        return 0;
    SDeviceInfo scratch;
    return Identify(scratch) ? CIdentAnswer::DeviceId(m_ident.signature) : 0;
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

int CTerrionLikeDevice::PrepareUpgrade(const CPackageHeader& package)
{
    if (CVnDevice::PrepareUpgrade(package) != 0 || !CBootLines::IsReady(*this))
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

int CTerrionLikeDevice::BeginBlock(const CPackageHeader&, const SBlockDescriptor&)
{
    if (!CBootLines::IsReady(*this))
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    ReportStatus(Resources::Ids::kUpgradeModeBefore, true);
    return 0;
}

int CTerrionLikeDevice::TransferBlock(const SBlockDescriptor& block)
{
    if (GetCommands() == nullptr || GetPackage() == nullptr || !GetPackage()->IsOpen())
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeTransfer, true);
    return CBootLines::SendBlockRecords(*this, block, IsAborted());
}

int CTerrionLikeDevice::FinishUpgrade()
{
    if (const int left = LeaveBootloader())
        return left;
    return CVnDevice::FinishUpgrade();
}

} // namespace Device
