#pragma once
// Fills the placeholders of a string-table text. The table keeps the
// original's printf patterns ("%s", "%d"), whose meaning differs for wide
// strings here, so the arguments are put in as text, in order.

#include <initializer_list>
#include <string>

namespace Update
{

class CTextFormat
{
public:
    /// Replaces each "%s" or "%d" by the next argument ("" when they run
    /// out); "%%" becomes "%".
    static std::wstring Format(const std::wstring& pattern, std::initializer_list<std::wstring> arguments);
    /// The table's text under id, formatted.
    static std::wstring Text(unsigned id, std::initializer_list<std::wstring> arguments);
};

} // namespace Update
