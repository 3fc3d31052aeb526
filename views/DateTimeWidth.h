#pragma once
// The widest text a date or time pattern can give in a font, so that a
// column or a field made for it shows every date and time in full.

#include <string>

class CTextMeasure;

class CDateTimeWidth
{
public:
    /// The widest text of `pattern` as `measure` sees it: every month and
    /// weekday name, both halves of the day, the longest run of digits each
    /// field can have, and every digit as the font's widest one.
    static std::wstring WidestText(CTextMeasure& measure, const std::wstring& pattern);
    /// The width of that text.
    static int WidestWidth(CTextMeasure& measure, const std::wstring& pattern);
    /// `text` with every digit the font's widest one.
    static std::wstring WithWidestDigits(CTextMeasure& measure, std::wstring text);
};
