#include "export/PicMemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

// Lets a growth larger than the machine can give fail with a null pointer
// instead of stopping the sanitised test run.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}

TEST(PicMemFile, FirstWriteGrowsToOneStep)
{
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.Open()) << "a second open is refused while a buffer is present";
    const char data[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(file.Write(data, 1, 10), 10u);
    EXPECT_EQ(file.GetEdge(), 65536);
    EXPECT_EQ(file.Size(), 10);
    EXPECT_EQ(file.Tell(), 10);
}

TEST(PicMemFile, GrowthRoundsDownThenAddsAStep)
{
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    std::vector<std::uint8_t> block(65536, 0xAB);
    EXPECT_EQ(file.Write(block.data(), 4, 16384), 16384u);
    EXPECT_EQ(file.GetEdge(), 131072);
    EXPECT_EQ(file.Size(), 65536);
}

TEST(PicMemFile, SeekPastEndAndGapIsZeroFilled)
{
    CPicMemFile fresh;
    ASSERT_TRUE(fresh.Open());
    const std::uint8_t head[10] = {};
    fresh.Write(head, 1, 10);
    ASSERT_TRUE(fresh.Seek(100, 0));
    EXPECT_NE(fresh.Error(), 0) << "position beyond the size is an error state";
    EXPECT_TRUE(fresh.Eof());
    std::memset(fresh.GetBuffer(false) + 10, 0xEE, 90); // stale memory in the gap
    const std::uint8_t tail = 0x55;
    EXPECT_EQ(fresh.Write(&tail, 1, 1), 1u);
    EXPECT_EQ(fresh.Error(), 0);
    EXPECT_EQ(fresh.Size(), 101);
    const std::uint8_t* bytes = fresh.GetBuffer(false);
    for (int i = 10; i < 100; ++i)
        ASSERT_EQ(bytes[i], 0) << "gap byte " << i;
    EXPECT_EQ(bytes[100], 0x55);
}

TEST(PicMemFile, ReadGetCGetSAndPutC)
{
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    const char text[] = "ab\ncd";
    file.Write(text, 1, 5);
    EXPECT_TRUE(file.PutC('!'));
    EXPECT_EQ(file.Size(), 6);
    file.Seek(0, 0);
    char line[16];
    ASSERT_NE(file.GetS(line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "ab\n");
    EXPECT_EQ(file.GetS(line, sizeof(line)), nullptr) << "the end is reached before a line feed";
    file.Seek(-2, 2);
    EXPECT_EQ(file.GetC(), 'd');
    EXPECT_EQ(file.GetC(), '!');
    EXPECT_EQ(file.GetC(), -1);
    file.Seek(1, 0);
    std::uint16_t pairs[4] = {};
    EXPECT_EQ(file.Read(pairs, 2, 4), 2u) << "5 bytes left give two whole elements";
    EXPECT_FALSE(file.Seek(0, 3));
    EXPECT_TRUE(file.Seek(-50, 1));
    EXPECT_EQ(file.Tell(), 0) << "a negative position becomes 0";
}

TEST(PicMemFile, NoBufferResults)
{
    CPicMemFile file;
    const char c = 1;
    EXPECT_EQ(file.Write(&c, 1, 1), 0u);
    EXPECT_EQ(file.Tell(), -1);
    EXPECT_EQ(file.Size(), -1);
    EXPECT_EQ(file.Error(), -1);
    EXPECT_TRUE(file.Eof());
    EXPECT_FALSE(file.Flush());
    EXPECT_FALSE(file.PutC(1));
    EXPECT_FALSE(file.Seek(0, 0));
}

TEST(PicMemFile, DetachedBufferOutlivesTheSink)
{
    std::uint8_t* buffer = nullptr;
    {
        CPicMemFile file;
        ASSERT_TRUE(file.Open());
        file.Write("xyz", 1, 3);
        buffer = file.GetBuffer(true);
    }
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::memcmp(buffer, "xyz", 3), 0);
    std::free(buffer);
}

TEST(PicMemFile, FailedGrowthKeepsTheOldBuffer)
{
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    file.Write("keep", 1, 4);
    const std::uint8_t* before = file.GetBuffer(false);
    ASSERT_TRUE(file.Seek(1L << 50, 0));
    EXPECT_EQ(file.Write("x", 1, 1), 0u) << "a petabyte cannot be allocated";
    EXPECT_EQ(file.GetBuffer(false), before);
    EXPECT_EQ(file.Size(), 4);
    file.Seek(0, 0);
    char back[4];
    EXPECT_EQ(file.Read(back, 1, 4), 4u);
    EXPECT_EQ(std::memcmp(back, "keep", 4), 0);
}

TEST(PicMemFile, GivenBufferIsWrittenInPlaceAndNeverReallocated)
{
    std::uint8_t storage[4] = {9, 9, 9, 9};
    {
        CPicMemFile file(storage, 4);
        EXPECT_EQ(file.Write("ab", 1, 2), 2u);
        EXPECT_EQ(file.Write("cdef", 1, 4), 4u) << "growth moves to a block of the sink's own";
        EXPECT_EQ(file.Size(), 6);
    }
    EXPECT_EQ(storage[0], 'a');
    EXPECT_EQ(storage[1], 'b');
}
