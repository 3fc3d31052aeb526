#include "tests/simulator/BootLine.h"
#include "tests/simulator/ControlBytes.h"

#include <cstdlib>

namespace TerrionTest
{
namespace
{

constexpr std::size_t kCommandSize = 10;

std::uint32_t Hex(const std::string& digits)
{
    return static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
}

} // namespace

bool CBootLine::Feed(std::uint8_t byte, std::string& line)
{
    if (byte != kLf)
    {
        m_strLine.push_back(static_cast<char>(byte));
        if (m_strLine.size() > m_nKeep)
            m_strLine.erase(0, m_strLine.size() - m_nKeep);
        return false;
    }
    line.clear();
    line.swap(m_strLine);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

std::optional<CBootLine::SCommand> CBootLine::Command(const std::string& line)
{
    if (line.size() < kCommandSize)
        return std::nullopt;
    SCommand command;
    command.text = line.substr(line.size() - kCommandSize);
    if (command.text[0] != 'S' || command.text.substr(2, 2) != "03")
        return std::nullopt;
    command.letter = command.text[1];
    command.word = Hex(command.text.substr(4, 4));
    const std::uint32_t check = Hex(command.text.substr(8, 2));
    if (check != 0xFFu - ((0x03u + (command.word >> 8) + (command.word & 0xFF)) & 0xFF))
        return std::nullopt;
    return command;
}

} // namespace TerrionTest
