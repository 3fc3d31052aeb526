#include "update/FtpListing.h"

#include "streams/TextCodec.h"

#include <fnmatch.h>

#include <sstream>

namespace Update
{
namespace
{

bool ParseSize(const std::string& text, std::uint64_t& size)
{
    if (text.empty() || text.size() > 19)
        return false;
    std::uint64_t value = 0;
    for (char c : text)
    {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    size = value;
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

bool CFtpListing::ParseMlsdLine(const std::string& line, std::string& name, std::uint64_t& size)
{
    std::size_t blank = line.find(' ');
    if (blank == std::string::npos || blank + 1 >= line.size())
        return false;
    std::string facts = Lower(line.substr(0, blank));
    name = line.substr(blank + 1);
    bool isFile = false;
    bool hasSize = false;
    std::stringstream stream(facts);
    std::string fact;
    while (std::getline(stream, fact, ';'))
    {
        if (fact == "type=file")
            isFile = true;
        else if (fact.rfind("size=", 0) == 0)
            hasSize = ParseSize(fact.substr(5), size);
    }
    return isFile && hasSize;
}

bool CFtpListing::ParseListLine(const std::string& line, std::string& name, std::uint64_t& size)
{
    if (line.empty() || line[0] != '-')
        return false;
    std::size_t pos = 0;
    std::string fields[8];
    for (auto& field : fields)
    {
        pos = line.find_first_not_of(' ', pos);
        if (pos == std::string::npos)
            return false;
        std::size_t end = line.find(' ', pos);
        if (end == std::string::npos)
            return false;
        field = line.substr(pos, end - pos);
        pos = end;
    }
    pos = line.find_first_not_of(' ', pos);
    if (pos == std::string::npos)
        return false;
    name = line.substr(pos);
    return ParseSize(fields[4], size);
}

std::vector<SFtpEntry> CFtpListing::Parse(const std::string& body, bool machine, const std::wstring& pattern)
{
    std::vector<SFtpEntry> entries;
    const std::string utf8Pattern = StreamIO::CTextCodec::ToUtf8(pattern);
    std::stringstream stream(body);
    std::string line;
    while (std::getline(stream, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string name;
        std::uint64_t size = 0;
        if (!(machine ? ParseMlsdLine(line, name, size) : ParseListLine(line, name, size)))
            continue;
        std::wstring wide = StreamIO::CTextCodec::FromUtf8(name);
        if (!CFtpClient::IsSafeFileName(wide) || fnmatch(utf8Pattern.c_str(), name.c_str(), 0) != 0)
            continue;
        entries.push_back(SFtpEntry{wide, size});
    }
    return entries;
}

} // namespace Update
