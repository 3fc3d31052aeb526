#include "device/others/KrastelDevice.h"

#include "device/others/KrastelProtocol.h"
#include "resources/StringIds.h"
#include "streams/Rs232Settings.h"

namespace Device
{

CKrastelDevice::CKrastelDevice() : CVnDevice(typeKrastel, L"Aldermoor", portSerial, 5)
{
    m_serialSettings.baud = 38400;
    m_serialSettings.handshake = StreamIO::hsRtsCts;
    m_serialSettings.readTimeout = 1000;
    m_serialSettings.writeTimeout = 50;
}

CKrastelDevice::CKrastelDevice(NTypes type, const wchar_t* name, int ports, int family)
    : CVnDevice(type, name, ports, family)
{
}

std::unique_ptr<CVnDevice> CKrastelDevice::CreateInstance() const
{
    return std::make_unique<CKrastelDevice>();
}

bool CKrastelDevice::Attach(StreamIO::CIoStream* stream, NPorts portType)
{
    if (!CVnDevice::Attach(stream, portType))
        return false;
    GetCommands()->SetLineEnd(false, false);
    return true;
}

bool CKrastelDevice::ResetMode()
{
    return CKrastelProtocol::ResetMode(*this);
}

bool CKrastelDevice::Identify(SDeviceInfo& info)
{
    const bool identified = CKrastelProtocol::Identify(*this, m_ident, info, false);
    if (identified)
    {
        m_nState1 = 1;
        m_nState2 = 0;
    }
    return identified;
}

std::wstring CKrastelDevice::GetInfoText()
{
    m_strInfoText = CKrastelProtocol::InfoText(m_ident);
    return m_strInfoText;
}

bool CKrastelDevice::GetContents(CContents& contents)
{
    return CKrastelProtocol::GetContents(*this, m_ident, contents);
}

int CKrastelDevice::BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity,
                                  int timeoutMs)
{
    if (GetCommands() == nullptr || buffer == nullptr || capacity <= 0)
        return 0;
    if (timeoutMs < 0)
        timeoutMs = 1000;
    if (n < kUnframedFrom)
        return GetCommands()->BinaryCommand(command, n, buffer, capacity, timeoutMs);
    return CKrastelProtocol::UnframedCommand(*this, command, n, buffer, timeoutMs);
}

bool CKrastelDevice::GetObjectInfo(SDeviceIdentEx& ident) const
{
    ident = m_ident;
    return true;
}

int CKrastelDevice::EndBlock(const CPackageHeader& package, const SBlockDescriptor& block)
{
    if (IsAborted())
        return ecAborted;
    if (GetCommands() == nullptr)
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeModeAfter, true);
    const std::uint8_t before = block.ModeBefore();
    const std::uint8_t after = block.ModeAfter();
    bool changed = true;
    if ((after & 0x0F) != (before & 0x0F) || (after & 0x10) != 0)
    {
        if (!GetCommands()->ChangeMode(after, &changed, GetCallback(), 150))
            return ecModeChange;
    }
    return SendDescriptorIfAsked(package, after, changed);
}

} // namespace Device
