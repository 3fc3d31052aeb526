#include "device/others/OsDeviceProtocol.h"

#include "device/PackageHeader.h"
#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/OsUpgradeRules.h"

namespace Device
{

bool COsDeviceProtocol::Identify(CVnDevice& device, SDeviceIdent& ident, std::wstring& osVersion,
                                 std::wstring& localization, std::wstring& timeZoneId, SDeviceInfo& info)
{
    if (!CBootLines::IsReady(device))
        return false;
    device.GetCommands()->SetLineEnd(false, true);
    std::wstring ignored;
    if (!device.GetCommands()->QueryIdentity(ignored))
        return false;
    std::wstring* const fields[] = {&ident.typeName,        &ident.hardwareRevision,
                                    &ident.serialNumber,    &ident.signature,
                                    &ident.firmwareVersion, &osVersion,
                                    &localization,          &timeZoneId};
    if (!CIdentAnswer::Split(CIdentAnswer::FillOnce(device.GetCommands()->GetReply()), fields, true))
        return false;
    static_cast<SDeviceInfo&>(info) = static_cast<const SDeviceInfo&>(ident);
    std::uint32_t signature = 0;
    if (!CIdentAnswer::ParseSignature(ident.signature, signature))
        return false;
    return CIdentAnswer::AllSet({ident.typeName, ident.firmwareVersion, ident.serialNumber,
                                 ident.hardwareRevision, ident.signature, osVersion, localization,
                                 timeZoneId}) &&
           static_cast<int>(signature >> 24) == device.GetFamilyCode();
}

void COsDeviceProtocol::FillContents(const std::wstring& osVersion, const std::wstring& application,
                                     CContents& contents)
{
    contents.m_entries.clear();
    SContentEntry os;
    os.flags = 1;
    os.secondByte = 2;
    os.type = 2;
    os.version = CVersion(osVersion);
    contents.m_entries.push_back(os);
    SContentEntry app;
    app.flags = 1;
    app.secondByte = 1;
    app.type = 1;
    app.version = CVersion(application);
    contents.m_entries.push_back(app);
}

int COsDeviceProtocol::CheckPackage(CVnDevice& device, SDeviceIdent& ident, const std::wstring& osVersion,
                                    const CPackageHeader& package, wchar_t lastLetter, std::uint16_t mask)
{
    if (osVersion.empty())
    {
        SDeviceInfo scratch;
        if (!device.Identify(scratch))
            return ecCommunication;
    }
    if (ident.hardwareRevision.empty() || osVersion.empty())
        return ecNotReady;
    if (const int hardware = COsUpgradeRules::CheckHardware(ident.hardwareRevision, package.m_nMinHardware,
                                                            package.m_nMaxHardware, lastLetter, mask))
        return hardware;
    return COsUpgradeRules::CheckOs(osVersion, package.m_version);
}

} // namespace Device
