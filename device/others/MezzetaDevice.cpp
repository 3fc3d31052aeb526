#include "device/others/MezzetaDevice.h"

#include "device/others/KrastelProtocol.h"
#include "resources/StringIds.h"
#include "streams/FileException.h"
#include "streams/Rs232Settings.h"

namespace Device
{

CMezzetaDevice::CMezzetaDevice() : CVnDevice(typeMezzeta, L"Halvint Mezzeta / Halvint Tollery", portSerial, 4)
{
    m_serialSettings.baud = 38400;
    m_serialSettings.handshake = StreamIO::hsRtsCts;
    m_serialSettings.readTimeout = 1000;
    m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CVnDevice> CMezzetaDevice::CreateInstance() const
{
    return std::make_unique<CMezzetaDevice>();
}

bool CMezzetaDevice::Attach(StreamIO::CIoStream* stream, NPorts portType)
{
    if (!CVnDevice::Attach(stream, portType))
        return false;
    GetCommands()->SetLineEnd(false, false);
    return true;
}

bool CMezzetaDevice::ResetMode()
{
    return CKrastelProtocol::ResetMode(*this);
}

bool CMezzetaDevice::Identify(SDeviceInfo& info)
{
    return CKrastelProtocol::Identify(*this, m_ident, info, true);
}

std::wstring CMezzetaDevice::GetInfoText()
{
    m_strInfoText = CKrastelProtocol::InfoText(m_ident);
    return m_strInfoText;
}

bool CMezzetaDevice::GetContents(CContents& contents)
{
    return CKrastelProtocol::GetContents(*this, m_ident, contents);
}

int CMezzetaDevice::ReadBlock(std::uint8_t* buffer, int capacity, int timeoutMs)
{
    constexpr int kFailure = 252;
    // The block comes whole; a smaller buffer cannot take it.
    if (capacity < kBlockSize)
        return kFailure;
    StreamIO::CIoStream* stream = GetStream();
    try
    {
        stream->PurgeInput();
        stream->WriteByte(0xC1);
        stream->WriteByte(0xD0);
        if (!stream->SetTimeouts(timeoutMs, timeoutMs))
            return kFailure;
        if (stream->Write(buffer, 1) != 1)
            return kFailure;
        return stream->Read(buffer, kBlockSize) == kBlockSize ? kBlockSize : kFailure;
    }
    catch (const StreamIO::CFileException&)
    {
        return kFailure;
    }
}

int CMezzetaDevice::BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity,
                                  int timeoutMs)
{
    if (GetCommands() == nullptr || buffer == nullptr || capacity <= 0)
        return 0;
    if (timeoutMs < 0)
        timeoutMs = 1000;
    if (command == 0xD0 && n == 1 && buffer[0] == '0')
        return ReadBlock(buffer, capacity, timeoutMs);
    if (n >= kUnframedFrom)
        return CKrastelProtocol::UnframedCommand(*this, command, n, buffer, timeoutMs);
    return GetCommands()->BinaryCommand(command, n, buffer, capacity, timeoutMs);
}

bool CMezzetaDevice::GetObjectInfo(SDeviceIdentEx& ident) const
{
    ident = m_ident;
    return true;
}

int CMezzetaDevice::EndBlock(const CPackageHeader& package, const SBlockDescriptor& block)
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
