#pragma once
// What a simulated instrument of the maker's other families holds. The
// instrument statement selects the family (and the simulator class):
//
//   instrument saltrevane     (aldermoor quenwick mezzeta wexley fulmetra kx7
//                              tarlowend halvint3 platform brivonta)
//   identification Saltrevane;B2;SV12-345-6789;06000001;1.2.3
//   id Saltrevane;1.2.3;SV12-345-6789   (the "ID" answer; by default type,
//                                        field 5 and serial of the above)
//   bootloader                (the instrument starts in its bootloader)
//   line 12.5                 (a streamed line of a listening instrument)
//   probe HP-120              (the "PNAM?" answer of a probe instrument)
//
// Tests fill the family's data (objects, status replies, probe block)
// through the members.

#include <cstdint>
#include <string>
#include <vector>

namespace TerrionTest
{

enum NSimFamily : int
{
    sfCoverMeter = 0, ///< Saltrevane
    sfKrastel = 1,    ///< Aldermoor, Quenwick
    sfMezzeta = 2,
    sfWexley = 3,
    sfTerrionLike = 4, ///< Fulmetra, KX-7
    sfListening = 5,   ///< Tarlowend
    sfOsBased = 6,     ///< Halvint 3, Platform
    sfProbe = 7,       ///< Brivonta 3
};

struct COtherScenario
{
    NSimFamily family = sfCoverMeter;
    std::string identification = "Saltrevane;B2;SV12-345-6789;06000001;1.2.3";
    std::string idAnswer; ///< empty: built from the identification
    bool bootloader = false;

    // Cover meter.
    std::uint32_t rate = 19200;                     ///< the instrument's line rate (0 = any)
    bool refusesRate = false;                       ///< "BR ?" answers '?'
    std::vector<std::vector<std::uint8_t>> records; ///< 262-byte object records
    std::vector<std::string> objectTexts;           ///< data-file texts of the text download
    std::vector<std::uint8_t> binaryReply;          ///< replaces the built binary reply when set
    std::string textReply;                          ///< replaces the built text reply when set
    std::vector<std::uint8_t> settingsBlock = std::vector<std::uint8_t>(44, 0);
    int busyPolls = 2; ///< polls that still show the delete as busy (-1 = for ever)
    std::string deviceText = "SALTREVANE+";
    std::uint8_t statusByte = 0x42;

    // Wexley Lab.
    std::vector<std::uint8_t> statusReply = {0xFF, 0, 0, 0x34, 0x12, 0, 0};

    // Listening instrument.
    std::vector<std::string> lines;
    int listenDelayMs = 300; ///< the stream starts this long after the host opened the line
    bool repeatLines = false;

    // OS-based instrument.
    std::string probeAnswer = "HP-120";
    std::vector<std::uint8_t> probeBlock = std::vector<std::uint8_t>(20, 0);
    std::uint8_t failingRegister = 0; ///< a register that refuses to switch on (0 = none)

    // Mezzeta.
    std::vector<std::uint8_t> mezzetaBlock = std::vector<std::uint8_t>(129, 0x5A);

    /// Parses scenario text; throws std::runtime_error naming the bad line.
    static COtherScenario Parse(const std::string& text);
    static COtherScenario Load(const std::string& path);
    /// The scenario of a family with a valid identification for it.
    static COtherScenario For(const std::string& instrument);
};

} // namespace TerrionTest
