#include "device/FileCommandText.h"

#include "device/TextReply.h"
#include "streams/TextCodec.h"

#include <cstdio>
#include <cstdlib>

namespace Device
{
namespace
{

/// 8-bit text of a wide string, none when a character cannot be sent.
std::optional<std::string> ToWire(const std::wstring& text)
{
    for (wchar_t c : text)
    {
        if (static_cast<std::uint32_t>(c) < 0x20 || c == 0x7F)
            return std::nullopt;
    }
    std::string bytes = StreamIO::CTextCodec::ToWindows1252(text);
    if (StreamIO::CTextCodec::FromWindows1252(bytes) != text)
        return std::nullopt;
    return bytes;
}

std::string DoubleBackslashes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
    {
        out.push_back(c);
        if (c == '\\')
            out.push_back('\\');
    }
    return out;
}

/// The value of a hexadecimal digit, -1 for any other character.
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::optional<std::string> CFileCommandText::EscapeName(const std::wstring& name)
{
    if (name.find(L'"') != std::wstring::npos)
        return std::nullopt;
    const std::optional<std::string> bytes = ToWire(name);
    if (!bytes)
        return std::nullopt;
    return DoubleBackslashes(*bytes);
}

std::optional<std::string> CFileCommandText::EscapePassword(const std::wstring& password)
{
    const std::optional<std::string> bytes = ToWire(password);
    if (!bytes)
        return std::nullopt;
    std::string out;
    for (char c : DoubleBackslashes(*bytes))
    {
        if (c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

std::optional<std::string> CFileCommandText::UserName(const std::wstring& user)
{
    if (user.find(L'"') != std::wstring::npos)
        return std::nullopt;
    return ToWire(user);
}

std::string CFileCommandText::DirectoryCommand(std::uint16_t selector)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "DIRS %04X", static_cast<unsigned>(selector));
    return text;
}

bool CFileCommandText::ParseDirectory(std::string_view answer, std::wstring& listing)
{
    if (answer.size() < 9 || answer.size() > 1'000'000 || answer[8] != ';')
        return false;
    // "%08X": leading blanks, then at least one hexadecimal digit, within the eight.
    std::size_t i = 0;
    while (i < 8 && answer[i] == ' ')
        ++i;
    std::uint64_t count = 0;
    std::size_t digits = 0;
    for (; i < 8 && HexDigit(answer[i]) >= 0; ++i, ++digits)
        count = count * 16 + static_cast<std::uint64_t>(HexDigit(answer[i]));
    if (digits == 0)
        return false;
    const std::string_view rest = answer.substr(9);
    if (rest.size() != count)
        return false;
    listing = CTextReply::Widen(rest);
    if (!listing.empty() && listing.back() == L';')
        listing.pop_back();
    return true;
}

bool CFileCommandText::ParseLogin(std::string_view answer, SLoginInfo& info)
{
    std::string_view rest = answer;
    std::wstring user;
    if (!answer.empty() && answer[0] == ';')
    {
        rest = answer.substr(1);
    }
    else
    {
        const std::size_t end = answer.find(';');
        if (end == std::string_view::npos)
            return false;
        user = CTextReply::Widen(answer.substr(0, end));
        rest = answer.substr(end + 1);
    }
    // The next token: consecutive separators give no empty tokens.
    while (!rest.empty() && rest[0] == ';')
        rest.remove_prefix(1);
    const std::string token(rest.substr(0, rest.find(';')));
    if (token.empty())
        return false;
    char* end = nullptr;
    const long rights = std::strtol(token.c_str(), &end, 10);
    if (end == token.c_str())
        return false;
    info.user = user;
    info.rights = static_cast<std::uint16_t>(rights);
    return true;
}

} // namespace Device
