#include "tests/simulator/ListeningInstrument.h"

namespace TerrionTest
{

void CListeningInstrument::Tick(std::int64_t nowMs, std::vector<std::uint8_t>& out)
{
    if (m_nStartMs < 0)
        m_nStartMs = nowMs;
    if (nowMs - m_nStartMs < m_scenario.listenDelayMs || (m_bSent && !m_scenario.repeatLines))
        return;
    m_bSent = true;
    m_nStartMs = nowMs - m_scenario.listenDelayMs + 200; // the next round after 200 ms
    for (const std::string& line : m_scenario.lines)
    {
        out.push_back('\n');
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
    }
}

} // namespace TerrionTest
