#pragma once
// A stream over an operating-system file descriptor: disk files, and (through
// CRs232Stream) serial ports. On a terminal device the descriptor keeps the
// serial port's time-outs: a read waits until every byte has come or the
// total read time-out has passed; a write may take 50 ms a byte plus the
// write time-out. Abort() wakes a read or write blocked in another thread and
// discards nothing. A terminal that was hung up (its adapter pulled out)
// fails a read or write at once with error 1117 (I/O device error), and
// counts as lost (IsLineLost) until it is opened again.

#include "streams/IoStream.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace StreamIO
{

class CFileStream : public CIoStream
{
public:
    /// Opens at once; a failed open throws its error.
    CFileStream(const std::wstring& name, std::uint32_t openFlags);
    ~CFileStream() override;

    void Close() override;
    void Flush() override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;
    bool Abort() override;
    bool IsOpen() const override { return m_hFile != -1; }
    bool IsLineLost() const override { return m_bLineLost; }
    int Read(void* buffer, int length) override;
    int Write(const void* buffer, int length) override;
    bool IsSeekable() const override { return true; }
    int GetLength() override;
    int GetPosition() override;
    int Seek(int offset, NSeekOrigin origin) override;
    int SetPosition(int position) override;
    void SetEndOfFile() override;
    /// Names of the form "\\.\COMn" open the serial port n (see CComPortMap).
    bool Open(const std::wstring& name, std::uint32_t openFlags) override;

    /// The device name Windows gives serial port n: "\\.\COMn".
    static std::wstring ComDeviceName(int port);

protected:
    CFileStream() = default;

    int GetFd() const { return m_hFile; }
    bool IsTerminal() const { return m_bTerminal; }
    /// Throws error; an I/O device error on a terminal marks the line lost.
    void ThrowTerminalError(int error);

private:
    // The communications time-outs of the handle, kept as Windows keeps them.
    struct SCommTimeouts
    {
        std::uint32_t readInterval = 0;
        std::uint32_t readMultiplier = 0;
        std::uint32_t readConstant = 0;
        std::uint32_t writeMultiplier = 0;
        std::uint32_t writeConstant = 0;
    };

    /// When a terminal transfer of length bytes must end, in steady-clock ms; -1 for never.
    std::int64_t TerminalDeadline(bool writing, int length) const;
    /// Moves length bytes with move(offset, count), a read or write call, until
    /// all are moved, a file ends, or a terminal's time-out or Abort() ends the wait.
    template <typename TMove> int Transfer(bool writing, int length, TMove move);
    /// Waits for events on the descriptor or for Abort(); false on time-out or abort.
    bool WaitTerminal(short events, std::int64_t deadlineMs, std::uint64_t abortSeen);
    void CloseDescriptors();

    int m_hFile = -1;
    int m_hAbortEvent = -1;
    bool m_bTerminal = false;
    bool m_bLineLost = false;
    SCommTimeouts m_timeouts;
    std::atomic<std::uint64_t> m_nAbortCount{0};
};

} // namespace StreamIO
