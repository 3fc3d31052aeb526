#pragma once
#include <string_view>

/// Measures text in one font: what width rules ask of a screen, a printer or
/// a test's made-up font.
class CTextMeasure
{
public:
    virtual ~CTextMeasure() = default;
    /// The width of `text` on one line, in pixels.
    virtual int TextWidth(std::wstring_view text) = 0;
    /// The font's average character width, in pixels.
    virtual int AverageCharWidth() = 0;
};
