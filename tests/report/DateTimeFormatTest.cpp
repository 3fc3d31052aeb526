#include "views/DateTimeFormat.h"

#include <cstdint>

#include "tests/report/ReportDocument.h"

#include <gtest/gtest.h>

TEST(DateTimeFormat, PatternsOfTheSettingValue)
{
    unsigned dateId = 0, timeId = 0;
    EXPECT_EQ(CDateTimeFormat::GetDateFormatString(0x0302, &dateId), L"dd.MM.yyyy");
    EXPECT_EQ(CDateTimeFormat::GetTimeFormatString(0x0302, &timeId), L"H:mm");
    EXPECT_EQ(dateId, 1805u);
    EXPECT_EQ(timeId, 1808u);
    EXPECT_EQ(CDateTimeFormat::GetDateFormatString(0x0507, &dateId), L"MM/dd/yyyy");
    EXPECT_EQ(CDateTimeFormat::GetTimeFormatString(0x0507, &timeId), L"h:mm tt");
    EXPECT_EQ(dateId, 1802u);
    EXPECT_EQ(timeId, 1806u);
    EXPECT_EQ(CDateTimeFormat::GetDateFormatString(0x0100), L"dd-MM-yyyy");
    EXPECT_EQ(CDateTimeFormat::GetDateFormatString(0x0200), L"dd/MM/yyyy");
    EXPECT_EQ(CDateTimeFormat::GetTimeFormatString(0x0001), L"h:mmt");
    EXPECT_EQ(CDateTimeFormat::GetTimeFormatString(0x0003), L"HH:mm");
}

struct SFormatCase
{
    const wchar_t* pattern;
    int hour;
    const wchar_t* expected;
};

class DateTimePattern : public testing::TestWithParam<SFormatCase>
{
};

// 5 March 2024, a Tuesday, at the given hour, 07 minutes and 09 seconds.
TEST_P(DateTimePattern, FormatsLikeTheWindowsPictureElements)
{
    const auto& c = GetParam();
    std::tm time{};
    time.tm_year = 124;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_wday = 2;
    time.tm_hour = c.hour;
    time.tm_min = 7;
    time.tm_sec = 9;
    EXPECT_EQ(CDateTimeFormat::Format(c.pattern, time), c.expected) << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, DateTimePattern,
    testing::Values(
        SFormatCase{L"MM/dd/yyyy", 8, L"03/05/2024"}, SFormatCase{L"dd-MM-yyyy", 8, L"05-03-2024"},
        SFormatCase{L"dd/MM/yyyy", 8, L"05/03/2024"}, SFormatCase{L"dd.MM.yyyy", 8, L"05.03.2024"},
        SFormatCase{L"h:mm tt", 8, L"8:07 AM"}, SFormatCase{L"h:mm tt", 0, L"12:07 AM"},
        SFormatCase{L"h:mm tt", 13, L"1:07 PM"}, SFormatCase{L"h:mmt", 12, L"12:07P"},
        SFormatCase{L"H:mm", 8, L"8:07"}, SFormatCase{L"HH:mm", 8, L"08:07"},
        SFormatCase{L"HH:mm:ss", 23, L"23:07:09"}, SFormatCase{L"d/M/yy", 8, L"5/3/24"},
        SFormatCase{L"dddd, MMMM d", 8, L"Tuesday, March 5"}, SFormatCase{L"ddd MMM", 8, L"Tue Mar"},
        SFormatCase{L"'at' H 'o''clock'", 8, L"at 8 o'clock"}));

TEST(DateTimeFormat, ADownloadTimeInLocalTimeOrDashesWhenItCannotBeConverted)
{
    TerrionTest::CTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(CDateTimeFormat::FormatLocal(1709622489, L"dd.MM.yyyy", L"HH:mm"), L"05.03.2024 08:08");
    EXPECT_EQ(CDateTimeFormat::FormatLocal(1720000000, L"dd.MM.yyyy", L"HH:mm"), L"03.07.2024 11:46");
    // Beyond any year the C library can hold.
    EXPECT_EQ(CDateTimeFormat::FormatLocal(INT64_C(100000000000000000), L"dd.MM.yyyy", L"HH:mm"), L"--");
    EXPECT_EQ(CDateTimeFormat::FormatLocal(INT64_MIN, L"dd.MM.yyyy", L"HH:mm"), L"--");
}
