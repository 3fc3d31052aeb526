// The widths of the series grid's text columns, with a made-up font whose
// widths are known: the given widths scale with the font's average
// character width, and the date and time column holds the widest text the
// chosen patterns give (the widest digit, the longer half of the day, the
// longest month and weekday names).
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "views/DateTimeWidth.h"
#include "views/SeriesColumnWidths.h"
#include "views/TextMeasure.h"

namespace
{

/// A font in which '4' is the widest digit, 'P' is wider than 'A', 'M'
/// and 'W' are wide and every other letter is 5 pixels.
class CFakeMeasure final : public CTextMeasure
{
public:
    explicit CFakeMeasure(int average) : m_average(average) {}

    static int CharWidth(wchar_t c)
    {
        if (c == L'4')
            return 7;
        if (c >= L'0' && c <= L'9')
            return 5;
        switch (c)
        {
        case L'P':
            return 8;
        case L'A':
            return 6;
        case L'M':
        case L'W':
            return 9;
        case L' ':
            return 3;
        case L'/':
        case L'.':
        case L':':
        case L',':
        case L'-':
            return 2;
        default:
            return 5;
        }
    }
    static int Width(std::wstring_view text)
    {
        int width = 0;
        for (const wchar_t c : text)
            width += CharWidth(c);
        return width;
    }

    int TextWidth(std::wstring_view text) override { return Width(text); }
    int AverageCharWidth() override { return m_average; }

private:
    int m_average;
};

constexpr int kPadding = 7; // two margins of 3 and the grid line

TEST(CSeriesColumnWidths, GivenWidthsScaleWithTheFontAndNeverShrink)
{
    struct SCase
    {
        int width;
        int average;
        int expected;
    };
    for (const SCase c : {SCase{80, 6, 80}, SCase{80, 5, 80}, SCase{80, 0, 80}, SCase{80, 7, 94},
                          SCase{100, 7, 117}, SCase{100, 12, 200}})
    {
        SCOPED_TRACE(testing::Message() << c.width << " at " << c.average);
        EXPECT_EQ(CSeriesColumnWidths::Scaled(c.width, c.average), c.expected);
    }
}

TEST(CSeriesColumnWidths, TheDateAndTimeColumnHoldsTheWidestTextOfThePatterns)
{
    struct SCase
    {
        const wchar_t* date;
        const wchar_t* time;
        int average;
        const wchar_t* widest; ///< the widest text, as the column must show it
        int name;
        int dateTime; ///< 0: the widest text with the padding
    };
    const SCase cases[] = {
        // The dialog font: the texts decide, twelve widest digits and "PM".
        {L"MM/dd/yyyy", L"h:mm tt", 6, L"44/44/4444 44:44 PM", 80, 0},
        {L"dd-MM-yyyy", L"h:mmt", 6, L"44-44-4444 44:44P", 80, 0},
        // A wider font: the scaled width is wider than the text.
        {L"dd.MM.yyyy", L"HH:mm", 9, L"44.44.4444 44:44", 120, 150},
        // Names: the longest month and weekday, seconds, one-letter halves.
        {L"dddd, MMMM dd, yyyy", L"h:mm:ss t", 6, L"Wednesday, September 44, 4444 44:44:44 P", 80, 0},
        {L"ddd d MMM yy", L"H:m", 7, L"Wed 44 May 44 44:44", 94, 117},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.date << " " << c.time);
        CFakeMeasure measure(c.average);
        const std::wstring date = CDateTimeWidth::WidestText(measure, c.date);
        const std::wstring time = CDateTimeWidth::WidestText(measure, c.time);
        EXPECT_EQ(CFakeMeasure::Width(date + L" " + time), CFakeMeasure::Width(c.widest));
        const CSeriesColumnWidths::SWidths widths =
            CSeriesColumnWidths::Compute(measure, c.date, c.time, kPadding);
        EXPECT_EQ(widths.name, c.name);
        const int text = CFakeMeasure::Width(c.widest) + kPadding;
        EXPECT_EQ(widths.dateTime, c.dateTime ? c.dateTime : text);
        EXPECT_GE(widths.dateTime, text) << "the widest text is shown whole";
    }
}

} // namespace
