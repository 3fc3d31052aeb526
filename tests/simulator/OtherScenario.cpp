#include "tests/simulator/OtherScenario.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace TerrionTest
{

COtherScenario COtherScenario::For(const std::string& instrument)
{
    static const std::map<std::string, std::pair<NSimFamily, std::string>> kInstruments = {
        {"saltrevane", {sfCoverMeter, "Saltrevane;B2;SV12-345-6789;06000001;1.2.3"}},
        {"aldermoor", {sfKrastel, "Aldermoor;C1;AM01-002-0003;05000010;2.1.0;1.0.4"}},
        {"quenwick", {sfKrastel, "Quenwick;C1;QW01-002-0003;07000010;3.0.1;1.1.0"}},
        {"mezzeta", {sfMezzeta, "Tolle2 ;D4;HM01-002-0003;04000020;1.5.0;1.0.0"}},
        {"wexley", {sfWexley, "Wexley Lab;A3;WL01-002-0003;09000001;4.2.0;2.0.1"}},
        {"fulmetra", {sfTerrionLike, "Fulmetra;F1;FM11-222-3333;0B000001;1.0.7"}},
        {"kx7", {sfTerrionLike, "KX-7;K2;SL11-222-3333;0C000001;2.3.4"}},
        {"tarlowend", {sfListening, ""}},
        {"halvint3", {sfOsBased, "Halvint 3;B12;HV01-002-0003;03000001;1.4.0;2.3;de-DE;110"}},
        {"platform", {sfOsBased, "Platform;I1;PF01-002-0003;0D000001;5.0.0;6.1;en-US;85"}},
        {"brivonta", {sfProbe, "Brivonta 3;1.0.2;BV12-345-6789;08000001;R1"}},
    };
    const auto it = kInstruments.find(instrument);
    if (it == kInstruments.end())
        throw std::runtime_error("unknown instrument '" + instrument + "'");
    COtherScenario scenario;
    scenario.family = it->second.first;
    scenario.identification = it->second.second;
    scenario.rate = scenario.family == sfCoverMeter ? 19200 : 0;
    if (scenario.family == sfProbe)
        scenario.idAnswer = "Brivonta 3;1.0.2;BV12-345-6789";
    if (scenario.family == sfListening)
        scenario.lines = {"12.5", "0", "-1", "99999"};
    return scenario;
}

COtherScenario COtherScenario::Parse(const std::string& text)
{
    COtherScenario scenario;
    bool haveInstrument = false;
    bool haveLines = false;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line))
    {
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos)
            continue;
        line.erase(0, start);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
            line.pop_back();
        const std::size_t space = line.find(' ');
        const std::string keyword = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (keyword == "instrument")
        {
            scenario = For(rest);
            haveInstrument = true;
        }
        else if (!haveInstrument)
            throw std::runtime_error("line " + std::to_string(number) +
                                     ": the instrument statement comes first");
        else if (keyword == "identification")
            scenario.identification = rest;
        else if (keyword == "id")
            scenario.idAnswer = rest;
        else if (keyword == "bootloader")
            scenario.bootloader = true;
        else if (keyword == "line")
        {
            if (!haveLines)
                scenario.lines.clear();
            haveLines = true;
            scenario.lines.push_back(rest);
        }
        else if (keyword == "probe")
            scenario.probeAnswer = rest;
        else
            throw std::runtime_error("line " + std::to_string(number) + ": unknown statement '" + keyword +
                                     "'");
    }
    if (!haveInstrument)
        throw std::runtime_error("no instrument statement");
    return scenario;
}

COtherScenario COtherScenario::Load(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

} // namespace TerrionTest
