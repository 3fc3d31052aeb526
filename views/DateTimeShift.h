#pragma once
// Moving a series' time stamp to a date and a time of day picked on the
// local clock. The new instant is the picked wall-clock time as the time
// zone has it on the picked date, so a move across a daylight-saving change
// keeps the picked time on the clock instead of shifting it by an hour.

#include <cstdint>
#include <string>

class CDateTimeShift
{
public:
    /// A date and time on the local clock; month 1-12.
    struct SLocal
    {
        int year = 1970;
        int month = 1;
        int day = 1;
        int hour = 0;
        int minute = 0;
        int second = 0;
        friend bool operator==(const SLocal&, const SLocal&) = default;
    };

    /// The local clock at an instant (seconds since 1970, UTC); false when
    /// it cannot be converted.
    static bool ToLocal(std::int64_t seconds, SLocal* local);
    /// The instant the local clock shows `local`, with daylight saving as in
    /// force on that date; false when there is none.
    static bool FromLocal(const SLocal& local, std::int64_t* seconds);
    /// The date of `date` with the time of day of `timeOfDay`.
    static SLocal Combine(const SLocal& date, const SLocal& timeOfDay);
    /// The seconds that move `original` to the local time `picked` (negative
    /// when it moves back); 0 when `picked` names no instant.
    static std::int64_t Offset(std::int64_t original, const SLocal& picked);
    /// The time pattern with seconds: every "mm" becomes "mm:ss".
    static std::wstring WithSeconds(const std::wstring& timePattern);
};
