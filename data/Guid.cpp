#include "data/Guid.h"

#include <uuid/uuid.h>

TGuid TGuid::Create()
{
    TGuid guid;
    uuid_generate(guid.bytes.data());
    return guid;
}

bool TGuid::Parse(const std::wstring& text, TGuid* out)
{
    *out = TGuid{};
    if (text.size() != 36)
        return false;
    char narrow[37];
    for (std::size_t i = 0; i < 36; ++i)
    {
        const wchar_t c = text[i];
        if (c > 0x7F)
            return false;
        narrow[i] = static_cast<char>(c);
    }
    narrow[36] = '\0';
    TGuid parsed;
    if (uuid_parse(narrow, parsed.bytes.data()) != 0)
        return false;
    *out = parsed;
    return true;
}

std::wstring TGuid::ToString() const
{
    char text[37];
    uuid_unparse_upper(bytes.data(), text);
    std::wstring result = L"{";
    for (const char* p = text; *p; ++p)
        result += static_cast<wchar_t>(*p);
    result += L'}';
    return result;
}

bool TGuid::IsNull() const
{
    for (std::uint8_t b : bytes)
        if (b != 0)
            return false;
    return true;
}
