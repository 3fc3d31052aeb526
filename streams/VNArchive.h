#pragma once
// A buffered, typed binary reader and writer over one stream; every stored
// format goes through it. Data is little-endian: 16-, 32- and 64-bit values
// least significant byte first, strings as the byte 0xFE, a 16-bit count of
// UTF-16 code units and the units. By the callers' conventions a boolean is a
// 32-bit 0 or 1 and floats and doubles are stored by their IEEE bit patterns;
// there are no type tags, block lengths or alignment.
//
// Every failure throws CFileException: 2 no stream by that name, 6 bad stream
// handle, 29 write fault, 30 read while storing, 38 out of data (also every
// operation after Close), 122 a string over 65535 units, or the stream's own
// error.

#include "streams/IoStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace StreamIO
{

class CVNArchive
{
public:
    enum NMode : std::uint16_t
    {
        amStore = 0x0,
        amLoad = 0x1,
        amAbortOnDestroy = 0x2,
        amBigEndian = 0x10,
        amSwapBytes = 0x80,
    };

    /// Smallest buffer an archive works with.
    static constexpr unsigned kMinBufferSize = 16;

    /// Opens the stream name itself (loading: read, share read; storing:
    /// read, write, create always, share read) and owns it. Loading fills the
    /// buffer at once.
    CVNArchive(const std::wstring& name, std::uint16_t mode, unsigned bufferSize);
    /// Works on the caller's open stream registered under streamHandle, from
    /// its start; storing cuts the stream there. Close closes that stream
    /// through the stream table.
    CVNArchive(std::uint32_t streamHandle, std::uint16_t mode, unsigned bufferSize);
    /// Closes (or, with amAbortOnDestroy or when closing fails, aborts).
    /// Callers that must know the data arrived call Close themselves.
    virtual ~CVNArchive();

    CVNArchive(const CVNArchive&) = delete;
    CVNArchive& operator=(const CVNArchive&) = delete;

    /// Writes what is buffered (storing) and closes the stream.
    void Close();
    /// Drops what is buffered and closes the stream, swallowing every failure.
    void Abort();
    /// Writes the buffer to the stream.
    void Flush();

    bool IsLoading() const { return (m_nMode & amLoad) != 0; }
    bool IsStoring() const { return !IsLoading(); }
    bool IsOpen() const { return m_pStream != nullptr; }
    std::uint16_t GetMode() const { return m_nMode; }
    unsigned GetBufferSize() const { return m_nBufferSize; }
    /// The stream in use, null once closed.
    CIoStream* GetStream() const { return m_pStream; }

    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WriteDWord(std::uint32_t value);
    void WriteQWord(std::uint64_t value);
    void WriteWordArray(const std::uint16_t* units, std::uint16_t count);
    /// 0xFE, the count of UTF-16 code units, the units. A text over 65535
    /// units throws 122 before anything is written.
    void WriteString(const std::wstring& text);
    /// A null text is written as an empty string.
    void WriteString(const wchar_t* text);
    void WriteBool(bool value) { WriteDWord(value ? 1u : 0u); }
    void WriteFloat(float value);
    void WriteDouble(double value);

    void ReadByte(std::uint8_t& value);
    void ReadWord(std::uint16_t& value);
    void ReadWord(std::int16_t& value);
    void ReadDWord(std::uint32_t& value);
    void ReadDWord(std::int32_t& value);
    void ReadQWord(std::uint64_t& value);
    void ReadQWord(std::int64_t& value);
    void ReadBytes(void* buffer, std::uint16_t count);
    void ReadWordArray(std::uint16_t* units, std::uint16_t count);
    /// A string as WriteString writes it. The marker 0xFF instead of 0xFE
    /// announces count bytes of Windows-1252 text, which ends at a zero byte.
    void ReadString(std::wstring& text);
    /// A 32-bit 1 reads as true; 0 and every other value as false.
    void ReadBool(bool& value);
    void ReadFloat(float& value);
    void ReadDouble(double& value);

private:
    void Construct(std::uint16_t mode, unsigned bufferSize);
    void SetByteOrder();
    bool IsBigEndianData() const { return (m_nMode & amBigEndian) != 0; }
    void FillBuffer(unsigned needed);
    /// Throws 30 (38 once closed) unless the archive is loading.
    void RequireLoading() const;
    /// Room for n more bytes in the buffer (storing); flushes when short.
    std::uint8_t* Reserve(unsigned n);
    /// n unread bytes at the current position (loading); fills when short.
    const std::uint8_t* Take(unsigned n);
    void WriteValue(std::uint64_t value, unsigned size);
    std::uint64_t ReadValue(unsigned size);
    void Reset();
    [[noreturn]] void Throw(int error) const;

    std::uint32_t m_hStream = 0;
    CIoStream* m_pStream = nullptr;
    std::unique_ptr<CIoStream> m_pOwnedStream;
    std::uint16_t m_nMode = 0;
    unsigned m_nBufferSize = 0;
    std::unique_ptr<std::uint8_t[]> m_pBuffer;
    unsigned m_nCurrent = 0; // next byte to write or read
    unsigned m_nEnd = 0;     // end of the valid data; storing: the buffer's end
};

} // namespace StreamIO
