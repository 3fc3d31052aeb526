#pragma once
// What a simulated Terrion holds: its identification, its measurement
// settings, its default contact spacing and its stored records. A test says
// "an instrument with these series" through the builder calls or a small text
// file, and compares what a download brings back against the same scenario.
//
// Scenario text, one statement a line ('#' starts a comment):
//   identification Terrion;HW 1.1;TN12-345-6789;0A000001;2.0.1
//   bootloader                        (the instrument starts in its bootloader)
//   default-spacing 500               (tenths of a millimetre, at 0x021A)
//   settings word=none spacing=380 factor=1.25 mode=bulk shape=prism
//            correction=custom length=1000 diameter=400 depth=250
//       word/spacing take a number or "none" (0xFFFF); omitted fields keep
//       the defaults of STerrionSettings
//   old-settings spacing=200          (an old-format block: format byte 0xFF)
//   series 3                          (a series header for object 3)
//   reading 50 code=1                 (value 50, current code 1)
//   reading 125 tenths code=2 byte=0x22
//   raw 0x1234FF00                    (one record as it stands)
//   end                               (an explicit end marker)
//   files                             (it keeps files and user accounts,
//                                      as the maker's other instruments do)
// Records after the last statement are erased flash (0xFFFFFFFF), which the
// driver reads as the end marker; 512 records leave no room for one.
// Bits the host does not use are not left zero: a reading's bits 0-7 carry
// its index within the series, so a host that forgets to mask them shows.
// An old-format block is the spacing word followed by 16 erased bytes.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TerrionTest
{

/// One stored reading as the instrument keeps it.
struct STerrionReading
{
    std::uint16_t value = 0;        ///< 0..2047
    bool tenths = false;            ///< value in tenths
    std::uint8_t currentCode = 1;   ///< 0..7
    std::uint8_t recordByte = 0x10; ///< bits 8-15; never 0x00 or 0xFF

    /// The reading the host should decode: kΩ·cm, 0.0 when invalid.
    double ExpectedValue() const;
    /// The current the host should decode: µA, 0 for an invalid reading.
    std::uint16_t ExpectedCurrent() const;
};

/// The current-format settings block at 0x1000.
struct STerrionSettings
{
    std::uint16_t spacingWord = 0xFFFF;
    std::uint8_t format = 1;
    std::uint16_t contactSpacing = 0xFFFF;
    float factor = 1.0f;
    std::uint8_t mode = 1;       ///< 1 surface, 2 bulk
    std::uint8_t shape = 1;      ///< 1 flat, 2 cylinder, 3 prism
    std::uint8_t correction = 1; ///< 1 geometric, 2 custom
    std::uint16_t length = 0;
    std::uint16_t diameter = 0;
    std::uint16_t depth = 0;

    /// The 18 bytes as they lie in memory, little-endian.
    std::vector<std::uint8_t> ToBlock() const;
};

class CTerrionScenario
{
public:
    static constexpr std::uint16_t kDefaultSpacingAddress = 0x021A;
    static constexpr std::uint16_t kSettingsAddress = 0x1000;
    static constexpr std::uint16_t kRecordAddress = 0xF000;
    static constexpr int kRecordCount = 512;
    static constexpr int kSettingsSize = 18;

    CTerrionScenario();

    /// Parses scenario text; throws std::runtime_error naming the bad line.
    static CTerrionScenario Parse(const std::string& text);
    /// Reads and parses a scenario file.
    static CTerrionScenario Load(const std::string& path);

    CTerrionScenario& SetIdentification(const std::string& text);
    CTerrionScenario& SetBootloader(bool bootloader);
    /// Takes firmware the framed way (operation modes 1-12, the transfer
    /// command 0xF8 with CRC-32 checksums), as the maker's other instruments do.
    CTerrionScenario& SetFramedUpgrade(bool on);
    /// Files and user accounts, answered by the file and login commands.
    CTerrionScenario& SetFileSystem(bool on);
    CTerrionScenario& AddFile(const std::string& name, const std::string& content);
    /// A login with a key must give this key; one without a key is taken as it is.
    CTerrionScenario& AddAccount(const std::string& user, const std::string& password, int rights,
                                 std::uint32_t key = 0);
    CTerrionScenario& SetDefaultSpacing(std::uint16_t tenths);
    CTerrionScenario& SetSettings(const STerrionSettings& settings);
    /// An old-format block: the first word is the spacing, the rest erased.
    CTerrionScenario& SetOldSettings(std::uint16_t spacing);
    CTerrionScenario& AddSeries(std::uint8_t objectNumber, const std::vector<STerrionReading>& readings = {});
    CTerrionScenario& AddReading(const STerrionReading& reading);
    CTerrionScenario& AddRawRecord(std::uint32_t record);
    CTerrionScenario& AddEnd();
    /// Fills the record area to its 512 records with series of the given size.
    CTerrionScenario& FillRecordArea(int readingsPerSeries);

    const std::string& Identification() const { return m_strIdentification; }
    bool StartsInBootloader() const { return m_bBootloader; }
    bool HasFileSystem() const { return m_bFileSystem; }
    bool HasFramedUpgrade() const { return m_bFramedUpgrade; }

    struct SAccount
    {
        std::string user;
        std::string password;
        int rights = 0;
        std::uint32_t key = 0;
    };
    const std::vector<std::pair<std::string, std::string>>& Files() const { return m_files; }
    const std::vector<SAccount>& Accounts() const { return m_accounts; }
    std::uint16_t DefaultSpacing() const { return m_nDefaultSpacing; }
    const std::vector<std::uint8_t>& SettingsBlock() const { return m_settingsBlock; }
    const std::vector<std::uint32_t>& Records() const { return m_records; }

    /// The instrument's 64 KiB memory: default spacing, settings, records.
    std::vector<std::uint8_t> BuildMemory() const;

    static std::uint32_t HeaderRecord(std::uint8_t objectNumber);
    static std::uint32_t ReadingRecord(const STerrionReading& reading, std::uint8_t index);
    static constexpr std::uint32_t kEndRecord = 0x0000FF00;

private:
    std::string m_strIdentification = "Terrion;HW 1.1;TN12-345-6789;0A000001;2.0.1";
    bool m_bBootloader = false;
    bool m_bFileSystem = false;
    bool m_bFramedUpgrade = false;
    std::vector<std::pair<std::string, std::string>> m_files;
    std::vector<SAccount> m_accounts;
    std::uint16_t m_nDefaultSpacing = 500;
    std::vector<std::uint8_t> m_settingsBlock;
    std::vector<std::uint32_t> m_records;
    std::uint8_t m_nNextIndex = 0;
};

} // namespace TerrionTest
