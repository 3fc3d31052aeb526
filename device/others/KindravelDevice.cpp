#include "device/others/KindravelDevice.h"

#include "device/TerrionCodec.h"
#include "device/TextReply.h"
#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/KindravelCodec.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"
#include "streams/Rs232Stream.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace Device
{
namespace
{

using StreamIO::CFileException;

constexpr int kFamily = 6;
constexpr int kSubCommandTimeoutMs = 3000;
constexpr std::uint16_t kSettingsAddress = 0x1000;
constexpr std::uint16_t kBusyAddress = 0x1128;
constexpr std::uint8_t kEnterMemoryAccess[3] = {0xC1, 0xD2, 0x04};

} // namespace

CKindravelDevice::CKindravelDevice() : CBootloaderDevice(typeKindravel, L"Saltrevane", portSerial, kFamily)
{
    m_serialSettings.baud = kHomeRate;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CVnDevice> CKindravelDevice::CreateInstance() const
{
    return std::make_unique<CKindravelDevice>();
}

bool CKindravelDevice::Identify(SDeviceInfo& info)
{
    std::string answer;
    if (!CBootLines::IsReady(*this) || !ReadIdentAnswer(answer))
        return false;
    std::wstring* const fields[] = {&m_ident.typeName, &m_ident.hardwareRevision, &m_ident.serialNumber,
                                    &m_ident.signature, &m_ident.firmwareVersion};
    return CIdentAnswer::Split(CIdentAnswer::FillOnce(answer), fields, false) && CheckIdent(info);
}

void CKindravelDevice::OnApplicationAnswered()
{
    if (m_nBootTarget == 0)
        m_nBootTarget = 2;
    CBootloaderDevice::OnApplicationAnswered();
}

bool CKindravelDevice::IdentifyBootloader(std::string& out)
{
    return IdentifyOnTarget2(out);
}

bool CKindravelDevice::SelectTarget(std::uint8_t target)
{
    if (m_nProtocolState != kStateBootloader)
        return false;
    const std::uint8_t other = target == 1 ? 2 : 1;
    try
    {
        if (m_nBootTarget == other)
        {
            if (!CBootLines::Send(*this, other == 2 ? CBootLines::kLeaveTarget2 : CBootLines::kLeaveTarget1,
                                  'G'))
                return false;
            m_nBootTarget = 0;
        }
        if (!CBootLines::Send(*this, target == 1 ? CBootLines::kEnterTarget1 : CBootLines::kEnterTarget2,
                              'G'))
            return false;
        m_nBootTarget = target;
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CKindravelDevice::SelectBootTarget1()
{
    return SelectTarget(1);
}

bool CKindravelDevice::SelectBootTarget2()
{
    return SelectTarget(2);
}

bool CKindravelDevice::GetObjectInfo(SDeviceIdent& ident) const
{
    ident = m_ident;
    return true;
}

bool CKindravelDevice::SubCommand(std::span<const std::uint8_t> data, int capacity, int* result,
                                  std::uint8_t* reply)
{
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(data.size(), static_cast<std::size_t>(capacity)));
    std::copy(data.begin(), data.end(), buffer.begin());
    const int got = BinaryCommand(kServiceCommand, static_cast<int>(data.size()), buffer.data(), capacity,
                                  kSubCommandTimeoutMs);
    if (result != nullptr)
        *result = got;
    if (reply != nullptr)
        std::copy_n(buffer.begin(), capacity, reply);
    return got < 240;
}

std::wstring CKindravelDevice::ReadDeviceText(std::wstring& text)
{
    text.clear();
    std::uint8_t reply[100] = {'3'};
    int result = 0;
    if (!SubCommand(std::span<const std::uint8_t>(reply, 1), sizeof reply, &result, reply))
        return text;
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(result), sizeof reply);
    text = CTextReply::Widen(std::string_view(reinterpret_cast<const char*>(reply), length));
    return text;
}

bool CKindravelDevice::SendCommand1()
{
    static constexpr std::uint8_t kData[1] = {'1'};
    return SubCommand(kData, 10, nullptr, nullptr);
}

bool CKindravelDevice::SendCommand2()
{
    static constexpr std::uint8_t kData[1] = {'2'};
    return SubCommand(kData, 10, nullptr, nullptr);
}

bool CKindravelDevice::SendTextPair(std::wstring first, std::wstring second)
{
    if (first.size() + second.size() > 45)
        return false;
    std::vector<std::uint8_t> data(1, '0');
    for (wchar_t c : first)
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data.push_back(';');
    for (wchar_t c : second)
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    return SubCommand(data, 1, nullptr, nullptr);
}

bool CKindravelDevice::SetRegister4060(bool on)
{
    if (!CBootLines::IsReady(*this))
        return false;
    const std::uint8_t data[9] = {'4', '0', '6', '0', static_cast<std::uint8_t>(on ? '1' : '0'),
                                  '0', '0', '0', '0'};
    return SubCommand(data, 1, nullptr, nullptr);
}

std::uint8_t CKindravelDevice::QueryStatusByte()
{
    if (!CBootLines::IsReady(*this))
        return 0;
    std::uint8_t buffer[100] = {0x13};
    BinaryCommand(kServiceCommand, 1, buffer, sizeof buffer, kSubCommandTimeoutMs);
    return buffer[0];
}

bool CKindravelDevice::CheckIdle()
{
    static constexpr std::uint8_t kData[1] = {6};
    std::uint8_t reply[10] = {};
    int result = 0;
    return SubCommand(kData, sizeof reply, &result, reply) && result == 1 && reply[0] == 0;
}

bool CKindravelDevice::StartAndWait()
{
    static constexpr std::uint8_t kStart[1] = {2};
    static constexpr std::uint8_t kPoll[1] = {5};
    if (!SubCommand(kStart, 10, nullptr, nullptr))
        return false;
    CVnCommands::Wait(50);
    for (int i = 0; i < 50; ++i)
    {
        CVnCommands::Wait(100);
        std::uint8_t reply[10] = {0xFF};
        int result = 0;
        SubCommand(kPoll, sizeof reply, &result, reply);
        if (result == 1 && reply[0] == 0)
            return true;
    }
    return false;
}

bool CKindravelDevice::WriteItem(const std::string& text)
{
    return GetStream()->Write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

bool CKindravelDevice::ReadSettingsBlock(std::span<std::uint8_t, kSettingsBlockSize> block)
{
    if (!CBootLines::IsReady(*this))
        return false;
    try
    {
        if (GetStream()->Write(kEnterMemoryAccess, 3) != 3)
            return false;
        CVnCommands::Wait(200);
        if (!WriteItem(CTerrionCodec::SetAddressCommand(kSettingsAddress)))
            return false;
        CVnCommands::Wait(50);
        GetStream()->PurgeInput();
        if (!WriteItem(CTerrionCodec::ReadCountCommand(kSettingsBlockSize)))
            return false;
        std::uint8_t text[99] = {};
        const int got = GetStream()->Read(text, sizeof text);
        const std::vector<std::uint8_t> bytes = CKindravelCodec::DecodeHexText(
            std::span<const std::uint8_t>(text, static_cast<std::size_t>(std::max(got, 0))));
        // A short answer is a failed read, not a block with stale bytes.
        if (bytes.size() < static_cast<std::size_t>(kSettingsBlockSize))
            return false;
        std::copy_n(bytes.begin(), kSettingsBlockSize, block.begin());
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CKindravelDevice::DeleteAllObjects()
{
    if (!CBootLines::IsReady(*this))
        return false;
    try
    {
        if (GetStream()->Write(kEnterMemoryAccess, 3) != 3)
            return false;
        CVnCommands::Wait(200);
        if (!WriteItem(CTerrionCodec::SetAddressCommand(kBusyAddress)))
            return false;
        CVnCommands::Wait(50);
        GetStream()->PurgeInput();
        if (!WriteItem(CTerrionCodec::kDeleteAllCommand))
            return false;
        CVnCommands::Wait(500);
        for (int poll = 0; poll < kDeletePolls; ++poll)
        {
            if (!WriteItem(CTerrionCodec::SetAddressCommand(kBusyAddress)))
                return false;
            CVnCommands::Wait(200);
            if (!WriteItem(CTerrionCodec::ReadCountCommand(1)))
                return false;
            CVnCommands::Wait(200);
            std::uint8_t text[3] = {};
            const int got = GetStream()->Read(text, sizeof text);
            const std::vector<std::uint8_t> bytes = CKindravelCodec::DecodeHexText(
                std::span<const std::uint8_t>(text, static_cast<std::size_t>(std::max(got, 0))));
            if (!bytes.empty() && (bytes[0] & 1) == 0)
                return true;
        }
        // Still busy after every poll: the objects may not be gone.
        return false;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

int CKindravelDevice::BaudDivisor(std::uint32_t rate)
{
    return rate == 0 ? 0 : static_cast<int>(4000000.0 / rate + 0.5);
}

bool CKindravelDevice::AskRate()
{
    char answer[1024] = {};
    return TextCommand("BR ?", answer, sizeof answer, 2000) >= 1 && answer[0] != '?';
}

bool CKindravelDevice::SetBaudRate(std::uint32_t rate)
{
    if (GetCommands() == nullptr || GetStream() == nullptr)
        return false;
    if (rate == m_serialSettings.baud)
        return true;
    if (!AskRate())
        return false;
    char command[32];
    std::snprintf(command, sizeof command, "BR %03d\r", BaudDivisor(rate));
    char ignored[64] = {};
    TextCommand(command, ignored, sizeof ignored, 2000);

    auto* serial = dynamic_cast<StreamIO::CRs232Stream*>(GetStream());
    auto apply = [this, serial]
    {
        try
        {
            return serial != nullptr && serial->SetSettings(&m_serialSettings);
        }
        catch (const CFileException&)
        {
            return false;
        }
    };
    const std::uint32_t old = m_serialSettings.baud;
    m_serialSettings.baud = rate;
    const bool applied = apply();
    CVnCommands::Wait(20);
    if (applied && AskRate())
        return true;
    m_serialSettings.baud = old;
    apply();
    return false;
}

bool CKindravelDevice::DownloadObjects(TKindravelObjectSet& set, std::uint32_t rate, bool binary)
{
    if (GetCommands() == nullptr || GetStream() == nullptr)
        return false;
    int readMs = 0;
    int writeMs = 0;
    bool haveTimeouts = false;
    try
    {
        haveTimeouts = GetStream()->GetTimeouts(&readMs, &writeMs);
    }
    catch (const CFileException&)
    {
    }
    set.objects.clear();
    std::vector<std::uint8_t> buffer;
    try
    {
        buffer.assign(static_cast<std::size_t>(binary ? kBinaryCapacity : kTextCapacity), 0);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    buffer[0] = binary ? 0x12 : 0x10;
    SetBaudRate(rate);
    int received = 0;
    const int result =
        binary ? BulkCommand(kServiceCommand, buffer.data(), 1, &received, kBinaryCapacity, 1500, 80000)
               : BulkCommand(kServiceCommand, buffer.data(), 1, &received, kTextCapacity, 35000, 2400000);
    try
    {
        if (haveTimeouts)
            GetStream()->SetTimeouts(readMs, writeMs);
    }
    catch (const CFileException&)
    {
    }
    SetBaudRate(kHomeRate);
    if (result != CVnCommands::kBulkDone)
        return buffer[0] == CKindravelCodec::kNoDataStatus;
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(received, 0)), buffer.size());
    if (binary)
        return CKindravelCodec::DecodeBinaryReply(std::span<const std::uint8_t>(buffer.data(), count), set);
    const std::wstring text =
        CTextReply::Widen(std::string_view(reinterpret_cast<const char*>(buffer.data()), count));
    return CKindravelCodec::DecodeTextReply(text, set);
}

int CKindravelDevice::PrepareBootloader()
{
    if (GetStream() == nullptr)
        return ecNotReady;
    if (const int raised = CBootLines::RaiseTimeouts(*this, 3000))
        return raised;
    if (m_nProtocolState != kStateBootloader)
    {
        static constexpr std::uint8_t kBootloader[1] = {CTerrionCodec::kServiceBootloader};
        if (const int entered = CBootLines::EnterBootloader(*this, kServiceCommand, kBootloader, 1, 5))
            return entered;
        m_nBootTarget = 0;
        m_nProtocolState = kStateBootloader;
    }
    ReportStatus(Resources::Ids::kUpgradeErase, true);
    if (CCallback* callback = GetCallback())
        callback->OnProgress(0, 1, 0);
    if (!SelectBootTarget1())
        return ecModeChange;
    if (const int erased = CBootLines::Erase(*this))
        return erased;
    if (CCallback* callback = GetCallback())
        callback->OnProgress(50, 1, 0);
    if (!SelectBootTarget2())
        return ecCommunication;
    if (const int erased = CBootLines::Erase(*this))
        return erased;
    if (CCallback* callback = GetCallback())
        callback->OnProgress(100, 1, 0);
    return 0;
}

int CKindravelDevice::SelectBlockTarget(std::span<const std::uint8_t, 16> descriptor)
{
    if (GetCommands() == nullptr || GetStream() == nullptr)
        return ecNotReady;
    const std::uint8_t target = descriptor[13];
    if (target == m_nBootTarget || (descriptor[10] & 0x08) != 0)
        return 0;
    if (target != 1 && target != 2)
        return ecNotReady;
    if (!SelectTarget(target))
        return ecModeChange;
    return 0;
}

int CKindravelDevice::LeaveBootloader()
{
    if (m_nBootTarget != 1 && !SelectBootTarget1())
        return ecCommunication;
    try
    {
        if (!CBootLines::Send(*this, CBootLines::kExit, 'X') ||
            !CBootLines::Send(*this, CBootLines::kEnterTarget2, 'G') ||
            !CBootLines::Send(*this, CBootLines::kExit, 'X'))
            return ecCommunication;
    }
    catch (const CFileException&)
    {
        return ecCommunication;
    }
    return 0;
}

} // namespace Device
