#pragma once
#include <string>
#include <string_view>
#include <vector>

/// Clipboard text as the grid pastes it: lines of fields.
class CGridPasteText
{
public:
    using TLine = std::vector<std::wstring>;

    /// Splits `text` (up to its first NUL) into lines at "\n" and each line
    /// into fields at every tab and every comma; each field is trimmed of
    /// white space at both ends. A line break at the very end closes the
    /// last line and a tab at the end of a line its last field: neither
    /// opens an empty one.
    static std::vector<TLine> Split(std::wstring_view text);
};
