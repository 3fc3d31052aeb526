#pragma once
// The listening identification of an instrument that only streams numeric
// text lines: after a LF the characters up to the next CR form a line; a
// line reading as one number from -1 to 99999 counts, the fourth such line
// identifies the instrument, and an empty or blank line ends the listening.
// A line longer than kMaxLine is no such instrument's: it is kept no further
// and passed over at its CR (neither counted nor ending the listening).

#include <cstdint>
#include <string>

namespace Device
{

class CListeningDecoder
{
public:
    enum NResult : int
    {
        lrListening = 0,  ///< feed the next byte
        lrIdentified = 1, ///< four numeric lines came
        lrEnded = 2,      ///< an empty line ended the listening
    };

    static constexpr int kLinesNeeded = 4;
    /// Longest line kept; the driver listens to 50 bytes in all.
    static constexpr std::size_t kMaxLine = 64;

    NResult Feed(std::uint8_t byte);
    int CountedLines() const { return m_nCounted; }
    /// Characters kept of the line being collected.
    std::size_t LineLength() const { return m_strLine.size(); }

    /// True when the line reads as one number (as "%lf" does: leading blanks,
    /// the number, anything after it ignored) from -1 to 99999.
    static bool IsNumericLine(const std::string& line);

private:
    bool m_bInLine = false;
    bool m_bTooLong = false;
    std::string m_strLine;
    int m_nCounted = 0;
};

} // namespace Device
