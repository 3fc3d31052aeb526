// The date and time shift of the date/time dialog, in a zone with daylight
// saving: the picked wall-clock time is what the series shows afterwards.

#include "views/DateTimeShift.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace
{

using SLocal = CDateTimeShift::SLocal;

/// Runs the test in Central European time and puts the zone back after it.
class CDateTimeShiftTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* zone = std::getenv("TZ"))
            m_saved = zone;
        else
            m_unset = true;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_unset)
            unsetenv("TZ");
        else
            setenv("TZ", m_saved.c_str(), 1);
        tzset();
    }

private:
    std::string m_saved;
    bool m_unset = false;
};

TEST_F(CDateTimeShiftTest, TheOffsetReachesThePickedWallClockTime)
{
    struct SCase
    {
        const char* what;
        std::int64_t original;
        SLocal picked;
        std::int64_t offset;
    };
    // The instants are the UTC seconds of the local times named.
    const SCase cases[] = {
        {"winter to summer, same clock time: whole days less the hour gained",
         1673773200, // 2023-01-15 10:00 CET
         {2023, 7, 15, 10, 0, 0},
         1689408000 - 1673773200},
        {"summer to winter, same clock time: whole days and the hour back",
         1689408000, // 2023-07-15 10:00 CEST
         {2023, 1, 15, 10, 0, 0},
         1673773200 - 1689408000},
        {"the time of day only", 1673773200, {2023, 1, 15, 14, 30, 15}, 4 * 3600 + 30 * 60 + 15},
        {"two clock hours over the spring change are one real hour",
         1679790600, // 2023-03-26 01:30 CET
         {2023, 3, 26, 3, 30, 0},
         3600},
        {"two clock hours over the autumn change are three real hours",
         1698535800, // 2023-10-29 01:30 CEST
         {2023, 10, 29, 3, 30, 0},
         3 * 3600},
        {"back over a year's end", 1673773200, {2022, 12, 31, 23, 59, 59}, 1672527599 - 1673773200},
        {"nothing picked differently", 1689452100, {2023, 7, 15, 22, 15, 0}, 0},
    };
    for (const SCase& c : cases)
    {
        EXPECT_EQ(CDateTimeShift::Offset(c.original, c.picked), c.offset) << c.what;
        // The shifted series shows the picked time on the clock.
        SLocal shown;
        ASSERT_TRUE(CDateTimeShift::ToLocal(c.original + c.offset, &shown)) << c.what;
        EXPECT_EQ(shown, c.picked) << c.what;
    }
}

TEST_F(CDateTimeShiftTest, TheLocalClockOfAnInstantAndBack)
{
    SLocal local;
    ASSERT_TRUE(CDateTimeShift::ToLocal(1689452100, &local));
    EXPECT_EQ(local, (SLocal{2023, 7, 15, 22, 15, 0}));
    std::int64_t back = 0;
    ASSERT_TRUE(CDateTimeShift::FromLocal(local, &back));
    EXPECT_EQ(back, 1689452100);

    // One second before 1970 is an instant like any other, not a failure.
    ASSERT_TRUE(CDateTimeShift::ToLocal(-1, &local));
    ASSERT_TRUE(CDateTimeShift::FromLocal(local, &back));
    EXPECT_EQ(back, -1);
}

TEST(CDateTimeShift, ThePickedDateTakesThePickedTimeOfDay)
{
    EXPECT_EQ(CDateTimeShift::Combine({2024, 2, 29, 1, 2, 3}, {1999, 12, 31, 23, 58, 57}),
              (SLocal{2024, 2, 29, 23, 58, 57}));
}

TEST(CDateTimeShift, TimePatternsGainSeconds)
{
    EXPECT_EQ(CDateTimeShift::WithSeconds(L"HH:mm"), L"HH:mm:ss");
    EXPECT_EQ(CDateTimeShift::WithSeconds(L"h:mm tt"), L"h:mm:ss tt");
    EXPECT_EQ(CDateTimeShift::WithSeconds(L"h:mmt"), L"h:mm:sst");
    EXPECT_EQ(CDateTimeShift::WithSeconds(L"H"), L"H");
}

} // namespace
