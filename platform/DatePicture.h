#pragma once
// Formats a date or a time by a picture of the Windows date and time
// formatting functions (d, dd, ddd, dddd, M..MMMM, y, yy, yyyy; h, hh, H, HH,
// m, mm, s, ss, t, tt; text in single quotes) in the invariant locale:
// English month and day names and "AM"/"PM" whatever the user's locale.

#include <ctime>
#include <string>

class CDatePicture
{
public:
    static std::wstring Format(const std::wstring& picture, const std::tm& time);
};
