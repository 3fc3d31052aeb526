#include "device/others/Halvint3SeDevice.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/OsDeviceProtocol.h"
#include "device/others/OsUpgradeRules.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <cstring>

namespace Device
{
namespace
{

constexpr std::uint8_t kRegisterCommand = 0xE0;
constexpr std::uint8_t kBlockCommand = 0xF3;
constexpr std::uint8_t kRegisterF4 = 0xF4;
constexpr std::uint8_t kRegisterF0 = 0xF0;
constexpr std::uint8_t kRegister09 = 0x09;
constexpr int kBlockTimeoutMs = 4000;

} // namespace

CHalvint3SeDevice::CHalvint3SeDevice()
    : CVnDevice(typeHalvint3Se, L"Halvint 3", portSerial | portUsb | portEthernet, 3)
{
}

std::unique_ptr<CVnDevice> CHalvint3SeDevice::CreateInstance() const
{
    return std::make_unique<CHalvint3SeDevice>();
}

bool CHalvint3SeDevice::Identify(SDeviceInfo& info)
{
    return COsDeviceProtocol::Identify(*this, m_ident, m_ident.osVersion, m_ident.localization,
                                       m_ident.timeZoneId, info);
}

std::wstring CHalvint3SeDevice::GetInfoText()
{
    m_strInfoText = CIdentAnswer::Format(Resources::CStringTable::Text(Resources::Ids::kInfoDeviceIdentOs),
                                         {m_ident.typeName, m_ident.serialNumber, m_ident.firmwareVersion,
                                          m_ident.hardwareRevision, m_ident.osVersion, m_ident.localization,
                                          m_ident.timeZoneId, m_ident.signature});
    return m_strInfoText;
}

bool CHalvint3SeDevice::GetContents(CContents& contents)
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

bool CHalvint3SeDevice::GetObjectInfo(SDeviceIdentOs& ident) const
{
    if (&ident != &m_ident)
        ident = m_ident;
    return true;
}

bool CHalvint3SeDevice::ReadStatusBlock(std::uint8_t* buffer, int* length)
{
    if (!CBootLines::IsReady(*this) || buffer == nullptr)
        return false;
    return GetCommands()->ReadStatusBlock(buffer, length);
}

bool CHalvint3SeDevice::SwitchRegister(std::uint8_t reg, bool on, bool firstByteOnly)
{
    std::uint8_t buffer[64] = {0x0B, reg, static_cast<std::uint8_t>(on ? 1 : 0), 0x00};
    const int result = BinaryCommand(kRegisterCommand, 4, buffer, sizeof buffer, -1);
    if (result != 4)
        return false;
    if (firstByteOnly)
        return buffer[0] == 0;
    return buffer[0] == 0 && buffer[1] == 0 && buffer[2] == 0 && buffer[3] == 0;
}

void CHalvint3SeDevice::SwitchOff(std::initializer_list<std::uint8_t> registers)
{
    for (std::uint8_t reg : registers)
        SwitchRegister(reg, false);
}

bool CHalvint3SeDevice::WaitForProbe()
{
    for (int attempt = 0; attempt < 6; ++attempt)
    {
        CVnCommands::Wait(500);
        char answer[64] = {};
        if (TextCommand("PNAM?", answer, sizeof answer, -1) >= 1 &&
            std::strstr(answer, kProbeCode) != nullptr)
            return true;
    }
    return false;
}

bool CHalvint3SeDevice::OpenProbe(bool firstByteOnlyOnF0)
{
    if (!SwitchRegister(kRegisterF4, true))
        return false;
    if (!SwitchRegister(kRegisterF0, true, firstByteOnlyOnF0))
    {
        SwitchOff({kRegisterF4});
        return false;
    }
    // A probe that never answers must not be left switched on.
    if (!WaitForProbe())
    {
        SwitchOff({kRegisterF0, kRegisterF4});
        return false;
    }
    std::uint8_t buffer[64] = {0x0B, kRegister09, 1, 0x00};
    if (BinaryCommand(kRegisterCommand, 4, buffer, sizeof buffer, -1) != 4)
    {
        SwitchOff({kRegisterF0, kRegisterF4});
        return false;
    }
    return true;
}

bool CHalvint3SeDevice::ReadProbeParameters(SProbeParameters& parameters)
{
    if (!CBootLines::IsReady(*this) || !OpenProbe(false))
        return false;
    std::uint8_t buffer[CProbeParameters::kBlockSize] = {0x0A, 0xF0, 0x00, 0x14};
    const bool read = BinaryCommand(kBlockCommand, 4, buffer, sizeof buffer, kBlockTimeoutMs) ==
                      static_cast<int>(CProbeParameters::kBlockSize);
    if (read)
        parameters = CProbeParameters::FromWire(buffer);
    SwitchOff({kRegister09, kRegisterF0, kRegisterF4});
    return read;
}

bool CHalvint3SeDevice::WriteProbeParameters(const SProbeParameters& parameters)
{
    if (!CBootLines::IsReady(*this))
        return false;
    std::array<std::uint8_t, CProbeParameters::kBlockSize> words{};
    if (!CProbeParameters::ToWire(parameters, words))
        return false;
    if (!OpenProbe(true))
        return false;
    std::uint8_t buffer[24] = {0x12, 0xF0, 0x00, 0x14};
    std::memcpy(buffer + 4, words.data(), words.size());
    bool written = BinaryCommand(kBlockCommand, 24, buffer, sizeof buffer, kBlockTimeoutMs) == 1 &&
                   buffer[0] == CProbeParameters::kBlockSize;
    if (written)
    {
        std::uint8_t commit[24] = {0x1A, 0xF0};
        written = BinaryCommand(kBlockCommand, 2, commit, sizeof commit, kBlockTimeoutMs) == 0;
    }
    SwitchOff({kRegister09, kRegisterF0, kRegisterF4});
    return written;
}

bool CHalvint3SeDevice::RemoteLogin(SLoginInfo& info)
{
    if (!CBootLines::IsReady(*this))
        return false;
    SDeviceInfo scratch;
    if (CVnDevice::QueryId(scratch) && COsUpgradeRules::HasNoLogin(scratch.firmwareVersion))
    {
        // This firmware has no accounts yet: every right, nothing asked.
        info.rights = 7;
        SetLoginInfo(info);
        return true;
    }
    if (!GetCommands()->Login(info))
        return false;
    SetLoginInfo(info);
    return (info.rights & 0x01) == 0 || (info.rights & 0x04) != 0;
}

bool CHalvint3SeDevice::RemoteLogout()
{
    CVnDevice::RemoteLogout();
    return CBootLines::IsReady(*this) && GetCommands()->Logout();
}

int CHalvint3SeDevice::CheckDevice(const CPackageHeader& package)
{
    if (!CBootLines::IsReady(*this))
        return ecNotReady;
    if (const int base = CVnDevice::CheckDevice(package))
        return base;
    return COsDeviceProtocol::CheckPackage(*this, m_ident, m_ident.osVersion, package, L'H', 0x7FF);
}

int CHalvint3SeDevice::ProgramBlock(const SBlockDescriptor& block)
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
