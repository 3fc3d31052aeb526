#include "device/VnCommands.h"

#include "device/Callback.h"
#include "device/FileCommandText.h"
#include "device/FirmwareTransfer.h"
#include "device/FrameCodec.h"
#include "device/TextReply.h"
#include "streams/FileException.h"
#include "streams/IoStream.h"
#include "streams/TimeStamp.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

namespace Device
{
namespace
{

using StreamIO::CFileException;

std::atomic<CVnCommands::TWaitFunction> g_waitFunction{nullptr};

constexpr std::uint8_t kModeCommand = 0xF4;
constexpr std::uint8_t kDeviceIdCommand = 0xF1;
constexpr std::uint8_t kSyncCommand = 0xF7;
constexpr int kFixedTimeoutMs = 2000;
constexpr int kControlTimeoutMs = 20000;
constexpr int kQueryLineCapacity = 1023;
constexpr int kTextCommandSlack = 19;
constexpr int kDirectoryCapacity = 1'000'000;
constexpr int kDirectoryTimeoutMs = 120'000;
constexpr int kFileTimeoutMs = 6000;
constexpr int kMoveTimeoutMs = 10'000;
constexpr int kLoadChunk = 0x10000;

void PutLittleEndian32(std::uint8_t* out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLittleEndian32(const std::uint8_t* in)
{
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

CVnCommands::CVnCommands(StreamIO::CIoStream* stream) : m_pStream(stream)
{
}

CVnCommands::~CVnCommands() = default;

void CVnCommands::SetAbortPoll(TAbortPoll poll, std::uint32_t userValue)
{
    m_pAbortPoll = poll;
    m_nAbortUser = userValue;
}

bool CVnCommands::IsAbortRequested() const
{
    return m_pAbortPoll != nullptr && m_pAbortPoll(m_nAbortUser);
}

void CVnCommands::Wait(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    if (TWaitFunction function = g_waitFunction.load())
        function(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void CVnCommands::SetWaitFunction(TWaitFunction function)
{
    g_waitFunction.store(function);
}

bool CVnCommands::ReadExact(std::uint8_t* buffer, int count)
{
    if (count <= 0)
        return true;
    return m_pStream->Read(buffer, count) == count;
}

bool CVnCommands::Drop(std::int64_t count)
{
    for (std::int64_t i = 0; i < count; ++i)
    {
        std::uint8_t ignored = 0;
        if (m_pStream->Read(&ignored, 1) != 1)
            return false;
    }
    return true;
}

bool CVnCommands::WriteAll(const void* data, int length)
{
    return length <= 0 || m_pStream->Write(data, length) == length;
}

int CVnCommands::BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity, int timeoutMs)
{
    if (n < 0 || n > CFrameCodec::kMaxDataBytes || timeoutMs < 0 || capacity < 0 ||
        (buffer == nullptr && (n > 0 || capacity > 0)))
        return kBadArguments;
    if (m_pStream == nullptr)
        return kIoFailure;
    try
    {
        m_pStream->PurgeInput();
        const std::uint8_t head[2] = {static_cast<std::uint8_t>(CFrameCodec::kHeaderBase + n), command};
        if (!WriteAll(&head[0], 1) || !WriteAll(&head[1], 1))
            return kIoFailure;
        if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs))
            return kIoFailure;
        if (!WriteAll(buffer, n))
            return kIoFailure;
        std::uint8_t reply = 0;
        if (!ReadExact(&reply, 1))
            return kIoFailure;
        switch (CFrameCodec::ClassifyReply(reply))
        {
        case CFrameCodec::rkDone:
        case CFrameCodec::rkStatus:
            return reply;
        case CFrameCodec::rkCounted:
        {
            const int count = reply;
            if (count <= capacity)
                return ReadExact(buffer, count) ? count : kIoFailure;
            // Read what fits and drop the rest, so the next command starts clean;
            // a tail that stops early takes nothing from what fitted.
            if (!ReadExact(buffer, capacity))
                return kIoFailure;
            Drop(count - capacity);
            return count;
        }
        case CFrameCodec::rkExtended:
        {
            std::array<std::uint8_t, CFrameCodec::kExtendedHeaderSize> header{};
            if (!ReadExact(header.data(), static_cast<int>(header.size())))
                return kIoFailure;
            const CFrameCodec::SExtendedHeader ext = CFrameCodec::ParseExtendedHeader(header);
            const std::int64_t total = ext.Total();
            if (total > capacity)
            {
                if (!ReadExact(buffer, capacity))
                    return kIoFailure;
                Drop(total - capacity);
                return capacity;
            }
            if (!ReadExact(buffer, static_cast<int>(total)))
                return kIoFailure;
            const int length = static_cast<int>(ext.dataLength);
            if (ext.checksumLength == 0)
                return length;
            const std::span<const std::uint8_t> data(buffer, static_cast<std::size_t>(length));
            const std::span<const std::uint8_t> check(buffer + length,
                                                      static_cast<std::size_t>(ext.checksumLength));
            return CFrameCodec::VerifyChecksum(ext.checksumKind, data, check) ? length : kChecksumMismatch;
        }
        }
        return kIoFailure;
    }
    catch (const CFileException&)
    {
        return kIoFailure;
    }
}

int CVnCommands::ShortCommand(std::uint8_t command, int n, std::uint8_t* buffer, int expectedLength,
                              int timeoutMs)
{
    if (n < 0 || n > 30 || static_cast<unsigned>(expectedLength) > 239u || timeoutMs < 0 ||
        (buffer == nullptr && (n > 0 || expectedLength > 0)) || m_pStream == nullptr)
        return -1;
    int oldRead = 0;
    int oldWrite = 0;
    bool haveOld = false;
    int result = -1;
    try
    {
        m_pStream->PurgeInput();
        const std::vector<std::uint8_t> frame =
            CFrameCodec::BuildFrame(command, std::span<const std::uint8_t>(buffer, buffer ? n : 0));
        if (!WriteAll(frame.data(), static_cast<int>(frame.size())))
            return -1;
        if (expectedLength == 0)
            return 0;
        haveOld = m_pStream->GetTimeouts(&oldRead, &oldWrite);
        m_pStream->SetTimeouts(timeoutMs, timeoutMs);
        std::uint8_t count = 0;
        if (ReadExact(&count, 1) && count <= 239 && (expectedLength <= 0 || count == expectedLength))
        {
            int got = 0;
            while (got < count)
            {
                if (m_pStream->Read(buffer + got, 1) != 1)
                    break;
                if (got++ == 0 && timeoutMs > 50)
                    m_pStream->SetTimeouts(50, 50); // the rest of a short reply follows at once
            }
            result = got;
        }
        if (haveOld)
            m_pStream->SetTimeouts(oldRead, oldWrite);
        return result;
    }
    catch (const CFileException&)
    {
        try
        {
            if (haveOld)
                m_pStream->SetTimeouts(oldRead, oldWrite);
        }
        catch (const CFileException&)
        {
        }
        return -1;
    }
}

int CVnCommands::BulkCommand(std::uint8_t command, std::uint8_t* buffer, int n, int* outCount, int capacity,
                             int timeoutMs, int overallLimitMs, CCallback* callback)
{
    if (n < 0 || n > CFrameCodec::kMaxDataBytes || timeoutMs < 0 || buffer == nullptr || capacity < 0)
        return kBulkBadArguments;
    int scratch = 0;
    int& received = outCount != nullptr ? *outCount : scratch;
    received = 0;
    if (m_pStream == nullptr)
        return kBulkCommunication;
    try
    {
        m_pStream->PurgeInput();
        if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs))
            return kBulkCommunication;
        const std::vector<std::uint8_t> frame = CFrameCodec::BuildFrame(
            command, std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
        if (!WriteAll(frame.data(), static_cast<int>(frame.size())))
            return kBulkCommunication;
        std::uint8_t reply = 0;
        if (!ReadExact(&reply, 1))
            return kBulkCommunication;
        switch (CFrameCodec::ClassifyReply(reply))
        {
        case CFrameCodec::rkDone:
            return kBulkDone;
        case CFrameCodec::rkStatus:
            if (capacity > 0)
                buffer[0] = reply;
            return kBulkCommunication;
        case CFrameCodec::rkCounted:
        {
            const int count = reply;
            if (count <= capacity)
            {
                received = m_pStream->Read(buffer, count);
                return received == count ? kBulkDone : kBulkCommunication;
            }
            received = m_pStream->Read(buffer, capacity);
            if (received != capacity)
                return kBulkCommunication;
            Drop(count - capacity);
            received = count;
            return kBulkTooLong;
        }
        case CFrameCodec::rkExtended:
            break;
        }

        std::array<std::uint8_t, CFrameCodec::kExtendedHeaderSize> header{};
        if (!ReadExact(header.data(), static_cast<int>(header.size())))
            return kBulkCommunication;
        const CFrameCodec::SExtendedHeader ext = CFrameCodec::ParseExtendedHeader(header);
        const std::int64_t total = ext.Total();
        if (total > capacity)
        {
            received = m_pStream->Read(buffer, capacity);
            if (received != capacity)
                return kBulkCommunication;
            Drop(total - capacity);
            received = static_cast<int>(total);
            return kBulkTooLong;
        }
        const bool progress = callback != nullptr && callback->IsDetailedProgress() && total > 0;
        const bool limited =
            overallLimitMs >= 0 && static_cast<std::int64_t>(overallLimitMs) >= 2LL * timeoutMs;
        std::uint64_t start = 0;
        if (limited)
            QueryTimeStamp(&start);
        std::int64_t left = static_cast<std::int64_t>(timeoutMs) + 1;
        std::int64_t got = 0;
        while (got < total)
        {
            const int step = m_pStream->Read(buffer + got, static_cast<int>(total - got));
            got += step;
            if (progress)
                callback->OnProgress(static_cast<int>(got * 100 / total), 1, 0);
            if (limited)
            {
                std::uint64_t now = 0;
                QueryTimeStamp(&now);
                left = overallLimitMs - static_cast<std::int64_t>(ElapsedMilliseconds(start, now));
            }
            if (step <= 0 || left <= timeoutMs)
                break;
        }
        received = static_cast<int>(got);
        if (got < total)
            return kBulkCommunication;
        if (ext.checksumLength != 0)
        {
            const std::span<const std::uint8_t> data(buffer, ext.dataLength);
            const std::span<const std::uint8_t> check(buffer + ext.dataLength,
                                                      static_cast<std::size_t>(ext.checksumLength));
            if (!CFrameCodec::VerifyChecksum(ext.checksumKind, data, check))
                return kBulkChecksum;
        }
        return kBulkDone;
    }
    catch (const CFileException&)
    {
        return kBulkCommunication;
    }
}

bool CVnCommands::Sync()
{
    if (m_pStream == nullptr)
        return false;
    static constexpr std::uint8_t kPattern[8] = {0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0};
    const std::vector<std::uint8_t> frame = CFrameCodec::BuildFrame(kSyncCommand, kPattern);
    try
    {
        m_pStream->SetTimeouts(2500, 500);
        for (int attempt = 0; attempt < 3; ++attempt)
        {
            if (!WriteAll(frame.data(), static_cast<int>(frame.size())))
                return false;
            Wait(50);
            for (int i = 0; i < 3; ++i)
            {
                std::uint8_t reply = 0;
                if (m_pStream->Read(&reply, 1) != 1)
                    break;
                if (reply == 0xF0)
                    return true;
            }
        }
        return false;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CVnCommands::ChangeMode(std::uint8_t modeByte, bool* changed, CCallback* callback, int factor)
{
    bool scratch = false;
    bool& switched = changed != nullptr ? *changed : scratch;
    switched = false;
    if (m_pStream == nullptr)
        return false;
    const std::uint8_t mode = modeByte & 0x0F;
    const bool reopen = (modeByte & 0x10) != 0;
    auto ask = [this](std::uint8_t sub, std::uint8_t value, int expected, std::uint8_t* reply)
    {
        std::uint8_t buffer[4] = {sub, value, 0, 0};
        const int got = ShortCommand(kModeCommand, 2, buffer, expected, kFixedTimeoutMs);
        if (reply != nullptr)
            std::memcpy(reply, buffer, 3);
        return got;
    };
    std::uint8_t reply[3] = {};
    if (ask(0x00, mode, 1, reply) != 1 || reply[0] != 1)
        return false;
    if (ask(0x01, mode, 1, reply) != 1)
        return false;
    if (reply[0] == 1)
    {
        if (!reopen)
            return true;
        try
        {
            m_pStream->CloseNoThrow();
            return m_pStream->Reopen();
        }
        catch (const CFileException&)
        {
            return false;
        }
    }
    std::uint32_t duration = 0;
    if (mode != 0)
    {
        if (ask(0x03, mode, 3, reply) != 3)
            return false;
        duration = CFrameCodec::ParseDuration(std::span<const std::uint8_t, 3>(reply, 3));
        if (duration == 0)
            return false;
    }
    if (ask(0x02, mode, 0, nullptr) != 0)
        return false;
    switched = true;
    if (mode == 0)
        return true;
    if (callback != nullptr && callback->IsDetailedProgress() && duration > 100)
        callback->OnProgress(0, 1, duration + 100);
    if (reopen)
    {
        Wait(100);
        m_pStream->CloseNoThrow();
    }
    const std::int64_t percent = factor == 0 ? 100 : factor;
    Wait(static_cast<int>(std::clamp<std::int64_t>(duration * percent / 100, 0, INT32_MAX)));
    if (reopen)
    {
        try
        {
            if (!m_pStream->Reopen())
                return false;
        }
        catch (const CFileException&)
        {
            return false;
        }
    }
    const std::uint8_t check = (modeByte & 0x1F) == 0x14 ? 12 : mode;
    return ask(0x01, check, 1, reply) == 1 && reply[0] == 1;
}

int CVnCommands::ReadLine(char* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    if (capacity == 1 || m_pStream == nullptr)
        return 0;
    int count = 0;
    try
    {
        while (count < capacity - 1)
        {
            std::uint8_t byte = 0;
            if (m_pStream->Read(&byte, 1) != 1)
            {
                buffer[count] = '\0';
                return CTextReply::IsCompleteWithoutEnd(
                           std::string_view(buffer, static_cast<std::size_t>(count)))
                           ? count + 1
                           : 0;
            }
            buffer[count++] = static_cast<char>(byte);
            if (CTextReply::IsLineEnd(byte, m_bCrLf))
                break;
        }
    }
    catch (const CFileException&)
    {
        buffer[count] = '\0';
        return 0;
    }
    buffer[count] = '\0';
    return count + 1;
}

int CVnCommands::SendText(const std::string& text, int timeoutMs, std::vector<char>& line, int lineCapacity)
{
    m_pStream->PurgeInput();
    m_pStream->WriteByte(CTextReply::kDle);
    if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs))
        return 0;
    std::uint8_t ack = 0;
    if (!ReadExact(&ack, 1))
        return -1;
    if (!text.empty() && !WriteAll(text.data(), static_cast<int>(text.size())))
        return -1;
    m_pStream->WriteByte(CTextReply::kCr);
    line.assign(static_cast<std::size_t>(lineCapacity), '\0');
    return ReadLine(line.data(), lineCapacity) != 0 ? 1 : -1;
}

bool CVnCommands::Query(const std::string& text, int timeoutMs)
{
    m_strReply.clear();
    if (m_pStream == nullptr || timeoutMs < 0)
        return false;
    try
    {
        std::vector<char> line;
        if (SendText(text, timeoutMs, line, kQueryLineCapacity) != 1)
            return false;
        if (text.empty())
            return true;
        const std::optional<std::string> answer = CTextReply::ExtractAnswer(line.data(), false);
        if (!answer)
            return false;
        m_strReply = answer->substr(0, kReplyBufferSize - 1);
        return m_strReply.find('?') == std::string::npos;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

int CVnCommands::TextCommand(const std::string& text, char* dest, int capacity, int timeoutMs)
{
    if (dest == nullptr || capacity <= 0 || m_pStream == nullptr || timeoutMs < 0)
        return 0;
    dest[0] = '\0';
    auto copyOut = [dest, capacity](const std::string& answer)
    {
        const std::size_t n = std::min<std::size_t>(answer.size(), static_cast<std::size_t>(capacity - 1));
        std::memcpy(dest, answer.data(), n);
        dest[n] = '\0';
        return static_cast<int>(answer.size());
    };
    try
    {
        // The line goes to a buffer of our own: the instrument may answer more
        // than the caller has room for.
        std::vector<char> line;
        const int sent = SendText(text, timeoutMs, line, capacity + kTextCommandSlack);
        if (sent != 1)
            return sent;
        if (text.empty())
            return copyOut("?") > 0 ? 1 : 0;
        const std::optional<std::string> answer = CTextReply::ExtractAnswer(line.data(), true);
        if (!answer)
            return 0;
        return copyOut(*answer);
    }
    catch (const CFileException&)
    {
        return 0;
    }
}

bool CVnCommands::SetLineEnd(bool crLf, bool negotiate)
{
    if (!negotiate)
    {
        m_bCrLf = crLf;
        return true;
    }
    if (m_pStream == nullptr)
        return false;
    try
    {
        if (!m_pStream->SetTimeouts(4000, 2000))
            return false;
        m_pStream->WriteByte(CTextReply::kDle);
        std::uint8_t ack = 0;
        if (!ReadExact(&ack, 1))
            return false;
        static constexpr std::uint8_t kAsk[4] = {'E', 'C', '?', CTextReply::kCr};
        if (!WriteAll(kAsk, 4))
            return false;
        m_bCrLf = false;
        char line[kQueryLineCapacity] = {};
        if (ReadLine(line, sizeof line) == 0)
            return false;
        const std::string_view text(line);
        if (text.size() > 5 && text.find(static_cast<char>(CTextReply::kCr)) != std::string_view::npos)
        {
            std::uint8_t lf = 0;
            if (!ReadExact(&lf, 1) || lf != CTextReply::kLf)
                return false;
            m_bCrLf = true;
        }
        if (crLf)
        {
            if (m_bCrLf)
                return true;
            if (!Query("EC1", kFixedTimeoutMs))
                return false;
            m_bCrLf = true;
            return true;
        }
        if (!m_bCrLf)
            return true;
        if (!Query("EC0", kFixedTimeoutMs))
            return false;
        m_bCrLf = false;
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CVnCommands::QueryIdentity(std::wstring& out)
{
    if (!Query("@ID@", kFixedTimeoutMs))
        return false;
    out = CTextReply::Widen(m_strReply);
    return true;
}

bool CVnCommands::QueryId(SDeviceInfo& info)
{
    return Query("ID", kFixedTimeoutMs) && CTextReply::ParseId(m_strReply, info);
}

bool CVnCommands::SendBootCommand(const char* text, int length, char expected)
{
    if (m_pStream == nullptr || text == nullptr || length < 0)
        return false;
    if (!WriteAll(text, length))
        return false;
    if (expected == 0)
        return true;
    std::uint8_t reply = 0;
    return ReadExact(&reply, 1) && reply == static_cast<std::uint8_t>(expected);
}

bool CVnCommands::ReadStatusBlock(std::uint8_t* buffer, int* length)
{
    if (buffer == nullptr || length == nullptr || *length <= 5 || m_pStream == nullptr)
        return false;
    const int capacity = *length;
    buffer[0] = 0;
    try
    {
        m_pStream->PurgeInput();
        m_pStream->WriteByte(CTextReply::kDle);
        const int timeout = CFrameCodec::StatusBlockTimeout(m_pStream->GetBytesPerSecond());
        if (!m_pStream->SetTimeouts(timeout, timeout))
            return false;
        std::uint8_t ack = 0;
        if (!ReadExact(&ack, 1))
            return false;
        if (!WriteAll("SS\r", 3))
            return false;
        std::uint8_t marker[2] = {};
        if (!ReadExact(marker, 2))
            return false;
        const bool upper = marker[0] == 'S' && marker[1] == 'S';
        const bool lower = marker[0] == 's' && marker[1] == 's';
        if (upper || lower)
        {
            std::uint8_t extra[3] = {};
            if (!ReadExact(extra, 3) || extra[1] != 0 || extra[2] != 0)
                return false;
            buffer[0] = extra[0];
        }
        else if (marker[0] != 0 || marker[1] != 0)
        {
            return false;
        }
        std::uint8_t size[4] = {};
        if (!ReadExact(size, 4))
            return false;
        const std::uint32_t count =
            static_cast<std::uint32_t>(size[0]) | static_cast<std::uint32_t>(size[1]) << 8 |
            static_cast<std::uint32_t>(size[2]) << 16 | static_cast<std::uint32_t>(size[3]) << 24;
        if (count > static_cast<std::uint32_t>(capacity))
            return false;
        if (!ReadExact(buffer, static_cast<int>(count)))
            return false;
        *length = static_cast<int>(count);
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CVnCommands::SetTransferTimeouts(std::int64_t bytes, int factor)
{
    if (m_pStream == nullptr)
        return false;
    try
    {
        const int timeout = CFrameCodec::TransferTimeout(bytes, factor, m_pStream->GetBytesPerSecond());
        return m_pStream->SetTimeouts(timeout, timeout);
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CVnCommands::SetConnected(bool connected, int keepAliveMs)
{
    std::uint8_t buffer[2] = {0x11, 0x00};
    if (connected)
    {
        buffer[0] = 0x10;
        buffer[1] = CFrameCodec::KeepAliveSeconds(keepAliveMs);
    }
    return ShortCommand(kModeCommand, 2, buffer, 1, kFixedTimeoutMs) == 1;
}

bool CVnCommands::SendControlD0()
{
    std::uint8_t buffer[2] = {0x12, 0xD0};
    return ShortCommand(kModeCommand, 2, buffer, 1, kControlTimeoutMs) == 1;
}

std::int32_t CVnCommands::GetDeviceId()
{
    std::uint8_t buffer[4] = {};
    if (ShortCommand(kDeviceIdCommand, 0, buffer, 4, kFixedTimeoutMs) != 4)
        return -1;
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
        static_cast<std::uint32_t>(buffer[2]) << 16 | static_cast<std::uint32_t>(buffer[3]) << 24);
}

bool CVnCommands::ListDeviceDirectory(std::uint16_t selector, std::wstring& listing)
{
    if (m_pStream == nullptr)
        return false;
    int oldRead = 0;
    int oldWrite = 0;
    bool haveOld = false;
    try
    {
        haveOld = m_pStream->GetTimeouts(&oldRead, &oldWrite);
    }
    catch (const CFileException&)
    {
    }
    std::vector<char> answer(static_cast<std::size_t>(kDirectoryCapacity));
    const int length = TextCommand(CFileCommandText::DirectoryCommand(selector), answer.data(),
                                   kDirectoryCapacity, kDirectoryTimeoutMs);
    try
    {
        if (haveOld)
            m_pStream->SetTimeouts(oldRead, oldWrite);
    }
    catch (const CFileException&)
    {
    }
    if (length < 1 || length > kDirectoryCapacity)
        return false;
    const std::size_t stored = std::min<std::size_t>(static_cast<std::size_t>(length), answer.size() - 1);
    return CFileCommandText::ParseDirectory(std::string_view(answer.data(), stored), listing);
}

bool CVnCommands::LoadDeviceFile(StreamIO::CIoStream* destination, const std::wstring& name)
{
    if (m_pStream == nullptr || name.empty() || destination == nullptr || !destination->IsOpen())
        return false;
    const std::optional<std::string> escaped = CFileCommandText::EscapeName(name);
    if (!escaped)
        return false;
    const std::string command = "LOAD " + Quoted(*escaped) + "\r";
    SetLineEnd(false, false);
    try
    {
        m_pStream->PurgeInput();
        m_pStream->WriteByte(CTextReply::kDle);
        std::uint8_t ack = 0;
        if (!ReadExact(&ack, 1))
            return false;
        if (!WriteAll(command.data(), static_cast<int>(command.size())))
            return false;
        std::uint8_t size[4] = {};
        if (!ReadExact(size, 4))
            return false;
        const std::uint32_t length = GetLittleEndian32(size);
        if (length < 1 || length > kMaxLoadSize)
            return false;
        if (!SetTransferTimeouts(length, 2))
            return false;
        // In pieces: a file of many megabytes need not sit in memory at once.
        std::vector<std::uint8_t> chunk(std::min<std::size_t>(length, kLoadChunk));
        std::uint32_t done = 0;
        while (done < length)
        {
            const int want = static_cast<int>(std::min<std::uint32_t>(length - done, kLoadChunk));
            if (!ReadExact(chunk.data(), want))
                return false;
            if (destination->Write(chunk.data(), want) != want)
                return false;
            done += static_cast<std::uint32_t>(want);
        }
        return true;
    }
    catch (const CFileException&)
    {
        return false;
    }
}

bool CVnCommands::StoreFile(const std::string& escapedName, const std::vector<std::uint8_t>& data,
                            int replyTimeoutMs)
{
    SetLineEnd(false, false);
    if (!Query("SAVE " + Quoted(escapedName), kFileTimeoutMs))
        return false;
    const auto length = static_cast<std::uint32_t>(data.size());
    if (length > 0)
    {
        if (!SetTransferTimeouts(length, 2))
            return false;
    }
    else if (!m_pStream->SetTimeouts(replyTimeoutMs, replyTimeoutMs))
    {
        return false;
    }
    std::uint8_t size[4] = {};
    PutLittleEndian32(size, length);
    if (!WriteAll(size, 4) || !WriteAll(data.data(), static_cast<int>(length)))
        return false;
    std::uint8_t reply[2] = {};
    return ReadExact(reply, 2) && (reply[0] == 'y' || reply[0] == 'Y');
}

bool CVnCommands::SaveDeviceFile(const std::wstring& name, StreamIO::CIoStream* source)
{
    if (m_pStream == nullptr || name.empty() || source == nullptr || !source->IsOpen())
        return false;
    const std::optional<std::string> escaped = CFileCommandText::EscapeName(name);
    if (!escaped)
        return false;
    bool saved = false;
    try
    {
        // The size is checked before SAVE goes out: a refused file must not
        // leave the instrument waiting for a length.
        if (source->IsSeekable())
            source->SetPosition(0);
        const int length = source->GetLength();
        if (length < 1 || static_cast<std::uint32_t>(length) > kMaxSaveSize)
            return false;
        std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
        if (source->Read(data.data(), length) != length)
            return false;
        saved = StoreFile(*escaped, data, kFileTimeoutMs);
        m_pStream->SetTimeouts(kFixedTimeoutMs, kFixedTimeoutMs);
    }
    catch (const CFileException&)
    {
        return false;
    }
    return saved;
}

bool CVnCommands::CreateEmptyDeviceFile(const std::wstring& name)
{
    if (m_pStream == nullptr || name.empty())
        return false;
    const std::optional<std::string> escaped = CFileCommandText::EscapeName(name);
    if (!escaped)
        return false;
    bool created = false;
    try
    {
        created = StoreFile(*escaped, {}, kFileTimeoutMs);
    }
    catch (const CFileException&)
    {
        created = false;
    }
    try
    {
        m_pStream->SetTimeouts(kFixedTimeoutMs, kFixedTimeoutMs);
    }
    catch (const CFileException&)
    {
    }
    return created;
}

bool CVnCommands::MoveDeviceFile(const std::wstring& oldName, const std::wstring& newName)
{
    if (m_pStream == nullptr || oldName.empty() || newName.empty() ||
        oldName.size() > CFileCommandText::kMaxMoveName || newName.size() > CFileCommandText::kMaxMoveName)
        return false;
    const std::optional<std::string> from = CFileCommandText::EscapeName(oldName);
    const std::optional<std::string> to = CFileCommandText::EscapeName(newName);
    if (!from || !to)
        return false;
    return Query("MOVF " + Quoted(*from) + ";" + Quoted(*to), kMoveTimeoutMs);
}

bool CVnCommands::DeleteDeviceFile(const std::wstring& name)
{
    if (m_pStream == nullptr || name.empty())
        return false;
    const std::optional<std::string> escaped = CFileCommandText::EscapeName(name);
    if (!escaped)
        return false;
    SetLineEnd(false, false);
    return Query("DELF " + Quoted(*escaped), kFileTimeoutMs);
}

bool CVnCommands::Login(SLoginInfo& info)
{
    const std::optional<std::string> user = CFileCommandText::UserName(info.user);
    const std::optional<std::string> password = CFileCommandText::EscapePassword(info.password);
    if (m_pStream == nullptr || !user || !password)
        return false;
    char key[12] = {};
    std::snprintf(key, sizeof key, "%08X", static_cast<unsigned>(info.key));
    const std::string head = "RLGI " + Quoted(*user) + "; " + Quoted(*password);
    if (!Query(head + "; " + key, kFixedTimeoutMs) && !Query(head, kFixedTimeoutMs))
        return false;
    return CFileCommandText::ParseLogin(m_strReply, info);
}

bool CVnCommands::Logout()
{
    return Query("RLGO", kFixedTimeoutMs);
}

bool CVnCommands::SendDescriptor(std::span<const std::uint8_t> descriptor, int checksumFlags)
{
    return CFirmwareTransfer(*this).SendDescriptor(descriptor, checksumFlags);
}

int CVnCommands::TransferBlocks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                                CCallback* callback)
{
    return CFirmwareTransfer(*this).TransferBlocks(source, length, checksumFlags, chunk, callback);
}

int CVnCommands::SendSRecords(StreamIO::CIoStream* source, int length, CCallback* callback)
{
    return CFirmwareTransfer(*this).SendSRecords(source, length, callback);
}

bool CVnCommands::ProgramFlash(CCallback* callback, int bar, bool askLongest)
{
    return CFirmwareTransfer(*this).ProgramFlash(callback, bar, askLongest);
}

} // namespace Device
