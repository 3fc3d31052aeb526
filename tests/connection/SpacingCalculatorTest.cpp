// The k arithmetic, the checks on OK and the spacing word, without the dialog.

#include "app/connection/SpacingCalculator.h"

#include <gtest/gtest.h>

namespace
{

using Calc = CSpacingCalculator;
using TMeasSettings = Calc::TMeasSettings;

TMeasSettings Record()
{
    TMeasSettings record{};
    record.defaultSpacing = 500;
    record.contactSpacing = 0x1234;
    return record;
}

Calc::SInput Surface(int shape, bool custom, double spacing, double length = 0, double diameter = 0)
{
    Calc::SInput input;
    input.mode = Calc::modeSurface;
    input.shape = shape;
    input.customSpacing = custom;
    input.spacing = spacing;
    input.length = length;
    input.diameter = diameter;
    return input;
}

Calc::SInput Bulk(int shape, double length, double diameter, double depth)
{
    Calc::SInput input;
    input.mode = Calc::modeBulk;
    input.shape = shape;
    input.length = length;
    input.diameter = diameter;
    input.depth = depth;
    input.spacing = 0.0;
    return input;
}

struct SAcceptCase
{
    const char* name;
    Calc::SInput input;
    const wchar_t* liveK;
    std::uint16_t contactSpacing;
    std::uint16_t spacingWord;
};

TEST(SpacingCalculator, AcceptedSettingsGiveTheFactorAndTheSpacingWord)
{
    const SAcceptCase cases[] = {
        {"surface flat default", Surface(Calc::shapeFlat, false, 50.0), L"1.000", 0xFFFF, 0xFFFF},
        {"surface cylinder custom", Surface(Calc::shapeCylinder, true, 50.0, 300.0, 100.0), L"2.336", 500,
         186},
        // Default spacing 50 mm with the cylinder: the word follows k.
        {"surface cylinder default", Surface(Calc::shapeCylinder, false, 50.0, 300.0, 100.0), L"2.336",
         0xFFFF, 186},
        {"surface flat custom", Surface(Calc::shapeFlat, true, 38.04), L"1.000", 380, 380},
        {"bulk prism", Bulk(Calc::shapePrism, 100.0, 50.0, 200.0), L"10.000", 0x1234, 159},
        // k = pi * 25^2 / 100 / 10 = 1.9635; word = round(196.35 / 2pi) = 31
        {"bulk cylinder", Bulk(Calc::shapeCylinder, 100.0, 50.0, 0.0), L"1.963", 0x1234, 31},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TMeasSettings live = Record();
        EXPECT_EQ(Calc::LiveFactorText(c.input, live), c.liveK);
        TMeasSettings record = Record();
        std::wstring error;
        ASSERT_TRUE(Calc::Accept(c.input, record, error)) << std::string(error.begin(), error.end());
        EXPECT_EQ(record.contactSpacing, c.contactSpacing);
        EXPECT_EQ(record.spacingWord, c.spacingWord);
        EXPECT_EQ(static_cast<int>(record.mode), c.input.mode);
        EXPECT_EQ(static_cast<int>(record.shape), c.input.shape);
    }
}

TEST(SpacingCalculator, GeometricCorrectionStoresRoundedDimensions)
{
    TMeasSettings record = Record();
    std::wstring error;
    ASSERT_TRUE(Calc::Accept(Bulk(Calc::shapePrism, 100.04, 50.05, 199.96), record, error));
    EXPECT_EQ(record.length, 1000);
    EXPECT_EQ(record.diameter, 501);
    EXPECT_EQ(record.depth, 2000);
    EXPECT_EQ(record.correctionKind, Device::NCorrectionKind::Geometric);
    EXPECT_FLOAT_EQ(record.correctionFactor, static_cast<float>(200.0 * 50.1 / 100.0 / 10.0));
}

struct SRefusedCase
{
    const char* name;
    Calc::SInput input;
    const wchar_t* message;
};

Calc::SInput Custom(double factor)
{
    Calc::SInput input = Surface(Calc::shapeFlat, false, 50.0);
    input.correction = Calc::correctionCustom;
    input.customFactor = factor;
    return input;
}

TEST(SpacingCalculator, RefusedValuesGiveTheirMessage)
{
    const SRefusedCase cases[] = {
        {"diameter ratio", Surface(Calc::shapeCylinder, true, 50.0, 300.0, 250.0),
         L"Either the ratio diameter/spacing (d/a) or length/spacing (l/a) is out of range!\r\n"
         L"Valid range is d/a <= 4.0 and l/a >= 5.0"},
        {"spacing too small", Surface(Calc::shapeFlat, true, 19.9),
         L"Contact Spacing is out of range!\r\nValid range is: 20.000....600.000"},
        {"spacing too large", Surface(Calc::shapeFlat, true, 600.1),
         L"Contact Spacing is out of range!\r\nValid range is: 20.000....600.000"},
        {"custom factor", Custom(0.05),
         L"Custom Correction is out of range!\r\nValid range is: 0.100....100.000"},
        {"length", Bulk(Calc::shapeCylinder, 6500.1, 10.0, 0.0),
         L"Length is out of range!\r\nValid range is: 0.000....6500.000"},
        {"width", Bulk(Calc::shapePrism, 10.0, 0.0, 10.0),
         L"Width is out of range!\r\nValid range is: 0.000....6500.000"},
        {"diameter", Bulk(Calc::shapeCylinder, 10.0, -1.0, 0.0),
         L"Diameter is out of range!\r\nValid range is: 0.000....6500.000"},
        {"depth", Bulk(Calc::shapePrism, 10.0, 10.0, 0.0),
         L"Depth is out of range!\r\nValid range is: 0.000....6500.000"},
        // The word is 16 bits wide: k = 4225000 would need 67 million.
        {"word too large", Bulk(Calc::shapePrism, 1.0, 6500.0, 6500.0),
         L"These settings give the instrument a spacing value of 67242962, which it cannot store.\r\n"
         L"Valid range is: 0....65534"},
        // k = 4117.7 rounds to 65535, the instrument's "not set".
        {"word is not set", Bulk(Calc::shapePrism, 100.0, 1000.0, 4117.7),
         L"These settings give the instrument a spacing value of 65535, which it cannot store.\r\n"
         L"Valid range is: 0....65534"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TMeasSettings record = Record();
        std::wstring error;
        EXPECT_FALSE(Calc::Accept(c.input, record, error));
        EXPECT_EQ(error, c.message);
    }
}

TEST(SpacingCalculator, LiveFactorShowsDashesOrZeroForRefusedValues)
{
    TMeasSettings record = Record();
    EXPECT_EQ(Calc::LiveFactorText(Surface(Calc::shapeCylinder, true, 50.0, 300.0, 250.0), record), L"--");
    EXPECT_EQ(Calc::LiveFactorText(Custom(0.0), record), L"0.000");
    EXPECT_EQ(Calc::LiveFactorText(Custom(0.05), record), L"0.000");
    EXPECT_EQ(Calc::LiveFactorText(Custom(2.5), record), L"2.500");
    // Bulk ignores the spacing edit's "--".
    EXPECT_EQ(Calc::LiveFactorText(Bulk(Calc::shapePrism, 100.0, 50.0, 200.0), record), L"10.000");
}

TEST(SpacingCalculator, ShapesAreReadByListPosition)
{
    EXPECT_EQ(Calc::ShapeAt(Calc::modeSurface, 0), Calc::shapeFlat);
    EXPECT_EQ(Calc::ShapeAt(Calc::modeSurface, 1), Calc::shapeCylinder);
    EXPECT_EQ(Calc::ShapeAt(Calc::modeBulk, 0), Calc::shapeCylinder);
    EXPECT_EQ(Calc::ShapeAt(Calc::modeBulk, 1), Calc::shapePrism);
    EXPECT_EQ(Calc::ShapeAt(Calc::modeBulk, -1), Calc::shapeFlat);
    EXPECT_EQ(Calc::PositionOf(Calc::modeSurface, Calc::shapePrism), -1);
    EXPECT_EQ(Calc::PositionOf(Calc::modeBulk, Calc::shapePrism), 1);
}

TEST(SpacingCalculator, NumbersParseWithPointOrCommaAndGarbageReadsAsZero)
{
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L"12.5"), 12.5);
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L" 12,5"), 12.5);
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L"-3"), -3.0);
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L"--"), 0.0);
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(Calc::ParseNumber(L""), 0.0);
}

} // namespace
