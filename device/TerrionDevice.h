#pragma once
// The driver of the Terrion resistivity instrument: a serial-only CVnDevice
// (type 7, family code 10, 19200 baud, read time-out 1500 ms, write 50 ms).
//
// Identification: the text query "@ID@" answers
//   type name;hardware revision;serial number;signature;firmware version
// (a bootloader answers the lines "SC030102F9\r\n" -> 'G', "SI030000FC\r\n").
//
// Memory access: after the framed command 0xD2 {0x04} the instrument takes
// short ASCII commands (upper-case hex, no CR):
//   "AAAAs" set address, "NNNNn" dump N bytes as two hex characters each
//   (the letters a-d may be interleaved and are skipped), "0000n" end a dump,
//   "DDCCw" write byte DD with CC = (address high + address low + DD) mod 256,
//   reply one byte ('f' = failed), "XXXXXXXXe" erase at the negated address,
//   reply one byte ('f' = failed), "A5A5t" delete all series, "C0C0i" leave.
// Memory: 0x021A default contact spacing (16 bits), 0x1000 the 18-byte
// settings block, 0xF000 the record area (512 records of 32 bits).
//
// Memory-access mode is entered lazily by the operations that need it and
// stays on until the next Identify() or the driver's destruction.

#include "device/TerrionObject.h"
#include "device/VnDevice.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Device
{

class CTerrionDevice : public CVnDevice
{
public:
    using TMeasSettings = Device::TMeasSettings;
    using TMeas = Device::TMeas;
    using TTerrionObject = Device::TTerrionObject;

    static constexpr std::uint16_t kDefaultSpacingAddress = 0x021A;
    static constexpr std::uint16_t kSettingsAddress = 0x1000;
    static constexpr int kSettingsBlockSize = TMeasSettings::kBlockSize;
    static constexpr std::uint16_t kRecordAddress = 0xF000;
    static constexpr int kRecordAreaSize = 2048;
    static constexpr std::uint16_t kSpacingNotSet = TMeasSettings::kSpacingNotSet;
    /// The download reports progress (OnProgress, in percent) after each block of this many bytes.
    static constexpr std::size_t kProgressBlockSize = 128;
    /// Protocol states: answered as an application, or from the bootloader.
    static constexpr std::uint8_t kStateApplication = 8;
    static constexpr std::uint8_t kStateBootloader = 3;

    CTerrionDevice();
    ~CTerrionDevice() override;

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    bool GetContents(CContents& contents) override;
    bool QueryId(SDeviceInfo& info) override;
    std::int32_t GetDeviceId() override;
    /// Copies the five identification strings.
    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    /// Identifies a bootloader: out receives its answer (more than 3 bytes).
    virtual bool IdentifyBootloader(std::string& out);

    // The upgrade through the Terrion's bootloader: PrepareUpgrade switches
    // it in (framed 0xD2 {0x01}) and erases; blocks of S-record text (a
    // 16..512-byte sub-header whose 16-bit value at 4 is its length and whose
    // 32-bit value at 12 is the length of the text that follows) go record
    // by record; FinishUpgrade leaves the bootloader.
    int PrepareUpgrade(const CPackageHeader& package) override;
    int BeginBlock(const CPackageHeader& package, const SBlockDescriptor& block) override;
    int TransferBlock(const SBlockDescriptor& block) override;
    int ProgramBlock(const SBlockDescriptor& block) override;
    int EndBlock(const CPackageHeader& package, const SBlockDescriptor& block) override;
    int FinishUpgrade() override;

    // Memory-access protocol. Each catches the stream's exceptions and
    // reports false or -1; without an attached stream each fails at once.
    /// Releases memory-access mode ("C0C0i"); with wait, sleeps 2000 ms after.
    bool LeaveMemoryMode(bool wait);
    bool SetMemoryAddress(std::uint16_t address);
    bool StartMemoryRead(std::uint16_t address, std::uint16_t count);
    bool EndMemoryRead();
    /// Appends count bytes read at address to out; returns count or -1. A
    /// character that is not a hexadecimal digit fails the read.
    int ReadMemory(std::vector<std::uint8_t>& out, std::uint16_t address, std::uint16_t count);
    /// Writes one byte at the current address (which the instrument advances).
    bool WriteMemoryByte(std::uint16_t address, std::uint8_t data);
    /// True when every byte was acknowledged.
    bool WriteMemory(std::uint16_t address, std::span<const std::uint8_t> data);
    bool EraseMemory(std::uint16_t address);

    // Measurement settings and records.
    /// Reads the settings block and the default spacing.
    bool ReadSettings(TMeasSettings& settings);
    /// Erases and rewrites the settings block. Only an explicit refusal of the
    /// erase ('f') fails it; a missing erase answer does not decide.
    bool WriteSettings(const TMeasSettings& settings);
    /// Fills the default spacing. While the block's spacing word is set the
    /// instrument hides it, so the word is cleared, the default read and the
    /// word written back (a failed restore is retried after leaving and
    /// re-entering memory access; a restore that still fails fails the call).
    bool ReadDefaultSpacing(TMeasSettings& settings);
    /// Clears the stored series ("A5A5t"; no reply).
    bool DeleteAllSeries();
    /// Downloads every stored series, reporting the record read's progress to
    /// the callback per block. On failure objects is untouched (the
    /// settings could not be read) or empty (the records could not be read).
    bool ReadAllObjects(std::vector<TTerrionObject>& objects);

    std::uint8_t GetProtocolState() const { return m_nProtocolState; }
    bool IsInMemoryMode() const { return m_bMemoryMode; }
    const SDeviceIdent& GetIdent() const { return m_ident; }

private:
    /// Sends the address command, waits the command gap and drops any answer; throws stream errors.
    bool SelectAddress(std::uint16_t address);
    /// The one-byte answer to a write or an erase.
    enum NAnswer : int
    {
        anAccepted = 0, ///< any byte but 'f'
        anRefused = 1,  ///< 'f'
        anNone = 2,     ///< nothing arrived, or the command did not go out
    };
    /// Reads the answer to a write or erase; throws stream errors.
    NAnswer ReadAnswer();
    /// Erases the block at address and tells how the instrument answered.
    NAnswer Erase(std::uint16_t address);
    bool IsReady() const;
    /// Writes a bootloader line and checks its one-byte answer (none expected: 0).
    bool BootLine(const std::string& line, char expected);
    bool EnterMemoryMode();
    /// Sends "C0C0i" whatever the flag says, waits as after leaving, and enters again.
    bool ReenterMemoryMode();

    std::uint8_t m_nProtocolState = kStateApplication;
    SDeviceIdent m_ident;
    std::wstring m_strInfoText;
    bool m_bMemoryMode = false;
    bool m_bReportProgress = false;
};

} // namespace Device
