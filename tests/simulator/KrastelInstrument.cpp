#include "tests/simulator/KrastelInstrument.h"

namespace TerrionTest
{

int CKrastelInstrument::DataLength(std::uint8_t header, std::uint8_t command,
                                   const std::vector<std::uint8_t>& data)
{
    if (header == 0xC1 && command == 0xF8 && !data.empty() && data[0] == 0x00)
        return 1 + 128 + 2;
    if (header != 0xC1 || command != kLongCommand)
        return -1;
    return data.empty() ? 1 : data[0];
}

bool CKrastelInstrument::RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                                    std::vector<std::uint8_t>& out)
{
    if (command == 0xF8 && data.size() == 131)
    {
        ++m_nDescriptors;
        out.push_back(0x00);
        return true;
    }
    if (command == kLongCommand)
    {
        out.push_back(0x00);
        return true;
    }
    if (m_scenario.family == sfMezzeta && command == 0xD0 && data.size() == 1 && data[0] == '0')
    {
        out.insert(out.end(), m_scenario.mezzetaBlock.begin(), m_scenario.mezzetaBlock.end());
        return true;
    }
    return false;
}

} // namespace TerrionTest
