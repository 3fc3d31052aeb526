#pragma once
// The rules by which the OS-based instruments accept a login or a firmware
// package, as pure functions.

#include "device/DeviceTypes.h"
#include "streams/Version.h"

#include <cstdint>
#include <string>

namespace Device
{

class COsUpgradeRules
{
public:
    /// True when the firmware (spaces removed) reads as a version below
    /// 0.2.13, which has no login. A firmware text that does not read is not
    /// taken as old: it gets no rights without a login.
    static bool HasNoLogin(const std::wstring& firmware);

    /// Checks a hardware revision "%c%d" (letter 'A'..lastLetter, number up to
    /// 255; upper-cased in place) against the package's limits, of which only
    /// the bits in mask count; a highest limit of 0 means none. 0 or 10
    /// (wrong hardware).
    static int CheckHardware(std::wstring& revision, std::uint16_t lowest, std::uint16_t highest,
                             wchar_t lastLetter, std::uint16_t mask);

    /// 0 when the device's OS (spaces removed) satisfies the package's
    /// required OS (0 = any): at least as new and of the same major version;
    /// else 11 (OS too old).
    static int CheckOs(const std::wstring& deviceOs, const CVersion& required);

    /// The text with every blank removed.
    static std::wstring WithoutSpaces(const std::wstring& text);
};

} // namespace Device
