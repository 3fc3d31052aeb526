#pragma once
// The identification records of the other instruments. Each begins with the
// SDeviceInfo part (type name, application or firmware version, serial
// number); the members after it follow the order of the instrument's record.

#include "device/DeviceInfo.h"

#include <cstdint>
#include <string>

namespace Device
{

/// Hardware revision, signature and bootloader version after SDeviceInfo.
struct SDeviceIdentEx : SDeviceIdent
{
    std::wstring bootloaderVersion;
};

/// An instrument that runs an operating system beside its application.
struct SDeviceIdentOs : SDeviceIdent
{
    std::wstring osVersion;
    std::wstring localization;
    std::wstring timeZoneId;
};

/// The platform instrument's record.
struct SPlatformIdent : SDeviceIdent
{
    std::uint32_t reserved = 0; ///< always 0, copied with the record
    std::wstring osVersion;
    std::wstring bootloaderVersion;
    std::wstring localization;
    std::wstring timeZoneId;
};

} // namespace Device
