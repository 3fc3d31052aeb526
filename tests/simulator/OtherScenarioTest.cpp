// The other instruments' scenario text selects the family and its answers.

#include "tests/simulator/OtherScenario.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace TerrionTest
{
namespace
{

TEST(OtherScenario, TheInstrumentStatementSelectsTheFamily)
{
    const COtherScenario scenario = COtherScenario::Parse("# a listening instrument\n"
                                                          "instrument tarlowend\n"
                                                          "line 1.5\n"
                                                          "line 2\n");
    EXPECT_EQ(scenario.family, sfListening);
    EXPECT_EQ(scenario.lines, (std::vector<std::string>{"1.5", "2"}));

    const COtherScenario meter = COtherScenario::Parse("instrument saltrevane\nbootloader\n"
                                                       "identification X;Y;Z;06000002;9.9\n");
    EXPECT_EQ(meter.family, sfCoverMeter);
    EXPECT_TRUE(meter.bootloader);
    EXPECT_EQ(meter.identification, "X;Y;Z;06000002;9.9");
    EXPECT_EQ(meter.rate, 19200u);
}

TEST(OtherScenario, BadTextNamesItsLine)
{
    EXPECT_THROW(COtherScenario::Parse("bootloader\ninstrument kx7\n"), std::runtime_error);
    EXPECT_THROW(COtherScenario::Parse("instrument kx7\nfrobnicate\n"), std::runtime_error);
    EXPECT_THROW(COtherScenario::Parse("instrument unknown\n"), std::runtime_error);
    EXPECT_THROW(COtherScenario::Parse("# nothing\n"), std::runtime_error);
}

} // namespace
} // namespace TerrionTest
