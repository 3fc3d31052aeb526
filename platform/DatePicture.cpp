#include "platform/DatePicture.h"

namespace
{
const wchar_t* const kMonths[12] = {L"January",   L"February", L"March",    L"April",
                                    L"May",       L"June",     L"July",     L"August",
                                    L"September", L"October",  L"November", L"December"};
const wchar_t* const kDays[7] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                 L"Thursday", L"Friday", L"Saturday"};

std::wstring Number(int value, std::size_t digits)
{
    std::wstring text = std::to_wstring(value < 0 ? -value : value);
    if (text.size() < digits)
        text.insert(0, digits - text.size(), L'0');
    return value < 0 ? L"-" + text : text;
}
} // namespace

std::wstring CDatePicture::Format(const std::wstring& pattern, const std::tm& time)
{
    std::wstring out;
    std::size_t i = 0;
    while (i < pattern.size())
    {
        const wchar_t c = pattern[i];
        if (c == L'\'')
        {
            // Quoted text; two quotes inside stand for one.
            ++i;
            while (i < pattern.size())
            {
                if (pattern[i] == L'\'')
                {
                    if (i + 1 < pattern.size() && pattern[i + 1] == L'\'')
                    {
                        out += L'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += pattern[i++];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
        switch (c)
        {
        case L'd':
            if (run <= 2)
                out += Number(time.tm_mday, run);
            else if (time.tm_wday >= 0 && time.tm_wday < 7)
                out += run == 3 ? std::wstring(kDays[time.tm_wday]).substr(0, 3) : kDays[time.tm_wday];
            break;
        case L'M':
            if (run <= 2)
                out += Number(time.tm_mon + 1, run);
            else if (time.tm_mon >= 0 && time.tm_mon < 12)
                out += run == 3 ? std::wstring(kMonths[time.tm_mon]).substr(0, 3) : kMonths[time.tm_mon];
            break;
        case L'y':
        {
            const int year = time.tm_year + 1900;
            if (run <= 2)
                out += Number(year % 100, run);
            else
                out += Number(year, 4);
            break;
        }
        case L'h':
            out += Number(hour12, run > 2 ? 2 : run);
            break;
        case L'H':
            out += Number(time.tm_hour, run > 2 ? 2 : run);
            break;
        case L'm':
            out += Number(time.tm_min, run > 2 ? 2 : run);
            break;
        case L's':
            out += Number(time.tm_sec, run > 2 ? 2 : run);
            break;
        case L't':
            out += run == 1 ? (time.tm_hour < 12 ? L"A" : L"P") : (time.tm_hour < 12 ? L"AM" : L"PM");
            break;
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    return out;
}
