#include "streams/Version.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct SParseCase
{
    const wchar_t* text;
    std::uint64_t value;
};

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; *text != L'\0'; ++text)
        out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
    return out;
}

void PrintTo(const SParseCase& c, std::ostream* os)
{
    *os << '"' << Narrow(c.text) << '"';
}

class VersionParse : public testing::TestWithParam<SParseCase>
{
};

TEST_P(VersionParse, GivesTheValue)
{
    EXPECT_EQ(CVersion(GetParam().text).GetValue(), GetParam().value) << std::wstring(GetParam().text).size();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionParse,
    testing::Values(
        SParseCase{L"1.2.2.0", 0x0001000200020000ull}, SParseCase{L"1, 2, 2", 0x0001000200020000ull},
        SParseCase{L"1,2,2", 0x0001000200020000ull}, SParseCase{L" 1 . 2 . 3 ", 0x0001000200030000ull},
        SParseCase{L"1.2.3.4.5", 0x0001000200030004ull}, SParseCase{L"1.2.3beta", 0x0001000200030000ull},
        SParseCase{L"65535.65535.65535.65535", 0xFFFFFFFFFFFFFFFFull},
        // One number is the raw value, two are the 32-bit halves.
        SParseCase{L"7", 7}, SParseCase{L"65538.131072", 0x0001000200020000ull},
        SParseCase{L"9223372036854775807", 0x7FFFFFFFFFFFFFFFull},
        SParseCase{L"4294967295.4294967295", 0xFFFFFFFFFFFFFFFFull},
        // Out of range, unreadable or too long: no version.
        SParseCase{L"1.2.70000", 0}, SParseCase{L"1.-2.3", 0}, SParseCase{L"4294967296.0", 0},
        SParseCase{L"12345678901234567890", 0}, SParseCase{L"", 0}, SParseCase{L"abc", 0},
        SParseCase{L"1..2", 1},
        // Negative or overflowing numbers never become a huge version.
        SParseCase{L"-1", 0}, SParseCase{L"9999999999999999999", 0},
        SParseCase{L"1.2.99999999999999999999", 0}, SParseCase{L"99999999999999999999.1", 0}));

TEST(Version, ComparesAsOneNumber)
{
    const CVersion newer(L"1.2.2.0");
    EXPECT_TRUE(newer > CVersion(L"1.2.1.65535"));
    EXPECT_FALSE(CVersion(L"1.2.1.65535") > newer);
    EXPECT_TRUE(newer == CVersion(L"1, 2, 2"));
    EXPECT_TRUE(CVersion(1, 10, 0, 0) > CVersion(1, 9, 65535, 65535));
    EXPECT_FALSE(newer > newer);
    EXPECT_TRUE(CVersion(0xFFFF, 0, 0, 0) > CVersion(0x7FFF, 0xFFFF, 0xFFFF, 0xFFFF)); // unsigned
}

TEST(Version, FormatsTwoThreeOrFourParts)
{
    const CVersion version(L"1.2.2.0");
    EXPECT_EQ(version.ToString(2), L"65538.131072");
    EXPECT_EQ(version.ToString(3), L"1.2.2");
    EXPECT_EQ(version.ToString(4), L"1.2.2.0");
    EXPECT_EQ(CVersion(L"7").ToString(1), L"7");
    EXPECT_EQ(CVersion(0xFFFF, 0, 0, 0).ToString(0), L"-281474976710656");
    EXPECT_EQ(CVersion(65535, 65535, 65535, 65535).ToString(4), L"65535.65535.65535.65535");
    EXPECT_EQ(CVersion(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF).ToString(2), L"4294967295.4294967295");
}

TEST(Version, PartsByIndexMajorFirst)
{
    const CVersion version(1, 2, 3, 4);
    EXPECT_EQ(version.GetPart(0), 1);
    EXPECT_EQ(version.GetPart(1), 2);
    EXPECT_EQ(version.GetPart(2), 3);
    EXPECT_EQ(version.GetPart(3), 4);
    EXPECT_EQ(version.GetPart(4), 0);
    EXPECT_EQ(version.GetPart(-1), 0);
}

struct SInstallerCase
{
    const wchar_t* name;
    std::uint64_t value;
};

void PrintTo(const SInstallerCase& c, std::ostream* os)
{
    *os << Narrow(c.name);
}

class VersionInstallerName : public testing::TestWithParam<SInstallerCase>
{
};

TEST_P(VersionInstallerName, GivesTheVersion)
{
    EXPECT_EQ(CVersion::FromInstallerFileName(GetParam().name).GetValue(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Names, VersionInstallerName,
    testing::Values(SInstallerCase{L"TerrionLink_V_1_2_3_0.exe", 0x0001000200030000ull},
                    SInstallerCase{L"TerrionLink_V_1_10_0_0.exe", 0x0001000A00000000ull},
                    SInstallerCase{L"TerrionLink_V_1_3_0_0.EXE", 0}, // the extension's case counts
                    SInstallerCase{L"Setup_V_2.0.0.0.exe", 2},       // points cut the text at the first one
                    SInstallerCase{L"TerrionLink_V_1_3.exe", 0x0000000100000003ull},
                    SInstallerCase{L"TerrionLink.exe", 0}, SInstallerCase{L"_V_1.exe", 1},
                    SInstallerCase{L"a.exe", 0}, SInstallerCase{L"TerrionLink_V_1_2_3_0.msi", 0},
                    SInstallerCase{L"TerrionLink_V_1_99999_0_0.exe", 0}));

struct SFirmwareCase
{
    const wchar_t* name;
    int contentType;
    std::uint64_t value;
};

void PrintTo(const SFirmwareCase& c, std::ostream* os)
{
    *os << Narrow(c.name) << " type " << c.contentType;
}

class VersionFirmwareName : public testing::TestWithParam<SFirmwareCase>
{
};

TEST_P(VersionFirmwareName, GivesTheVersion)
{
    EXPECT_EQ(CVersion::FromFirmwareFileName(GetParam().name, GetParam().contentType).GetValue(),
              GetParam().value);
}

constexpr int kFw = CVersion::ctFirmware;
constexpr int kOs = CVersion::ctOperatingSystem;

INSTANTIATE_TEST_SUITE_P(
    Names, VersionFirmwareName,
    testing::Values(SFirmwareCase{L"Terrion-V1.2.3_FW.lod", kFw, 0x0001000200030000ull},
                    SFirmwareCase{L"Terrion-V1.2.3_APP.lod", kFw, 0x0001000200030000ull},
                    SFirmwareCase{L"Terrion-V1.2.3_FW.lod", kOs, 0},
                    SFirmwareCase{L"Terrion-V2_0_1.OS.lod", kOs, 0x0002000000010000ull},
                    SFirmwareCase{L"Terrion-V2_0_1.OS.lod", kFw, 0},
                    SFirmwareCase{L"Terrion-V1.2.3.lod", kFw, 0x0001000200030000ull},
                    SFirmwareCase{L"Terrion-V1.2.3.lod", kOs, 0x0001000200030000ull},
                    SFirmwareCase{L"Terrion-V1.2.3.lod", 5, 0x0001000200030000ull},
                    SFirmwareCase{L"Terrion-V1.2.3.4_FW.lod", kFw, 0x0001000200030004ull},
                    SFirmwareCase{L"Terrion-VFW_1.2.3.lod", kFw, 0}, // tag before the digits
                    SFirmwareCase{L"Terrion-V1.2.3_fw.lod", kFw, 0}, // tags are case-sensitive
                    SFirmwareCase{L"Terrion-V1.2.3_FW.LOD", kFw, 0}, // so is the ending
                    SFirmwareCase{L"Terrion_1.2.3_FW.lod", kFw, 0},  // no "-V"
                    SFirmwareCase{L"Terrion-V7.lod", kFw, 7},        // one number: the raw value
                    SFirmwareCase{L"Terrion-V1.2.lod", kFw, 0x0000000100000002ull},
                    SFirmwareCase{L"Terrion-V1..3.lod", kFw, 1})); // an empty group stops the reading

} // namespace
