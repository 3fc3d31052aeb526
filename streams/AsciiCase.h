#pragma once
// Letter case of the names the streams recognise ("COM", "RAM:", "IP:",
// "\\.\COM"). Only A-Z and a-z fold into each other: the process locale
// must not decide what a port name is (a Turkish locale turns 'i' into a
// dotted capital I and 'ı' into a plain 'I').

#include <string_view>

namespace StreamIO
{

class CAsciiCase
{
public:
    /// The upper-case form of an ASCII letter; every other character as it is.
    static constexpr wchar_t ToUpper(wchar_t ch)
    {
        return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
    }
    /// True when text starts with prefix, ASCII letters compared in either case.
    static bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
    /// True when text ends with suffix, ASCII letters compared in either case.
    static bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix);
};

} // namespace StreamIO
