#include "views/DateTimeFormat.h"

#include "platform/DatePicture.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace
{
namespace Ids = Resources::Ids;

constexpr unsigned kDatePatterns[4] = {Ids::kDatePattern0, Ids::kDatePattern1, Ids::kDatePattern2,
                                       Ids::kDatePattern3};
constexpr unsigned kTimePatterns[4] = {Ids::kTimePattern0, Ids::kTimePattern1, Ids::kTimePattern2,
                                       Ids::kTimePattern3};
} // namespace

std::wstring CDateTimeFormat::GetDateFormatString(std::uint32_t dtFormat, unsigned* stringId)
{
    std::uint32_t index = (dtFormat >> 8) & 0xFF;
    if (index > 3)
        index = 0;
    if (stringId)
        *stringId = kDatePatterns[index];
    return Resources::CStringTable::Text(kDatePatterns[index]);
}

std::wstring CDateTimeFormat::GetTimeFormatString(std::uint32_t dtFormat, unsigned* stringId)
{
    std::uint32_t index = dtFormat & 0xFF;
    if (index > 3)
        index = 0;
    if (stringId)
        *stringId = kTimePatterns[index];
    return Resources::CStringTable::Text(kTimePatterns[index]);
}

std::wstring CDateTimeFormat::Format(const std::wstring& pattern, const std::tm& time)
{
    return CDatePicture::Format(pattern, time);
}

bool CDateTimeFormat::ToLocalTime(std::int64_t seconds, std::tm* out)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    if (static_cast<std::int64_t>(t) != seconds)
        return false;
    return localtime_r(&t, out) != nullptr;
}

std::wstring CDateTimeFormat::FormatLocal(std::int64_t seconds, const std::wstring& datePattern,
                                          const std::wstring& timePattern)
{
    std::tm local{};
    if (!ToLocalTime(seconds, &local))
        return L"--";
    return Format(datePattern, local) + L" " + Format(timePattern, local);
}
