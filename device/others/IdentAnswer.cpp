#include "device/others/IdentAnswer.h"

#include "device/DeviceInfo.h"
#include "device/TextReply.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Device
{

std::string CIdentAnswer::FillOnce(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 8);
    std::size_t pos = 0;
    while (pos < text.size())
    {
        if (text[pos] == ';' && pos + 1 < text.size() && text[pos + 1] == ';')
        {
            result += ";-;";
            pos += 2;
        }
        else
        {
            result.push_back(text[pos++]);
        }
    }
    return result;
}

std::string CIdentAnswer::FillAll(std::string_view text)
{
    std::string result(text);
    for (std::size_t pos = result.find(";;"); pos != std::string::npos; pos = result.find(";;", pos))
        result.replace(pos, 2, ";-;");
    return result;
}

bool CIdentAnswer::Split(std::string_view answer, std::span<std::wstring* const> fields, bool lastOptional)
{
    std::size_t pos = 0;
    bool exhausted = false;
    for (std::size_t i = 0; i < fields.size(); ++i)
    {
        if (exhausted || pos > answer.size())
        {
            fields[i]->clear();
            return lastOptional && i + 1 == fields.size();
        }
        std::size_t end = answer.find(';', pos);
        if (end == std::string_view::npos)
        {
            end = answer.size();
            exhausted = true;
        }
        *fields[i] = CTextReply::Widen(answer.substr(pos, end - pos));
        pos = end + 1;
    }
    return true;
}

bool CIdentAnswer::ParseSignature(std::wstring_view text, std::uint32_t& value)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t'))
        ++pos;
    auto digitAt = [&text](std::size_t at)
    {
        if (at >= text.size())
            return -1;
        const wchar_t c = text[at];
        if (c >= L'0' && c <= L'9')
            return static_cast<int>(c - L'0');
        if (c >= L'a' && c <= L'f')
            return static_cast<int>(c - L'a' + 10);
        if (c >= L'A' && c <= L'F')
            return static_cast<int>(c - L'A' + 10);
        return -1;
    };
    if (pos + 2 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        digitAt(pos + 2) >= 0)
        pos += 2;
    std::uint64_t result = 0;
    std::size_t digits = 0;
    for (int digit = digitAt(pos); digit >= 0; digit = digitAt(++pos), ++digits)
    {
        result = result << 4 | static_cast<std::uint64_t>(digit);
        // A longer signature would lose its top digits and could pass as another family.
        if (result > 0xFFFFFFFFull)
            return false;
    }
    if (digits == 0)
        return false;
    value = static_cast<std::uint32_t>(result);
    return true;
}

bool CIdentAnswer::IsFamily(std::wstring_view signature, int familyCode)
{
    std::uint32_t value = 0;
    return ParseSignature(signature, value) && static_cast<int>(value >> 24) == familyCode;
}

std::wstring CIdentAnswer::Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> fields)
{
    std::wstring text;
    auto next = fields.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's')
        {
            if (next != fields.end())
                text += *next++;
            ++i;
        }
        else
        {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

bool CIdentAnswer::AllSet(std::initializer_list<std::wstring_view> fields)
{
    for (std::wstring_view field : fields)
        if (field.empty())
            return false;
    return true;
}

std::wstring CIdentAnswer::InfoText(const SDeviceIdent& ident)
{
    return Format(
        Resources::CStringTable::Text(Resources::Ids::kDeviceInfo),
        {ident.typeName, ident.serialNumber, ident.firmwareVersion, ident.hardwareRevision, ident.signature});
}

std::int32_t CIdentAnswer::DeviceId(std::wstring_view signature)
{
    std::uint32_t value = 0;
    if (!ParseSignature(signature, value))
        return 0;
    return static_cast<std::int32_t>(value);
}

} // namespace Device
