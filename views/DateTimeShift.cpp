#include "views/DateTimeShift.h"

#include "views/DateTimeFormat.h"

#include <ctime>
#include <limits>

bool CDateTimeShift::ToLocal(std::int64_t seconds, SLocal* local)
{
    std::tm tm{};
    if (!CDateTimeFormat::ToLocalTime(seconds, &tm))
        return false;
    *local = SLocal{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return true;
}

bool CDateTimeShift::FromLocal(const SLocal& local, std::int64_t* seconds)
{
    if (local.year < std::numeric_limits<int>::min() + 1900)
        return false;
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    // The zone decides whether daylight saving is in force on that date.
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // -1 is also a valid instant: 23:59:59 UTC on the last day of 1969.
    if (t == static_cast<std::time_t>(-1))
    {
        SLocal back;
        if (!ToLocal(-1, &back) || !(back == local))
            return false;
    }
    *seconds = static_cast<std::int64_t>(t);
    return true;
}

CDateTimeShift::SLocal CDateTimeShift::Combine(const SLocal& date, const SLocal& timeOfDay)
{
    return SLocal{date.year, date.month, date.day, timeOfDay.hour, timeOfDay.minute, timeOfDay.second};
}

std::int64_t CDateTimeShift::Offset(std::int64_t original, const SLocal& picked)
{
    std::int64_t target = 0;
    std::int64_t offset = 0;
    if (!FromLocal(picked, &target) || __builtin_sub_overflow(target, original, &offset))
        return 0;
    return offset;
}

std::wstring CDateTimeShift::WithSeconds(const std::wstring& timePattern)
{
    std::wstring result;
    for (std::size_t i = 0; i < timePattern.size();)
    {
        if (timePattern.compare(i, 2, L"mm") == 0)
        {
            result += L"mm:ss";
            i += 2;
        }
        else
            result += timePattern[i++];
    }
    return result;
}
