#pragma once
// The widths of the series grid's text columns in the grid's font. The
// widths given in pixels were made for a dialog font of about six pixels a
// character; a wider font gets them scaled by its average character width,
// never narrower, and the date and time column is at least as wide as the
// widest text of the chosen patterns.

#include <string>

class CTextMeasure;

class CSeriesColumnWidths
{
public:
    /// The widths as given, and the dialog font's character width they were made for.
    static constexpr int kNameWidth = 80;
    static constexpr int kDateTimeWidth = 100;
    static constexpr int kDialogCharWidth = 6;

    struct SWidths
    {
        int name = kNameWidth;
        int dateTime = kDateTimeWidth;
        friend bool operator==(const SWidths&, const SWidths&) = default;
    };

    /// A width made for the dialog font, in a font of `averageCharWidth`:
    /// scaled by it over kDialogCharWidth (rounded up), never below `width`.
    static int Scaled(int width, int averageCharWidth);
    /// The name and date/time widths in the font of `measure` for the date
    /// and time patterns (the column shows date, a blank and time);
    /// `cellPadding` is what a cell adds to its text (margins, grid line).
    static SWidths Compute(CTextMeasure& measure, const std::wstring& datePattern,
                           const std::wstring& timePattern, int cellPadding);
};
