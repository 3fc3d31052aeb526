#include "streams/Crc.h"
#include "streams/TimeStamp.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

const std::uint8_t* Digits()
{
    return reinterpret_cast<const std::uint8_t*>("123456789");
}

TEST(Crc, CheckValuesOfTheStandardVariants)
{
    EXPECT_EQ(CalcCrc8(Digits(), 9, 0), 0xA1);
    EXPECT_EQ(CalcCrc16(Digits(), 9, 0), 0xBB3D);
    EXPECT_EQ(~CalcCrc32(Digits(), 9, 0xFFFFFFFFu), 0xCBF43926u);
}

TEST(Crc, ZeroBytesGiveZeroWhateverTheStart)
{
    EXPECT_EQ(CalcCrc8(Digits(), 0, 0x55), 0);
    EXPECT_EQ(CalcCrc16(nullptr, 9, 0x1234), 0);
    EXPECT_EQ(CalcCrc32(Digits(), 0, 0xFFFFFFFFu), 0u);
}

TEST(Crc, RunningCrcOverPiecesEqualsOneCrcOverAll)
{
    const std::uint32_t whole = CalcCrc32(Digits(), 9, 0xFFFFFFFFu);
    const std::uint32_t first = CalcCrc32(Digits(), 4, 0xFFFFFFFFu);
    EXPECT_EQ(CalcCrc32(Digits() + 4, 5, first), whole);
    EXPECT_EQ(CalcCrc16(Digits() + 4, 5, CalcCrc16(Digits(), 4, 0)), 0xBB3D);
}

TEST(TimeStamp, EqualStampsAreZeroMillisecondsApart)
{
    std::uint64_t stamp = 0;
    EXPECT_EQ(QueryTimeStamp(&stamp), &stamp);
    EXPECT_NE(stamp, 0u);
    EXPECT_EQ(ElapsedMilliseconds(stamp, stamp), 0u);
    EXPECT_EQ(ElapsedMilliseconds(stamp, stamp + 2'500'000'000ull), 2500u);
}

} // namespace
