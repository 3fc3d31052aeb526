#include "device/others/WexleyLabDevice.h"

#include "device/TextReply.h"
#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace Device
{
namespace
{

constexpr int kFamily = 9;

bool EqualNoCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

} // namespace

CWexleyLabDevice::CWexleyLabDevice() : CBootloaderDevice(typeWexleyLab, L"Wexley Lab", portSerial, kFamily)
{
    m_serialSettings.baud = 115200;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CVnDevice> CWexleyLabDevice::CreateInstance() const
{
    return std::make_unique<CWexleyLabDevice>();
}

bool CWexleyLabDevice::Identify(SDeviceInfo& info)
{
    std::string answer;
    if (!CBootLines::IsReady(*this) || !ReadIdentAnswer(answer))
        return false;
    std::wstring* const fields[] = {&m_ident.typeName,        &m_ident.hardwareRevision,
                                    &m_ident.serialNumber,    &m_ident.signature,
                                    &m_ident.firmwareVersion, &m_ident.bootloaderVersion};
    return CIdentAnswer::Split(CIdentAnswer::FillOnce(answer), fields, true) && CheckIdent(info);
}

void CWexleyLabDevice::OnApplicationAnswered()
{
    if (m_nBootTarget == 0)
        m_nBootTarget = 2;
    CBootloaderDevice::OnApplicationAnswered();
}

bool CWexleyLabDevice::IdentifyBootloader(std::string& out)
{
    return IdentifyOnTarget2(out);
}

bool CWexleyLabDevice::EnterBootTarget()
{
    if (m_nProtocolState != kStateBootloader)
        return false;
    try
    {
        if (!CBootLines::Send(*this, CBootLines::kEnterTarget2, 'G'))
            return false;
        m_nBootTarget = 2;
        return true;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

SDeviceIdentEx& CWexleyLabDevice::GetObjectInfo(SDeviceIdentEx& ident) const
{
    if (&ident != &m_ident)
        ident = m_ident;
    return ident;
}

bool CWexleyLabDevice::WriteInfoStrings(std::wstring first, std::wstring second, std::wstring third)
{
    auto send = [this](std::uint8_t sub, const std::wstring* text)
    {
        std::vector<std::uint8_t> data(1, sub);
        if (text != nullptr)
        {
            if (text->size() > kMaxInfoLength)
                return false;
            for (wchar_t c : *text)
                data.push_back(static_cast<std::uint8_t>(c & 0xFF));
            data.push_back(0);
        }
        const int n = static_cast<int>(data.size());
        return BinaryCommand(kInfoCommand, n, data.data(), 1, 3000) < 240;
    };
    return send(0, nullptr) && send(1, &first) && send(3, &second) && send(2, &third);
}

bool CWexleyLabDevice::QueryStatus(SWexleyStatus& status)
{
    // Zeroed first: a six-byte reply leaves byte 6 unwritten.
    std::uint8_t reply[10] = {0xFF};
    const int result = BinaryCommand(kStatusCommand, 1, reply, sizeof reply, 80000);
    if ((result != 6 && result != 7) || reply[0] != 0xFF)
        return false;
    status.flag1 = reply[1] == 0;
    status.flag2 = reply[2] == 0;
    status.value = static_cast<std::uint16_t>(reply[3] | reply[4] << 8);
    status.flag3 = reply[5] == 0;
    status.flag4 = !(EqualNoCase(m_ident.typeName, L"Wexley Lab+") && result == 7 && reply[6] != 0);
    return status.flag1 && status.flag2 && status.flag3 && status.flag4;
}

bool CWexleyLabDevice::SendStatusCommand()
{
    std::uint8_t data[10] = {4};
    BinaryCommand(kStatusCommand, 1, data, sizeof data, 3000);
    return true;
}

int CWexleyLabDevice::PrepareBootloader()
{
    if (GetStream() == nullptr)
        return ecNotReady;
    if (const int raised = CBootLines::RaiseTimeouts(*this, 3000))
        return raised;
    if (m_nProtocolState != kStateBootloader)
    {
        if (const int entered = CBootLines::EnterBootloader(*this, 1, nullptr, 0, 15))
            return entered;
        m_nBootTarget = 0;
        m_nProtocolState = kStateBootloader;
    }
    ReportStatus(Resources::Ids::kUpgradeErase, true);
    if (CCallback* callback = GetCallback())
        callback->OnProgress(0, 1, 0);
    if (!EnterBootTarget())
        return ecModeChange;
    if (const int erased = CBootLines::Erase(*this))
        return erased;
    if (CCallback* callback = GetCallback())
        callback->OnProgress(100, 1, 0);
    return 0;
}

int CWexleyLabDevice::SelectBlockTarget(std::span<const std::uint8_t, 16> descriptor)
{
    if (GetCommands() == nullptr || GetStream() == nullptr)
        return ecNotReady;
    const std::uint8_t target = descriptor[13];
    if (target == m_nBootTarget || (descriptor[10] & 0x08) != 0)
        return 0;
    if (target != 2)
        return ecNotReady;
    if (!EnterBootTarget())
        return ecModeChange;
    return 0;
}

int CWexleyLabDevice::LeaveBootloader()
{
    if (m_nBootTarget != 2 && !EnterBootTarget())
        return ecCommunication;
    try
    {
        if (!CBootLines::Send(*this, CBootLines::kExit, 'X'))
            return ecCommunication;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecCommunication;
    }
    return 0;
}

} // namespace Device
