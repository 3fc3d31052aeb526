#pragma once
#include "grid/GridTypes.h"

/// The system colours a menu draws with. The defaults are the classic
/// desktop's; the window layer fills them from the running desktop.
struct SOwMenuColors
{
    TGridColor btnFace = GridRgb(236, 233, 216);
    TGridColor btnShadow = GridRgb(172, 168, 153);
    TGridColor btnHighlight = GridRgb(255, 255, 255);
    TGridColor highlight = GridRgb(49, 106, 197);
    TGridColor menuText = GridRgb(0, 0, 0);
    TGridColor grayText = GridRgb(172, 168, 153);
    TGridColor window = GridRgb(255, 255, 255);

    friend bool operator==(const SOwMenuColors&, const SOwMenuColors&) = default;
};
