// An instrument's information text taken apart into label and value rows.

#include "app/connection/DeviceInfoRows.h"

#include <gtest/gtest.h>

namespace
{

TEST(DeviceInfoRows, SplitsEachLineAtItsFirstTab)
{
    using TRows = std::vector<SDeviceInfoRow>;
    struct SCase
    {
        const wchar_t* text;
        TRows rows;
    };
    const SCase cases[] = {
        {L"Device type:\tTerrion\r\nSerial number:\tTN1\r\nSignature:\t", // an empty value keeps its row
         {{L"Device type:", L"Terrion"}, {L"Serial number:", L"TN1"}, {L"Signature:", L""}}},
        {L"Device type:\t\tTerrion\nOS Version:\t 1.2 \n",
         {{L"Device type:", L"Terrion"}, {L"OS Version:", L"1.2"}}},
        // Only the first tab splits; empty lines drop out; a line without a tab is a label.
        {L"Note:\ta\tb\r\n\r\n  \r\nNo tab here", {{L"Note:", L"a\tb"}, {L"No tab here", L""}}},
        {L"", {}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CDeviceInfoRows::Split(c.text), c.rows) << testing::PrintToString(std::wstring(c.text));
}

} // namespace
