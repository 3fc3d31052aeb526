#pragma once
// What identification tells about an instrument.

#include <string>

namespace Device
{

/// Instrument type name, firmware version and serial number, filled by
/// CVnDevice::Identify() and CVnDevice::QueryId(). Empty when constructed.
struct SDeviceInfo
{
    std::wstring typeName;
    std::wstring firmwareVersion;
    std::wstring serialNumber;
};

/// The five identification strings of an instrument: the Terrion driver's
/// identification block and the head of every downloaded measurement object.
struct SDeviceIdent : SDeviceInfo
{
    std::wstring hardwareRevision;
    std::wstring signature; ///< hexadecimal, top byte = family code of the instrument
};

} // namespace Device
