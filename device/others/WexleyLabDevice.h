#pragma once
// The Wexley Lab (type 6, family 9) at 115200 baud (read 1500 ms, write
// 50 ms). "@ID@" answers "type;hardware revision;serial;signature;
// application;bootloader" (the last may be missing); a bootloader with one
// application target (target 2) answers "SI030000FC\r\n" once the target is
// selected with "SC030202F8\r\n". Command 7 reads a status record, command
// 11 writes three information strings.

#include "device/others/BootloaderDevice.h"
#include "device/others/IdentRecords.h"

#include <cstdint>
#include <span>
#include <string>

namespace Device
{

/// The status record of command 7.
struct SWexleyStatus
{
    bool flag1 = false;
    bool flag2 = false;
    bool flag3 = false;
    std::uint16_t value = 65535;
    bool flag4 = false;
};

class CWexleyLabDevice : public CBootloaderDevice
{
public:
    static constexpr std::uint8_t kStatusCommand = 7;
    static constexpr std::uint8_t kInfoCommand = 11;
    /// Longest information string: a command carries at most 47 data bytes.
    static constexpr std::size_t kMaxInfoLength = 45;

    CWexleyLabDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool Identify(SDeviceInfo& info) override;

    /// Copies the six identification strings.
    virtual SDeviceIdentEx& GetObjectInfo(SDeviceIdentEx& ident) const;
    /// Command 11: clear, then the three strings (sub-commands 1, 3, 2).
    virtual bool WriteInfoStrings(std::wstring first, std::wstring second, std::wstring third);
    /// Command 7 {0xFF}; true when all four flags are set.
    virtual bool QueryStatus(SWexleyStatus& status);
    /// Command 7 {4}; the answer is not checked.
    virtual bool SendStatusCommand();
    bool IdentifyBootloader(std::string& out) override;
    /// Selects target 2; only from the bootloader.
    virtual bool EnterBootTarget();

    // The upgrade steps of its bootloader (one application target, target 2).
    /// Into the bootloader (command 1 and 15 keep-alives, unless there
    /// already), target 2 selected and erased.
    int PrepareBootloader() override;
    /// Selects target 2 for a block unless it is selected or the block keeps
    /// the mode (bit 3 of byte 10); another target is refused.
    int SelectBlockTarget(std::span<const std::uint8_t, 16> descriptor) override;
    /// Target 2, then the exit line: the application starts.
    int LeaveBootloader() override;

    static std::wstring TypeName() { return L"Wexley Lab"; }

protected:
    const SDeviceIdent& Ident() const override { return m_ident; }
    void OnApplicationAnswered() override;

private:
    SDeviceIdentEx m_ident;
};

} // namespace Device
