#include "streams/AsciiCase.h"

namespace StreamIO
{

bool CAsciiCase::StartsWithNoCase(std::wstring_view text, std::wstring_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
    {
        if (ToUpper(text[i]) != ToUpper(prefix[i]))
            return false;
    }
    return true;
}

bool CAsciiCase::EndsWithNoCase(std::wstring_view text, std::wstring_view suffix)
{
    return text.size() >= suffix.size() && StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace StreamIO
