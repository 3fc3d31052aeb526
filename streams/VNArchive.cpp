#include "streams/VNArchive.h"

#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "streams/TextCodec.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace StreamIO
{
namespace
{

constexpr std::uint8_t kUtf16Marker = 0xFE;
constexpr std::uint8_t kAnsiMarker = 0xFF;
constexpr std::size_t kMaxUnits = 0xFFFF;

template <typename TUnit>
void StoreUnits(std::uint8_t* dst, const TUnit* units, unsigned count, bool bigEndian)
{
    for (unsigned i = 0; i < count; ++i)
    {
        const auto unit = static_cast<std::uint16_t>(units[i]);
        dst[2 * i + (bigEndian ? 1 : 0)] = static_cast<std::uint8_t>(unit);
        dst[2 * i + (bigEndian ? 0 : 1)] = static_cast<std::uint8_t>(unit >> 8);
    }
}

template <typename TUnit>
void LoadUnits(TUnit* units, const std::uint8_t* src, unsigned count, bool bigEndian)
{
    for (unsigned i = 0; i < count; ++i)
    {
        const unsigned low = src[2 * i + (bigEndian ? 1 : 0)];
        const unsigned high = src[2 * i + (bigEndian ? 0 : 1)];
        units[i] = static_cast<TUnit>(low | high << 8);
    }
}

} // namespace

CVNArchive::CVNArchive(const std::wstring& name, std::uint16_t mode, unsigned bufferSize)
{
    Construct(mode, bufferSize);
    try
    {
        const std::uint32_t flags =
            IsLoading() ? (ofRead | ofShareRead) : (ofRead | ofWrite | ofCreateAlways | ofShareRead);
        m_pOwnedStream = CreateStream(name, flags);
        if (!m_pOwnedStream)
            CFileException::ThrowOsError(errFileNotFound, name);
        m_pStream = m_pOwnedStream.get();
        if (IsLoading())
            FillBuffer(0);
        else
            m_nEnd = m_nBufferSize;
    }
    catch (...)
    {
        Abort();
        throw;
    }
}

CVNArchive::CVNArchive(std::uint32_t streamHandle, std::uint16_t mode, unsigned bufferSize)
{
    Construct(mode, bufferSize);
    CIoStream* stream = streamHandle != 0 ? CIoStream::FromHandle(streamHandle) : nullptr;
    if (stream == nullptr || !stream->IsOpen())
        CFileException::ThrowOsError(errInvalidHandle, std::wstring());
    m_hStream = streamHandle;
    m_pStream = stream;
    try
    {
        m_pStream->SetPosition(0);
        if (IsLoading())
        {
            FillBuffer(0);
        }
        else
        {
            m_pStream->SetEndOfFile();
            m_nEnd = m_nBufferSize;
        }
    }
    catch (...)
    {
        Abort();
        throw;
    }
}

CVNArchive::~CVNArchive()
{
    if (m_pStream == nullptr)
        return;
    if (m_nMode & amAbortOnDestroy)
    {
        Abort();
        return;
    }
    try
    {
        Close();
    }
    catch (const std::exception&)
    {
        Abort();
    }
}

void CVNArchive::Construct(std::uint16_t mode, unsigned bufferSize)
{
    m_nMode = mode;
    m_nBufferSize = std::max(bufferSize, kMinBufferSize);
    m_pBuffer = std::make_unique<std::uint8_t[]>(m_nBufferSize);
    SetByteOrder();
}

void CVNArchive::SetByteOrder()
{
    const bool hostBigEndian = std::endian::native == std::endian::big;
    if (m_nMode & amSwapBytes)
    {
        // Swapping asked for: the data has the order opposite to the host's.
        if (hostBigEndian)
            m_nMode &= static_cast<std::uint16_t>(~amBigEndian);
        else
            m_nMode |= amBigEndian;
    }
    else if (IsBigEndianData() != hostBigEndian)
    {
        m_nMode |= amSwapBytes;
    }
}

void CVNArchive::Throw(int error) const
{
    throw CFileException(error, m_pStream != nullptr ? m_pStream->GetName() : std::wstring());
}

void CVNArchive::Reset()
{
    m_pStream = nullptr;
    m_pOwnedStream.reset();
    m_nCurrent = 0;
    m_nEnd = 0;
}

void CVNArchive::Close()
{
    if (m_pStream == nullptr)
        Throw(errHandleEof);
    if (IsStoring())
        Flush();
    if (m_hStream != 0)
    {
        const std::uint32_t handle = m_hStream;
        // The table may delete the stream while closing it, so the archive
        // lets go of it whatever the result.
        m_hStream = 0;
        Reset();
        const int result = CloseStream(handle);
        if (result != 0)
            throw CFileException(result, std::wstring());
        return;
    }
    m_pOwnedStream->Close();
    Reset();
}

void CVNArchive::Abort()
{
    if (m_pStream == nullptr)
        return;
    try
    {
        if (m_hStream != 0)
            CloseStream(m_hStream);
    }
    catch (const std::exception&)
    {
    }
    m_hStream = 0;
    try
    {
        Reset(); // deletes an owned stream, which closes it quietly
    }
    catch (const std::exception&)
    {
    }
}

void CVNArchive::Flush()
{
    if (m_pStream == nullptr)
        Throw(errHandleEof);
    if (IsLoading())
        Throw(errWriteFault);
    const unsigned pending = m_nCurrent;
    m_nCurrent = 0;
    const int written = m_pStream->Write(m_pBuffer.get(), static_cast<int>(pending));
    if (written < static_cast<int>(pending))
        Throw(errWriteFault);
    if (m_pStream->GetError() != 0)
        Throw(m_pStream->GetError());
}

void CVNArchive::FillBuffer(unsigned needed)
{
    if (m_pStream == nullptr)
        Throw(errHandleEof);
    if (IsStoring())
        Throw(errReadFault);
    const unsigned unread = m_nEnd - m_nCurrent;
    if (unread > 0 && m_nCurrent > 0)
        std::memmove(m_pBuffer.get(), m_pBuffer.get() + m_nCurrent, unread);
    m_nCurrent = 0;
    m_nEnd = unread;
    // A stream may deliver less than asked (a pipe that is being written), so
    // ask again while bytes still come and the request is not met.
    do
    {
        const int got = m_pStream->Read(m_pBuffer.get() + m_nEnd, static_cast<int>(m_nBufferSize - m_nEnd));
        if (got <= 0)
            break;
        m_nEnd += static_cast<unsigned>(got);
    } while (m_nEnd < needed && m_nEnd < m_nBufferSize);
    if (needed > m_nBufferSize)
        Throw(errInsufficientBuffer);
    if (m_nEnd < needed)
        Throw(errHandleEof);
}

std::uint8_t* CVNArchive::Reserve(unsigned n)
{
    // A loading archive's buffer holds unread data: never write into it.
    if (IsLoading())
        Throw(m_pStream != nullptr ? errWriteFault : errHandleEof);
    if (m_nEnd - m_nCurrent < n)
        Flush();
    std::uint8_t* at = m_pBuffer.get() + m_nCurrent;
    m_nCurrent += n;
    return at;
}

void CVNArchive::RequireLoading() const
{
    // A storing archive's buffer holds data not yet written: never read it back.
    if (IsStoring())
        Throw(m_pStream != nullptr ? errReadFault : errHandleEof);
}

const std::uint8_t* CVNArchive::Take(unsigned n)
{
    RequireLoading();
    if (m_nEnd - m_nCurrent < n)
        FillBuffer(n);
    const std::uint8_t* at = m_pBuffer.get() + m_nCurrent;
    m_nCurrent += n;
    return at;
}

void CVNArchive::WriteValue(std::uint64_t value, unsigned size)
{
    std::uint8_t* at = Reserve(size);
    if (IsBigEndianData())
    {
        for (unsigned i = 0; i < size; ++i)
            at[size - 1 - i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    else
    {
        for (unsigned i = 0; i < size; ++i)
            at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint64_t CVNArchive::ReadValue(unsigned size)
{
    const std::uint8_t* at = Take(size);
    std::uint64_t value = 0;
    if (IsBigEndianData())
    {
        for (unsigned i = 0; i < size; ++i)
            value = value << 8 | at[i];
    }
    else
    {
        for (unsigned i = size; i > 0; --i)
            value = value << 8 | at[i - 1];
    }
    return value;
}

void CVNArchive::WriteByte(std::uint8_t value)
{
    *Reserve(1) = value;
}

void CVNArchive::WriteWord(std::uint16_t value)
{
    WriteValue(value, 2);
}

void CVNArchive::WriteDWord(std::uint32_t value)
{
    WriteValue(value, 4);
}

void CVNArchive::WriteQWord(std::uint64_t value)
{
    WriteValue(value, 8);
}

void CVNArchive::WriteFloat(float value)
{
    WriteDWord(std::bit_cast<std::uint32_t>(value));
}

void CVNArchive::WriteDouble(double value)
{
    WriteQWord(std::bit_cast<std::uint64_t>(value));
}

void CVNArchive::WriteWordArray(const std::uint16_t* units, std::uint16_t count)
{
    if (IsLoading())
        Throw(m_pStream != nullptr ? errWriteFault : errHandleEof);
    const bool bigEndian = IsBigEndianData();
    const unsigned bytes = 2u * count;
    unsigned remaining = count;
    if (m_nEnd - m_nCurrent < bytes)
    {
        Flush();
        const unsigned chunkUnits = (m_nBufferSize & ~1u) / 2;
        while (remaining >= chunkUnits)
        {
            StoreUnits(m_pBuffer.get(), units, chunkUnits, bigEndian);
            m_nCurrent = 2 * chunkUnits;
            Flush();
            units += chunkUnits;
            remaining -= chunkUnits;
        }
    }
    StoreUnits(m_pBuffer.get() + m_nCurrent, units, remaining, bigEndian);
    m_nCurrent += 2 * remaining;
}

void CVNArchive::WriteString(const std::wstring& text)
{
    const std::u16string units = CTextCodec::ToUtf16(text);
    if (units.size() > kMaxUnits)
        Throw(errInsufficientBuffer);
    std::uint16_t words[256];
    WriteByte(kUtf16Marker);
    WriteWord(static_cast<std::uint16_t>(units.size()));
    // Pass the units on in slices, so no second copy of a long text is made.
    for (std::size_t done = 0; done < units.size();)
    {
        const std::size_t n = std::min<std::size_t>(units.size() - done, 256);
        for (std::size_t i = 0; i < n; ++i)
            words[i] = units[done + i];
        WriteWordArray(words, static_cast<std::uint16_t>(n));
        done += n;
    }
}

void CVNArchive::WriteString(const wchar_t* text)
{
    WriteString(text != nullptr ? std::wstring(text) : std::wstring());
}

void CVNArchive::ReadByte(std::uint8_t& value)
{
    value = *Take(1);
}

void CVNArchive::ReadWord(std::uint16_t& value)
{
    value = static_cast<std::uint16_t>(ReadValue(2));
}

void CVNArchive::ReadWord(std::int16_t& value)
{
    value = static_cast<std::int16_t>(ReadValue(2));
}

void CVNArchive::ReadDWord(std::uint32_t& value)
{
    value = static_cast<std::uint32_t>(ReadValue(4));
}

void CVNArchive::ReadDWord(std::int32_t& value)
{
    value = static_cast<std::int32_t>(ReadValue(4));
}

void CVNArchive::ReadQWord(std::uint64_t& value)
{
    value = ReadValue(8);
}

void CVNArchive::ReadQWord(std::int64_t& value)
{
    value = static_cast<std::int64_t>(ReadValue(8));
}

void CVNArchive::ReadBool(bool& value)
{
    // The format stores 0 or 1; any other value is not a stored true.
    value = ReadValue(4) == 1;
}

void CVNArchive::ReadFloat(float& value)
{
    value = std::bit_cast<float>(static_cast<std::uint32_t>(ReadValue(4)));
}

void CVNArchive::ReadDouble(double& value)
{
    value = std::bit_cast<double>(ReadValue(8));
}

void CVNArchive::ReadBytes(void* buffer, std::uint16_t count)
{
    RequireLoading();
    auto* out = static_cast<std::uint8_t*>(buffer);
    unsigned remaining = count;
    while (remaining > 0)
    {
        if (m_nCurrent == m_nEnd)
            FillBuffer(1);
        const unsigned n = std::min(remaining, m_nEnd - m_nCurrent);
        std::memcpy(out, m_pBuffer.get() + m_nCurrent, n);
        m_nCurrent += n;
        out += n;
        remaining -= n;
    }
}

void CVNArchive::ReadWordArray(std::uint16_t* units, std::uint16_t count)
{
    RequireLoading();
    const bool bigEndian = IsBigEndianData();
    unsigned remaining = count;
    while (remaining > 0)
    {
        if (m_nEnd - m_nCurrent < 2)
            FillBuffer(2);
        const unsigned n = std::min(remaining, (m_nEnd - m_nCurrent) / 2);
        LoadUnits(units, m_pBuffer.get() + m_nCurrent, n, bigEndian);
        m_nCurrent += 2 * n;
        units += n;
        remaining -= n;
    }
}

void CVNArchive::ReadString(std::wstring& text)
{
    std::uint8_t marker = 0;
    std::uint16_t count = 0;
    ReadByte(marker);
    ReadWord(count);
    if (marker == kAnsiMarker)
    {
        std::string bytes(count, '\0');
        ReadBytes(bytes.data(), count);
        const std::size_t zero = bytes.find('\0');
        if (zero != std::string::npos)
            bytes.resize(zero);
        text = CTextCodec::FromWindows1252(bytes);
        return;
    }
    std::u16string units(count, u'\0');
    std::uint16_t words[256];
    for (std::size_t done = 0; done < count;)
    {
        const std::size_t n = std::min<std::size_t>(count - done, 256);
        ReadWordArray(words, static_cast<std::uint16_t>(n));
        for (std::size_t i = 0; i < n; ++i)
            units[done + i] = static_cast<char16_t>(words[i]);
        done += n;
    }
    text = CTextCodec::FromUtf16(units);
}

} // namespace StreamIO
