// The listening identification's line decoder.

#include "device/others/ListeningDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using Device::CListeningDecoder;

CListeningDecoder::NResult FeedAll(const std::string& stream, int limit = 1000)
{
    CListeningDecoder decoder;
    int fed = 0;
    for (char c : stream)
    {
        if (fed++ == limit)
            break;
        const CListeningDecoder::NResult result = decoder.Feed(static_cast<std::uint8_t>(c));
        if (result != CListeningDecoder::lrListening)
            return result;
    }
    return CListeningDecoder::lrListening;
}

TEST(ListeningDecoder, FourNumericLinesIdentify)
{
    struct
    {
        const char* stream;
        CListeningDecoder::NResult result;
    } const cases[] = {
        {"\n12.5\r\n0\r\n-1\r\n99999\r\n", CListeningDecoder::lrIdentified},
        // A word does not count; two more numbers leave three.
        {"\n12.5\r\nabc\r\n1\r\n2\r\n", CListeningDecoder::lrListening},
        // Characters before the first LF, the CR included, are dropped.
        {"7\r8\r\n1\r\n2\r\n3\r\n4\r\n", CListeningDecoder::lrIdentified},
        {"\n1\r\n  \r\n2\r\n3\r\n4\r", CListeningDecoder::lrEnded},
        {"\n100000\r\n-1.5\r\n1\r\n2\r\n3\r\n", CListeningDecoder::lrListening},
        {"\n 5 V\r\n+6\r\n7e1\r\n8\r", CListeningDecoder::lrIdentified},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeedAll(c.stream), c.result) << c.stream;
}

TEST(ListeningDecoder, LineLongerThanTheLimitIsPassedOver)
{
    const std::size_t limit = CListeningDecoder::kMaxLine;
    const std::string atLimit = "5" + std::string(limit - 1, ' ');
    const std::string overLimit = atLimit + " ";
    const std::string blankOver(limit + 1, ' ');
    const std::string more = "\n1\r\n2\r\n3\r";
    EXPECT_EQ(FeedAll("\n" + atLimit + "\r" + more, 10000), CListeningDecoder::lrIdentified);
    EXPECT_EQ(FeedAll("\n" + overLimit + "\r" + more, 10000), CListeningDecoder::lrListening);
    EXPECT_EQ(FeedAll("\n" + blankOver + "\r" + more, 10000), CListeningDecoder::lrListening);

    // A megabyte without a CR keeps no more than the limit.
    CListeningDecoder decoder;
    decoder.Feed('\n');
    for (int i = 0; i < 1 << 20; ++i)
        decoder.Feed('7');
    EXPECT_LE(decoder.LineLength(), limit);
    EXPECT_EQ(decoder.Feed('\r'), CListeningDecoder::lrListening);
    EXPECT_EQ(decoder.CountedLines(), 0);
}

TEST(ListeningDecoder, NumericLines)
{
    EXPECT_TRUE(CListeningDecoder::IsNumericLine("-1"));
    EXPECT_TRUE(CListeningDecoder::IsNumericLine("99999"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine("99999.5"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine("x1"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine(""));
}

} // namespace
