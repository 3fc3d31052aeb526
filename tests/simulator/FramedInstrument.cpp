#include "tests/simulator/FramedInstrument.h"
#include "tests/simulator/ControlBytes.h"

#include <algorithm>
#include <cstdlib>

namespace TerrionTest
{
namespace
{

constexpr std::size_t kMaxText = 256;
constexpr std::size_t kBootBlock = 66;

std::uint32_t Hex(const std::string& digits)
{
    return digits.empty() ? 0u : static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
}

} // namespace

CFramedInstrument::CFramedInstrument(const COtherScenario& scenario)
    : m_scenario(scenario), m_bBootloader(scenario.bootloader)
{
}

void CFramedInstrument::Append(std::vector<std::uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void CFramedInstrument::Reply(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data)
{
    if (data.size() <= 238)
    {
        out.push_back(static_cast<std::uint8_t>(data.size()));
    }
    else
    {
        const std::size_t n = data.size();
        out.insert(out.end(), {0xEF, 0x00, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n >> 16)});
    }
    out.insert(out.end(), data.begin(), data.end());
}

void CFramedInstrument::EnterBootloader()
{
    m_bBootloader = true;
    m_nBootTarget = 0;
    m_bootLine.Clear();
}

std::vector<std::string> CFramedInstrument::Fields() const
{
    std::vector<std::string> fields(1);
    for (char c : m_scenario.identification)
    {
        if (c == ';')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    fields.resize(std::max<std::size_t>(fields.size(), 8));
    return fields;
}

void CFramedInstrument::Feed(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending)
{
    if (m_bBootloader)
        FeedBootloader(byte, out);
    else
        FeedApplication(byte, out, dropPending);
}

void CFramedInstrument::FeedApplication(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending)
{
    switch (m_nParse)
    {
    case psText:
        if (byte == kCr)
        {
            RunText(out);
            m_nParse = psIdle;
            return;
        }
        if (byte == kLf)
            return;
        if (byte < 0x80 && byte != kDle)
        {
            if (m_strText.size() < kMaxText)
                m_strText.push_back(static_cast<char>(byte));
            return;
        }
        m_nParse = psIdle;
        break;
    case psFrame:
    {
        m_frame.push_back(byte);
        if (m_frame.size() < 2)
            return;
        const std::vector<std::uint8_t> data(m_frame.begin() + 2, m_frame.end());
        const int special = DataLength(m_frame[0], m_frame[1], data);
        const std::size_t wanted = static_cast<std::size_t>(special >= 0 ? special : m_nFrameData);
        if (data.size() >= wanted)
        {
            RunFrame(out);
            m_nParse = psIdle;
        }
        return;
    }
    case psIdle:
        break;
    }

    if (FeedOther(byte, out, dropPending))
        return;
    if (byte == kDle)
    {
        out.push_back(kAck);
        m_strText.clear();
        m_nParse = psText;
    }
    else if (byte >= 0xC0 && byte <= 0xEF)
    {
        m_frame.assign(1, byte);
        m_nFrameData = byte - 0xC0;
        m_nParse = psFrame;
    }
}

void CFramedInstrument::RunText(std::vector<std::uint8_t>& out)
{
    const std::string command = m_strText;
    m_texts.push_back(command);
    const bool crLf = m_bCrLf;
    std::string answer;
    const std::vector<std::string> fields = Fields();
    if (command.empty())
        answer.clear();
    else if (command == "@ID@")
        answer = m_scenario.identification;
    else if (command == "ID")
        answer =
            m_scenario.idAnswer.empty() ? fields[0] + ";" + fields[4] + ";" + fields[2] : m_scenario.idAnswer;
    else if (command == "EC?")
        answer = m_bCrLf ? "EC1" : "EC0";
    else if (command == "EC0" || command == "EC1")
    {
        answer = command;
        m_bCrLf = command == "EC1";
    }
    else if (!TextAnswer(command, answer))
        answer = "?";
    if (crLf && !command.empty())
        Append(out, command + " " + answer + "\r\n");
    else
        Append(out, answer + (crLf ? "\r\n" : "\r"));
}

bool CFramedInstrument::TextAnswer(const std::string&, std::string&)
{
    return false;
}

bool CFramedInstrument::RunCommand(std::uint8_t, const std::vector<std::uint8_t>&, std::vector<std::uint8_t>&)
{
    return false;
}

void CFramedInstrument::RunFrame(std::vector<std::uint8_t>& out)
{
    const std::uint8_t command = m_frame[1];
    const std::vector<std::uint8_t> data(m_frame.begin() + 2, m_frame.end());
    std::vector<std::uint8_t> record(1, command);
    record.insert(record.end(), data.begin(), data.end());
    m_frames.push_back(record);

    if (RunCommand(command, data, out))
        return;
    if (command == 0xF7)
    {
        out.push_back(0xF0);
    }
    else if (command == 0xF1 && data.empty())
    {
        const std::uint32_t id = Hex(Fields()[3]);
        out.push_back(4);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(id >> shift));
    }
    else if (command == 0xF4 && data.size() == 2)
    {
        const std::uint8_t mode = data[1];
        switch (data[0])
        {
        case 0x00:
            out.insert(out.end(), {1, static_cast<std::uint8_t>(mode == 8 || mode == 12 ? 1 : 0)});
            break;
        case 0x01:
            out.insert(out.end(), {1, static_cast<std::uint8_t>(mode == m_nMode ? 1 : 0)});
            break;
        case 0x02:
            if (mode == 8 || mode == 12)
                m_nMode = mode;
            break;
        case 0x03:
            out.insert(out.end(), {3, 100, 0, 0});
            break;
        case 0x10:
        case 0x11:
        case 0x12:
            out.insert(out.end(), {1, 1});
            break;
        default:
            out.push_back(0xFF);
            break;
        }
    }
    else if (command == 0xD2 && data.size() == 1 && data[0] == 0x01)
    {
        out.push_back(0x00);
        EnterBootloader();
    }
    else
    {
        out.push_back(0xFF);
    }
}

void CFramedInstrument::FeedBootloader(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    std::string line;
    if (!m_bootLine.Feed(byte, line))
        return;
    const std::optional<CBootLine::SCommand> command = CBootLine::Command(line);
    if (!command)
        return;
    const std::uint32_t word = command->word;
    m_texts.push_back(command->text);
    switch (command->letter)
    {
    case 'C':
        if (word == 0x0102 || word == 0x0202)
        {
            m_nBootTarget = static_cast<int>(word >> 8);
            out.push_back('G');
        }
        else if (word == 0x0100 || word == 0x0200)
        {
            m_nBootTarget = 0;
            out.push_back('G');
        }
        break;
    case 'I':
        if (m_nBootTarget != 0)
        {
            std::string block = m_scenario.identification.substr(0, kBootBlock - 1) + ";";
            block.resize(kBootBlock, ' ');
            Append(out, block);
        }
        break;
    case 'E':
        out.push_back('E');
        break;
    case 'X':
        out.push_back('X');
        if (ExitStartsApplication(m_nBootTarget))
        {
            m_bBootloader = false;
            m_nParse = psIdle;
        }
        m_nBootTarget = 0;
        break;
    default:
        break;
    }
}

} // namespace TerrionTest
