// The OS-based instruments' login and package rules.

#include "device/others/OsUpgradeRules.h"

#include <gtest/gtest.h>

namespace
{

using Device::COsUpgradeRules;

TEST(OsUpgradeRules, OnlyARealOldFirmwareSkipsTheLogin)
{
    EXPECT_TRUE(COsUpgradeRules::HasNoLogin(L"0.2.12"));
    EXPECT_TRUE(COsUpgradeRules::HasNoLogin(L"0. 2 .1"));
    EXPECT_FALSE(COsUpgradeRules::HasNoLogin(L"0.2.13"));
    EXPECT_FALSE(COsUpgradeRules::HasNoLogin(L"1.0.0"));
    // A firmware text that does not read grants nothing without a login.
    EXPECT_FALSE(COsUpgradeRules::HasNoLogin(L"beta"));
    EXPECT_FALSE(COsUpgradeRules::HasNoLogin(L""));
}

TEST(OsUpgradeRules, HardwareRevisionAgainstThePackageLimits)
{
    std::wstring revision = L"b12";
    EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 0x10C, 0x10C, L'H', 0x7FF), 0);
    EXPECT_EQ(revision, L"B12");
    revision = L"B12";
    EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 0x10D, 0, L'H', 0x7FF), Device::ecWrongHardware);
    revision = L"I1";
    EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 1, 0, L'H', 0x7FF), Device::ecWrongHardware);
    revision = L"I1";
    EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 1, 0, L'Z', 0x1FFF), 0);
    for (const wchar_t* bad : {L"B256", L"12", L"B", L"Bx"})
    {
        revision = bad;
        EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 1, 0, L'H', 0x7FF), Device::ecWrongHardware)
            << bad;
    }
    revision = L"junk";
    EXPECT_EQ(COsUpgradeRules::CheckHardware(revision, 0, 0, L'H', 0x7FF), 0); // no limits, no check
}

TEST(OsUpgradeRules, OsMustBeNewEnoughAndOfTheSameMajor)
{
    EXPECT_EQ(COsUpgradeRules::CheckOs(L"2.3.0", CVersion(2, 1, 0, 0)), 0);
    EXPECT_EQ(COsUpgradeRules::CheckOs(L"2. 0.0", CVersion(2, 1, 0, 0)), Device::ecOsTooOld);
    EXPECT_EQ(COsUpgradeRules::CheckOs(L"3.0.0", CVersion(2, 1, 0, 0)), Device::ecOsTooOld);
    EXPECT_EQ(COsUpgradeRules::CheckOs(L"1.0", CVersion()), 0);
}

} // namespace
