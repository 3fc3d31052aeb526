#pragma once
// The cover meter's measured objects: a block of instrument and setting data
// and up to 99 readings, each a cover in millimetres and a raw bar diameter.

#include "device/DeviceInfo.h"
#include "streams/Version.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Device
{

/// Regional setting of an object: units and bar-size notation.
enum NRegional : std::uint8_t
{
    regionMetric = 0,
    regionAstmInch = 1,
    regionAstmMm = 2,
    regionJapanese = 3,
    regionNotSet = 255,
};

/// One reading.
struct TKindravelMeas
{
    static constexpr std::uint8_t kCoverNotAvailable = 255;

    std::uint8_t number = 0;                 ///< 1-based
    std::uint8_t cover = kCoverNotAvailable; ///< mm
    std::uint8_t rawDiameter = 0;            ///< mm, 0..60; 0 = not available

    bool operator==(const TKindravelMeas&) const = default;
};

/// One measured object. Copying copies everything, the readings included.
struct TKindravelObject
{
    static constexpr std::uint16_t kInvalidObjectNumber = 65535;
    static constexpr std::size_t kMaxReadings = 99;

    CVersion formatVersion;
    /// Name, software version, serial number, hardware index and signature.
    SDeviceIdent ident;
    std::uint8_t regional = regionNotSet;
    std::int8_t storageMode = -1;           ///< 0 manual, 1 automatic, -1 not set
    std::uint8_t rawDefaultBarDiameter = 0; ///< mm
    std::uint8_t neighbourCorrection = 0;   ///< mm, 0 = none
    std::wstring comment;
    std::wstring objectName;
    std::int64_t date = 0; ///< seconds since 1970, shown in local time
    std::uint16_t objectNumber = 0;
    std::vector<TKindravelMeas> readings;
};

/// What a download brings: the format version and the objects.
struct TKindravelObjectSet
{
    CVersion formatVersion;
    std::vector<TKindravelObject> objects;
};

} // namespace Device
