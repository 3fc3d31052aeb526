#pragma once
#include <string>

/// The texts of a printed grid's header and footer, filled by the caller.
/// Format fields are string ids of the string table.
struct SGridPrintText
{
    std::wstring headerLeft;
    std::wstring headerCenter;
    /// Empty: the application title string.
    std::wstring headerRight;
    /// A text with two placeholders: the page number and the page count.
    unsigned pageFormat = 0;
    std::wstring footerCenter;
    /// A date picture (d, M, y, quoted text) for the print date.
    unsigned dateFormat = 0;
    /// A time picture (h, H, m, s, t, quoted text) for the print time.
    unsigned timeFormat = 0;
};
