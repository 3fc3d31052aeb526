#include "update/TextFormat.h"

#include "resources/StringTable.h"

namespace Update
{

std::wstring CTextFormat::Format(const std::wstring& pattern, std::initializer_list<std::wstring> arguments)
{
    std::wstring out;
    out.reserve(pattern.size() + 32);
    auto next = arguments.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] == L'%' && i + 1 < pattern.size())
        {
            wchar_t kind = pattern[i + 1];
            if (kind == L'%')
            {
                out += L'%';
                ++i;
                continue;
            }
            if (kind == L's' || kind == L'd')
            {
                if (next != arguments.end())
                    out += *next++;
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::wstring CTextFormat::Text(unsigned id, std::initializer_list<std::wstring> arguments)
{
    return Format(Resources::CStringTable::Text(id), arguments);
}

} // namespace Update
