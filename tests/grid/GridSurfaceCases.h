#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "grid/GridSurface.h"

/// What a drawing case expects to find on the surface afterwards, in device pixels.
struct SSurfaceChecks
{
    struct SPixel
    {
        int x;
        int y;
        TGridColor color;
        int tolerance = 0; ///< per channel
    };
    /// Dark pixels (text in black on white) that must lie within `box` (one
    /// pixel of slack for anti-aliasing) and spread over at least the given
    /// parts of its width and height.
    struct SInk
    {
        SGridRect box;
        double widthPart;
        double heightPart;
        std::string what;
    };
    std::vector<SPixel> pixels;
    std::vector<SInk> inks;
};

/// One case of the surface table: draws on a fresh 200 x 200 white surface
/// and says what it expects. Cases may also check answers of the surface
/// (clip box, font, metrics) directly while they draw.
struct SSurfaceCase
{
    std::string name;
    std::function<void(CGridSurface&, SSurfaceChecks&)> draw;
};

/// A surface the table runs on: the recording one headless, the wx one on a memory DC.
class CSurfaceUnderTest
{
public:
    virtual ~CSurfaceUnderTest() = default;
    virtual CGridSurface& Surface() = 0;
    /// Ends drawing; pixels can be read from then on.
    virtual void Finish() = 0;
    virtual TGridColor Pixel(int x, int y) = 0;
};

/// The table: the clip and origin rules, text placements (alignment by turn),
/// image tiles, gradients, rectangles and pen widths, fonts and metrics.
const std::vector<SSurfaceCase>& SurfaceCases();
/// Draws a case on the surface and checks it (GoogleTest expectations).
void RunSurfaceCase(const SSurfaceCase& c, CSurfaceUnderTest& target);
/// For test names and GoogleTest's messages.
std::string SurfaceCaseName(const SSurfaceCase& c);
void PrintTo(const SSurfaceCase& c, std::ostream* out);
