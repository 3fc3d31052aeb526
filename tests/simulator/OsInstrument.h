#pragma once
// The simulated OS-based instruments (Halvint 3, Platform) on top of
// CFramedInstrument, with the Halvint 3's probe:
// - 0xE0 {0x0B, register, state, 0} switches a probe register (F4, F0, 09)
//   and answers four zero bytes (a refusing register answers 0xFF bytes);
// - "PNAM?" answers the probe's name once F4 and F0 are on;
// - 0xF3 {0x0A, 0xF0, 0, 0x14} reads the 20-byte parameter block,
//   {0x12, 0xF0, 0, 0x14, 20 bytes} writes it (answer: one byte 20) and
//   {0x1A, 0xF0} stores it (0x00); all three need every register on.

#include "tests/simulator/FramedInstrument.h"

#include <set>

namespace TerrionTest
{

class COsInstrument : public CFramedInstrument
{
public:
    explicit COsInstrument(const COtherScenario& scenario) : CFramedInstrument(scenario) {}

    const std::set<std::uint8_t>& RegistersOn() const { return m_on; }
    const std::vector<std::uint8_t>& ProbeBlock() const { return m_scenario.probeBlock; }
    bool Stored() const { return m_bStored; }

protected:
    bool TextAnswer(const std::string& command, std::string& answer) override;
    bool RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                    std::vector<std::uint8_t>& out) override;

private:
    std::set<std::uint8_t> m_on;
    bool m_bStored = false;
};

} // namespace TerrionTest
