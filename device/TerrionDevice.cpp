#include "device/TerrionDevice.h"

#include "device/PackageHeader.h"
#include "device/TerrionCodec.h"
#include "device/TerrionRecords.h"
#include "device/TextReply.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/FileException.h"

#include <algorithm>
#include <array>

namespace Device
{
namespace
{

using StreamIO::CFileException;

constexpr int kFamilyCode = 10;
constexpr int kMemoryTimeoutMs = 2000;
constexpr int kCommandGapMs = 40;
constexpr int kLeaveWaitMs = 2000;
constexpr int kEnterTimeoutMs = 3000;
constexpr int kBootAnswerMax = 66;
constexpr int kRestoreAttempts = 3;
constexpr int kUpgradeMinTimeoutMs = 3000;
constexpr int kEraseTimeoutMs = 15'000;
constexpr int kBootWaitMs = 50;
constexpr int kBootWakeLines = 5;
constexpr int kSubHeaderSize = 16;
constexpr std::uint32_t kMaxSubHeader = 512;
constexpr const char* kBootWake = "SC030000FC\r\n";
constexpr const char* kBootProbe = "SC030102F9\r\n";
constexpr const char* kBootErase = "SE030000FC\r\n";
constexpr const char* kBootExit = "SX030000FC\r\n";

} // namespace

CTerrionDevice::CTerrionDevice() : CVnDevice(typeTerrion, L"Terrion", portSerial, kFamilyCode)
{
    m_serialSettings.baud = 19200;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 50;
}

CTerrionDevice::~CTerrionDevice()
{
    LeaveMemoryMode(false);
}

std::unique_ptr<CVnDevice> CTerrionDevice::CreateInstance() const
{
    return std::make_unique<CTerrionDevice>();
}

bool CTerrionDevice::IsReady() const
{
    return GetStream() != nullptr && GetStream()->IsOpen() && GetCommands() != nullptr;
}

bool CTerrionDevice::Identify(SDeviceInfo& info)
{
    if (!IsReady())
        return false;
    if (m_bMemoryMode)
        LeaveMemoryMode(true);
    std::string answer;
    std::wstring identity;
    if (GetCommands()->QueryIdentity(identity))
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
    if (!CTerrionCodec::SplitIdentity(answer, m_ident))
        return false;
    info.typeName = m_ident.typeName;
    info.firmwareVersion = m_ident.firmwareVersion;
    info.serialNumber = m_ident.serialNumber;
    std::uint32_t signature = 0;
    if (!CTerrionCodec::ParseSignature(m_ident.signature, signature))
        return false;
    return !info.typeName.empty() && !info.firmwareVersion.empty() && !info.serialNumber.empty() &&
           !m_ident.hardwareRevision.empty() && !m_ident.signature.empty() &&
           static_cast<int>(signature >> 24) == GetFamilyCode();
}

bool CTerrionDevice::IdentifyBootloader(std::string& out)
{
    if (!IsReady())
        return false;
    try
    {
        const std::string probe = "SC030102F9\r\n";
        const std::string info = "SI030000FC\r\n";
        if (!GetCommands()->SendBootCommand(probe.data(), static_cast<int>(probe.size()), 'G'))
            return false;
        if (!GetCommands()->SendBootCommand(info.data(), static_cast<int>(info.size()), 0))
            return false;
        char answer[kBootAnswerMax] = {};
        const int got = GetStream()->Read(answer, kBootAnswerMax);
        if (got <= 3)
            return false;
        out.assign(answer, static_cast<std::size_t>(got));
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

std::wstring CTerrionDevice::GetInfoText()
{
    m_strInfoText = Resources::CTextFormat::Format(
        Resources::Ids::kDeviceInfo, {m_ident.typeName, m_ident.serialNumber, m_ident.firmwareVersion,
                                      m_ident.hardwareRevision, m_ident.signature});
    return m_strInfoText;
}

bool CTerrionDevice::GetContents(CContents& contents)
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

bool CTerrionDevice::QueryId(SDeviceInfo& info)
{
    if (GetCommands() != nullptr && GetCommands()->QueryId(info))
    {
        m_nProtocolState = kStateApplication;
        return true;
    }
    return Identify(info);
}

std::int32_t CTerrionDevice::GetDeviceId()
{
    if (GetCommands() == nullptr)
        return 0;
    SDeviceInfo scratch;
    std::uint32_t signature = 0;
    if (!Identify(scratch) || !CTerrionCodec::ParseSignature(m_ident.signature, signature))
        return 0;
    return static_cast<std::int32_t>(signature);
}

bool CTerrionDevice::GetObjectInfo(SDeviceIdent& ident) const
{
    ident = m_ident;
    return true;
}

bool CTerrionDevice::EnterMemoryMode()
{
    if (m_bMemoryMode)
        return true;
    std::uint8_t buffer[1] = {CTerrionCodec::kServiceMemoryAccess};
    if (BinaryCommand(CTerrionCodec::kServiceCommand, 1, buffer, 1, kEnterTimeoutMs) >= 240)
        return false;
    m_bMemoryMode = true;
    return true;
}

namespace
{

bool WriteText(StreamIO::CIoStream* stream, const std::string& text)
{
    return stream->Write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

} // namespace

bool CTerrionDevice::ReenterMemoryMode()
{
    if (!IsReady())
        return false;
    try
    {
        // The leave command goes out whatever the flag says: an entry whose
        // answer was lost leaves the instrument in the mode with the flag clear.
        WriteText(GetStream(), CTerrionCodec::kLeaveCommand);
    }
    catch (const CFileException&)
    {
        return false;
    }
    m_bMemoryMode = false;
    CVnCommands::Wait(kLeaveWaitMs);
    return EnterMemoryMode();
}

bool CTerrionDevice::LeaveMemoryMode(bool wait)
{
    if (!m_bMemoryMode)
        return true;
    if (!IsReady())
        return false;
    try
    {
        if (!WriteText(GetStream(), CTerrionCodec::kLeaveCommand))
            return false;
        m_bMemoryMode = false;
        if (wait)
            CVnCommands::Wait(kLeaveWaitMs);
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CTerrionDevice::SetMemoryAddress(std::uint16_t address)
{
    if (!IsReady())
        return false;
    try
    {
        return WriteText(GetStream(), CTerrionCodec::SetAddressCommand(address));
    }
    catch (const CFileException&)
    {
        return false;
    }
}

CTerrionDevice::NAnswer CTerrionDevice::ReadAnswer()
{
    // One byte answers a write or an erase; anything but the failure byte is success.
    std::uint8_t reply = 0;
    const bool arrived = GetStream()->Read(&reply, 1) == 1;
    GetStream()->PurgeInput();
    if (!arrived)
        return anNone;
    return reply == CTerrionCodec::kFailedReply ? anRefused : anAccepted;
}

bool CTerrionDevice::SelectAddress(std::uint16_t address)
{
    // The instrument may answer the address command; drop that before the next command.
    if (!WriteText(GetStream(), CTerrionCodec::SetAddressCommand(address)))
        return false;
    CVnCommands::Wait(kCommandGapMs);
    GetStream()->PurgeInput();
    return true;
}

bool CTerrionDevice::StartMemoryRead(std::uint16_t address, std::uint16_t count)
{
    if (!IsReady())
        return false;
    try
    {
        return SelectAddress(address) && WriteText(GetStream(), CTerrionCodec::ReadCountCommand(count));
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CTerrionDevice::EndMemoryRead()
{
    if (!IsReady())
        return false;
    try
    {
        const bool written = WriteText(GetStream(), CTerrionCodec::kEndReadCommand);
        CVnCommands::Wait(kCommandGapMs);
        GetStream()->PurgeInput();
        return written;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

int CTerrionDevice::ReadMemory(std::vector<std::uint8_t>& out, std::uint16_t address, std::uint16_t count)
{
    if (!IsReady() || !EnterMemoryMode())
        return -1;
    try
    {
        if (!GetStream()->SetTimeouts(kMemoryTimeoutMs, kMemoryTimeoutMs))
            return -1;
        StartMemoryRead(address, count);
        std::vector<std::uint8_t> bytes;
        bytes.reserve(count);
        CTerrionCodec::CDumpDecoder decoder;
        while (bytes.size() < count)
        {
            std::uint8_t character = 0;
            if (GetStream()->Read(&character, 1) != 1)
                return -1;
            std::uint8_t value = 0;
            const auto step = decoder.Feed(character, value);
            if (step == CTerrionCodec::CDumpDecoder::stepByte)
            {
                bytes.push_back(value);
                // The record area takes seconds at 19200 baud: let the bar move per block.
                if (m_bReportProgress && GetCallback() && bytes.size() % kProgressBlockSize == 0)
                    GetCallback()->OnProgress(static_cast<int>(bytes.size() * 100 / count), 1, 0);
            }
            else if (step == CTerrionCodec::CDumpDecoder::stepInvalid)
            {
                // A garbled dump must not pass as data; stop the instrument's dump.
                EndMemoryRead();
                return -1;
            }
        }
        EndMemoryRead();
        out.insert(out.end(), bytes.begin(), bytes.end());
        return count;
    }
    catch (const CFileException&)
    {
        return -1;
    }
}

bool CTerrionDevice::WriteMemoryByte(std::uint16_t address, std::uint8_t data)
{
    if (!IsReady())
        return false;
    try
    {
        if (!WriteText(GetStream(), CTerrionCodec::WriteByteCommand(address, data)))
            return false;
        return ReadAnswer() == anAccepted;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CTerrionDevice::WriteMemory(std::uint16_t address, std::span<const std::uint8_t> data)
{
    if (!SetMemoryAddress(address))
        return false;
    try
    {
        CVnCommands::Wait(kCommandGapMs);
        GetStream()->PurgeInput();
    }
    catch (const CFileException&)
    {
        return false;
    }
    for (std::size_t i = 0; i < data.size(); ++i)
    {
        if (!WriteMemoryByte(static_cast<std::uint16_t>(address + i), data[i]))
            return false;
    }
    return true;
}

bool CTerrionDevice::EraseMemory(std::uint16_t address)
{
    return Erase(address) == anAccepted;
}

CTerrionDevice::NAnswer CTerrionDevice::Erase(std::uint16_t address)
{
    if (!IsReady())
        return anNone;
    try
    {
        if (!SelectAddress(address) || !WriteText(GetStream(), CTerrionCodec::EraseCommand(address)))
            return anNone;
        CVnCommands::Wait(kCommandGapMs);
        return ReadAnswer();
    }
    catch (const CFileException&)
    {
        return anNone;
    }
}

bool CTerrionDevice::ReadSettings(TMeasSettings& settings)
{
    std::vector<std::uint8_t> block;
    if (ReadMemory(block, kSettingsAddress, kSettingsBlockSize) != kSettingsBlockSize)
        return false;
    settings.SetFromBlock(
        std::span<const std::uint8_t, kSettingsBlockSize>(block.data(), kSettingsBlockSize));
    return ReadDefaultSpacing(settings);
}

bool CTerrionDevice::WriteSettings(const TMeasSettings& settings)
{
    if (!IsReady() || !EnterMemoryMode())
        return false;
    // Whether the instrument answers an erase at all is not known, so only an
    // explicit refusal stops the write: writing over a block that refused to
    // erase would store garbage. A broken line shows in the writes below.
    if (Erase(kSettingsAddress) == anRefused)
        return false;
    try
    {
        if (!GetStream()->SetTimeouts(kMemoryTimeoutMs, kMemoryTimeoutMs))
            return false;
    }
    catch (const CFileException&)
    {
        return false;
    }
    const std::vector<std::uint8_t> block = settings.ToBlock();
    return WriteMemory(kSettingsAddress, block);
}

bool CTerrionDevice::ReadDefaultSpacing(TMeasSettings& settings)
{
    const std::uint16_t saved = settings.spacingWord;
    const bool hidden = saved != kSpacingNotSet;
    bool ok = true;
    if (hidden)
    {
        // The instrument shows its default only while no spacing word is set.
        settings.spacingWord = kSpacingNotSet;
        ok = WriteSettings(settings);
    }
    if (ok)
    {
        std::vector<std::uint8_t> value;
        ok = ReadMemory(value, kDefaultSpacingAddress, 2) == 2;
        if (ok)
            settings.defaultSpacing = static_cast<std::uint16_t>(value[0] | value[1] << 8);
    }
    if (hidden)
    {
        // The block may be erased or rewritten by now: put the user's word back
        // whatever happened above, and insist on it.
        settings.spacingWord = saved;
        bool restored = WriteSettings(settings);
        for (int retry = 1; retry < kRestoreAttempts && !restored; ++retry)
        {
            // The failed write may have left the instrument outside memory
            // access (or in it without our knowing): start it afresh, or the
            // retry would fail the same way.
            ReenterMemoryMode();
            restored = WriteSettings(settings);
        }
        ok = ok && restored;
    }
    return ok;
}

bool CTerrionDevice::DeleteAllSeries()
{
    if (!IsReady() || !EnterMemoryMode())
        return false;
    try
    {
        if (!GetStream()->SetTimeouts(kMemoryTimeoutMs, kMemoryTimeoutMs))
            return false;
        return WriteText(GetStream(), CTerrionCodec::kDeleteAllCommand);
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CTerrionDevice::ReadAllObjects(std::vector<TTerrionObject>& objects)
{
    TMeasSettings settings{};
    if (!ReadSettings(settings))
        return false;
    objects.clear();
    std::vector<std::uint8_t> area;
    m_bReportProgress = true;
    const int read = ReadMemory(area, kRecordAddress, kRecordAreaSize);
    m_bReportProgress = false;
    if (read != kRecordAreaSize)
        return false;
    objects = CTerrionRecords::Decode(area, m_ident, settings);
    return true;
}

bool CTerrionDevice::BootLine(const std::string& line, char expected)
{
    return GetCommands()->SendBootCommand(line.data(), static_cast<int>(line.size()), expected);
}

int CTerrionDevice::PrepareUpgrade(const CPackageHeader& package)
{
    if (CVnDevice::PrepareUpgrade(package) != 0)
        return ecNotReady;
    if (!IsReady())
        return ecNotReady;
    StreamIO::CIoStream* stream = GetStream();
    try
    {
        int readMs = 0;
        int writeMs = 0;
        if (!stream->GetTimeouts(&readMs, &writeMs))
            return ecCommunication;
        if ((readMs < kUpgradeMinTimeoutMs || writeMs < kUpgradeMinTimeoutMs) &&
            !stream->SetTimeouts(std::max(readMs, kUpgradeMinTimeoutMs),
                                 std::max(writeMs, kUpgradeMinTimeoutMs)))
            return ecCommunication;
        if (m_nProtocolState != kStateBootloader)
        {
            if (m_bMemoryMode)
                LeaveMemoryMode(true);
            std::uint8_t buffer[1] = {CTerrionCodec::kServiceBootloader};
            if (BinaryCommand(CTerrionCodec::kServiceCommand, 1, buffer, 1, kUpgradeMinTimeoutMs) >= 240)
                return ecModeChange;
            for (int i = 0; i < kBootWakeLines; ++i)
            {
                CVnCommands::Wait(kBootWaitMs);
                if (!BootLine(kBootWake, 0))
                    return ecModeChange;
            }
            m_nProtocolState = kStateBootloader;
        }
        ReportStatus(Resources::Ids::kUpgradeErase, true);
        if (CCallback* callback = GetCallback())
            callback->OnProgress(0, 1, 0);
        if (!BootLine(kBootProbe, 'G'))
            return ecCommunication;
        if (!stream->GetTimeouts(&readMs, &writeMs) || !stream->SetTimeouts(kEraseTimeoutMs, kEraseTimeoutMs))
            return ecCommunication;
        if (!BootLine(kBootErase, 'E'))
        {
            stream->SetTimeouts(readMs, writeMs);
            return ecCommunication;
        }
        // The erase is done; the S-records that follow keep the long time-outs.
        if (CCallback* callback = GetCallback())
            callback->OnProgress(100, 1, 0);
        return 0;
    }
    catch (const CFileException&)
    {
        return ecCommunication;
    }
}

int CTerrionDevice::BeginBlock(const CPackageHeader&, const SBlockDescriptor&)
{
    if (!IsReady())
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    ReportStatus(Resources::Ids::kUpgradeModeBefore, true);
    return 0;
}

int CTerrionDevice::TransferBlock(const SBlockDescriptor& block)
{
    StreamIO::CIoStream* package = GetPackage();
    if (GetCommands() == nullptr || package == nullptr || !package->IsOpen())
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeTransfer, true);
    const std::uint32_t size = block.DataSize();
    try
    {
        if (block.DataKind() != SBlockDescriptor::kKindSRecords)
        {
            // Nothing for the bootloader, but the package must move on to the next block.
            return SkipBlock(block) == 0 ? 0 : ecNotReady;
        }
        std::array<std::uint8_t, kSubHeaderSize> head{};
        if (package->Read(head.data(), kSubHeaderSize) != kSubHeaderSize)
            return ecNotReady;
        const std::uint32_t headSize = static_cast<std::uint32_t>(head[4] | head[5] << 8);
        const std::uint32_t textSize =
            static_cast<std::uint32_t>(head[12]) | static_cast<std::uint32_t>(head[13]) << 8 |
            static_cast<std::uint32_t>(head[14]) << 16 | static_cast<std::uint32_t>(head[15]) << 24;
        if (headSize < kSubHeaderSize || headSize > kMaxSubHeader || headSize > size ||
            textSize != size - headSize || textSize > static_cast<std::uint32_t>(INT32_MAX))
            return ecNotReady;
        std::array<std::uint8_t, kMaxSubHeader> rest{};
        const int restSize = static_cast<int>(headSize) - kSubHeaderSize;
        if (restSize > 0 && package->Read(rest.data(), restSize) != restSize)
            return ecNotReady;
        const int length = static_cast<int>(textSize);
        if (length == 0 || GetCommands()->SendSRecords(package, length, GetCallback()) == length)
            return 0;
        return IsAborted() ? ecAborted : ecUpload;
    }
    catch (const CFileException&)
    {
        return ecNotReady;
    }
}

int CTerrionDevice::ProgramBlock(const SBlockDescriptor&)
{
    return 0;
}

int CTerrionDevice::EndBlock(const CPackageHeader&, const SBlockDescriptor&)
{
    return 0;
}

int CTerrionDevice::FinishUpgrade()
{
    if (!IsReady())
        return ecCommunication;
    try
    {
        if (!BootLine(kBootProbe, 'G') || !BootLine(kBootExit, 'X'))
            return ecCommunication;
    }
    catch (const CFileException&)
    {
        return ecCommunication;
    }
    m_nProtocolState = kStateApplication;
    return CVnDevice::FinishUpgrade();
}

} // namespace Device
