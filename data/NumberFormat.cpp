#include "data/NumberFormat.h"

#include <charconv>

std::wstring CNumberFormat::Fixed(double value, int decimals)
{
    char buffer[400]; // the longest double in fixed notation has 309 digits before the point
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return L"--";
    return std::wstring(buffer, result.ptr);
}
