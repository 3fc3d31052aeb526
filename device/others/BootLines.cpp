#include "device/others/BootLines.h"

#include "device/VnDevice.h"
#include "streams/FileException.h"

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

} // namespace Device
