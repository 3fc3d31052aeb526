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

TEST(ListeningDecoder, NumericLines)
{
    EXPECT_TRUE(CListeningDecoder::IsNumericLine("-1"));
    EXPECT_TRUE(CListeningDecoder::IsNumericLine("99999"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine("99999.5"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine("x1"));
    EXPECT_FALSE(CListeningDecoder::IsNumericLine(""));
}

} // namespace
