#pragma once
// The command layer every instrument driver talks through: framed binary
// commands and text commands over one open stream, plus the fixed commands
// every instrument of the maker understands (sync, mode change, connection
// notice, device id, identity queries, line ends, bootloader lines, status
// block).
//
// Framed command on the wire: header 0xC0 + n (n = 0..47 data bytes), the
// command byte, the n data bytes. The reply starts with one byte:
//   0 or 0xF0..0xFF  no data follows (0 = done, 0xF0.. = a status)
//   1..238           a counted reply of that many bytes
//   0xEF             an extended reply: 4-byte header {checksum kind, 24-bit
//                    little-endian length L}, L data bytes, then the checksum
//                    (kind 1 CRC-8 1 byte, 2 CRC-16 2 bytes, 4 CRC-32 4 bytes,
//                    little-endian; other kinds carry none).
// Text command on the wire: DLE (0x10), one acknowledgement byte back, the
// text, CR; the reply is one line ending in CR (CR-only mode, the default
// after CVnDevice::Attach) or CR LF.
//
// Every operation runs on the calling thread, catches the stream's
// exceptions and reports failure through its result; the wire decoding
// itself lives in CFrameCodec and CTextReply as pure functions.

#include "device/DeviceInfo.h"
#include "device/LoginInfo.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace StreamIO
{
class CIoStream;
}

namespace Device
{

class CCallback;

class CVnCommands
{
public:
    /// Asked between transfer chunks; the value given with it is passed back.
    using TAbortPoll = bool (*)(std::uint32_t userValue);

    /// Results of BinaryCommand() made by the layer itself.
    static constexpr int kChecksumMismatch = 250;
    static constexpr int kIoFailure = 252;
    static constexpr int kBadArguments = 254;
    /// Results of BulkCommand().
    static constexpr int kBulkDone = 0;
    static constexpr int kBulkBadArguments = 1;
    static constexpr int kBulkCommunication = 6;
    static constexpr int kBulkTooLong = 12;
    static constexpr int kBulkChecksum = 13;
    /// Size of the reply buffer of Query().
    static constexpr int kReplyBufferSize = 1024;

    /// The stream is borrowed: the device owns it and it outlives this object.
    explicit CVnCommands(StreamIO::CIoStream* stream);
    virtual ~CVnCommands();

    CVnCommands(const CVnCommands&) = delete;
    CVnCommands& operator=(const CVnCommands&) = delete;

    StreamIO::CIoStream* GetStream() const { return m_pStream; }

    void SetAbortPoll(TAbortPoll poll, std::uint32_t userValue);
    /// True when an abort poll is installed and says so.
    bool IsAbortRequested() const;

    /// Framed command with n data bytes taken from buffer; the reply lands in
    /// buffer. Returns 0 (done), 1..238 (counted reply length; bytes beyond
    /// capacity are read and dropped), an extended reply's data length (or the
    /// capacity when it did not fit, unchecked), a status byte 240..255, or
    /// 250 checksum mismatch, 252 I/O failure, 254 bad arguments.
    int BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity, int timeoutMs);

    /// Framed command of at most 30 data bytes with a short counted reply.
    /// expectedLength 0 sends only and returns 0 at once; otherwise the reply
    /// count must equal it. Returns the bytes received or -1. Restores the
    /// stream's time-outs.
    int ShortCommand(std::uint8_t command, int n, std::uint8_t* buffer, int expectedLength, int timeoutMs);

    /// Framed command whose reply may be long. Returns 0 done, 1 bad
    /// arguments, 6 communication error or instrument status (the status byte
    /// is then in buffer[0]), 12 reply longer than capacity (outCount = full
    /// length), 13 checksum mismatch. overallLimitMs < 0: no overall limit.
    int BulkCommand(std::uint8_t command, std::uint8_t* buffer, int n, int* outCount, int capacity,
                    int timeoutMs, int overallLimitMs, CCallback* callback);

    /// Resynchronises the framing (command 0xF7 with a fixed pattern).
    bool Sync();

    /// Switches the operation mode: low 4 bits = mode, bit 4 = close and reopen
    /// the stream around the switch. changed tells whether a switch was sent.
    /// factor scales the instrument's announced switch time in percent (0 = 100).
    bool ChangeMode(std::uint8_t mode, bool* changed, CCallback* callback, int factor);

    /// Text query; the answer is in GetReply() (empty before each query).
    /// Fails on '?' in the answer (the instrument's refusal).
    bool Query(const std::string& text, int timeoutMs);
    const std::string& GetReply() const { return m_strReply; }

    /// Text command: copies at most capacity - 1 characters of the answer into
    /// dest (always NUL-terminated) and returns the full answer length; 0 or -1
    /// on failure. An empty text stores "?" and returns 1.
    int TextCommand(const std::string& text, char* dest, int capacity, int timeoutMs);

    /// Reads one reply line of at most capacity - 1 bytes into buffer,
    /// NUL-terminated. Returns the bytes stored (terminator included) or 0.
    int ReadLine(char* buffer, int capacity);

    /// Selects the reply line end; with negotiate, asks the instrument and
    /// switches it with "EC1"/"EC0" when needed.
    bool SetLineEnd(bool crLf, bool negotiate);
    bool IsCrLf() const { return m_bCrLf; }

    /// The text query "@ID@" (2000 ms); out receives the answer.
    bool QueryIdentity(std::wstring& out);
    /// The text query "ID" (2000 ms): type name, firmware version and serial
    /// number separated by ';'.
    bool QueryId(SDeviceInfo& info);

    /// Writes a bootloader line; with expected != 0 reads one byte that must
    /// equal it. Lets stream exceptions through (callers catch them).
    bool SendBootCommand(const char* text, int length, char expected);

    /// Reads the instrument's status block ("SS"). in: *length = capacity,
    /// out: bytes received.
    bool ReadStatusBlock(std::uint8_t* buffer, int* length);

    /// Sets both time-outs for a transfer of bytes at the line's rate, with
    /// a factor and 200 ms slack, at least 2000 ms.
    bool SetTransferTimeouts(std::int64_t bytes, int factor);

    /// Connection notice: command 0xF4 {0x10, ceil(ms/1000) mod 255} or {0x11, 0}.
    bool SetConnected(bool connected, int keepAliveMs);
    /// Command 0xF4 {0x12, 0xD0} with 20,000 ms.
    bool SendControlD0();
    /// Command 0xF1: the 32-bit device id, -1 on failure.
    std::int32_t GetDeviceId();

    // File, directory and login commands of the instruments that keep files
    // and user accounts (the Terrion has none). Each fails for a name that
    // CFileCommandText refuses, on a refusal ('?', no 'y'), a wrong length,
    // a time-out or a stream exception; nothing is retried.
    /// "DIRS <selector>": the listing, its stated length checked.
    virtual bool ListDeviceDirectory(std::uint16_t selector, std::wstring& listing);
    /// "LOAD": the file (1 byte to 80 MiB) into an open destination stream.
    virtual bool LoadDeviceFile(StreamIO::CIoStream* destination, const std::wstring& name);
    /// "SAVE": the whole of an open source stream (1 byte to 5 MiB) as a file.
    virtual bool SaveDeviceFile(const std::wstring& name, StreamIO::CIoStream* source);
    virtual bool CreateEmptyDeviceFile(const std::wstring& name);
    /// "MOVF": renames or moves; names of 1 to 256 characters.
    virtual bool MoveDeviceFile(const std::wstring& oldName, const std::wstring& newName);
    virtual bool DeleteDeviceFile(const std::wstring& name);
    /// "RLGI" with the key, then without it; takes user name and rights from the answer.
    bool Login(SLoginInfo& info);
    bool Logout();

    // Firmware transfers (see CFirmwareTransfer).
    bool SendDescriptor(std::span<const std::uint8_t> descriptor, int checksumFlags);
    int TransferBlocks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                       CCallback* callback);
    int SendSRecords(StreamIO::CIoStream* source, int length, CCallback* callback);
    bool ProgramFlash(CCallback* callback, int bar, bool askLongest);

    /// Largest file LoadDeviceFile() takes and SaveDeviceFile() sends.
    static constexpr std::uint32_t kMaxLoadSize = 0x5000000;
    static constexpr std::uint32_t kMaxSaveSize = 0x500000;

    /// Blocks the calling thread; every protocol wait (40 ms between memory
    /// commands, 2000 ms after leaving memory-access mode, mode switches)
    /// goes through here.
    static void Wait(int milliseconds);
    /// Replaces the waiting function process-wide (null restores sleeping).
    /// Tests use it to skip long waits and to record them.
    using TWaitFunction = void (*)(int milliseconds);
    static void SetWaitFunction(TWaitFunction function);

private:
    /// Reads exactly count bytes; false when fewer arrived.
    bool ReadExact(std::uint8_t* buffer, int count);
    /// Reads and drops count bytes one at a time; false when one is missing.
    bool Drop(std::int64_t count);
    bool WriteAll(const void* data, int length);
    /// SAVE "name" and a length with its data; the 2-byte answer must start with 'y'.
    bool StoreFile(const std::string& escapedName, const std::vector<std::uint8_t>& data, int replyTimeoutMs);
    /// The text exchange up to the reply line: 1 done, 0 the time-outs were
    /// refused, -1 no acknowledgement, short write or no reply line.
    int SendText(const std::string& text, int timeoutMs, std::vector<char>& line, int lineCapacity);

    StreamIO::CIoStream* m_pStream;
    std::string m_strReply;
    TAbortPoll m_pAbortPoll = nullptr;
    std::uint32_t m_nAbortUser = 0;
    bool m_bCrLf = true;
};

} // namespace Device
