#include "device/TextReply.h"

namespace Device
{

bool CTextReply::IsLineEnd(std::uint8_t byte, bool crLf)
{
    return byte == kLf || (!crLf && byte == kCr);
}

bool CTextReply::IsCompleteWithoutEnd(std::string_view stored)
{
    return !stored.empty() && static_cast<std::uint8_t>(stored.back()) == kCr;
}

std::optional<std::string> CTextReply::ExtractAnswer(std::string_view line, bool cutAtLastCr)
{
    std::string_view answer = line;
    if (line.find(static_cast<char>(kLf)) != std::string_view::npos)
    {
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos || blank + 1 >= line.size())
            return std::nullopt;
        answer = line.substr(blank + 1);
    }
    const std::size_t cr =
        cutAtLastCr ? answer.rfind(static_cast<char>(kCr)) : answer.find(static_cast<char>(kCr));
    if (cr != std::string_view::npos)
        answer = answer.substr(0, cr);
    return std::string(answer);
}

std::vector<std::string> CTextReply::Tokenize(std::string_view text, char sep)
{
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < text.size())
    {
        std::size_t end = text.find(sep, pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > pos)
            tokens.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return tokens;
}

bool CTextReply::ParseId(std::string_view answer, SDeviceInfo& info)
{
    const std::vector<std::string> tokens = Tokenize(answer, ';');
    if (tokens.size() < 3)
        return false;
    info.typeName = Widen(tokens[0]);
    info.firmwareVersion = Widen(tokens[1]);
    info.serialNumber = Widen(tokens[2]);
    return !tokens[0].empty() && !tokens[1].empty() && !tokens[2].empty();
}

std::wstring CTextReply::Widen(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

std::string CTextReply::Narrow(std::wstring_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
        narrow.push_back(static_cast<std::uint32_t>(c) < 0x100 ? static_cast<char>(c) : '?');
    return narrow;
}

} // namespace Device
