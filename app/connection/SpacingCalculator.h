#pragma once
// The arithmetic and the checks of the measurement-settings dialog, without
// the dialog: the total correction factor k of a specimen, the checks made on
// OK and the spacing word the instrument works with. The dialog reads its
// controls into SInput and shows what comes back.

#include "device/TerrionDevice.h"

#include <string>

class CSpacingCalculator
{
public:
    using TMeasSettings = Device::CTerrionDevice::TMeasSettings;

    enum NMode : int
    {
        modeSurface = 1,
        modeBulk = 2,
    };
    enum NShape : int
    {
        shapeFlat = 1,
        shapeCylinder = 2,
        shapePrism = 3,
    };
    enum NCorrection : int
    {
        correctionGeometric = 1,
        correctionCustom = 2,
    };

    /// What the dialog's controls hold. Dimensions and factors are the
    /// numbers read from the edits (mm); a text that is no number reads as 0.
    struct SInput
    {
        int mode = modeSurface;
        bool customSpacing = false;
        int correction = correctionGeometric;
        int shape = shapeFlat;
        double spacing = 0.0; ///< the spacing edit (mm)
        double length = 0.0;
        double diameter = 0.0; ///< diameter, or width of a prism
        double depth = 0.0;
        double customFactor = 0.0;
    };

    /// The shapes the list offers in a mode, in list order.
    static int ShapeCount(int) { return 2; }
    /// The shape at a list position of a mode; no selection (-1) is flat.
    static int ShapeAt(int mode, int position);
    /// The list position of a shape in a mode, -1 when the list lacks it.
    static int PositionOf(int mode, int shape);

    /// Computes k for spacing a (mm). Stores the rounded dimensions in the
    /// record when the correction is geometric. With errors, a refused value
    /// leaves its message there (errors may be null).
    static bool ComputeFactor(const SInput& input, double a, float& k, TMeasSettings& record,
                              std::wstring* error);

    /// The text of the total factor edit while the user types (never a message).
    static std::wstring LiveFactorText(const SInput& input, TMeasSettings& record);

    /// The checks of OK: fills mode, shape, correction, contact spacing, k and
    /// the spacing word of the record. False with the message to show when a
    /// value is refused; the record may then hold part of the new values.
    static bool Accept(const SInput& input, TMeasSettings& record, std::wstring& error);

    /// The text-to-number conversion of the edits: a point or a comma as the
    /// decimal separator; a text that is no number reads as 0.
    static double ParseNumber(const std::wstring& text);

    static std::wstring RangeMessage(unsigned nameId, double minimum, double maximum);
};
