#pragma once
// A serial port as a stream. The port number selects the device through
// CComPortMap; the stream's name is the Windows device name "\\.\COMn",
// which messages and the device search show.

#include "streams/FileStream.h"
#include "streams/Rs232Settings.h"

#include <termios.h>

namespace StreamIO
{

class CRs232Stream : public CFileStream
{
public:
    /// Opens at once with settings, or with the port's current settings when
    /// settings is null; a failure throws the stream's error.
    CRs232Stream(int port, std::uint32_t openFlags, const SRs232Settings* settings = nullptr);

    using CFileStream::Open;
    /// False with error 87 for a record whose magic is wrong.
    bool Open(int port, std::uint32_t openFlags, const SRs232Settings* settings);
    bool GetSettings(SRs232Settings* settings);
    bool SetSettings(const SRs232Settings* settings);
    const SRs232Settings& Settings() const { return m_settings; }

    bool Reopen() override;
    void PurgeInput() override;
    int GetInputCount() override;
    int GetBytesPerSecond() override;
    bool IsSeekable() const override { return false; }
    int GetLength() override { return 0; }
    int GetPosition() override { return 0; }
    int Seek(int, NSeekOrigin) override { return 0; }
    int SetPosition(int) override { return 0; }
    void SetEndOfFile() override {}

    /// Bytes a second for a line: baud / frame bits * data bits / 8.
    static int BytesPerSecond(const SRs232Settings& settings);
    /// Puts the record's line settings into tio (raw mode); false for a baud
    /// rate the terminal layer does not have.
    static bool ToTermios(const SRs232Settings& settings, termios* tio);
    /// Reads baud, data bits, parity, stop bits and handshake out of tio.
    static void FromTermios(const termios& tio, SRs232Settings* settings);

private:
    SRs232Settings m_settings;
    // Linux has no settable driver queues; remember what was asked for.
    std::uint16_t m_nReceiveQueue = 4096;
    std::uint16_t m_nTransmitQueue = 4096;
};

} // namespace StreamIO
