// Patterns of the string table filled safely, also when a translation's
// specifiers do not match the arguments.

#include "app/connection/TextPattern.h"

#include <gtest/gtest.h>

namespace
{

TEST(TextPattern, FillsTheSpecifiersOfTheStringTable)
{
    EXPECT_EQ(CTextPattern::Format(L"%.0sSerial number: %s    %s", {L"Terrion", L"TN1", L"@ COM5:"}),
              L"Serial number: TN1    @ COM5:");
    EXPECT_EQ(
        CTextPattern::Format(L"%s is out of range!\r\nValid range is: %.3f....%.3f", {L"Depth", 0.0, 6500.0}),
        L"Depth is out of range!\r\nValid range is: 0.000....6500.000");
    EXPECT_EQ(CTextPattern::Format(L"d/a <= %.1f, 100%%", {4.0}), L"d/a <= 4.0, 100%");
}

TEST(TextPattern, MismatchedOrMissingArgumentsAreSafe)
{
    EXPECT_EQ(CTextPattern::Format(L"%d and %s and %s", {L"text", 2.5}), L"text and 2.500000 and ");
    EXPECT_EQ(CTextPattern::Format(L"%f", {static_cast<long long>(3)}), L"3.000000");
    EXPECT_EQ(CTextPattern::Format(L"tail %", {}), L"tail %");
}

} // namespace
