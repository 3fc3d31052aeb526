#include "device/FirmwareTransfer.h"

#include "device/Callback.h"
#include "device/VnCommands.h"
#include "streams/Crc.h"
#include "streams/FileException.h"
#include "streams/IoStream.h"
#include "streams/IpStream.h"

#include <algorithm>

namespace Device
{
namespace
{

using StreamIO::CFileException;

constexpr std::uint8_t kTransferCommand = 0xF8;
constexpr int kStatusTimeoutMs = 2000;
constexpr int kProgramAskTimeoutMs = 2000;
constexpr int kMinLongestMs = 10'000;
constexpr int kMinUsualMs = 2000;
constexpr int kNetworkProgressBytes = 10'000;

void PutLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t ChecksumFollows(int checksumFlags)
{
    return (checksumFlags & 3) != 0 ? 1 : 0;
}

// Reads length bytes into data in pieces: the length comes from the package,
// so the buffer grows only with bytes that are really there. False when the
// source ends first.
bool ReadWhole(StreamIO::CIoStream& source, int length, std::vector<std::uint8_t>& data)
{
    constexpr int kPiece = 0x10000;
    data.clear();
    while (static_cast<int>(data.size()) < length)
    {
        const int piece = std::min(kPiece, length - static_cast<int>(data.size()));
        const std::size_t done = data.size();
        data.resize(done + static_cast<std::size_t>(piece));
        if (source.Read(data.data() + done, piece) != piece)
        {
            data.clear();
            return false;
        }
    }
    return true;
}

} // namespace

CFirmwareTransfer::CFirmwareTransfer(CVnCommands& commands)
    : m_commands(commands), m_pStream(commands.GetStream())
{
}

std::vector<std::uint8_t> CFirmwareTransfer::Checksum(std::span<const std::uint8_t> data, int checksumFlags)
{
    std::vector<std::uint8_t> out;
    const int length = static_cast<int>(data.size());
    if (checksumFlags & 1)
    {
        const std::uint16_t crc = CalcCrc16(data.data(), length, 0);
        out = {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8)};
    }
    else if (checksumFlags & 2)
    {
        PutLittleEndian32(out, ~CalcCrc32(data.data(), length, 0xFFFFFFFFu));
    }
    return out;
}

std::vector<std::string_view> CFirmwareTransfer::SplitSRecords(std::string_view text)
{
    std::vector<std::string_view> records;
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t next = text.find('S', start + 1);
        const std::size_t end = next == std::string_view::npos ? text.size() : next;
        records.push_back(text.substr(start, end - start));
        start = end;
    }
    return records;
}

bool CFirmwareTransfer::WriteAll(const void* data, int length)
{
    return length <= 0 || m_pStream->Write(data, length) == length;
}

bool CFirmwareTransfer::ReadStatus(std::uint8_t& status)
{
    return m_pStream->Read(&status, 1) == 1;
}

bool CFirmwareTransfer::SendDescriptor(std::span<const std::uint8_t> descriptor, int checksumFlags)
{
    if (m_pStream == nullptr || descriptor.size() != kDescriptorSize)
        return false;
    try
    {
        std::vector<std::uint8_t> frame = {0xC1, kTransferCommand, 0x00};
        frame.insert(frame.end(), descriptor.begin(), descriptor.end());
        const std::vector<std::uint8_t> check = Checksum(descriptor, checksumFlags);
        frame.insert(frame.end(), check.begin(), check.end());
        for (int attempt = 0; attempt < kAttempts; ++attempt)
        {
            if (attempt > 0 && !m_commands.Sync())
                continue;
            m_pStream->PurgeInput();
            if (!WriteAll(frame.data(), static_cast<int>(frame.size())))
                continue;
            m_pStream->SetTimeouts(kStatusTimeoutMs, kStatusTimeoutMs);
            std::uint8_t status = 0xFF;
            if (ReadStatus(status) && status == 0)
                return true;
        }
        return false;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

int CFirmwareTransfer::TransferBlocks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                                      CCallback* callback)
{
    if (m_pStream == nullptr || source == nullptr || !source->IsOpen() || length <= 0 || chunk < 0 ||
        chunk > kMaxChunk)
        return 0;
    try
    {
        // A repeated attempt sends this block again, from its own first byte.
        const int blockStart = source->IsSeekable() ? source->GetPosition() : -1;
        std::vector<std::uint8_t> whole;
        for (int attempt = 0; attempt < kAttempts; ++attempt)
        {
            if (attempt > 0)
            {
                if (!m_commands.Sync())
                    continue;
                if (chunk > 0)
                {
                    if (blockStart < 0)
                        return 0;
                    source->SetPosition(blockStart);
                }
            }
            const int sent = chunk == 0 ? TransferWhole(source, length, checksumFlags, callback, whole)
                                        : TransferChunks(source, length, checksumFlags, chunk, callback);
            if (sent != 0)
                return sent > 0 ? sent : 0;
        }
        return 0;
    }
    catch (const CFileException&)
    {
        return 0;
    }
}

// length on success, 0 to try again, -1 to give up.
int CFirmwareTransfer::TransferWhole(StreamIO::CIoStream* source, int length, int checksumFlags,
                                     CCallback* callback, std::vector<std::uint8_t>& data)
{
    if (data.empty() && !ReadWhole(*source, length, data))
        return -1;
    if (!m_commands.SetTransferTimeouts(length, 2))
        return -1;
    if (callback != nullptr && callback->IsDetailedProgress() && length > kNetworkProgressBytes &&
        dynamic_cast<StreamIO::CIpStream*>(m_pStream) != nullptr)
        callback->OnProgress(0, 1, static_cast<std::uint32_t>(length / 250));
    std::vector<std::uint8_t> frame = {0xC6, kTransferCommand, 0x01, ChecksumFollows(checksumFlags)};
    PutLittleEndian32(frame, static_cast<std::uint32_t>(length));
    const std::vector<std::uint8_t> check = Checksum(data, checksumFlags);
    if (!WriteAll(frame.data(), static_cast<int>(frame.size())) || !WriteAll(data.data(), length) ||
        !WriteAll(check.data(), static_cast<int>(check.size())))
        return 0;
    std::uint8_t status = 0xFF;
    return ReadStatus(status) && status == 0 ? length : 0;
}

int CFirmwareTransfer::TransferChunks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                                      CCallback* callback)
{
    if (!m_commands.SetTransferTimeouts(chunk, 2))
        return -1;
    std::vector<std::uint8_t> frame = {0xC9, kTransferCommand, 0x01, ChecksumFollows(checksumFlags)};
    PutLittleEndian32(frame, static_cast<std::uint32_t>(length));
    // The header counts nine data bytes: the chunk size goes in its three low bytes.
    PutLittleEndian32(frame, static_cast<std::uint32_t>(chunk));
    frame.pop_back();
    if (!WriteAll(frame.data(), static_cast<int>(frame.size())))
        return 0;
    const bool detailed = callback != nullptr && callback->IsDetailedProgress();
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(chunk, length)));
    std::int64_t remaining = length;
    int lastPercent = -1;
    while (remaining > 0)
    {
        if (m_commands.IsAbortRequested())
            return -1;
        const int percent = static_cast<int>((length - remaining) * 100 / length);
        if (detailed && percent > lastPercent)
        {
            callback->OnProgress(percent, 1, 0);
            lastPercent = percent;
        }
        const int piece = static_cast<int>(std::min<std::int64_t>(chunk, remaining));
        if (source->Read(buffer.data(), piece) != piece)
            return -1;
        const std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(piece));
        const std::vector<std::uint8_t> check = Checksum(bytes, checksumFlags);
        if (!WriteAll(buffer.data(), piece) || !WriteAll(check.data(), static_cast<int>(check.size())))
            return 0;
        std::uint8_t status = 0xFF;
        if (!ReadStatus(status) || status != 0)
            return 0;
        remaining -= piece;
    }
    if (detailed)
        callback->OnProgress(100, 1, 0);
    return length;
}

int CFirmwareTransfer::SendSRecords(StreamIO::CIoStream* source, int length, CCallback* callback)
{
    if (m_pStream == nullptr || source == nullptr || !source->IsOpen() || length <= 0)
        return 0;
    try
    {
        std::string text(static_cast<std::size_t>(length), '\0');
        if (source->Read(text.data(), length) != length)
            return 0;
        const bool detailed = callback != nullptr && callback->IsDetailedProgress();
        std::int64_t sent = 0;
        int lastPercent = -1;
        for (std::string_view record : SplitSRecords(text))
        {
            if (!WriteAll(record.data(), static_cast<int>(record.size())))
                return static_cast<int>(sent);
            std::uint8_t reply = 0;
            if (!ReadStatus(reply) || reply != 'P')
                return static_cast<int>(sent);
            sent += static_cast<std::int64_t>(record.size());
            const int percent = static_cast<int>(sent * 100 / length);
            if (detailed && percent > lastPercent)
            {
                callback->OnProgress(percent, 2, 0);
                lastPercent = percent;
            }
        }
        return length;
    }
    catch (const CFileException&)
    {
        return 0;
    }
}

bool CFirmwareTransfer::ProgramFlash(CCallback* callback, int bar, bool askLongest)
{
    if (m_pStream == nullptr)
        return false;
    auto askTime = [this](std::uint8_t which, std::int64_t& ms)
    {
        std::uint8_t buffer[4] = {which, 0, 0, 0};
        if (m_commands.ShortCommand(kTransferCommand, 1, buffer, 3, kProgramAskTimeoutMs) != 3)
            return false;
        ms = static_cast<std::int64_t>(buffer[0]) | static_cast<std::int64_t>(buffer[1]) << 8 |
             static_cast<std::int64_t>(buffer[2]) << 16;
        return true;
    };
    std::int64_t usual = 0;
    if (!askTime(0x04, usual))
        return false;
    std::int64_t longest = usual;
    if (askLongest && !askTime(0x03, longest))
        longest = usual;
    longest = std::max<std::int64_t>(longest, kMinLongestMs);
    usual = std::max<std::int64_t>(usual, kMinUsualMs);
    try
    {
        m_pStream->PurgeInput();
        static constexpr std::uint8_t kProgram[3] = {0xC1, kTransferCommand, 0x02};
        if (!WriteAll(kProgram, 3))
            return false;
        int readMs = 0;
        int writeMs = 0;
        m_pStream->GetTimeouts(&readMs, &writeMs);
        m_pStream->SetTimeouts(static_cast<int>(longest), writeMs);
        if (callback != nullptr && callback->IsDetailedProgress() && longest > 100)
            callback->OnProgress(0, bar, static_cast<std::uint32_t>(usual));
        std::uint8_t status = 0xFF;
        return ReadStatus(status) && status == 0;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

} // namespace Device
