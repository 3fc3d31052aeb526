#include "app/connection/TextPattern.h"

#include <cmath>
#include <cstdio>

namespace
{

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (; *text; ++text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

std::wstring ArgumentAsText(const CTextPattern::TArgument& argument, wchar_t conversion, int precision)
{
    if (const auto* text = std::get_if<std::wstring>(&argument))
    {
        if (conversion == L's' && precision >= 0 && static_cast<std::size_t>(precision) < text->size())
            return text->substr(0, static_cast<std::size_t>(precision));
        return *text;
    }
    if (const auto* number = std::get_if<double>(&argument))
    {
        if (conversion == L'd' || conversion == L'u')
            return CTextPattern::Fixed(std::trunc(*number), 0);
        return CTextPattern::Fixed(*number, precision < 0 ? 6 : precision);
    }
    const long long whole = std::get<long long>(argument);
    if (conversion == L'f')
        return CTextPattern::Fixed(static_cast<double>(whole), precision < 0 ? 6 : precision);
    return std::to_wstring(whole);
}

} // namespace

std::wstring CTextPattern::Fixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 9)
        decimals = 9;
    // snprintf follows LC_NUMERIC, which the GUI may have set; put the point back.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::wstring text = Widen(buffer);
    for (auto& c : text)
        if (c == L',')
            c = L'.';
    return text;
}

std::wstring CTextPattern::Format(const std::wstring& pattern, const std::vector<TArgument>& arguments)
{
    std::wstring out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] != L'%')
        {
            out.push_back(pattern[i]);
            continue;
        }
        std::size_t j = i + 1;
        if (j < pattern.size() && pattern[j] == L'%')
        {
            out.push_back(L'%');
            i = j;
            continue;
        }
        while (j < pattern.size() && (pattern[j] == L'-' || pattern[j] == L'+' || pattern[j] == L' ' ||
                                      pattern[j] == L'#' || pattern[j] == L'0'))
            ++j;
        while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9')
            ++j;
        int precision = -1;
        if (j < pattern.size() && pattern[j] == L'.')
        {
            precision = 0;
            ++j;
            while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9')
            {
                precision = precision * 10 + (pattern[j] - L'0');
                if (precision > 99)
                    precision = 99;
                ++j;
            }
        }
        while (j < pattern.size() && (pattern[j] == L'l' || pattern[j] == L'h'))
            ++j;
        if (j >= pattern.size())
        {
            out.append(pattern, i, std::wstring::npos);
            break;
        }
        const wchar_t conversion = pattern[j];
        if (next < arguments.size())
            out += ArgumentAsText(arguments[next], conversion, precision);
        ++next;
        i = j;
    }
    return out;
}
