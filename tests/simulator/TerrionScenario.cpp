#include "tests/simulator/TerrionScenario.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace TerrionTest
{
namespace
{

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint32_t ParseNumber(const std::string& text, std::uint32_t limit)
{
    std::size_t used = 0;
    unsigned long value = 0;
    try
    {
        value = std::stoul(text, &used, 0);
    }
    catch (const std::exception&)
    {
        throw std::runtime_error("not a number: " + text);
    }
    if (used != text.size() || value > limit)
        throw std::runtime_error("number out of range: " + text);
    return static_cast<std::uint32_t>(value);
}

std::uint16_t ParseTenths(const std::string& text)
{
    return text == "none" ? 0xFFFF : static_cast<std::uint16_t>(ParseNumber(text, 0xFFFF));
}

std::uint8_t ParseName(const std::string& text, std::initializer_list<const char*> names)
{
    std::uint8_t code = 1;
    for (const char* name : names)
    {
        if (text == name)
            return code;
        ++code;
    }
    return static_cast<std::uint8_t>(ParseNumber(text, 0xFF));
}

void ParseSettings(std::istringstream& words, STerrionSettings& settings)
{
    std::string word;
    while (words >> word)
    {
        const std::size_t eq = word.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("expected name=value: " + word);
        const std::string name = word.substr(0, eq);
        const std::string value = word.substr(eq + 1);
        if (name == "word")
            settings.spacingWord = ParseTenths(value);
        else if (name == "format")
            settings.format = static_cast<std::uint8_t>(ParseNumber(value, 0xFF));
        else if (name == "spacing")
            settings.contactSpacing = ParseTenths(value);
        else if (name == "factor")
            settings.factor = std::stof(value);
        else if (name == "mode")
            settings.mode = ParseName(value, {"surface", "bulk"});
        else if (name == "shape")
            settings.shape = ParseName(value, {"flat", "cylinder", "prism"});
        else if (name == "correction")
            settings.correction = ParseName(value, {"geometric", "custom"});
        else if (name == "length")
            settings.length = ParseTenths(value);
        else if (name == "diameter" || name == "width")
            settings.diameter = ParseTenths(value);
        else if (name == "depth")
            settings.depth = ParseTenths(value);
        else
            throw std::runtime_error("unknown setting: " + name);
    }
}

} // namespace

double STerrionReading::ExpectedValue() const
{
    if (ExpectedCurrent() == 0)
        return 0.0;
    return tenths ? value / 10.0 : static_cast<double>(value);
}

std::uint16_t STerrionReading::ExpectedCurrent() const
{
    if (currentCode >= 1 && currentCode <= 5)
        return static_cast<std::uint16_t>(10 * currentCode);
    return currentCode == 6 ? 200 : 0;
}

std::vector<std::uint8_t> STerrionSettings::ToBlock() const
{
    std::vector<std::uint8_t> block(CTerrionScenario::kSettingsSize, 0);
    PutWord(block, 0, spacingWord);
    block[2] = format;
    PutWord(block, 3, contactSpacing);
    std::memcpy(&block[5], &factor, 4); // IEEE single, little-endian on this host
    block[9] = mode;
    block[10] = shape;
    block[11] = correction;
    PutWord(block, 12, length);
    PutWord(block, 14, diameter);
    PutWord(block, 16, depth);
    return block;
}

CTerrionScenario::CTerrionScenario() : m_settingsBlock(STerrionSettings{}.ToBlock())
{
}

CTerrionScenario CTerrionScenario::Parse(const std::string& text)
{
    CTerrionScenario scenario;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line))
    {
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword))
            continue;
        try
        {
            if (keyword == "identification")
            {
                std::string rest;
                std::getline(words >> std::ws, rest);
                while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\r'))
                    rest.pop_back();
                scenario.SetIdentification(rest);
            }
            else if (keyword == "bootloader")
                scenario.SetBootloader(true);
            else if (keyword == "framed-upgrade")
                scenario.SetFramedUpgrade(true);
            else if (keyword == "files")
                scenario.SetFileSystem(true);
            else if (keyword == "default-spacing")
            {
                std::string value;
                words >> value;
                scenario.SetDefaultSpacing(ParseTenths(value));
            }
            else if (keyword == "settings")
            {
                STerrionSettings settings;
                ParseSettings(words, settings);
                scenario.SetSettings(settings);
            }
            else if (keyword == "old-settings")
            {
                STerrionSettings settings;
                ParseSettings(words, settings);
                scenario.SetOldSettings(settings.contactSpacing);
            }
            else if (keyword == "series")
            {
                std::string value;
                words >> value;
                scenario.AddSeries(static_cast<std::uint8_t>(ParseNumber(value, 0xFF)));
            }
            else if (keyword == "reading")
            {
                STerrionReading reading;
                std::string value;
                words >> value;
                reading.value = static_cast<std::uint16_t>(ParseNumber(value, 2047));
                std::string word;
                while (words >> word)
                {
                    if (word == "tenths")
                        reading.tenths = true;
                    else if (word.rfind("code=", 0) == 0)
                        reading.currentCode = static_cast<std::uint8_t>(ParseNumber(word.substr(5), 7));
                    else if (word.rfind("byte=", 0) == 0)
                        reading.recordByte = static_cast<std::uint8_t>(ParseNumber(word.substr(5), 0xFE));
                    else
                        throw std::runtime_error("unknown reading field: " + word);
                }
                scenario.AddReading(reading);
            }
            else if (keyword == "raw")
            {
                std::string value;
                words >> value;
                scenario.AddRawRecord(ParseNumber(value, 0xFFFFFFFFu));
            }
            else if (keyword == "end")
                scenario.AddEnd();
            else
                throw std::runtime_error("unknown statement: " + keyword);
        }
        catch (const std::exception& error)
        {
            throw std::runtime_error("scenario line " + std::to_string(number) + ": " + error.what());
        }
    }
    return scenario;
}

CTerrionScenario CTerrionScenario::Load(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read scenario " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

CTerrionScenario& CTerrionScenario::SetIdentification(const std::string& text)
{
    m_strIdentification = text;
    return *this;
}

CTerrionScenario& CTerrionScenario::SetFramedUpgrade(bool on)
{
    m_bFramedUpgrade = on;
    return *this;
}

CTerrionScenario& CTerrionScenario::SetFileSystem(bool on)
{
    m_bFileSystem = on;
    return *this;
}

CTerrionScenario& CTerrionScenario::AddFile(const std::string& name, const std::string& content)
{
    m_bFileSystem = true;
    m_files.emplace_back(name, content);
    return *this;
}

CTerrionScenario& CTerrionScenario::AddAccount(const std::string& user, const std::string& password,
                                               int rights, std::uint32_t key)
{
    m_bFileSystem = true;
    m_accounts.push_back({user, password, rights, key});
    return *this;
}

CTerrionScenario& CTerrionScenario::SetBootloader(bool bootloader)
{
    m_bBootloader = bootloader;
    return *this;
}

CTerrionScenario& CTerrionScenario::SetDefaultSpacing(std::uint16_t tenths)
{
    m_nDefaultSpacing = tenths;
    return *this;
}

CTerrionScenario& CTerrionScenario::SetSettings(const STerrionSettings& settings)
{
    m_settingsBlock = settings.ToBlock();
    return *this;
}

CTerrionScenario& CTerrionScenario::SetOldSettings(std::uint16_t spacing)
{
    m_settingsBlock.assign(kSettingsSize, 0xFF);
    PutWord(m_settingsBlock, 0, spacing);
    return *this;
}

CTerrionScenario& CTerrionScenario::AddSeries(std::uint8_t objectNumber,
                                              const std::vector<STerrionReading>& readings)
{
    AddRawRecord(HeaderRecord(objectNumber));
    m_nNextIndex = 0;
    for (const STerrionReading& reading : readings)
        AddReading(reading);
    return *this;
}

CTerrionScenario& CTerrionScenario::AddReading(const STerrionReading& reading)
{
    if (reading.recordByte == 0x00 || reading.recordByte == 0xFF || reading.value > 2047 ||
        reading.currentCode > 7)
        throw std::invalid_argument("a reading needs a record byte other than 0x00/0xFF, a value up to 2047 "
                                    "and a current code up to 7");
    return AddRawRecord(ReadingRecord(reading, m_nNextIndex++));
}

CTerrionScenario& CTerrionScenario::AddRawRecord(std::uint32_t record)
{
    if (m_records.size() >= static_cast<std::size_t>(kRecordCount))
        throw std::length_error("the record area holds 512 records");
    m_records.push_back(record);
    return *this;
}

CTerrionScenario& CTerrionScenario::AddEnd()
{
    return AddRawRecord(kEndRecord);
}

CTerrionScenario& CTerrionScenario::FillRecordArea(int readingsPerSeries)
{
    std::uint8_t object = 1;
    while (m_records.size() < static_cast<std::size_t>(kRecordCount))
    {
        AddSeries(object++);
        for (int i = 0; i < readingsPerSeries && m_records.size() < static_cast<std::size_t>(kRecordCount);
             ++i)
        {
            STerrionReading reading;
            reading.value = static_cast<std::uint16_t>((m_records.size() * 7) % 2048);
            reading.tenths = (i % 3) == 1;
            reading.currentCode = static_cast<std::uint8_t>(i % 8);
            reading.recordByte = static_cast<std::uint8_t>(0x10 + (i % 0x20));
            AddReading(reading);
        }
    }
    return *this;
}

std::vector<std::uint8_t> CTerrionScenario::BuildMemory() const
{
    std::vector<std::uint8_t> memory(0x10000, 0xFF);
    PutWord(memory, kDefaultSpacingAddress, m_nDefaultSpacing);
    std::copy(m_settingsBlock.begin(), m_settingsBlock.end(), memory.begin() + kSettingsAddress);
    std::size_t at = kRecordAddress;
    for (std::uint32_t record : m_records)
    {
        for (int shift = 0; shift < 32; shift += 8)
            memory[at++] = static_cast<std::uint8_t>(record >> shift);
    }
    return memory;
}

std::uint32_t CTerrionScenario::HeaderRecord(std::uint8_t objectNumber)
{
    return objectNumber;
}

std::uint32_t CTerrionScenario::ReadingRecord(const STerrionReading& reading, std::uint8_t index)
{
    // The low byte, unused by the host, carries a running index as the
    // instrument's own bookkeeping, so a host that forgets to mask it shows.
    return static_cast<std::uint32_t>(index) | (static_cast<std::uint32_t>(reading.recordByte) << 8) |
           (static_cast<std::uint32_t>(reading.value & 0x7FF) << 16) | (reading.tenths ? 1u << 27 : 0u) |
           (static_cast<std::uint32_t>(reading.currentCode & 7) << 29);
}

} // namespace TerrionTest
