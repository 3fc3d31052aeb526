#pragma once
// The one stream interface that every byte of the system moves through: files,
// serial ports, in-memory files and the other transports. Every live stream is
// registered in a process-wide table that hands out 32-bit handles.
//
// Error model: a read that returns no byte sets error 38 and a write that
// writes none sets 1460, without throwing; refused system calls and misuse
// throw CFileException carrying the Win32 code and the stream's name.

#include <cstdint>
#include <string>

namespace StreamIO
{

enum NOpenFlags : std::uint32_t
{
    ofRead = 0x1,
    ofWrite = 0x2,
    ofOpenExisting = 0x00,
    ofOpenAlways = 0x10,
    ofCreateNew = 0x20,
    ofCreateAlways = 0x30,
    ofCreationMask = 0x30,
    ofShareRead = 0x100,
    ofShareWrite = 0x200,
    ofFifo = 0x1000,
    ofUdp = 0x8000,
};

enum NSeekOrigin : int
{
    soCurrent = 1,
    soBegin = 2,
    soEnd = 3,
};

class CIoStream
{
public:
    /// Most streams that can live at once; the next one works but gets handle 0.
    static constexpr int kMaxStreams = 1024;

    explicit CIoStream(std::wstring name = {});
    virtual ~CIoStream();

    CIoStream(const CIoStream&) = delete;
    CIoStream& operator=(const CIoStream&) = delete;

    /// Opens again with the stored name and flags; false when there is no name.
    virtual bool Reopen();
    /// Close() with every stream exception swallowed.
    virtual void CloseNoThrow();
    virtual void Close() = 0;
    virtual void PurgeInput() {}
    virtual int GetInputCount() { return 0; }
    virtual void Flush() {}
    virtual int GetBytesPerSecond() { return 0; }
    /// Time-outs in milliseconds; -1 means none. False where not supported.
    virtual bool GetTimeouts(int* readMs, int* writeMs);
    virtual bool SetTimeouts(int readMs, int writeMs);
    /// Cancels pending I/O where supported; may be called from another thread.
    virtual bool Abort() { return false; }
    virtual bool IsOpen() const = 0;
    /// The far end is gone for good (a terminal hung up, its adapter pulled
    /// out): nothing moves on this stream until it is opened again.
    virtual bool IsLineLost() const { return false; }
    virtual bool HasError() const { return GetError() != 0; }
    virtual bool IsTimeoutOrEof() const;
    virtual int GetError() const { return m_nLastError; }
    /// The byte is meaningful only when HasError() is false afterwards.
    virtual std::uint8_t ReadByte();
    virtual void WriteByte(std::uint8_t value);
    virtual int Read(void* buffer, int length) = 0;
    virtual int Write(const void* buffer, int length) = 0;
    virtual bool IsSeekable() const { return false; }
    virtual int GetLength() { return 0; }
    virtual int GetPosition() { return 0; }
    virtual int Seek(int offset, NSeekOrigin origin);
    virtual int SetPosition(int position);
    virtual void SetEndOfFile() {}
    virtual bool Open(const std::wstring& name, std::uint32_t openFlags) = 0;

    const std::wstring& GetName() const { return m_strName; }
    std::uint32_t GetOpenFlags() const { return m_nOpenFlags; }
    std::uint32_t GetHandle() const { return m_hTable; }
    bool GetAutoDelete() const { return m_bAutoDelete; }
    void SetAutoDelete(bool autoDelete) { m_bAutoDelete = autoDelete; }

    /// The live stream registered under handle, or null (also for stale handles).
    static CIoStream* FromHandle(std::uint32_t handle);
    /// Closes the stream registered under handle: 0, its Win32 error, 6 when
    /// not found, 13 for a foreign exception. Deletes an auto-delete stream.
    static int CloseByHandle(std::uint32_t handle);

protected:
    void SetError(int error) { m_nLastError = error; }
    /// Stores error and throws it as CFileException (nothing for 0).
    void ThrowError(int error);
    void SetNameAndFlags(const std::wstring& name, std::uint32_t openFlags)
    {
        m_strName = name;
        m_nOpenFlags = openFlags;
    }

private:
    friend class CStreamTable;

    std::wstring m_strName;
    std::uint32_t m_nOpenFlags = 0;
    int m_nLastError = 0;
    std::uint32_t m_hTable = 0;
    bool m_bAutoDelete = false;
};

} // namespace StreamIO
