#pragma once
// The Terrion's measurement records: the settings block, one reading and one
// downloaded measurement series, with the named codes of the settings. Kept
// apart from the driver so that the data and the views read them without
// the command layer. CTerrionDevice offers them under their old names.

#include "device/DeviceInfo.h"

#include <cstdint>
#include <span>
#include <vector>

namespace Device
{

/// How a series was measured; the instrument's settings byte and the
/// project file store these values. 0 stands for none (past the end).
enum class NMeasurementMode : std::uint8_t
{
    None = 0,
    Surface = 1,
    Bulk = 2,
};

/// Shape of the specimen of a geometric correction; stored as above.
enum class NSpecimenShape : std::uint8_t
{
    None = 0,
    Flat = 1,
    Cylinder = 2,
    Prism = 3,
};

/// How the correction factor came about; stored as above.
enum class NCorrectionKind : std::uint8_t
{
    None = 0,
    Geometric = 1,
    Custom = 2,
};

/// The instrument's measurement settings. Lengths are in tenths of a
/// millimetre. Value-initialised ({}) it is the zeroed starting record.
/// The coded fields keep any byte the instrument or a file holds.
struct TMeasSettings
{
    /// Length of the settings block in the instrument's memory.
    static constexpr int kBlockSize = 18;
    /// A contact spacing word that is not set: the default spacing applies.
    static constexpr std::uint16_t kSpacingNotSet = 0xFFFF;

    bool customSpacing = false;       ///< a contact spacing other than the default is set
    std::uint16_t defaultSpacing = 0; ///< the instrument's default contact spacing (0x021A)
    std::uint16_t spacingWord = 0;    ///< the value the instrument works with; 0xFFFF = not set
    std::uint8_t format = 0;          ///< 1 = current block format
    std::uint16_t contactSpacing = 0; ///< 0xFFFF = the default spacing
    float correctionFactor = 0.0f;    ///< k
    NMeasurementMode mode = NMeasurementMode::None;
    NSpecimenShape shape = NSpecimenShape::None;
    NCorrectionKind correctionKind = NCorrectionKind::None;
    std::uint16_t length = 0;
    std::uint16_t diameter = 0; ///< diameter (flat, cylinder) or width (prism)
    std::uint16_t depth = 0;

    /// Takes the fields of a raw settings block (18 bytes); a block of the
    /// old format (format byte 0xFF) gives the defaults with its first
    /// word as the contact spacing. The default spacing is left as it was.
    void SetFromBlock(std::span<const std::uint8_t, kBlockSize> block);
    /// The block as the instrument stores it, always in the current format.
    std::vector<std::uint8_t> ToBlock() const;

    bool operator==(const TMeasSettings&) const = default;
};

/// One reading.
struct TMeas
{
    double value = 0.0;          ///< kΩ·cm; 0.0 for an invalid reading
    std::uint8_t recordByte = 0; ///< bits 8-15 of the reading's record
    std::uint16_t current = 0;   ///< µA; 0 marks an invalid reading

    bool operator==(const TMeas&) const = default;
};

/// One downloaded measurement series. Copying copies everything,
/// readings included.
struct TTerrionObject
{
    SDeviceIdent ident; ///< the instrument that measured it
    std::uint16_t objectNumber = 0;
    TMeasSettings settings; ///< in force at the download
    std::vector<TMeas> readings;
};

} // namespace Device
