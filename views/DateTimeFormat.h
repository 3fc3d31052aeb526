#pragma once
// The date and time display patterns chosen by the "DTFormat" setting and
// their formatting, shared by the series grid, the settings dialog and the
// exports. Patterns use the picture elements of the Windows date and time
// formatting functions (d, dd, ddd, dddd, M..MMMM, y, yy, yyyy; h, hh, H, HH,
// m, mm, s, ss, t, tt; text in single quotes).

#include <cstdint>
#include <ctime>
#include <string>

class CDateTimeFormat
{
public:
    /// Date pattern of the second byte of dtFormat (indexes past 3 give 0);
    /// stringId, when given, receives its string id (1802-1805).
    static std::wstring GetDateFormatString(std::uint32_t dtFormat, unsigned* stringId = nullptr);
    /// Time pattern of the low byte of dtFormat; stringId receives 1806-1809.
    static std::wstring GetTimeFormatString(std::uint32_t dtFormat, unsigned* stringId = nullptr);

    /// Formats a broken-down time with a date pattern (or a time pattern);
    /// English month and day names and "AM"/"PM", independent of the locale.
    static std::wstring Format(const std::wstring& pattern, const std::tm& time);
    /// Local time of seconds since 1970; false when it cannot be converted.
    static bool ToLocalTime(std::int64_t seconds, std::tm* out);
    /// The local date and time of seconds since 1970 as the date pattern, a
    /// blank and the time pattern; "--" for a time that cannot be converted.
    static std::wstring FormatLocal(std::int64_t seconds, const std::wstring& datePattern,
                                    const std::wstring& timePattern);
};
