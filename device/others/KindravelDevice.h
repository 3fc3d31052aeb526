#pragma once
// The Saltrevane cover meter (type 3, family 6; 19200 baud, read 1500 ms,
// write 50 ms). "@ID@" answers "type;hardware revision;serial;signature;
// firmware"; its bootloader has two targets and answers "SI030000FC\r\n"
// once target 2 is selected with "SC030202F8\r\n".
//
// Downloads run at a faster rate: "BR ?" asks for the line's divisor and
// "BR %03d" sets it (divisor = 4,000,000 / rate, rounded), then command 0xD2
// with 0x12 brings the binary objects or 0x10 their data-file text. The
// settings block and the delete-all run through the Terrion's memory-access
// protocol; the other 0xD2 sub-commands are passed through unchanged.

#include "device/others/BootloaderDevice.h"
#include "device/others/KindravelObject.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace Device
{

class CKindravelDevice : public CBootloaderDevice
{
public:
    using TMeas = TKindravelMeas;
    using TKindravelObject = Device::TKindravelObject;
    using TKindravelObjectSet = Device::TKindravelObjectSet;

    static constexpr std::uint8_t kServiceCommand = 0xD2;
    static constexpr std::uint32_t kHomeRate = 19200;
    static constexpr int kSettingsBlockSize = 44;
    static constexpr int kBinaryCapacity = 144100;
    static constexpr int kTextCapacity = 5000000;
    /// Polls of the delete-all's busy bit before giving up.
    static constexpr int kDeletePolls = 100;

    CKindravelDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool Identify(SDeviceInfo& info) override;

    /// Sub-command '3': the instrument's text (empty on failure).
    virtual std::wstring ReadDeviceText(std::wstring& text);
    virtual bool SendCommand1();
    virtual bool SendCommand2();
    /// Sub-command '0' with "a;b"; refused without sending above 45 characters.
    virtual bool SendTextPair(std::wstring first, std::wstring second);
    virtual bool SetRegister4060(bool on);
    /// Sub-command 0x13: the first reply byte (0x13 when none came); 0
    /// without an attached stream.
    virtual std::uint8_t QueryStatusByte();
    virtual bool CheckIdle();
    /// Sub-command 2, then polls sub-command 5 until the instrument is idle.
    virtual bool StartAndWait();
    /// Clears the stored objects and waits until the instrument says so;
    /// false when a command fails or the instrument stays busy.
    virtual bool DeleteAllObjects();
    /// The 44-byte settings block; false unless all 44 bytes arrived.
    virtual bool ReadSettingsBlock(std::span<std::uint8_t, kSettingsBlockSize> block);
    /// Downloads every object at the given rate, then returns to 19200 baud.
    /// An instrument without data gives true and no objects.
    virtual bool DownloadObjects(TKindravelObjectSet& set, std::uint32_t rate, bool binary);
    /// Copies the five identification strings.
    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    bool IdentifyBootloader(std::string& out) override;
    /// Only from the bootloader: leaves target 2 and selects target 1.
    virtual bool SelectBootTarget1();
    /// Only from the bootloader: leaves target 1 and selects target 2.
    virtual bool SelectBootTarget2();

    // The upgrade steps of its two-target bootloader.
    /// Into the bootloader (unless there already), then both targets erased.
    int PrepareBootloader() override;
    /// Selects the block's target (descriptor byte 13) unless it is selected
    /// or the block keeps the mode (bit 3 of byte 10).
    int SelectBlockTarget(std::span<const std::uint8_t, 16> descriptor) override;
    /// Back to target 1, leave, touch target 2, leave: the application starts.
    int LeaveBootloader() override;

    /// Switches the line and the instrument to a rate; on failure both stay
    /// at the old one.
    bool SetBaudRate(std::uint32_t rate);
    /// The divisor the instrument takes for a rate.
    static int BaudDivisor(std::uint32_t rate);

    static std::wstring TypeName() { return L"Saltrevane"; }

protected:
    const SDeviceIdent& Ident() const override { return m_ident; }
    void OnApplicationAnswered() override;

private:
    bool SubCommand(std::span<const std::uint8_t> data, int capacity, int* result, std::uint8_t* reply);
    bool AskRate();
    bool WriteItem(const std::string& text);
    bool SelectTarget(std::uint8_t target);

    SDeviceIdent m_ident;
};

} // namespace Device
