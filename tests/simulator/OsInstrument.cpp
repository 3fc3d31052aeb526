#include "tests/simulator/OsInstrument.h"

namespace TerrionTest
{

bool COsInstrument::TextAnswer(const std::string& command, std::string& answer)
{
    if (command != "PNAM?")
        return false;
    answer = m_on.count(0xF4) != 0 && m_on.count(0xF0) != 0 ? m_scenario.probeAnswer : "NONE";
    return true;
}

bool COsInstrument::RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                               std::vector<std::uint8_t>& out)
{
    if (command == 0xE0 && data.size() == 4 && data[0] == 0x0B)
    {
        const std::uint8_t reg = data[1];
        if (data[2] != 0 && reg == m_scenario.failingRegister)
        {
            Reply(out, {0xFF, 0xFF, 0xFF, 0xFF});
            return true;
        }
        if (data[2] != 0)
            m_on.insert(reg);
        else
            m_on.erase(reg);
        Reply(out, {0, 0, 0, 0});
        return true;
    }
    if (command != 0xF3)
        return false;
    if (m_on.size() != 3)
    {
        out.push_back(0xF6);
        return true;
    }
    if (data.size() == 4 && data[0] == 0x0A)
        Reply(out, m_scenario.probeBlock);
    else if (data.size() == 24 && data[0] == 0x12)
    {
        m_scenario.probeBlock.assign(data.begin() + 4, data.end());
        Reply(out, {20});
    }
    else if (data.size() == 2 && data[0] == 0x1A)
    {
        m_bStored = true;
        out.push_back(0x00);
    }
    else
        out.push_back(0xFF);
    return true;
}

} // namespace TerrionTest
