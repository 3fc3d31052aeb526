#pragma once
// What the two OS-based instruments (CHalvint3SeDevice, CPlatformDevice)
// share: identification after negotiating CR-only reply lines, with the
// answer "type;hardware revision;serial;signature;application;OS;
// localization;time-zone id" (the last may be missing), and their contents.

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"

namespace Device
{

class COsDeviceProtocol
{
public:
    /// Fills the eight fields; true when all are set and the family fits.
    static bool Identify(CVnDevice& device, SDeviceIdent& ident, std::wstring& osVersion,
                         std::wstring& localization, std::wstring& timeZoneId, SDeviceInfo& info);
    /// The OS entry, then the application entry.
    static void FillContents(const std::wstring& osVersion, const std::wstring& application,
                             CContents& contents);
    /// The package check after the base one: the hardware revision (letters
    /// 'A'..lastLetter, limits masked) and the OS version; identifies first
    /// when the OS version is not known. 0, 1, 6, 10 or 11.
    static int CheckPackage(CVnDevice& device, SDeviceIdent& ident, const std::wstring& osVersion,
                            const CPackageHeader& package, wchar_t lastLetter, std::uint16_t mask);
};

} // namespace Device
