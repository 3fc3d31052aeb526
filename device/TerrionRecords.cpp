#include "device/TerrionRecords.h"
#include "streams/LittleEndian.h"

#include <bit>
#include <cstring>

namespace Device
{
namespace
{

constexpr std::uint8_t kOldFormat = 0xFF;

} // namespace

void TMeasSettings::SetFromBlock(std::span<const std::uint8_t, kBlockSize> block)
{
    const std::uint16_t word = StreamIO::CLittleEndian::Get16(block, 0);
    const std::uint8_t blockFormat = block[2];
    const bool old = blockFormat == kOldFormat;
    spacingWord = word;
    format = old ? 1 : blockFormat;
    contactSpacing = old ? word : StreamIO::CLittleEndian::Get16(block, 3);
    customSpacing = contactSpacing != kSpacingNotSet;
    correctionFactor = old ? 1.0f : std::bit_cast<float>(StreamIO::CLittleEndian::Get32(block, 5));
    mode = old ? NMeasurementMode::Surface : static_cast<NMeasurementMode>(block[9]);
    shape = old ? NSpecimenShape::Flat : static_cast<NSpecimenShape>(block[10]);
    correctionKind = old ? NCorrectionKind::Geometric : static_cast<NCorrectionKind>(block[11]);
    length = old ? 0 : StreamIO::CLittleEndian::Get16(block, 12);
    diameter = old ? 0 : StreamIO::CLittleEndian::Get16(block, 14);
    depth = old ? 0 : StreamIO::CLittleEndian::Get16(block, 16);
}

std::vector<std::uint8_t> TMeasSettings::ToBlock() const
{
    std::vector<std::uint8_t> block;
    block.reserve(kBlockSize);
    StreamIO::CLittleEndian::Append16(block, spacingWord);
    block.push_back(1); // always written in the current format
    StreamIO::CLittleEndian::Append16(block, contactSpacing);
    const std::uint32_t factor = std::bit_cast<std::uint32_t>(correctionFactor);
    for (int shift = 0; shift < 32; shift += 8)
        block.push_back(static_cast<std::uint8_t>(factor >> shift));
    block.push_back(static_cast<std::uint8_t>(mode));
    block.push_back(static_cast<std::uint8_t>(shape));
    block.push_back(static_cast<std::uint8_t>(correctionKind));
    StreamIO::CLittleEndian::Append16(block, length);
    StreamIO::CLittleEndian::Append16(block, diameter);
    StreamIO::CLittleEndian::Append16(block, depth);
    return block;
}

CTerrionRecords::NRecordKind CTerrionRecords::KindOf(std::uint32_t record)
{
    const std::uint32_t kind = (record >> 8) & 0xFFu;
    if (kind == 0x00)
        return rkHeader;
    if (kind == 0xFF)
        return rkEnd;
    return rkReading;
}

std::uint16_t CTerrionRecords::CurrentOfCode(unsigned code)
{
    if (code >= 1 && code <= 5)
        return static_cast<std::uint16_t>(10 * code);
    if (code == 6)
        return 200;
    return 0;
}

TMeas CTerrionRecords::DecodeReading(std::uint32_t record)
{
    TMeas reading;
    const unsigned raw = (record >> 16) & 0x7FFu;
    reading.value = (record & (1u << 27)) ? raw / 10.0 : static_cast<double>(raw);
    reading.current = CurrentOfCode(record >> 29);
    if (reading.current == 0)
        reading.value = 0.0;
    reading.recordByte = static_cast<std::uint8_t>(record >> 8);
    return reading;
}

std::vector<TTerrionObject> CTerrionRecords::Decode(std::span<const std::uint8_t> area,
                                                    const SDeviceIdent& ident, const TMeasSettings& settings)
{
    std::vector<TTerrionObject> objects;
    TTerrionObject current;
    for (std::size_t offset = 0; offset + 4 <= area.size(); offset += 4)
    {
        const std::uint32_t record = StreamIO::CLittleEndian::Get32(area, offset);
        const NRecordKind kind = KindOf(record);
        if (kind == rkEnd)
            break;
        if (kind == rkHeader)
        {
            if (!current.readings.empty())
            {
                objects.push_back(current);
                current.readings.clear();
            }
            current.ident = ident;
            current.objectNumber = static_cast<std::uint16_t>(record & 0xFFu);
            current.settings = settings;
            continue;
        }
        current.settings.customSpacing = settings.customSpacing;
        current.readings.push_back(DecodeReading(record));
    }
    if (!current.readings.empty())
        objects.push_back(std::move(current));
    return objects;
}

} // namespace Device
