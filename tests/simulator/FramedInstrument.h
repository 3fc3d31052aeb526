#pragma once
// The protocol every simulated instrument of the other families shares, with
// hooks for what each family adds:
// - Text commands: DLE is acknowledged with 0x06, the command runs to CR.
//   Replies end with CR (after "EC1" with CR LF and the echoed command);
//   "EC?" answers "EC0"/"EC1". "@ID@" answers the identification, "ID" the
//   short answer; a family's own commands come through TextAnswer(); all
//   else answers "?".
// - Framed commands (0xC0+n, command, n data bytes): 0xF7 -> 0xF0; 0xF1 ->
//   the signature as device id; 0xF4: modes 8 and 12 exist, 12 is active at
//   the start, a switch lasts 100 ms, {0x10..0x12, x} answer 1; 0xD2 {0x01}
//   -> 0x00 and the bootloader. A family's own commands come through
//   RunCommand(); all else answers 0xFF.
// - The bootloader takes S-lines ending in LF: "SC0301.." and "SC0302.."
//   select target 1 or 2 ('G'), "SC030100"/"SC030200" leave it ('G'),
//   "SC030000FC" is a keep-alive, "SI030000FC" answers a 66-byte block (the
//   identification, ';', blanks) once a target is selected, "SE" -> 'E',
//   "SX" -> 'X' and back to the application.

#include "tests/simulator/BootLine.h"
#include "tests/simulator/OtherScenario.h"
#include "tests/simulator/SimInstrument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TerrionTest
{

class CFramedInstrument : public CSimInstrument
{
public:
    explicit CFramedInstrument(const COtherScenario& scenario);

    void Feed(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending) override;

    bool InBootloader() const { return m_bBootloader; }
    int BootTarget() const { return m_nBootTarget; }
    std::uint8_t ActiveMode() const { return m_nMode; }
    /// Every framed command taken, as {command, data...}.
    const std::vector<std::vector<std::uint8_t>>& Frames() const { return m_frames; }
    /// Every text command taken.
    const std::vector<std::string>& Texts() const { return m_texts; }
    COtherScenario& Scenario() { return m_scenario; }

protected:
    /// A family's own text command; false when it has none by that name.
    virtual bool TextAnswer(const std::string& command, std::string& answer);
    /// A family's own framed command; false when it has none.
    virtual bool RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                            std::vector<std::uint8_t>& out);
    /// Bytes outside text and frames (for example a memory-access mode);
    /// true when taken.
    virtual bool FeedOther(std::uint8_t /*byte*/, std::vector<std::uint8_t>& /*out*/, bool& /*dropPending*/)
    {
        return false;
    }
    /// The number of data bytes a frame with this header and command
    /// carries, when the family reads it otherwise; -1 for the header's count.
    virtual int DataLength(std::uint8_t /*header*/, std::uint8_t /*command*/,
                           const std::vector<std::uint8_t>&)
    {
        return -1;
    }
    /// Whether the exit line with this target selected starts the application.
    virtual bool ExitStartsApplication(int /*target*/) const { return true; }
    std::vector<std::string> Fields() const;
    static void Append(std::vector<std::uint8_t>& out, const std::string& text);
    /// A counted reply, or an extended one (no checksum) above 238 bytes.
    static void Reply(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data);
    void EnterBootloader();

    COtherScenario m_scenario;

private:
    void FeedApplication(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending);
    void FeedBootloader(std::uint8_t byte, std::vector<std::uint8_t>& out);
    void RunText(std::vector<std::uint8_t>& out);
    void RunFrame(std::vector<std::uint8_t>& out);

    enum NParse : int
    {
        psIdle = 0,
        psText = 1,
        psFrame = 2,
    };

    bool m_bBootloader = false;
    int m_nBootTarget = 0;
    bool m_bCrLf = false;
    std::uint8_t m_nMode = 12;
    NParse m_nParse = psIdle;
    std::string m_strText;
    std::vector<std::uint8_t> m_frame;
    int m_nFrameData = 0;
    CBootLine m_bootLine{64};
    std::vector<std::vector<std::uint8_t>> m_frames;
    std::vector<std::string> m_texts;
};

} // namespace TerrionTest
