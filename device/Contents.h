#pragma once
// Firmware components, installed on an instrument or carried by a package.

#include "streams/Version.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Device
{

/// One firmware component.
struct SContentEntry
{
    std::uint8_t flags =
        0; ///< bit 1 code present, bit 5 size in 4 kB, bit 6 size in 0.1 MB, bit 7 skip on install
    std::uint8_t secondByte = 0;
    int type = 0; ///< 1 = firmware
    CVersion version{0, 0, 0, 0};
    std::wstring code; ///< three-character code, or empty
    std::uint16_t firstBlock = 0;
    std::uint16_t blockCount = 0;
    std::wstring sizeText; ///< "12 kB", "1.5 MB" or empty
};

/// The components with the version of the whole set.
class CContents
{
public:
    virtual ~CContents() = default;

    /// Leaves the firmware at this version as the only entry, as for the
    /// instruments that report just one version in their identity answer.
    void SetSingleFirmware(const std::wstring& firmwareVersion)
    {
        m_entries.clear();
        SContentEntry entry;
        entry.flags = 1;
        entry.secondByte = 1;
        entry.type = 1;
        entry.version = CVersion(firmwareVersion);
        m_entries.push_back(entry);
    }

    CVersion m_version{0, 0, 0, 0};
    std::vector<SContentEntry> m_entries;
};

} // namespace Device
