// Which paths name a language library: the file name alone decides, so a
// folder with ".so" in its name never makes the program look like one.

#include "app/shell/LanguageLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace TerrionTest
{
namespace
{

TEST(LanguageLibraryName, OnlyTheFileNameTerrionLinkXxSoCounts)
{
    struct SCase
    {
        const wchar_t* path;
        bool library;
    };
    const SCase cases[] = {
        {L"/opt/terrion/TerrionLink_de.so", true},
        {L"/opt/terrion/TerrionLink_DEU.so", true},
        {L"TerrionLink_de.so", true},
        {L"/home/u/libs.so.d/TerrionLink_de.so", true},
        // Folders with ".so" in their names hold the program, not a library.
        {L"/home/u/libs.so.d/TerrionLink", false},
        {L"/opt/x.so/TerrionLink", false},
        {L"/opt/.so/bin/TerrionLink", false},
        {L"/opt/TerrionLink_de.so/TerrionLink", false},
        // A versioned name, another case, another name or nothing between.
        {L"/opt/TerrionLink_de.so.1", false},
        {L"/opt/TerrionLink_DEU.SO", false},
        {L"/opt/terrionlink_de.so", false},
        {L"/opt/libTerrionLink_de.so", false},
        {L"/opt/VnUpgrade_ENU.so", false},
        {L"/opt/TerrionLink_.so", false},
        {L"/opt/TerrionLink_de.so/", false},
        {L".so", false},
        {L"", false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CLanguageLibrary::IsLibraryName(c.path), c.library)
            << testing::PrintToString(std::wstring(c.path));
}

} // namespace
} // namespace TerrionTest
