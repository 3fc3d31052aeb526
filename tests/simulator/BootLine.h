#pragma once
// A simulated bootloader's side of its text lines: bytes gathered up to LF,
// and the command lines "S", a letter, "03", a word as four hex digits and
// the checksum 0xFF - (3 + both bytes of the word) as two.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace TerrionTest
{

class CBootLine
{
public:
    struct SCommand
    {
        char letter = 0;
        std::uint32_t word = 0;
        std::string text; ///< the ten characters of the line
    };

    /// keep: the most characters of a line that are kept (the last ones).
    explicit CBootLine(std::size_t keep) : m_nKeep(keep) {}

    /// Takes a byte; true with line set, its CR taken off, when the byte
    /// ended one.
    bool Feed(std::uint8_t byte, std::string& line);
    void Clear() { m_strLine.clear(); }

    /// The command in the last ten characters of a line (what came before
    /// is noise); none when they are not one or the checksum is wrong.
    static std::optional<SCommand> Command(const std::string& line);

private:
    std::size_t m_nKeep;
    std::string m_strLine;
};

} // namespace TerrionTest
