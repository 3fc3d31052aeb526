#pragma once
// The simulated Wexley Lab on top of CFramedInstrument: command 7 {0xFF}
// answers the scenario's status reply, 7 {4} 0x00; command 11 takes the
// information strings (sub-commands 0 clear, 1, 3 and 2 with a NUL-ended
// text) and answers 0x00; command 1 enters the bootloader.

#include "tests/simulator/FramedInstrument.h"

#include <map>

namespace TerrionTest
{

class CWexleyInstrument : public CFramedInstrument
{
public:
    explicit CWexleyInstrument(const COtherScenario& scenario) : CFramedInstrument(scenario) {}

    /// The information strings by sub-command.
    const std::map<int, std::string>& InfoStrings() const { return m_info; }

protected:
    bool RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                    std::vector<std::uint8_t>& out) override;

private:
    std::map<int, std::string> m_info;
};

} // namespace TerrionTest
