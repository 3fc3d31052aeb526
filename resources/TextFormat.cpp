#include "resources/TextFormat.h"

#include "resources/StringTable.h"

namespace Resources
{

std::wstring CTextFormat::Substitute(const std::wstring& pattern, std::initializer_list<std::wstring> args)
{
    std::wstring out;
    out.reserve(pattern.size());
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] != L'%' || i + 1 == pattern.size())
        {
            out += pattern[i];
            continue;
        }
        const wchar_t kind = pattern[i + 1];
        if (kind == L'%')
        {
            out += L'%';
            ++i;
            continue;
        }
        std::size_t length = 0;
        if (kind == L's' || kind == L'd' || kind == L'u')
            length = 1;
        else if (kind == L'l' && i + 2 < pattern.size() && pattern[i + 2] == L's')
            length = 2;
        if (length == 0)
        {
            out += L'%';
            continue;
        }
        if (next != args.end())
            out += *next++;
        i += length;
    }
    return out;
}

std::wstring CTextFormat::Format(unsigned id, std::initializer_list<std::wstring> args)
{
    return Substitute(CStringTable::Text(id), args);
}

} // namespace Resources
