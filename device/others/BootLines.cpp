#include "device/others/BootLines.h"

#include "device/BlockDescriptor.h"
#include "device/VnDevice.h"
#include "streams/FileException.h"

#include <array>
#include <climits>
#include <cstring>

namespace Device
{

bool CBootLines::IsReady(const CVnDevice& device)
{
    return device.GetStream() != nullptr && device.GetStream()->IsOpen() && device.GetCommands() != nullptr;
}

bool CBootLines::Send(CVnDevice& device, const char* line, char expected)
{
    if (!IsReady(device))
        return false;
    return device.GetCommands()->SendBootCommand(line, static_cast<int>(std::strlen(line)), expected);
}

bool CBootLines::ReadIdentification(CVnDevice& device, std::string& out)
{
    if (!Send(device, kIdentify, 0))
        return false;
    char answer[kAnswerMax] = {};
    const int got = device.GetStream()->Read(answer, kAnswerMax);
    if (got <= 3 || got > kAnswerMax)
        return false;
    out.assign(answer, static_cast<std::size_t>(got));
    return true;
}

int CBootLines::RaiseTimeouts(CVnDevice& device, int minimumMs)
{
    StreamIO::CIoStream* stream = device.GetStream();
    if (stream == nullptr)
        return ecNotReady;
    try
    {
        int readMs = 0;
        int writeMs = 0;
        if (!stream->GetTimeouts(&readMs, &writeMs))
            return ecCommunication;
        if ((readMs < minimumMs || writeMs < minimumMs) && !stream->SetTimeouts(minimumMs, minimumMs))
            return ecCommunication;
        return 0;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecCommunication;
    }
}

int CBootLines::EnterBootloader(CVnDevice& device, std::uint8_t command, const std::uint8_t* data, int n,
                                int keepAlives)
{
    std::uint8_t buffer[8] = {};
    for (int i = 0; i < n && i < 8; ++i)
        buffer[i] = data[i];
    if (device.BinaryCommand(command, n, buffer, 1, 3000) > 239)
        return ecModeChange;
    try
    {
        for (int i = 0; i < keepAlives; ++i)
        {
            CVnCommands::Wait(50);
            if (!Send(device, kKeepAlive, 0))
                return ecModeChange;
        }
        return 0;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecModeChange;
    }
}

int CBootLines::Erase(CVnDevice& device)
{
    StreamIO::CIoStream* stream = device.GetStream();
    if (stream == nullptr)
        return ecCommunication;
    try
    {
        int readMs = 0;
        int writeMs = 0;
        if (!stream->GetTimeouts(&readMs, &writeMs) || !stream->SetTimeouts(15000, 15000))
            return ecCommunication;
        const bool erased = Send(device, kErase, 'E');
        if (!stream->SetTimeouts(readMs, writeMs) || !erased)
            return ecCommunication;
        return 0;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecCommunication;
    }
}

int CBootLines::SendBlockRecords(CVnDevice& device, const SBlockDescriptor& block, bool aborted)
{
    constexpr int kSubHeader = 16;
    constexpr int kMaxSubHeader = 512;
    StreamIO::CIoStream* package = device.GetPackage();
    if (device.GetCommands() == nullptr || package == nullptr || !package->IsOpen())
        return ecNotReady;
    const std::uint32_t size = block.DataSize();
    try
    {
        if (block.DataKind() != SBlockDescriptor::kKindSRecords)
            return device.SkipBlock(block) == 0 ? 0 : ecNotReady;
        std::array<std::uint8_t, kSubHeader> head{};
        if (package->Read(head.data(), kSubHeader) != kSubHeader)
            return ecNotReady;
        const std::uint32_t headSize = static_cast<std::uint32_t>(head[4] | head[5] << 8);
        const std::uint32_t textSize =
            static_cast<std::uint32_t>(head[12]) | static_cast<std::uint32_t>(head[13]) << 8 |
            static_cast<std::uint32_t>(head[14]) << 16 | static_cast<std::uint32_t>(head[15]) << 24;
        if (headSize < kSubHeader || headSize > kMaxSubHeader || headSize > size ||
            textSize != size - headSize || textSize > static_cast<std::uint32_t>(INT32_MAX))
            return ecNotReady;
        std::array<std::uint8_t, kMaxSubHeader> rest{};
        const int restSize = static_cast<int>(headSize) - kSubHeader;
        if (restSize > 0 && package->Read(rest.data(), restSize) != restSize)
            return ecNotReady;
        const int length = static_cast<int>(textSize);
        if (length == 0 ||
            device.GetCommands()->SendSRecords(package, length, device.GetCallback()) == length)
            return 0;
        return aborted ? ecAborted : ecUpload;
    }
    catch (const StreamIO::CFileException&)
    {
        return ecNotReady;
    }
}

} // namespace Device
