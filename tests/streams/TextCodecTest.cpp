#include "streams/TextCodec.h"

#include <gtest/gtest.h>

namespace
{

using StreamIO::CTextCodec;

TEST(TextCodecUtf16, SupplementaryCharactersTakeTwoUnits)
{
    const std::wstring text = L"k\u03A9\U0001F600";
    EXPECT_EQ(CTextCodec::ToUtf16(text), (std::u16string{u'k', 0x03A9, 0xD83D, 0xDE00}));
    EXPECT_EQ(CTextCodec::FromUtf16(CTextCodec::ToUtf16(text)), text);
}

TEST(TextCodecUtf16, LoneSurrogatesSurviveARoundTrip)
{
    const std::u16string units{0xDC00, u'a', 0xD800};
    const std::wstring text = CTextCodec::FromUtf16(units);
    EXPECT_EQ(text.size(), 3u);
    EXPECT_EQ(CTextCodec::ToUtf16(text), units);
    EXPECT_EQ(CTextCodec::ToUtf16(std::wstring(1, static_cast<wchar_t>(0x110000))), u"\uFFFD");
}

TEST(TextCodecWindows1252, MapsTheHighRangeBothWays)
{
    const std::string bytes{'a', '\x80', '\x9F', '\xE9', '\x81'};
    const std::wstring text = CTextCodec::FromWindows1252(bytes);
    EXPECT_EQ(text, (std::wstring{L'a', 0x20AC, 0x0178, 0x00E9, 0x0081}));
    EXPECT_EQ(CTextCodec::ToWindows1252(text), bytes);
    EXPECT_EQ(CTextCodec::ToWindows1252(L"\u03A9"), "?");
}

} // namespace
