#include "tests/simulator/CoverMeterInstrument.h"

#include <cstdio>
#include <cstdlib>

namespace TerrionTest
{
namespace
{

bool IsHexDigit(std::uint8_t byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'F');
}

} // namespace

CCoverMeterInstrument::CCoverMeterInstrument(const COtherScenario& scenario)
    : CFramedInstrument(scenario), m_nRate(scenario.rate)
{
}

bool CCoverMeterInstrument::TextAnswer(const std::string& command, std::string& answer)
{
    if (command.rfind("BR ", 0) != 0)
        return false;
    if (m_scenario.refusesRate)
    {
        answer = "?";
        return true;
    }
    if (command == "BR ?")
    {
        char text[16];
        std::snprintf(text, sizeof text, "%03d",
                      m_nRate == 0 ? 0 : static_cast<int>(4000000.0 / m_nRate + 0.5));
        answer = text;
        return true;
    }
    static constexpr struct
    {
        int divisor;
        std::uint32_t rate;
    } kRates[] = {{35, 115200}, {69, 57600}, {104, 38400}, {208, 19200}, {417, 9600}};
    const int divisor = std::atoi(command.c_str() + 3);
    for (const auto& entry : kRates)
    {
        if (entry.divisor == divisor)
        {
            answer = "OK";
            m_nPendingRate = entry.rate;
            m_rates.push_back(entry.rate);
            return true;
        }
    }
    answer = "?";
    return true;
}

void CCoverMeterInstrument::Tick(std::int64_t, std::vector<std::uint8_t>&)
{
    if (m_nPendingRate != 0)
        m_nRate = m_nPendingRate;
    m_nPendingRate = 0;
}

std::vector<std::uint8_t> CCoverMeterInstrument::BinaryReply() const
{
    if (!m_scenario.binaryReply.empty())
        return m_scenario.binaryReply;
    const std::size_t count = m_scenario.records.size();
    std::vector<std::uint8_t> reply = {1, static_cast<std::uint8_t>(count),
                                       static_cast<std::uint8_t>(count >> 8), 262 & 0xFF, 262 >> 8};
    for (const std::vector<std::uint8_t>& record : m_scenario.records)
        reply.insert(reply.end(), record.begin(), record.end());
    return reply;
}

std::string CCoverMeterInstrument::TextReply() const
{
    if (!m_scenario.textReply.empty())
        return m_scenario.textReply;
    std::string reply = "1;" + std::to_string(m_scenario.objectTexts.size()) + ";";
    for (const std::string& text : m_scenario.objectTexts)
        reply += text + "<eof>";
    return reply;
}

bool CCoverMeterInstrument::RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                                       std::vector<std::uint8_t>& out)
{
    if (command != 0xD2 || data.empty())
        return false;
    switch (data[0])
    {
    case 0x12:
        if (m_scenario.records.empty() && m_scenario.binaryReply.empty())
            out.push_back(0xF3);
        else
            Reply(out, BinaryReply());
        return true;
    case 0x10:
    {
        if (m_scenario.objectTexts.empty() && m_scenario.textReply.empty())
        {
            out.push_back(0xF3);
            return true;
        }
        const std::string text = TextReply();
        Reply(out, std::vector<std::uint8_t>(text.begin(), text.end()));
        return true;
    }
    case '3':
        Reply(out, std::vector<std::uint8_t>(m_scenario.deviceText.begin(), m_scenario.deviceText.end()));
        return true;
    case 0x13:
        Reply(out, {m_scenario.statusByte});
        return true;
    case 5:
    case 6:
        Reply(out, {0});
        return true;
    case '0':
    case '1':
    case '2':
    case 2:
    case '4':
        out.push_back(0x00);
        return true;
    case 0x04:
        out.push_back(0x00);
        m_bMemory = true;
        m_strDigits.clear();
        return true;
    default:
        return false;
    }
}

std::uint8_t CCoverMeterInstrument::MemoryByte(std::uint32_t address)
{
    if (address >= 0x1000 && address < 0x1000 + m_scenario.settingsBlock.size())
        return m_scenario.settingsBlock[address - 0x1000];
    if (address == 0x1128)
    {
        if (m_nBusyLeft != 0)
        {
            if (m_nBusyLeft > 0)
                --m_nBusyLeft;
            return 0x01;
        }
        return 0x00;
    }
    return 0xFF;
}

bool CCoverMeterInstrument::FeedOther(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending)
{
    if (!m_bMemory)
        return false;
    if (byte == 0x10 || byte >= 0xC0)
    {
        m_bMemory = false; // back to the application, which takes this byte
        return false;
    }
    if (IsHexDigit(byte))
    {
        m_strDigits.push_back(static_cast<char>(byte));
        if (m_strDigits.size() > 8)
            m_strDigits.erase(0, m_strDigits.size() - 8);
        return true;
    }
    const std::uint32_t value =
        m_strDigits.empty() ? 0u : static_cast<std::uint32_t>(std::strtoul(m_strDigits.c_str(), nullptr, 16));
    const std::size_t digits = m_strDigits.size();
    m_strDigits.clear();
    switch (byte)
    {
    case 's':
        dropPending = true;
        m_nAddress = value;
        break;
    case 'n':
        dropPending = true;
        if (value != 0)
        {
            for (std::uint32_t i = 0; i < value; ++i)
            {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02X", MemoryByte(m_nAddress++));
                Append(out, pair);
            }
            out.push_back('\r');
        }
        break;
    case 't':
        if (value == 0xA5A5 && digits == 4)
        {
            ++m_nDeletes;
            m_scenario.records.clear();
            m_scenario.objectTexts.clear();
            m_nBusyLeft = m_scenario.busyPolls;
        }
        break;
    case 'i':
        if (value == 0xC0C0 && digits == 4)
            m_bMemory = false;
        break;
    default:
        break;
    }
    return true;
}

} // namespace TerrionTest
