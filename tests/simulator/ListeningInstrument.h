#pragma once
// The simulated Tarlowend: it answers nothing and streams its lines, each
// begun by LF and ended by CR (so a run of lines reads "\n12.5\r\n0\r..."),
// starting a while after the host opened the line, once or over and over.

#include "tests/simulator/OtherScenario.h"
#include "tests/simulator/SimInstrument.h"

namespace TerrionTest
{

class CListeningInstrument : public CSimInstrument
{
public:
    explicit CListeningInstrument(const COtherScenario& scenario) : m_scenario(scenario) {}

    void Feed(std::uint8_t, std::vector<std::uint8_t>&, bool&) override {}
    void Tick(std::int64_t nowMs, std::vector<std::uint8_t>& out) override;

private:
    COtherScenario m_scenario;
    std::int64_t m_nStartMs = -1;
    bool m_bSent = false;
};

} // namespace TerrionTest
