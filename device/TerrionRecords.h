#pragma once
// The Terrion's record area and settings block as pure functions: decoding
// the 32-bit records into measurement objects.
//
// A record (little-endian) is, by bits 8-15:
//   0x00   a series header, bits 0-7 = object number
//   0xFF   the end of the stored data
//   other  a reading: bits 16-26 value, bit 27 value in tenths, bits 29-31
//          current code (0 and 7 invalid, 1..5 = 10 µA each, 6 = 200 µA)

#include "device/TerrionObject.h"

#include <cstdint>
#include <span>
#include <vector>

namespace Device
{

class CTerrionRecords
{
public:
    using TMeas = Device::TMeas;
    using TMeasSettings = Device::TMeasSettings;
    using TTerrionObject = Device::TTerrionObject;

    enum NRecordKind : int
    {
        rkHeader = 0,
        rkReading = 1,
        rkEnd = 2,
    };

    static NRecordKind KindOf(std::uint32_t record);
    /// µA of a current code; 0 for an invalid reading.
    static std::uint16_t CurrentOfCode(unsigned code);
    /// One reading record; an invalid current gives value 0.0 and current 0.
    static TMeas DecodeReading(std::uint32_t record);

    /// Walks the records (whole 32-bit records only) up to the end marker or
    /// the last record. Every header starts an object with ident, its number
    /// and settings; readings before any header form an object with empty
    /// identification and zeroed settings. Objects without readings are not
    /// delivered. Every delivered object's custom-spacing flag is that of
    /// settings.
    static std::vector<TTerrionObject> Decode(std::span<const std::uint8_t> area, const SDeviceIdent& ident,
                                              const TMeasSettings& settings);
};

} // namespace Device
