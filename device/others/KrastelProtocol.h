#pragma once
// What the Krastel-family drivers (CKrastelDevice, CQuenwickDevice,
// CMezzetaDevice) share: identification from "@ID@" alone ("type;hardware
// revision;serial;signature;application;bootloader", the last may be
// missing), the unframed form of binary commands too long for a frame
// (0xC1, the command byte, the data, one reply byte), and their mode reset.

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"

#include <cstdint>

namespace Device
{

class CKrastelProtocol
{
public:
    /// Mode byte of the reset: mode 8, the stream reopened around the switch.
    static constexpr std::uint8_t kResetMode = 24;

    /// Identifies into ident; with modelNames the instrument's model keys
    /// become their display names (Mezzeta).
    static bool Identify(CVnDevice& device, SDeviceIdentEx& ident, SDeviceInfo& info, bool modelNames);
    /// The display name of a model key ("Tolle2 " -> "Halvint Tollery 2"); the
    /// type itself for any other text.
    static std::wstring ModelName(const std::wstring& type);
    /// 0xC1, command, n data bytes, one reply byte: 0 or a status 0xF0..0xFF
    /// is returned, anything else and every failure gives 252.
    static int UnframedCommand(CVnDevice& device, std::uint8_t command, int n, const std::uint8_t* data,
                               int timeoutMs);
    /// Sync, then the switch to kResetMode; true whatever the switch gave.
    static bool ResetMode(CVnDevice& device);
    /// Application entry, then bootloader entry.
    static bool GetContents(CVnDevice& device, SDeviceIdentEx& ident, CContents& contents);
    /// Text 20017 with the record's fields.
    static std::wstring InfoText(const SDeviceIdentEx& ident);
};

} // namespace Device
