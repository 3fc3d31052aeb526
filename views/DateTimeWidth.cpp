#include "views/DateTimeWidth.h"

#include "platform/DatePicture.h"
#include "views/TextMeasure.h"

#include <ctime>
#include <set>

namespace
{

/// The weekday (0 Sunday) of a Gregorian date, month 1 to 12.
int Weekday(int year, int month, int day)
{
    static constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + day) % 7;
}

wchar_t WidestDigit(CTextMeasure& measure)
{
    wchar_t widest = L'0';
    int width = -1;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit)
    {
        const int w = measure.TextWidth(std::wstring_view(&digit, 1));
        if (w > width)
        {
            width = w;
            widest = digit;
        }
    }
    return widest;
}

std::wstring WithDigit(std::wstring text, wchar_t digit)
{
    for (wchar_t& c : text)
        if (c >= L'0' && c <= L'9')
            c = digit;
    return text;
}

} // namespace

std::wstring CDateTimeWidth::WidestText(CTextMeasure& measure, const std::wstring& pattern)
{
    // Days 22 to 28 of every month give every month and weekday name with
    // two-digit days; 10 and 22 o'clock give two-digit hours in the morning
    // and the afternoon on either clock; 58 two-digit minutes and seconds.
    constexpr int kYear = 2026;
    const wchar_t digit = WidestDigit(measure);
    std::set<std::wstring> texts;
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            for (const int hour : {10, 22})
            {
                std::tm time{};
                time.tm_year = kYear - 1900;
                time.tm_mon = month - 1;
                time.tm_mday = day;
                time.tm_wday = Weekday(kYear, month, day);
                time.tm_hour = hour;
                time.tm_min = 58;
                time.tm_sec = 58;
                texts.insert(WithDigit(CDatePicture::Format(pattern, time), digit));
            }
    std::wstring widest;
    int width = -1;
    for (const std::wstring& text : texts)
    {
        const int w = measure.TextWidth(text);
        if (w > width)
        {
            width = w;
            widest = text;
        }
    }
    return widest;
}

int CDateTimeWidth::WidestWidth(CTextMeasure& measure, const std::wstring& pattern)
{
    return measure.TextWidth(WidestText(measure, pattern));
}

std::wstring CDateTimeWidth::WithWidestDigits(CTextMeasure& measure, std::wstring text)
{
    return WithDigit(std::move(text), WidestDigit(measure));
}
