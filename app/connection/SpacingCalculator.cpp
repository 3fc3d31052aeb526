#include "app/connection/SpacingCalculator.h"

#include "app/connection/TextPattern.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace
{

using Resources::CStringTable;
namespace Ids = Resources::Ids;

// Single-precision constants, as the instrument's firmware uses them.
constexpr double kTwoPi = static_cast<double>(6.2831853f);
constexpr double kPi = static_cast<double>(3.14159265f);
constexpr double kC1 = static_cast<double>(1.1f);
constexpr double kC2 = static_cast<double>(0.73f);
constexpr double kC3 = static_cast<double>(7.82f);
constexpr double kMaxDimension = 6500.0;
constexpr double kMaxDiameterRatio = 4.0;
constexpr double kMinLengthRatio = 5.0;
constexpr double kMinSpacing = 20.0;
constexpr double kMaxSpacing = 600.0;
constexpr float kMinCustomFactor = 0.1f;
constexpr float kMaxCustomFactor = 100.0f;
// 0xFFFF is the instrument's "not set"; it is never a computed value.
constexpr double kMaxSpacingWord = 65534.0;

void SetError(std::wstring* error, std::wstring text)
{
    if (error)
        *error = std::move(text);
}

/// Checks a dimension and stores it rounded to tenths; the value becomes the stored one.
bool TakeDimension(double& value, std::uint16_t& field, unsigned nameId, std::wstring* error)
{
    if (!(value > 0.0 && value <= kMaxDimension))
    {
        SetError(error, CSpacingCalculator::RangeMessage(nameId, 0.0, kMaxDimension));
        return false;
    }
    field = static_cast<std::uint16_t>(std::trunc(value * 10.0 + 0.5));
    value = field / 10.0;
    return true;
}

/// The shape as the lists of a mode can hold it.
int Normalised(int mode, int shape)
{
    if (mode == CSpacingCalculator::modeSurface)
        return shape == CSpacingCalculator::shapeFlat ? CSpacingCalculator::shapeFlat
                                                      : CSpacingCalculator::shapeCylinder;
    return shape == CSpacingCalculator::shapePrism ? CSpacingCalculator::shapePrism
                                                   : CSpacingCalculator::shapeCylinder;
}

} // namespace

int CSpacingCalculator::ShapeAt(int mode, int position)
{
    if (position < 0 || position > 1)
        return shapeFlat;
    if (mode == modeSurface)
        return position == 0 ? shapeFlat : shapeCylinder;
    return position == 0 ? shapeCylinder : shapePrism;
}

int CSpacingCalculator::PositionOf(int mode, int shape)
{
    for (int position = 0; position < ShapeCount(mode); ++position)
        if (ShapeAt(mode, position) == shape)
            return position;
    return -1;
}

std::wstring CSpacingCalculator::RangeMessage(unsigned nameId, double minimum, double maximum)
{
    return CTextPattern::Format(CStringTable::Text(Ids::kValueOutOfRange),
                                {CStringTable::Text(nameId), minimum, maximum});
}

double CSpacingCalculator::ParseNumber(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
    {
        if (c == L',')
            c = L'.';
        if (c > 0x7F)
            return 0.0;
        narrow.push_back(static_cast<char>(c));
    }
    // strtod follows LC_NUMERIC; parse the integer and fraction parts ourselves.
    std::size_t i = narrow.find_first_not_of(" \t");
    if (i == std::string::npos)
        return 0.0;
    bool negative = false;
    if (narrow[i] == '+' || narrow[i] == '-')
        negative = narrow[i++] == '-';
    double value = 0.0;
    bool digits = false;
    for (; i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9'; ++i, digits = true)
        value = value * 10.0 + (narrow[i] - '0');
    if (i < narrow.size() && narrow[i] == '.')
    {
        double scale = 0.1;
        for (++i; i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9';
             ++i, scale /= 10.0, digits = true)
            value += (narrow[i] - '0') * scale;
    }
    if (!digits)
        return 0.0;
    return negative ? -value : value;
}

bool CSpacingCalculator::ComputeFactor(const SInput& input, double a, float& k, TMeasSettings& record,
                                       std::wstring* error)
{
    k = 1.0f;
    if (input.correction != correctionGeometric)
    {
        k = static_cast<float>(input.customFactor);
        if (!(k >= kMinCustomFactor && k <= kMaxCustomFactor))
        {
            SetError(error, RangeMessage(Ids::kRangeCustomCorrection, static_cast<double>(kMinCustomFactor),
                                         static_cast<double>(kMaxCustomFactor)));
            return false;
        }
        return true;
    }

    const int shape = Normalised(input.mode, input.shape);
    double length = input.length;
    double diameter = input.diameter;
    double depth = input.depth;
    if (shape != shapeFlat)
    {
        if (!TakeDimension(length, record.length, Ids::kRangeLength, error))
            return false;
        const unsigned name = shape == shapePrism ? Ids::kRangeWidth : Ids::kRangeDiameter;
        if (!TakeDimension(diameter, record.diameter, name, error))
            return false;
    }
    if (shape == shapePrism && !TakeDimension(depth, record.depth, Ids::kRangeDepth, error))
        return false;

    if (input.mode == modeSurface)
    {
        if (shape == shapeFlat)
            return true;
        if (!(a > 0.0))
        {
            SetError(error, RangeMessage(Ids::kRangeContactSpacing, 0.0, 0.0));
            return false;
        }
        const double x = diameter / a;
        const double y = length / a;
        if (!(x <= kMaxDiameterRatio && y >= kMinLengthRatio))
        {
            SetError(error, CTextPattern::Format(CStringTable::Text(Ids::kRatioOutOfRange),
                                                 {kMaxDiameterRatio, kMinLengthRatio}));
            return false;
        }
        k = static_cast<float>(kTwoPi / (kC1 - kC2 / x + kC3 / (x * x)));
        return true;
    }
    if (shape == shapePrism)
        k = static_cast<float>(depth * diameter / length / 10.0);
    else
        k = static_cast<float>(kPi * (diameter / 2.0) * (diameter / 2.0) / length / 10.0);
    return true;
}

std::wstring CSpacingCalculator::LiveFactorText(const SInput& input, TMeasSettings& record)
{
    const double a = input.mode == modeSurface ? input.spacing : 0.0;
    float k = 1.0f;
    if (input.correction == correctionGeometric)
        return ComputeFactor(input, a, k, record, nullptr) ? CTextPattern::Fixed(k, 3) : L"--";
    if (input.customFactor == 0.0)
        return L"0.000";
    return ComputeFactor(input, a, k, record, nullptr) ? CTextPattern::Fixed(k, 3) : L"0.000";
}

bool CSpacingCalculator::Accept(const SInput& input, TMeasSettings& record, std::wstring& error)
{
    const bool surface = input.mode == modeSurface;
    record.mode = surface ? Device::NMeasurementMode::Surface : Device::NMeasurementMode::Bulk;
    record.shape = static_cast<Device::NSpecimenShape>(input.shape);
    record.correctionKind = input.correction == correctionGeometric ? Device::NCorrectionKind::Geometric
                                                                    : Device::NCorrectionKind::Custom;

    double a = record.defaultSpacing / 10.0;
    if (surface && input.customSpacing)
    {
        a = input.spacing;
        if (!(a >= kMinSpacing && a <= kMaxSpacing))
        {
            error = RangeMessage(Ids::kRangeContactSpacing, kMinSpacing, kMaxSpacing);
            return false;
        }
        record.contactSpacing = static_cast<std::uint16_t>(std::trunc(a * 10.0 + 0.05));
        a = record.contactSpacing / 10.0;
    }
    float k = 1.0f;
    const bool computed = ComputeFactor(input, a, k, record, &error);
    record.correctionFactor = k;
    if (!computed)
        return false;

    double word = 0.0;
    bool notSet = false;
    if (!surface)
        word = static_cast<double>(k) * 100.0 / kTwoPi;
    else if (!input.customSpacing)
    {
        record.contactSpacing = Device::CTerrionDevice::kSpacingNotSet;
        notSet = k == 1.0f;
        word = a * 10.0 * static_cast<double>(k) / kTwoPi;
    }
    else if (Normalised(input.mode, input.shape) == shapeFlat)
        word = a * 10.0;
    else
        word = a * 10.0 * static_cast<double>(k) / kTwoPi;

    if (notSet)
    {
        record.spacingWord = Device::CTerrionDevice::kSpacingNotSet;
        return true;
    }
    const double rounded = std::trunc(word + 0.5);
    if (!(rounded >= 0.0 && rounded <= kMaxSpacingWord))
    {
        error = CTextPattern::Format(CStringTable::Text(Ids::kSpacingWordOutOfRange), {rounded});
        return false;
    }
    record.spacingWord = static_cast<std::uint16_t>(rounded);
    return true;
}
