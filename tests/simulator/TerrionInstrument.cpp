#include "tests/simulator/TerrionInstrument.h"
#include "tests/simulator/ControlBytes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace TerrionTest
{
namespace
{

constexpr std::size_t kMaxText = 256;
constexpr std::uint16_t kFlashStart = 0x1000;
constexpr std::uint32_t kEraseBlock = 0x100;
constexpr std::size_t kBootReplySize = 66;

bool IsHexDigit(std::uint8_t byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'F');
}

std::uint32_t HexValue(const std::string& digits)
{
    return digits.empty() ? 0u : static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
}

void Append(std::vector<std::uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace

CTerrionInstrument::CTerrionInstrument(const CTerrionScenario& scenario)
    : m_scenario(scenario), m_memory(scenario.BuildMemory()),
      m_nState(scenario.StartsInBootloader() ? tsBootloader : tsApplication)
{
    for (const auto& [name, content] : scenario.Files())
        m_files[name] = std::vector<std::uint8_t>(content.begin(), content.end());
}

void CTerrionInstrument::Feed(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending)
{
    switch (m_nState)
    {
    case tsApplication:
        FeedApplication(byte, out);
        break;
    case tsMemoryAccess:
        FeedMemoryAccess(byte, out, dropPending);
        break;
    case tsBootloader:
        FeedBootloader(byte, out);
        break;
    }
}

std::uint8_t CTerrionInstrument::ReadByte(std::uint16_t address) const
{
    const std::uint16_t spacing = CTerrionScenario::kDefaultSpacingAddress;
    const std::uint16_t settings = CTerrionScenario::kSettingsAddress;
    if (address == spacing || address == spacing + 1)
    {
        const std::uint16_t word =
            static_cast<std::uint16_t>(m_memory[settings] | (m_memory[settings + 1] << 8));
        if (word != 0xFFFF)
            return static_cast<std::uint8_t>(address == spacing ? word & 0xFF : word >> 8);
    }
    return m_memory[address];
}

void CTerrionInstrument::FeedApplication(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    switch (m_nParse)
    {
    case psFileData:
        FeedFileData(byte, out);
        return;
    case psText:
        if (byte == kCr)
        {
            m_nParse = psIdle; // a SAVE goes on to take its data
            RunText(out);
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
        m_nParse = psIdle; // not text after all: start over with this byte
        break;
    case psFrame:
        m_frame.push_back(byte);
        if (m_frame.size() == m_nFrameLength)
        {
            m_nParse = psIdle; // a transfer goes on to take its bytes
            RunFrame(out);
        }
        return;
    case psTransfer:
        FeedTransferData(byte, out);
        return;
    case psIdle:
        break;
    }

    if (byte == kDle)
    {
        out.push_back(kAck);
        m_strText.clear();
        m_nParse = psText;
    }
    else if (byte >= 0xC0 && byte <= 0xEF)
    {
        m_frame.assign(1, byte);
        m_nFrameLength = 2 + (byte - 0xC0);
        m_nParse = psFrame;
    }
}

void CTerrionInstrument::RunText(std::vector<std::uint8_t>& out)
{
    if (m_scenario.HasFileSystem() && FileAnswer(m_strText, out))
        return;
    const bool crLf = m_bCrLf; // "EC0"/"EC1" answer in the line end they replace
    const std::string answer = TextAnswer(m_strText);
    if (crLf && !m_strText.empty())
        Append(out, m_strText + " " + answer + "\r\n");
    else
        Append(out, answer + (crLf ? "\r\n" : "\r"));
}

std::string CTerrionInstrument::TextAnswer(const std::string& command)
{
    if (command.empty())
        return {};
    if (command == "@ID@")
        return m_scenario.Identification();
    if (command == "ID")
    {
        const std::vector<std::string> fields = IdentificationFields();
        return fields[0] + ";" + fields[4] + ";" + fields[2];
    }
    if (command == "EC?")
        return m_bCrLf ? "EC1" : "EC0";
    if (command == "EC0" || command == "EC1")
    {
        // The answer still goes out in the old line end.
        const std::string answer = command;
        m_bCrLf = command == "EC1";
        return answer;
    }
    return "?";
}

namespace
{

/// The quoted arguments of a command, escapes undone, and what follows the last one.
std::vector<std::string> QuotedArguments(const std::string& command, std::string& tail)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    tail.clear();
    while (i < command.size())
    {
        if (command[i] != '"')
        {
            ++i;
            continue;
        }
        std::string argument;
        for (++i; i < command.size() && command[i] != '"'; ++i)
        {
            if (command[i] == '\\' && i + 1 < command.size())
                ++i;
            argument.push_back(command[i]);
        }
        ++i;
        arguments.push_back(argument);
        tail = command.substr(std::min(i, command.size()));
    }
    return arguments;
}

void AppendLine(std::vector<std::uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(kCr);
}

} // namespace

bool CTerrionInstrument::FileAnswer(const std::string& command, std::vector<std::uint8_t>& out)
{
    const std::string verb = command.substr(0, command.find(' '));
    std::string tail;
    const std::vector<std::string> arguments = QuotedArguments(command, tail);
    if (verb == "DIRS")
    {
        std::string listing;
        for (const auto& [name, content] : m_files)
            listing += name + "," + std::to_string(content.size()) + ";";
        char count[16] = {};
        std::snprintf(count, sizeof count, "%08X;", static_cast<unsigned>(listing.size()));
        AppendLine(out, count + listing);
        return true;
    }
    if (verb == "LOAD")
    {
        const auto file = arguments.size() == 1 ? m_files.find(arguments[0]) : m_files.end();
        const std::uint32_t length =
            file == m_files.end() ? 0u : static_cast<std::uint32_t>(file->second.size());
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(length >> shift));
        if (file != m_files.end())
            out.insert(out.end(), file->second.begin(), file->second.end());
        return true;
    }
    if (verb == "SAVE")
    {
        if (arguments.size() != 1)
        {
            AppendLine(out, "?");
            return true;
        }
        AppendLine(out, "OK");
        m_strSaveName = arguments[0];
        m_saveData.clear();
        m_nSaveLength = 0;
        m_nParse = psFileData;
        return true;
    }
    if (verb == "DELF")
    {
        const bool found = arguments.size() == 1 && m_files.erase(arguments[0]) == 1;
        AppendLine(out, found ? "OK" : "?");
        return true;
    }
    if (verb == "MOVF")
    {
        const auto file = arguments.size() == 2 ? m_files.find(arguments[0]) : m_files.end();
        if (file == m_files.end())
        {
            AppendLine(out, "?");
            return true;
        }
        std::vector<std::uint8_t> content = std::move(file->second);
        m_files.erase(file);
        m_files[arguments[1]] = std::move(content);
        AppendLine(out, "OK");
        return true;
    }
    if (verb == "RLGI")
    {
        const std::size_t keyStart = tail.find_first_not_of("; ");
        const bool keyed = keyStart != std::string::npos;
        const std::uint32_t key = keyed ? HexValue(tail.substr(keyStart)) : 0;
        for (const CTerrionScenario::SAccount& account : m_scenario.Accounts())
        {
            if (arguments.size() == 2 && arguments[0] == account.user && arguments[1] == account.password &&
                (!keyed || key == account.key))
            {
                AppendLine(out, account.user + ";" + std::to_string(account.rights));
                return true;
            }
        }
        AppendLine(out, "?");
        return true;
    }
    if (verb == "RLGO")
    {
        AppendLine(out, "OK");
        return true;
    }
    return false;
}

void CTerrionInstrument::FeedFileData(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    m_saveData.push_back(byte);
    if (m_saveData.size() == 4)
    {
        m_nSaveLength = static_cast<std::uint32_t>(m_saveData[0] | m_saveData[1] << 8 | m_saveData[2] << 16 |
                                                   m_saveData[3] << 24);
    }
    if (m_saveData.size() < 4 || m_saveData.size() < 4 + static_cast<std::size_t>(m_nSaveLength))
        return;
    m_files[m_strSaveName] = std::vector<std::uint8_t>(m_saveData.begin() + 4, m_saveData.end());
    m_saveData.clear();
    m_nParse = psIdle;
    out.push_back('y');
    out.push_back(kCr);
}

std::vector<std::string> CTerrionInstrument::IdentificationFields() const
{
    std::vector<std::string> fields(1);
    for (char c : m_scenario.Identification())
    {
        if (c == ';')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    fields.resize(std::max<std::size_t>(fields.size(), 5));
    return fields;
}

void CTerrionInstrument::RunFrame(std::vector<std::uint8_t>& out)
{
    const std::uint8_t command = m_frame[1];
    const std::size_t count = m_frame.size() - 2;
    const std::uint8_t* data = m_frame.data() + 2;

    if (command == 0xF7)
    {
        out.push_back(0xF0);
    }
    else if (command == 0xD2 && count == 1 && (data[0] == 0x04 || data[0] == 0x01))
    {
        out.push_back(0x00);
        m_nState = data[0] == 0x04 ? tsMemoryAccess : tsBootloader;
        m_strDigits.clear();
        m_bootLine.Clear();
    }
    else if (command == 0xF1 && count == 0)
    {
        const std::uint32_t id = HexValue(IdentificationFields()[3]);
        out.push_back(4);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(id >> shift));
    }
    else if (command == 0xF8 && count >= 1 && m_scenario.HasFramedUpgrade())
    {
        RunTransfer(data, count, out);
    }
    else if (command == 0xF4 && count == 2)
    {
        const std::uint8_t mode = data[1];
        switch (data[0])
        {
        case 0x00: // supported?
            out.push_back(1);
            out.push_back(mode == 12 || (m_scenario.HasFramedUpgrade() && mode >= 1 && mode <= 12) ? 1 : 0);
            break;
        case 0x01: // active?
            out.push_back(1);
            out.push_back(mode == m_nMode ? 1 : 0);
            break;
        case 0x02: // switch: nothing to answer
            if (mode == 12 || (m_scenario.HasFramedUpgrade() && mode >= 1 && mode <= 12))
                m_nMode = mode;
            break;
        case 0x03: // duration of a switch
            out.insert(out.end(), {3, 100, 0, 0});
            break;
        case 0x10:
        case 0x11:
        case 0x12:
            out.push_back(1);
            out.push_back(1);
            break;
        default:
            out.push_back(0xFF);
            break;
        }
    }
    else
    {
        out.push_back(0xFF);
    }
}

namespace
{

std::uint32_t Crc32(const std::uint8_t* data, std::size_t count)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i)
    {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

std::uint32_t Little32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) |
           static_cast<std::uint32_t>(bytes[3]) << 24;
}

/// The piece's data checked against the CRC-32 that ends it.
bool CheckedPiece(const std::vector<std::uint8_t>& piece, bool withChecksum)
{
    if (!withChecksum)
        return true;
    const std::size_t length = piece.size() - 4;
    return Crc32(piece.data(), length) == Little32(piece.data() + length);
}

} // namespace

void CTerrionInstrument::RunTransfer(const std::uint8_t* data, std::size_t count,
                                     std::vector<std::uint8_t>& out)
{
    m_transferPiece.clear();
    m_transferBlock.clear();
    if (count == 1 && data[0] == 0x00)
    {
        m_nTransfer = trDescriptor;
        m_bTransferChecksum = true;
        m_nTransferLength = 128;
        m_nParse = psTransfer;
    }
    else if ((count == 6 || count == 9) && data[0] == 0x01)
    {
        m_nTransfer = count == 6 ? trWhole : trChunks;
        m_bTransferChecksum = data[1] != 0;
        m_nTransferLength = Little32(data + 2);
        m_nChunk = count == 9 ? static_cast<std::uint32_t>(data[6] | data[7] << 8 | data[8] << 16) : 0;
        if (m_nTransferLength == 0 || (m_nTransfer == trChunks && m_nChunk == 0))
            out.push_back(0xFE);
        else
            m_nParse = psTransfer;
    }
    else if (count == 1 && (data[0] == 0x04 || data[0] == 0x03))
    {
        out.insert(out.end(), {3, 50, 0, 0});
    }
    else if (count == 1 && data[0] == 0x02)
    {
        ++m_nProgramCount;
        out.push_back(0x00);
    }
    else
    {
        out.push_back(0xFF);
    }
}

void CTerrionInstrument::FeedTransferData(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    m_transferPiece.push_back(byte);
    const std::size_t left = m_nTransferLength - m_transferBlock.size();
    const std::size_t dataSize = m_nTransfer == trChunks ? std::min<std::size_t>(m_nChunk, left) : left;
    if (m_transferPiece.size() < dataSize + (m_bTransferChecksum ? 4 : 0))
        return;
    const bool good = CheckedPiece(m_transferPiece, m_bTransferChecksum);
    const bool rejected = m_nTransfer == trChunks && m_nRejectChunks > 0;
    if (rejected)
        --m_nRejectChunks;
    if (!good || rejected)
    {
        // The host starts the whole transfer again after a sync.
        m_nParse = psIdle;
        out.push_back(0xFE);
        return;
    }
    m_transferBlock.insert(m_transferBlock.end(), m_transferPiece.begin(),
                           m_transferPiece.begin() + static_cast<std::ptrdiff_t>(dataSize));
    m_transferPiece.clear();
    out.push_back(0x00);
    if (m_transferBlock.size() < m_nTransferLength)
        return;
    m_nParse = psIdle;
    if (m_nTransfer == trDescriptor)
        m_descriptors.push_back(m_transferBlock);
    else
        m_blocks.push_back(m_transferBlock);
    m_transferBlock.clear();
}

void CTerrionInstrument::FeedMemoryAccess(std::uint8_t byte, std::vector<std::uint8_t>& out,
                                          bool& dropPending)
{
    if (IsHexDigit(byte))
    {
        m_strDigits.push_back(static_cast<char>(byte));
        if (m_strDigits.size() > 8)
            m_strDigits.erase(0, m_strDigits.size() - 8);
        return;
    }
    const std::uint32_t value = HexValue(m_strDigits);
    const std::size_t digits = m_strDigits.size();
    m_strDigits.clear();

    switch (byte)
    {
    case 's':
        dropPending = true;
        m_nAddress = static_cast<std::uint16_t>(value);
        break;
    case 'n':
        dropPending = true;
        if (value != 0)
            Dump(value, out);
        break;
    case 'w':
    {
        const std::uint8_t data = static_cast<std::uint8_t>(value >> 8);
        const std::uint8_t check = static_cast<std::uint8_t>(value);
        const std::uint8_t expected =
            static_cast<std::uint8_t>((m_nAddress >> 8) + (m_nAddress & 0xFF) + data);
        if (digits == 4 && check == expected && !m_bRejectWrites)
        {
            StoreByte(m_nAddress, data);
            ++m_nAddress;
            ++m_nWriteCount;
            out.push_back('o');
        }
        else
        {
            ++m_nRejectedCount;
            out.push_back('f');
        }
        break;
    }
    case 'e':
    {
        const std::uint32_t target = static_cast<std::uint32_t>(0u - value);
        if (digits > 0 && target == m_nAddress)
        {
            const std::uint32_t start = m_nAddress & ~(kEraseBlock - 1);
            std::fill(m_memory.begin() + start, m_memory.begin() + start + kEraseBlock, 0xFF);
            ++m_nEraseCount;
            out.push_back('o');
        }
        else
        {
            out.push_back('f');
        }
        break;
    }
    case 't':
        if (value == 0xA5A5 && digits == 4)
        {
            const std::size_t start = CTerrionScenario::kRecordAddress;
            std::fill(m_memory.begin() + start, m_memory.begin() + start + 4 * CTerrionScenario::kRecordCount,
                      0xFF);
            ++m_nDeleteAllCount;
        }
        break;
    case 'i':
        if (value == 0xC0C0 && digits == 4)
            m_nState = tsApplication;
        m_nParse = psIdle;
        break;
    default:
        break;
    }
}

void CTerrionInstrument::Dump(std::uint32_t count, std::vector<std::uint8_t>& out)
{
    static const char kMarkers[] = "abcd";
    char pair[3];
    for (std::uint32_t i = 0; i < count; ++i)
    {
        std::snprintf(pair, sizeof pair, "%02X", ReadByte(m_nAddress++));
        out.push_back(static_cast<std::uint8_t>(pair[0]));
        out.push_back(static_cast<std::uint8_t>(pair[1]));
        if (m_bDumpMarkers && i % 8 == 7)
            out.push_back(static_cast<std::uint8_t>(kMarkers[(i / 8) % 4]));
    }
}

void CTerrionInstrument::StoreByte(std::uint16_t address, std::uint8_t value)
{
    if (address >= kFlashStart)
        m_memory[address] &= value;
    else
        m_memory[address] = value;
}

void CTerrionInstrument::FeedBootloader(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    std::string line;
    if (!m_bootLine.Feed(byte, line))
        return;
    if (line.size() >= 4 && line[0] == 'S' && line[1] >= '0' && line[1] <= '9')
    {
        // An S-record: count, address, data and a checksum over all of them.
        const std::string body = line.substr(2);
        unsigned sum = 0;
        bool valid = body.size() % 2 == 0 && std::all_of(body.begin(), body.end(), IsHexDigit) &&
                     HexValue(body.substr(0, 2)) * 2 == body.size() - 2;
        for (std::size_t i = 0; valid && i < body.size(); i += 2)
            sum += HexValue(body.substr(i, 2));
        valid = valid && (sum & 0xFF) == 0xFF;
        if (valid)
            m_sRecords.push_back(line);
        out.push_back(valid ? 'P' : 'F');
        return;
    }
    const std::optional<CBootLine::SCommand> command = CBootLine::Command(line);
    if (!command)
        return;
    switch (command->letter)
    {
    case 'C':
        if (command->word == 0x0102)
            out.push_back('G');
        break;
    case 'I':
    {
        std::string block = m_scenario.Identification().substr(0, kBootReplySize - 1) + ";";
        block.resize(kBootReplySize, ' ');
        Append(out, block);
        break;
    }
    case 'E':
        out.push_back('E');
        break;
    case 'X':
        out.push_back('X');
        m_nState = tsApplication;
        m_nParse = psIdle;
        break;
    default:
        break;
    }
}

} // namespace TerrionTest
