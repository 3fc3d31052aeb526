// The "@ID@" answer's pure pieces: empty fields, splitting, the signature.

#include "device/others/IdentAnswer.h"

#include <gtest/gtest.h>

namespace
{

using Device::CIdentAnswer;

TEST(IdentAnswer, OnePassFillsOnlyTheFirstOfTwoEmptyFields)
{
    EXPECT_EQ(CIdentAnswer::FillOnce("a;;b"), "a;-;b");
    EXPECT_EQ(CIdentAnswer::FillOnce("a;;;b"), "a;-;;b");
    EXPECT_EQ(CIdentAnswer::FillAll("a;;;b"), "a;-;-;b");
    EXPECT_EQ(CIdentAnswer::FillAll("a;;;;b"), "a;-;-;-;b");
}

TEST(IdentAnswer, SplitKeepsEmptyFieldsAndMayMissTheLastOnly)
{
    std::wstring a, b, c;
    std::wstring* fields[] = {&a, &b, &c};
    EXPECT_TRUE(CIdentAnswer::Split("x;-;;z", fields, false));
    EXPECT_EQ(a, L"x");
    EXPECT_EQ(b, L"-");
    EXPECT_EQ(c, L"");

    EXPECT_TRUE(CIdentAnswer::Split("x;y", fields, true));
    EXPECT_EQ(c, L"");
    EXPECT_FALSE(CIdentAnswer::Split("x;y", fields, false));
    EXPECT_FALSE(CIdentAnswer::Split("x", fields, true));
}

TEST(IdentAnswer, SignatureReadsAsHexAndRefusesWhatDoesNotFit)
{
    struct
    {
        const wchar_t* text;
        bool reads;
        std::uint32_t value;
    } const cases[] = {
        {L"06000001", true, 0x06000001},
        {L" 0x0A00ff01", true, 0x0A00FF01},
        {L"1f zz", true, 0x1F},
        {L"0006000001", true, 0x06000001},
        {L"zz", false, 0},
        {L"", false, 0},
        // Nine significant digits would lose the top one and pass as another family.
        {L"106000001", false, 0},
        {L"FFFFFFFFF", false, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        std::uint32_t value = 0;
        EXPECT_EQ(CIdentAnswer::ParseSignature(c.text, value), c.reads);
        if (c.reads)
        {
            EXPECT_EQ(value, c.value);
        }
    }
    EXPECT_TRUE(CIdentAnswer::IsFamily(L"06000001", 6));
    EXPECT_FALSE(CIdentAnswer::IsFamily(L"07000001", 6));
    EXPECT_FALSE(CIdentAnswer::IsFamily(L"106000001", 6));
}

TEST(IdentAnswer, FormatFillsThePlaceholdersInOrder)
{
    EXPECT_EQ(CIdentAnswer::Format(L"Device type:\t%s\r\nSerial number:\t%s", {L"A", L"B"}),
              L"Device type:\tA\r\nSerial number:\tB");
}

} // namespace
