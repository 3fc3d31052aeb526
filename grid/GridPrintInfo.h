#pragma once
#include "grid/GridTypes.h"

/// The state of a print job the grid shares with its printing loop: the pages
/// to print, the page being printed and the printable area of the paper.
struct SGridPrintInfo
{
    int minPage = 1;
    int maxPage = 0xFFFF;
    int currentPage = 1;
    /// (0, 0, paper width, paper height) in device units.
    SGridRect drawRect;
};
