#include "device/others/BootloaderDevice.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "resources/StringIds.h"
#include "streams/FileException.h"

namespace Device
{

std::wstring CBootloaderDevice::GetInfoText()
{
    m_strInfoText = CIdentAnswer::InfoText(Ident());
    return m_strInfoText;
}

bool CBootloaderDevice::GetContents(CContents& contents)
{
    if (Ident().signature.empty())
    {
        SDeviceInfo scratch;
        if (!Identify(scratch))
            return false;
    }
    contents.SetSingleFirmware(Ident().firmwareVersion);
    return true;
}

bool CBootloaderDevice::QueryId(SDeviceInfo& info)
{
    if (GetCommands() != nullptr && GetCommands()->QueryId(info))
    {
        OnApplicationAnswered();
        return true;
    }
    return Identify(info);
}

std::int32_t CBootloaderDevice::GetDeviceId()
{
    if (GetCommands() == nullptr)
        return 0;
    SDeviceInfo scratch;
    return Identify(scratch) ? CIdentAnswer::DeviceId(Ident().signature) : 0;
}

bool CBootloaderDevice::ReadIdentAnswer(std::string& answer)
{
    std::wstring ignored;
    if (GetCommands()->QueryIdentity(ignored))
    {
        answer = GetCommands()->GetReply();
        OnApplicationAnswered();
        return true;
    }
    if (!IdentifyBootloader(answer))
        return false;
    m_nProtocolState = kStateBootloader;
    return true;
}

bool CBootloaderDevice::CheckIdent(SDeviceInfo& info) const
{
    const SDeviceIdent& ident = Ident();
    info = static_cast<const SDeviceInfo&>(ident);
    std::uint32_t signature = 0;
    if (!CIdentAnswer::ParseSignature(ident.signature, signature))
        return false;
    return CIdentAnswer::AllSet({ident.typeName, ident.firmwareVersion, ident.serialNumber,
                                 ident.hardwareRevision, ident.signature}) &&
           static_cast<int>(signature >> 24) == GetFamilyCode();
}

bool CBootloaderDevice::IdentifyOnTarget2(std::string& out)
{
    if (!CBootLines::IsReady(*this))
        return false;
    try
    {
        bool selected = false;
        if (m_nBootTarget == 0)
        {
            if (!CBootLines::Send(*this, CBootLines::kEnterTarget2, 'G'))
                return false;
            m_nBootTarget = 2;
            selected = true;
        }
        const bool read = CBootLines::ReadIdentification(*this, out);
        if (selected && CBootLines::Send(*this, CBootLines::kLeaveTarget2, 'G'))
            m_nBootTarget = 0;
        return read;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

int CBootloaderDevice::PrepareUpgrade(const CPackageHeader& package)
{
    if (CVnDevice::PrepareUpgrade(package) != 0)
        return ecNotReady;
    return PrepareBootloader();
}

int CBootloaderDevice::BeginBlock(const CPackageHeader&, const SBlockDescriptor& block)
{
    if (!CBootLines::IsReady(*this))
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    ReportStatus(Resources::Ids::kUpgradeModeBefore, true);
    return SelectBlockTarget(block.bytes);
}

int CBootloaderDevice::TransferBlock(const SBlockDescriptor& block)
{
    if (GetCommands() == nullptr || GetPackage() == nullptr || !GetPackage()->IsOpen())
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeTransfer, true);
    return CBootLines::SendBlockRecords(*this, block, IsAborted());
}

int CBootloaderDevice::FinishUpgrade()
{
    if (const int left = LeaveBootloader())
        return left;
    return CVnDevice::FinishUpgrade();
}

} // namespace Device
