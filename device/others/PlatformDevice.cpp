#include "device/others/PlatformDevice.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/OsDeviceProtocol.h"
#include "device/others/OsUpgradeRules.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Device
{

CPlatformDevice::CPlatformDevice()
    : CVnDevice(typePlatform, L"Platform", portSerial | portUsb | portEthernet, 13)
{
}

std::unique_ptr<CVnDevice> CPlatformDevice::CreateInstance() const
{
    return std::make_unique<CPlatformDevice>();
}

bool CPlatformDevice::Identify(SDeviceInfo& info)
{
    return COsDeviceProtocol::Identify(*this, m_ident, m_ident.osVersion, m_ident.localization,
                                       m_ident.timeZoneId, info);
}

std::wstring CPlatformDevice::GetInfoText()
{
    m_strInfoText =
        CIdentAnswer::Format(Resources::CStringTable::Text(Resources::Ids::kInfoPlatformIdent),
                             {m_ident.typeName, m_ident.serialNumber, m_ident.firmwareVersion,
                              m_ident.hardwareRevision, m_ident.osVersion, m_ident.bootloaderVersion,
                              m_ident.localization, m_ident.timeZoneId, m_ident.signature});
    return m_strInfoText;
}

bool CPlatformDevice::GetContents(CContents& contents)
{
    if (m_ident.osVersion.empty())
    {
        SDeviceInfo scratch;
        if (!Identify(scratch))
            return false;
    }
    COsDeviceProtocol::FillContents(m_ident.osVersion, m_ident.firmwareVersion, contents);
    return true;
}

bool CPlatformDevice::GetObjectInfo(SPlatformIdent& ident) const
{
    if (&ident != &m_ident)
        ident = m_ident;
    return true;
}

bool CPlatformDevice::ReadStatusBlock(std::uint8_t* buffer, int* length)
{
    if (!CBootLines::IsReady(*this) || buffer == nullptr)
        return false;
    return GetCommands()->ReadStatusBlock(buffer, length);
}

bool CPlatformDevice::RemoteLogin(SLoginInfo& info)
{
    if (!CBootLines::IsReady(*this))
        return false;
    if (!GetCommands()->Login(info))
        return false;
    SetLoginInfo(info);
    return (info.rights & 0x01) == 0 || (info.rights & 0x04) != 0;
}

bool CPlatformDevice::RemoteLogout()
{
    CVnDevice::RemoteLogout();
    return CBootLines::IsReady(*this) && GetCommands()->Logout();
}

int CPlatformDevice::CheckDevice(const CPackageHeader& package)
{
    if (!CBootLines::IsReady(*this))
        return ecNotReady;
    if (const int base = CVnDevice::CheckDevice(package))
        return base;
    return COsDeviceProtocol::CheckPackage(*this, m_ident, m_ident.osVersion, package, L'Z', 0x1FFF);
}

int CPlatformDevice::ProgramBlock(const SBlockDescriptor& block)
{
    if (GetCommands() == nullptr)
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    if (!block.ProgramAfter() || GetCallback() == nullptr)
        return 0;
    ReportStatus(Resources::Ids::kUpgradeWrite, true);
    const int bar = (block.bytes[12] & 0x0F) == 2 ? 3 : 2;
    return GetCommands()->ProgramFlash(GetCallback(), bar, true) ? 0 : ecProgram;
}

} // namespace Device
