#include "tests/simulator/WexleyInstrument.h"

namespace TerrionTest
{

bool CWexleyInstrument::RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                                   std::vector<std::uint8_t>& out)
{
    if (command == 7 && data.size() == 1)
    {
        if (data[0] == 0xFF)
            Reply(out, m_scenario.statusReply);
        else
            out.push_back(0x00);
        return true;
    }
    if (command == 11 && !data.empty())
    {
        if (data[0] == 0)
            m_info.clear();
        else if (data.back() == 0)
            m_info[data[0]] = std::string(data.begin() + 1, data.end() - 1);
        else
        {
            out.push_back(0xF5);
            return true;
        }
        out.push_back(0x00);
        return true;
    }
    if (command == 1 && data.empty())
    {
        out.push_back(0x00);
        EnterBootloader();
        return true;
    }
    return false;
}

} // namespace TerrionTest
